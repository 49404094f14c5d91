// The window's costs, side by side in one run: process start to window painted, with the peak
// memory (resident set) of that process, for an empty Qt window, the same widgets written directly
// against Qt, and the shipped program itself; and every 16-bit value through both conversions on
// real widgets.

#include "Controls.hpp"
#include "Converter.hpp"
#include "DesktopSession.hpp"
#include "Dialog.hpp"
#include "Fields.hpp"
#include "Runtime.hpp"
#include "RuntimeState.hpp"

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// The descriptor on which a subject's preloaded closer reports the time of its first paint.
constexpr int kPaintedFd = 3;

struct Run
{
    double ms = -1;  // process start to the window painted once
    double mib = -1; // peak resident set of the whole process
};

struct Subject
{
    const char *key;
    const char *path;
    std::vector<double> ms, mib;
};

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

std::vector<char *> subjectEnvironment()
{
    static std::string preload = std::string("LD_PRELOAD=") + WINDOW_BENCH_CLOSER;
    static std::string fd = "WINDOW_BENCH_PAINTED_FD=" + std::to_string(kPaintedFd);
    std::vector<char *> env{preload.data(), fd.data()};
    for (char **e = environ; *e; ++e)
        if (!std::string_view(*e).starts_with("LD_PRELOAD="))
            env.push_back(*e);
    env.push_back(nullptr);
    return env;
}

// Runs one subject to its end; a failed run gives negative figures.
Run runSubject(const char *path)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], kPaintedFd);
    char *argv[] = {const_cast<char *>(path), nullptr};
    std::vector<char *> env = subjectEnvironment();
    const long long start = monotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path, &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    long long painted = 0;
    const bool reported = spawned == 0 && read(pipeFds[0], &painted, sizeof painted) == 8;
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !reported || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return {};
    return {(painted - start) / 1e6, usage.ru_maxrss / 1024.0};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Each round runs every subject once, starting with a different one each time, so that a drift
// of the machine's load or of its caches falls on all of them alike.
void StartUpsInTurn(benchmark::State &state)
{
    Subject subjects[] = {{"empty", WINDOW_BENCH_EMPTY, {}, {}},
                          {"direct", WINDOW_BENCH_DIRECT, {}, {}},
                          {"program", WINDOW_BENCH_PROGRAM, {}, {}}};
    constexpr size_t n = std::size(subjects);
    size_t round = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < n; ++i) {
            Subject &s = subjects[(round + i) % n];
            const Run run = runSubject(s.path);
            if (run.ms < 0) {
                state.SkipWithError((std::string(s.key) + " failed").c_str());
                return;
            }
            s.ms.push_back(run.ms);
            s.mib.push_back(run.mib);
        }
        ++round;
    }
    for (const Subject &s : subjects) {
        state.counters[std::string(s.key) + "_ms"] = median(s.ms);
        state.counters[std::string(s.key) + "_MiB"] = median(s.mib);
    }
    state.counters["time_x_direct"] = median(subjects[2].ms) / median(subjects[1].ms);
    state.counters["memory_x_direct"] = median(subjects[2].mib) / median(subjects[1].mib);
}
BENCHMARK(StartUpsInTurn)->Unit(benchmark::kMillisecond)->Iterations(61);

void RoundTripOfEvery16BitValue(benchmark::State &state)
{
    using namespace rt;
    using namespace rt::gui;
    RuntimeState runtime; // its published names go with it
    auto dialog = Dialog::New(APPDESKTOP(), NIL, {0, 0}, {200, 200}, {}, false);
    dialog->create();
    Value aSx = newArray();
    for (int i = 0; i < 16; ++i) {
        auto box = New<CheckBox>(dialog->drawingArea(), NIL, {12 * i, 100}, {12, 24});
        box->create();
        AADD(aSx, box);
    }
    auto edit = New<SingleLineEdit>(dialog->drawingArea(), NIL, {0, 0}, {60, 24});
    edit->create();
    auto spin = New<SpinButton>(dialog->drawingArea(), NIL, {80, 0}, {60, 24});
    spin->setNumLimits(0, 65535);
    spin->create();
    PUBLISH("oSLE", edit);
    PUBLISH("oSpin", spin);
    for (auto _ : state)
        for (int n = 0; n <= 65535; ++n) {
            SxOnOff(n, aSx);
            Sx2Zahl(aSx);
        }
}
BENCHMARK(RoundTripOfEvery16BitValue)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    // Without a display the subjects, and the round trip, run on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    rt::gui::DesktopSession session(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
