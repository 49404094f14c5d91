#pragma once
// The program's start-up path as the end-to-end test runs it in its child process: the desktop
// session, a driver made once the toolkit exists, the error hook and the main procedure. Returns
// the exit code the program ends with.

#include <functional>
#include <memory>

namespace errtest {

int runStartUpPath(const std::function<std::shared_ptr<void>()> &makeDriver);

// The whole program as main() runs it: the desktop session, then the process entry with every hook,
// the exit procedure included. The driver is made once the toolkit exists.
int runProgram(const std::function<std::shared_ptr<void>()> &makeDriver);

} // namespace errtest
