#pragma once
// ERRORLOG: writes one error log file ("MRVERROR.LOG", else the first free "MRVERROR.001" to
// "MRVERROR.999") for an error object through the runtime's alternate output file, then tells the
// user its name. It opens no file itself and keeps nothing between calls.
//
// It either returns NIL with the error callback and the five output settings as they were, or ends
// the process with exit code 1: when no name can be created, and when a line of the log could not
// be written (so it never reports a log as written that is not complete).

#include "Value.hpp"

#include <source_location>

// `nStart`: the call levels 0 to nStart (counted from ERRORLOG itself) are left out of the log's
// call stack; the standard error handler passes 2.
rt::Value ERRORLOG(const rt::Value &oError, const rt::Value &nStart,
                   std::source_location w = std::source_location::current());
