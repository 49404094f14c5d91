#pragma once
// STANDARDEH, the standard error handler: repairs four kinds of error silently and shows every
// other one to the user, then retries, takes the default, breaks out to the innermost recovery
// point, or has the error log written and ends the process with exit code 1. It keeps no state
// between calls and has no guard of its own against re-entry: the runtime's raise path bounds
// errors raised while errors are handled.
// Runs only for an error, so it is cold: its code lies apart from the code run at start-up.

#include "Value.hpp"

#include <source_location>

// The answer to the runtime: 0 (the failed operation yields 0), true (retry) or false (default);
// a break or the end of the process do not return.
[[gnu::cold]] rt::Value STANDARDEH(const rt::Value &oError,
                                   std::source_location w = std::source_location::current());
