#pragma once
// The lines of the error log, written with QOUT/QQOUT to whatever output channels are on. Only the
// log writer uses this; it neither opens nor closes anything and pushes no call-stack frame of its
// own, so call levels counted here are the log writer's.
// Runs only for an error, so it is cold: its code lies apart from the code run at start-up.

#include "Value.hpp"

namespace errorlog {

// Writes the whole log body for `oError`, listing the call stack from level `nStart` + 1 outward
// (levels as PROCNAME counts them from the caller of this function).
[[gnu::cold]] void writeLog(const rt::Value &oError, const rt::Value &nStart);

} // namespace errorlog
