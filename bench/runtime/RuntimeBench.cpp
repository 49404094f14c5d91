// What the runtime's two busiest paths cost: an error raised, answered by a callback with a
// substitute and returned to the failing operation; and QOUT lines written to the alternate file.

#include "Runtime.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// 0 / 0 raises genCode 12; the callback substitutes 0, as the standard handler's silent repair
// does.
void errorRaisedSubstitutedAndReturned(benchmark::State &state)
{
    rt::ProcFrame frame("MAIN");
    const rt::Value previous = rt::ERRORBLOCK(rt::block([](rt::Args &) { return rt::Value(0); }));
    const rt::Value zero = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::divide(zero, zero));
    rt::ERRORBLOCK(previous);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(errorRaisedSubstitutedAndReturned);

// One iteration writes 100 000 lines of the error log's width into the alternate file, with
// console output off, as the log writer does; the file lives in a fresh temporary directory.
void qoutLinesIntoTheAlternateFile(benchmark::State &state)
{
    constexpr int kLines = 100'000;
    std::string dir = (std::filesystem::temp_directory_path() / "rt-bench-XXXXXX").string();
    if (!::mkdtemp(dir.data())) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string file = dir + "/ALT.LOG";
    const rt::Value console = rt::SET(17, false);
    const rt::Args line = {"oError:genCode      :", 12};
    for (auto _ : state) {
        rt::SET(19, file, false);
        rt::SET(18, true);
        for (int i = 0; i < kLines; ++i)
            rt::QOUT(line);
        rt::SET(19, "");
        rt::SET(18, false);
    }
    rt::SET(17, console);
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["bytes_per_line"] =
        static_cast<double>(std::filesystem::file_size(file)) / kLines;
    std::filesystem::remove_all(dir);
}
BENCHMARK(qoutLinesIntoTheAlternateFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
