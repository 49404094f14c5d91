// What the error system costs on its three paths: a division of zero by zero repaired silently by
// the standard handler (a path a program may take in a loop), the message text of an error, and a
// whole error log file written and reported.

#include "ErrorSystem.hpp"
#include "Runtime.hpp"
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

// One log per iteration, "MRVERROR.LOG" replaced each time, in a fresh temporary directory; the
// report goes to a scripted message box.
void wholeLogWritten(benchmark::State &state)
{
    std::string dir = (std::filesystem::temp_directory_path() / "errors-bench-XXXXXX").string();
    if (!::mkdtemp(dir.data())) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const auto previousDir = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    rt::installDialogs(std::make_shared<testsupport::ScriptedDialogs>());
    rt::ProcFrame main("MAIN");
    rt::ProcFrame inner("SX2ZAHL");
    const rt::Value error = sampleError();
    for (auto _ : state) {
        ERRORLOG(error, 0);
        // The scripted box records every report; a fresh one keeps memory flat.
        state.PauseTiming();
        rt::installDialogs(std::make_shared<testsupport::ScriptedDialogs>());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size("MRVERROR.LOG")));
    rt::installDialogs(nullptr);
    std::filesystem::current_path(previousDir);
    std::filesystem::remove_all(dir);
}
BENCHMARK(wholeLogWritten);

} // namespace

BENCHMARK_MAIN();
