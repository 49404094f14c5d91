// Saves the real converter window in the state of the worked example (switches 1 and 9 ticked,
// the left "Umwandeln" pressed: 257 in both fields) as a PNG. On a real display (DISPLAY set) the
// window is taken from the screen with the window manager's frame, once the frame is known; on the
// offscreen platform (the default without a display) only the window's contents are rendered.
// Usage: screenshot OUTPUT.png
// The window is driven the way a person would: clicks on its real widgets, through its real queue.

#include "Converter.hpp"
#include "DesktopSession.hpp"
#include "Runtime.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
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

bool onScreen()
{
    return QGuiApplication::platformName() != "offscreen";
}

// The window manager frames the window some time after it is shown; until then the frame
// geometry equals the client geometry and a grab of the screen would cut the frame off.
bool frameKnown(const QWidget *window)
{
    return window->frameGeometry() != window->geometry();
}

QPixmap picture(QWidget *window)
{
    if (!onScreen())
        return window->grab();
    const QRect frame = window->frameGeometry();
    return QGuiApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(), frame.width(),
                                                        frame.height());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot OUTPUT.png\n");
        return 2;
    }
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", qgetenv("DISPLAY").isEmpty() ? "offscreen" : "xcb");
    const QString output = QString::fromLocal8Bit(argv[1]);
    rt::gui::DesktopSession session(argc, argv);
    bool saved = false;
    QTimer::singleShot(200, [] { setUpWorkedExample(converterWindow()); });
    // After the clicks have been handled, wait (at most 10 s) for the frame, then give the window
    // manager and the window a few more ticks to paint before the screen is read.
    QTimer poll;
    int waited = 0;
    int framedTicks = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *window = converterWindow();
        waited += 100;
        if (window && (!onScreen() || frameKnown(window)))
            ++framedTicks;
        if (!window || (framedTicks < 3 && waited < 10000))
            return;
        poll.stop();
        if (onScreen() && !frameKnown(window))
            std::fprintf(stderr, "the window manager did not frame the window\n");
        else
            saved = picture(window).save(output);
        window->close();
    });
    QTimer::singleShot(600, [&] { poll.start(100); });
    MAIN();
    if (!saved)
        std::fprintf(stderr, "could not write %s\n", argv[1]);
    return saved ? 0 : 1;
}
