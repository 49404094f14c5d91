// Preloaded into every start-up subject alike (LD_PRELOAD), so none of them carries code of the
// benchmark: once the first window has been painted, it tells the benchmark the time through the
// pipe named in WINDOW_BENCH_PAINTED_FD and closes that window, which ends each subject as a
// user's close would.

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <ctime>
#include <unistd.h>

namespace {

void reportPainted()
{
    const QByteArray fd = qgetenv("WINDOW_BENCH_PAINTED_FD");
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ns = now.tv_sec * 1'000'000'000LL + now.tv_nsec;
    if (!fd.isEmpty() && write(fd.toInt(), &ns, sizeof ns) != sizeof ns)
        qWarning("window bench: the paint time could not be reported");
}

class CloseWhenPainted : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && w && w->isWindow() && !m_done) {
            m_done = true;
            // Queued: it runs once this paint has been drawn and handed to the display.
            QMetaObject::invokeMethod(
                w,
                [w] {
                    reportPainted();
                    w->close();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_done = false;
};

void install()
{
    // The filter lives as long as the process.
    QCoreApplication::instance()->installEventFilter(new CloseWhenPainted);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install)
