#pragma once
// Finds the program's window and its controls among the toolkit's widgets, as a person would see
// them: the window by its title, each control by the name a screen reader gives it. Shared by the
// window tests, the forked-child runs and the armed program.

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <vector>

namespace windowtest {

QWidget *window(); // the visible window "Tarvello 16bit" (never a box of the same title)
std::vector<QCheckBox *> switches(); // in bit order, "Bit 0" first
QPushButton *leftButton();           // "Schalter in Zahl umwandeln"
QPushButton *rightButton();          // "Zahl in Schalter umwandeln"
QSpinBox *spin();
QLineEdit *spinEntry(); // the spin button's own entry line
QLineEdit *twoByteField();

// The visible box of the object name `name` ("confirmBox", "messageBox", "alertBox") that
// `skip` does not refuse; nullptr when there is none.
QMessageBox *visibleBox(const char *name = nullptr, bool (*skip)(QMessageBox *) = nullptr);

// Clicks the button labelled `label` of `box`; false when it has none.
bool clickButton(QMessageBox *box, const QString &label);

} // namespace windowtest
