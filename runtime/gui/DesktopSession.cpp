#include "DesktopSession.hpp"

#include "Dialog.hpp"
#include "QtDialogs.hpp"
#include "System.hpp"

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace rt::gui {
namespace {

int g_signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe; the event loop does the rest. The
// write end never blocks (a burst of signals that fills the pipe loses only bytes that would say
// the same), and errno is kept for the code the signal interrupted.
extern "C" void onEndSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

struct DesktopSession::Impl
{
    Impl(int &argc, char **argv) : app(argc, argv) {}
    QApplication app;
    std::unique_ptr<QSocketNotifier> notifier;
};

DesktopSession::DesktopSession(int &argc, char **argv) : m_impl(std::make_unique<Impl>(argc, argv))
{
    // These two names tie the windows to the desktop entry. No display name is set: the toolkit
    // would append it to every window title ("Morvane Fehlermeldung — Tarvello 16bit"), and each
    // window is titled exactly as the program titles it.
    QApplication::setApplicationName("tarvello16bit");
    QApplication::setDesktopFileName("org.tarvello.Tarvello16bit");
    installDialogs(std::make_shared<QtDialogs>());
    setAppType(AppType::Graphical);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) == 0) {
        m_impl->notifier =
            std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_impl->notifier.get(), &QSocketNotifier::activated, [] {
            // However many signals came, they ask for one end.
            char bytes[64];
            while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            requestClose();
        });
        struct sigaction action
        {
        };
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(sig, &action, nullptr);
    }
}

DesktopSession::~DesktopSession()
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        std::signal(sig, SIG_DFL);
    m_impl->notifier.reset();
    installDialogs(nullptr);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    g_signalPipe[0] = g_signalPipe[1] = -1;
}

} // namespace rt::gui
