// The window's costs, side by side in one run: process start to window shown, with the peak
// memory (resident set) of that process, for an empty Qt window, the same widgets written directly
// against Qt, and the converter itself; and every 16-bit value through both conversions on real
// widgets.

#include "Controls.hpp"
#include "Converter.hpp"
#include "DesktopSession.hpp"
#include "Dialog.hpp"
#include "Fields.hpp"
#include "Runtime.hpp"
#include "RuntimeState.hpp"

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {

std::string g_binaryDir;

// Runs one subject to its end; returns its peak resident set in KiB.
long runSubject(const std::string &name)
{
    const std::string path = g_binaryDir + "/" + name;
    char *argv[] = {const_cast<char *>(path.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    struct rusage usage
    {
    };
    wait4(pid, &status, 0, &usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? usage.ru_maxrss : -1;
}

void StartToWindowShown(benchmark::State &state, const char *subject)
{
    long peak = 0;
    for (auto _ : state) {
        const long kib = runSubject(subject);
        if (kib < 0) {
            state.SkipWithError("subject failed");
            return;
        }
        peak = std::max(peak, kib);
    }
    state.counters["peak_rss_KiB"] = static_cast<double>(peak);
}
BENCHMARK_CAPTURE(StartToWindowShown, empty_qt_window, "floor_empty_window")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(StartToWindowShown, same_widgets_direct_qt, "floor_direct_qt")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(StartToWindowShown, converter_window, "converter_window")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

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
    std::string self = argv[0];
    g_binaryDir = self.substr(0, self.find_last_of('/'));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    rt::gui::DesktopSession session(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
