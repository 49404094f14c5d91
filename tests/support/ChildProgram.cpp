#include "ChildProgram.hpp"

#include "Program.hpp"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace childrun {
namespace {

// The child's driver, made by the pre-routine once the toolkit's application object exists; the
// child ends with _exit, so it is never destroyed after the toolkit.
std::function<std::shared_ptr<void>(int)> g_makeDriver;
int g_reportFd = -1;
std::shared_ptr<void> g_driver;

void makeDriver()
{
    g_driver = g_makeDriver(g_reportFd);
}

std::string readAll(int fd)
{
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<size_t>(n));
    return text;
}

[[noreturn]] void runChild(const std::filesystem::path &workDir, const ChildSetup &setup, int fd)
{
    ::alarm(60); // a box that never appears or is never answered must not hang the test
    const std::filesystem::path outside = workDir.parent_path();
    if (::chdir(workDir.c_str()) != 0 ||
        !std::freopen((outside / "stderr.txt").c_str(), "w", stderr))
        ::_exit(100);
    std::filesystem::create_directory(outside / "xdg");
    std::filesystem::permissions(outside / "xdg", std::filesystem::perms::owner_all);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", (outside / "xdg").c_str(), 1);
    if (setup.arm)
        setup.arm();
    g_makeDriver = setup.makeDriver;
    g_reportFd = fd;
    if (g_makeDriver)
        qAddPreRoutine(makeDriver);
    char name[] = "tarvello16bit";
    char *argv[] = {name, nullptr};
    const int code = frame::runProgram(1, argv);
    if (setup.finalReport) {
        const std::string last = setup.finalReport();
        [[maybe_unused]] ssize_t n = ::write(fd, last.data(), last.size());
    }
    std::fflush(nullptr);
    ::_exit(code);
}

} // namespace

ChildRun runProgramInChild(const std::filesystem::path &workDir, const ChildSetup &setup)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        runChild(workDir, setup, pipeFds[1]);
    }
    ::close(pipeFds[1]);
    ChildRun run;
    run.reports = readAll(pipeFds[0]);
    ::close(pipeFds[0]);
    ::waitpid(pid, &run.status, 0);
    std::FILE *errors = std::fopen((workDir.parent_path() / "stderr.txt").c_str(), "r");
    if (errors) {
        run.errors = readAll(::fileno(errors));
        std::fclose(errors);
    }
    return run;
}

void report(int fd, const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    [[maybe_unused]] ssize_t n = ::write(fd, bytes.data(), static_cast<size_t>(bytes.size()));
}

} // namespace childrun
