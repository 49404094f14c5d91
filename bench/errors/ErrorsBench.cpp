// What the error system costs on its three paths: a division of zero by zero repaired silently by
// the standard handler (a path a program may take in a loop), the message text of an error, and a
// whole error log file written, made durable and reported.

#include "ErrorSystem.hpp"
#include "Runtime.hpp"
#include "RuntimeState.hpp"
#include "Seams.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void zeroByZeroRepairedByTheHandler(benchmark::State &state)
{
    rt::ProcFrame frame("MAIN");
    const rt::Value previous = rt::ERRORBLOCK();
    ERRORSYS();
    const rt::Value zero = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::divide(zero, zero));
    rt::ERRORBLOCK(previous);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(zeroByZeroRepairedByTheHandler);

rt::ErrorRef sampleError()
{
    auto error = std::make_shared<rt::ErrorObject>();
    error->genCode = 2;
    error->subCode = 4;
    error->description = "Array index out of range";
    error->operation = "[]";
    error->args = rt::newArray({rt::newArray({1, 2}), 17});
    return error;
}

void messageText(benchmark::State &state)
{
    const rt::Value error = sampleError();
    for (auto _ : state)
        benchmark::DoNotOptimize(ERRORMESSAGE(error));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(messageText);

// The user's choice "Ende mit LOG-Datei" to the report: one whole log written under a new name,
// synced with its directory and closed, and the report shown (to a scripted message box). The
// first argument says where: 0 a memory file system, 1 the file system of the build tree. The
// second, 0, leaves the syncs out through the runtime's seam, to show what durability costs.
void fromEndWithLogToReport(benchmark::State &state)
{
    const std::filesystem::path root = state.range(0) == 0 ? "/dev/shm" : TARVELLO_BENCH_DIR;
    std::string dir = (root / "errors-bench-XXXXXX").string();
    if (!::mkdtemp(dir.data())) {
        state.SkipWithError("no scratch directory");
        return;
    }
    const auto previousDir = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    rt::RuntimeState runtime;
    if (state.range(1) == 0)
        runtime.seams.sync = [](int, rt::SyncTarget) { return 0; };
    rt::installDialogs(std::make_shared<testsupport::ScriptedDialogs>());
    rt::ProcFrame main("MAIN");
    rt::ProcFrame inner("SX2ZAHL");
    const rt::Value error = sampleError();
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        ERRORLOG(error, 0);
        // A new name each time, as after a first error; the scripted box records every report,
        // so a fresh one keeps memory flat.
        state.PauseTiming();
        bytes = std::filesystem::file_size("MRVERROR.LOG");
        std::filesystem::remove("MRVERROR.LOG");
        rt::installDialogs(std::make_shared<testsupport::ScriptedDialogs>());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
    std::filesystem::current_path(previousDir);
    std::filesystem::remove_all(dir);
}
BENCHMARK(fromEndWithLogToReport)
    ->ArgNames({"build_fs", "synced"})
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
