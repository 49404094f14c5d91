// Floor 2: the converter's window with the same widgets, fonts and geometry, written directly
// against Qt without the runtime layer, and without a style of its own for the switches: what the
// window costs at the least.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

void addSwitchRows(QWidget *group)
{
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 8; ++i)
            (new QCheckBox(group))->setGeometry(12 + 12 * i, row == 0 ? 24 : 60, 12, 24);
        auto *digits = new QLabel("0  1  2  3  4  5  6  7", group);
        digits->setFont(QFont("Times New Roman", 8));
        digits->setGeometry(12, row == 0 ? 48 : 84, 96, 12);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Tarvello 16bit");
    window.setFixedSize(304, 206);
    window.setFont(QFont("Arial", 8));
    (new QPushButton("Umwandeln", &window))->setGeometry(24, 170, 96, 24);
    (new QPushButton("Umwandeln", &window))->setGeometry(156, 170, 96, 24);
    auto *switches = new QGroupBox("Schaltergruppen A / B", &window);
    switches->setGeometry(12, 50, 120, 108);
    addSwitchRows(switches);
    auto *numbers = new QGroupBox("als Dez.Zahl / als 2ByteString", &window);
    numbers->setGeometry(132, 74, 156, 60);
    auto *spin = new QSpinBox(numbers);
    spin->setRange(0, 65535);
    spin->setGeometry(12, 24, 60, 24);
    auto *edit = new QLineEdit(numbers);
    edit->setReadOnly(true);
    edit->setGeometry(84, 24, 60, 24);
    window.show();
    return app.exec();
}
