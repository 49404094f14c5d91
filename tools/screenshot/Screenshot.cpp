// Renders the real converter window in the state of the worked example (switches 1 and 9 ticked,
// the left "Umwandeln" pressed: 257 in both fields) to a PNG, on whatever Qt platform is in force
// (offscreen by default). Usage: screenshot OUTPUT.png
// The window is driven the way a person would: clicks on its real widgets, through its real queue.

#include "Converter.hpp"
#include "DesktopSession.hpp"
#include "Runtime.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

QWidget *converterWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "Tarvello 16bit" && w->isVisible())
            return w;
    return nullptr;
}

void setUpWorkedExample(QWidget *window)
{
    for (QCheckBox *box : window->findChildren<QCheckBox *>())
        if (box->accessibleName() == "Bit 0" || box->accessibleName() == "Bit 8")
            box->click();
    QPushButton *left = nullptr;
    for (QPushButton *b : window->findChildren<QPushButton *>())
        if (!left || b->x() < left->x())
            left = b;
    left->click();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot OUTPUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    const QString output = QString::fromLocal8Bit(argv[1]);
    rt::gui::DesktopSession session(argc, argv);
    bool saved = false;
    QTimer::singleShot(200, [] { setUpWorkedExample(converterWindow()); });
    QTimer::singleShot(600, [&] {
        QWidget *window = converterWindow();
        saved = window->grab().save(output);
        window->close();
    });
    MAIN();
    if (!saved)
        std::fprintf(stderr, "could not write %s\n", argv[1]);
    return saved ? 0 : 1;
}
