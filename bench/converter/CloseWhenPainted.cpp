// Preloaded into every start-up subject alike (LD_PRELOAD), so none of them carries code of the
// benchmark: once the first window has been painted, it tells the benchmark the time through the
// pipe named in WINDOW_BENCH_PAINTED_FD and closes that window, which ends each subject as a
// user's close would. For tools/startup-profile it also marks that moment with a call a profiler
// can cut at, and copies the process's mappings to the file named in WINDOW_BENCH_SMAPS.

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>
#include <ctime>
#include <unistd.h>

// Called once the window has been painted: a profiler that dumps before it holds the start-up
// alone. Kept out of line and visible so that it can be named.
extern "C" [[gnu::noinline, gnu::visibility("default")]] void window_bench_painted()
{
    asm volatile("");
}

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

void copyMappings()
{
    const QString target = qEnvironmentVariable("WINDOW_BENCH_SMAPS");
    if (target.isEmpty())
        return;
    QFile mappings("/proc/self/smaps");
    QFile copy(target);
    if (!mappings.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly) ||
        copy.write(mappings.readAll()) < 0)
        qWarning("window bench: the mappings could not be copied");
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
                    window_bench_painted();
                    reportPainted();
                    copyMappings();
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
