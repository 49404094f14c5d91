// tarvello16bit_armed: the program with a fault armed through the seams of its runtime state, for
// the tests that need the whole process (the error box on a real display, a termination signal
// while a box is open, the log beside a hard link or under a file-size limit). The first array
// read inside Sx2Zahl fails, so a click on the left button raises a runtime error inside the real
// Sx2Zahl on the real click path. Two environment variables add to it:
//   TARVELLO_FAULT_PRESS_LEFT=1        the left button is clicked as soon as the window is up
//   TARVELLO_FAULT_UNAVAILABLE_ENGINE  names a database engine that cannot be loaded
// A maintainer sees the error box by hand by starting it and clicking the left button.

#include "Program.hpp"
#include "Seams.hpp"
#include "WindowLookup.hpp"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <cstdlib>

namespace {

// Polls for the window once the toolkit runs, and clicks its left button once.
void pressLeftOnceUp()
{
    if (!std::getenv("TARVELLO_FAULT_PRESS_LEFT"))
        return;
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [timer] {
        if (QPushButton *left = windowtest::leftButton()) {
            timer->stop();
            QTest::mouseClick(left, Qt::LeftButton);
        }
    });
    timer->start(20);
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::failFirstArrayReadIn("SX2ZAHL");
    if (const char *engine = std::getenv("TARVELLO_FAULT_UNAVAILABLE_ENGINE"))
        testsupport::makeEngineUnavailable(engine);
    qAddPreRoutine(pressLeftOnceUp);
    return frame::runProgram(argc, argv);
}
