#include "WindowLookup.hpp"

#include <QApplication>
#include <QTest>

namespace windowtest {
namespace {

QPushButton *buttonNamed(const QString &name)
{
    QWidget *w = window();
    if (!w)
        return nullptr;
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->accessibleName() == name)
            return b;
    return nullptr;
}

} // namespace

QWidget *window()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "Tarvello 16bit" && w->isVisible() &&
            !qobject_cast<QMessageBox *>(w))
            return w;
    return nullptr;
}

std::vector<QCheckBox *> switches()
{
    std::vector<QCheckBox *> boxes(16, nullptr);
    for (QCheckBox *box : window()->findChildren<QCheckBox *>()) {
        const int bit = box->accessibleName().mid(4).toInt();
        if (box->accessibleName().startsWith("Bit ") && bit >= 0 && bit < 16)
            boxes[static_cast<size_t>(bit)] = box;
    }
    return boxes;
}

QPushButton *leftButton()
{
    return buttonNamed("Schalter in Zahl umwandeln");
}

QPushButton *rightButton()
{
    return buttonNamed("Zahl in Schalter umwandeln");
}

QSpinBox *spin()
{
    return window()->findChild<QSpinBox *>();
}

QLineEdit *spinEntry()
{
    return spin()->findChild<QLineEdit *>();
}

QLineEdit *twoByteField()
{
    for (QLineEdit *edit : window()->findChildren<QLineEdit *>())
        if (edit->isReadOnly())
            return edit;
    return nullptr;
}

QMessageBox *visibleBox(const char *name, bool (*skip)(QMessageBox *))
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(top);
        if (box && box->isVisible() && (!name || box->objectName() == name) && !(skip && skip(box)))
            return box;
    }
    return nullptr;
}

bool clickButton(QMessageBox *box, const QString &label)
{
    for (QAbstractButton *b : box->buttons()) {
        if (b->text() == label) {
            QTest::mouseClick(b, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

} // namespace windowtest
