#include "QtDialogs.hpp"

#include "ModalBoxes.hpp"
#include "PartNative.hpp"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace rt::gui {
namespace {

// A box that has no title of its own carries the program's name, as its window does.
QString titleOr(const Text &title)
{
    return title.empty() ? QStringLiteral("Tarvello 16bit") : fromOem(title);
}

QString lines(const Text &text, char separator)
{
    QString shown = fromOem(text);
    shown.replace(QChar(separator), QChar('\n'));
    return shown;
}

QMessageBox::Icon iconFor(int style)
{
    switch (iconOf(style)) {
    case Icon::Stop:
        return QMessageBox::Critical;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

struct Choice
{
    const char *label;
    QMessageBox::ButtonRole role;
    BoxAnswer answer;
};

std::vector<Choice> buttonsFor(int buttons)
{
    switch (static_cast<Buttons>(buttons)) {
    case Buttons::Ok:
        return {{"OK", QMessageBox::AcceptRole, BoxAnswer::Ok}};
    case Buttons::OkCancel:
        return {{"OK", QMessageBox::AcceptRole, BoxAnswer::Ok},
                {"Abbrechen", QMessageBox::RejectRole, BoxAnswer::Cancel}};
    case Buttons::AbortRetryIgnore:
        return {{"Abbrechen", QMessageBox::DestructiveRole, BoxAnswer::Abort},
                {"Wiederholen", QMessageBox::AcceptRole, BoxAnswer::Retry},
                {"Ignorieren", QMessageBox::ApplyRole, BoxAnswer::Ignore}};
    case Buttons::YesNo:
        return {{"Ja", QMessageBox::YesRole, BoxAnswer::Yes},
                {"Nein", QMessageBox::NoRole, BoxAnswer::No}};
    }
    return {{"OK", QMessageBox::AcceptRole, BoxAnswer::Ok}};
}

// An alert's options are all choices alike, so the toolkit finds no escape button among them and
// would refuse to close the box. Closing it (Escape or the window's close button) is the user
// declining every option: the box ends with no button clicked and the alert answers 0.
class AlertBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->accept();
        done(0);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel))
            done(0);
        else
            QMessageBox::keyPressEvent(event);
    }
};

// A report whose box nobody waited for, because the session ended: the terminal or the session's
// log still gets it.
void reportOnStandardError(const Text &text)
{
    const QByteArray bytes = fromOem(text).toLocal8Bit() + '\n';
    std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

int QtDialogs::alert(const Text &message, const std::vector<Text> &options)
{
    AlertBox box(QMessageBox::Warning, titleOr({}), lines(message, ';'));
    box.setObjectName("alertBox");
    std::vector<QAbstractButton *> buttons;
    for (const Text &option : options)
        buttons.push_back(box.addButton(fromOem(option), QMessageBox::ActionRole));
    runModal(box); // the end of the session closes it: no choice
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i + 1);
    return 0; // closed without a choice
}

int QtDialogs::confirmBox(const Text &text, const Text &title, int buttons, int style)
{
    QMessageBox box(iconFor(style), fromOem(title), lines(text, '\r'));
    box.setObjectName("confirmBox");
    const std::vector<Choice> choices = buttonsFor(buttons);
    std::vector<QAbstractButton *> made;
    for (const Choice &choice : choices) {
        made.push_back(box.addButton(QString::fromLatin1(choice.label), choice.role));
        // Escape and the window's close button answer Cancel or No, or the sole button; Abort of
        // Abort/Retry/Ignore, which has no declining button: without an escape button the toolkit
        // would ignore the close request and leave the box open.
        if (choice.answer == BoxAnswer::Cancel || choice.answer == BoxAnswer::No ||
            choice.answer == BoxAnswer::Abort || choices.size() == 1)
            box.setEscapeButton(made.back());
    }
    box.setDefaultButton(qobject_cast<QPushButton *>(made.front()));
    // The end of the session answers with the first button, which ends: OK, Abort or Yes.
    runModal(box);
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return static_cast<int>(choices[i].answer);
    return static_cast<int>(choices.front().answer);
}

void QtDialogs::msgBox(const Text &text, const Text &title)
{
    QMessageBox box(QMessageBox::Information, titleOr(title), fromOem(text));
    box.setObjectName("messageBox");
    box.addButton("OK", QMessageBox::AcceptRole);
    if (!runModal(box))
        reportOnStandardError(text);
}

} // namespace rt::gui
