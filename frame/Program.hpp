#pragma once
// The whole program as main() runs it: the command line first (--help, --version and mistakes
// are answered without starting anything), then the desktop session, then the process entry. A
// test executable runs the same after arming a seam of the runtime's state.

namespace frame {

// Returns the exit code.
int runProgram(int argc, char **argv);

} // namespace frame
