// Floor 1: an empty Qt window of the converter's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Tarvello 16bit");
    window.setFixedSize(304, 206);
    window.show();
    return app.exec();
}
