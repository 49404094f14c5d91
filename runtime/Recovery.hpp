#pragma once
// Non-local exits. A recovery point runs a stretch of code; BREAK anywhere inside it, also from a
// callback the stretch caused to run, abandons the rest and resumes at the recovery point with the
// value it carried. _QUIT ends the application: it unwinds to the runtime's start routine, which
// runs the exit procedure and ends the process with ERRORLEVEL. Both are C++ exceptions, so every
// destructor on the way runs; neither is ever thrown through a Qt frame.

#include "Value.hpp"

#include <functional>
#include <optional>

namespace rt {

// Thrown by BREAK; caught only by the innermost recoveryPoint.
struct BreakSignal
{
    Value value;
};

// Thrown by _QUIT; caught only by the start routine (or a test that wants to see a quit).
struct QuitSignal
{
    int errorLevel;
};

// Runs `body`. Returns the value a BREAK carried out of it, or nullopt when `body` ran to its end.
std::optional<Value> recoveryPoint(const std::function<void()> &body);

// Leaves for the innermost recovery point with `value`. With no recovery point active there is
// nowhere to go: the call returns and the caller carries on ("a break that comes back").
void BREAK(const Value &value = NIL);
void _BREAK(const Value &value = NIL);

// Returns the exit code in force; the second form sets it and returns the previous one.
int ERRORLEVEL();
int ERRORLEVEL(int code);

// Ends the application with the exit code in force. Never returns.
[[noreturn]] void _QUIT();

} // namespace rt
