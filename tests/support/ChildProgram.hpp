#pragma once
// Runs the whole program, as main() runs it, in a forked child of the test, in a working
// directory of its own and on the offscreen platform. Input cannot be sent into another process
// there, so the child drives itself: `arm` runs first (it may arm seams of the child's runtime
// state), and a driver is made once the toolkit exists (its timers press buttons and answer
// boxes), writing what it sees to the report pipe. The test gets the exit status, the reports and
// what the child wrote to standard error.

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace childrun {

struct ChildRun
{
    int status = -1;     // as waitpid() gives it
    std::string reports; // everything written to the report pipe, in order
    std::string errors;  // standard error
};

struct ChildSetup
{
    std::function<void()> arm;                            // before the program starts
    std::function<std::shared_ptr<void>(int)> makeDriver; // gets the report pipe's write end
    std::function<std::string()> finalReport;             // after the program returned
};

// `workDir` must exist; its parent holds the child's standard error and runtime directory.
ChildRun runProgramInChild(const std::filesystem::path &workDir, const ChildSetup &setup);

// One report: written at once, so a child that ends abruptly has reported what it saw.
void report(int fd, const QString &line);

} // namespace childrun
