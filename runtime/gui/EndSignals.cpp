#include "EndSignals.hpp"

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace rt::gui {
namespace {

int g_signalPipe[2] = {-1, -1};

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

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

EndSignals::EndSignals()
{
    std::signal(SIGXFSZ, SIG_IGN);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0)
        return;
    struct sigaction action
    {
    };
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kEndSignals)
        ::sigaction(sig, &action, nullptr);
}

EndSignals::~EndSignals()
{
    for (int sig : kEndSignals)
        std::signal(sig, SIG_DFL);
    std::signal(SIGXFSZ, SIG_DFL);
    for (int &fd : g_signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

int EndSignals::readEnd() const
{
    return g_signalPipe[0];
}

void EndSignals::drain() const
{
    char bytes[64];
    while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
    }
}

} // namespace rt::gui
