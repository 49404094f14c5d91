// Floor 1: an empty Qt window of the converter's size.
#include "ShownThenQuit.hpp"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    CloseWhenPainted closer;
    app.installEventFilter(&closer);
    QWidget window;
    window.setWindowTitle("Tarvello 16bit");
    window.setFixedSize(304, 206);
    window.show();
    return app.exec();
}
