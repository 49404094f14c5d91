#pragma once
// The process entry: checks the runtime's version, fills the start-up record and hands it to the
// runtime's start routine. ENTRY itself lives with main() (Program.cpp), where the procedures of
// the program are known; runEntry is the entry's whole algorithm for any set of procedures.

#include "StartupImage.hpp"

namespace frame {

// The exit code of a runtime older than 1.50.
inline constexpr int kRuntimeTooOld = 999;
inline constexpr std::uint32_t kLowestVersion = 0x13200; // 1.50

// Returns 999 for a runtime below 1.50 without doing anything else; otherwise fills `image` for
// `procedures`, starts the runtime with it and returns what the run ends with (0 after a normal
// end, the error level after a quit).
int runEntry(StartupImage &image, const Procedures &procedures);

} // namespace frame

// The program's entry, with the program's own procedures.
int ENTRY();
