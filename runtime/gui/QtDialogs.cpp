#include "QtDialogs.hpp"

#include "PartNative.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace rt::gui {
namespace {

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

struct ButtonSpec
{
    const char *label;
    QMessageBox::ButtonRole role;
    BoxAnswer answer;
};

std::vector<ButtonSpec> buttonsFor(int buttons)
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

} // namespace

int QtDialogs::alert(const Text &message, const std::vector<Text> &options)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    lines(message, ';'));
    box.setObjectName("alertBox");
    std::vector<QAbstractButton *> buttons;
    for (const Text &option : options)
        buttons.push_back(box.addButton(fromOem(option), QMessageBox::ActionRole));
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i + 1);
    return 0; // closed without a choice
}

int QtDialogs::confirmBox(const Text &text, const Text &title, int buttons, int style)
{
    QMessageBox box(iconFor(style), fromOem(title), lines(text, '\r'));
    box.setObjectName("confirmBox");
    const std::vector<ButtonSpec> specs = buttonsFor(buttons);
    std::vector<QAbstractButton *> made;
    for (const ButtonSpec &spec : specs) {
        made.push_back(box.addButton(QString::fromLatin1(spec.label), spec.role));
        // Escape and the window's close button answer Cancel or No, or the sole button.
        if (spec.answer == BoxAnswer::Cancel || spec.answer == BoxAnswer::No || specs.size() == 1)
            box.setEscapeButton(made.back());
    }
    box.setDefaultButton(qobject_cast<QPushButton *>(made.front()));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return static_cast<int>(specs[i].answer);
    return static_cast<int>(specs.front().answer);
}

void QtDialogs::msgBox(const Text &text, const Text &title)
{
    QMessageBox box(QMessageBox::Information,
                    title.empty() ? QApplication::applicationDisplayName() : fromOem(title),
                    fromOem(text));
    box.setObjectName("messageBox");
    box.addButton("OK", QMessageBox::AcceptRole);
    box.exec();
}

} // namespace rt::gui
