#pragma once
// ERRORLOG: writes one error log file ("MRVERROR.LOG", else the first free "MRVERROR.001" to
// "MRVERROR.999") for an error object through the runtime's alternate output file, then tells the
// user its name. It opens no file itself and keeps nothing between calls but the count of logs
// being written: a log asked for while another is written goes to the next free name (the file
// being written is never emptied), and that inner log's own failing writes are let go by instead
// of being shown again, so a full disk ends after one nested log, with its report.
//
// It either returns NIL with the error callback and the five output settings as they were, or ends
// the process with exit code 1: when no name can be created, and when a line of the log could not
// be written (so it never reports a log as written that is not complete). A log left unfinished
// because an error raised while it was written ended the program or broke out keeps its lines,
// and the user is told that it is incomplete.
// Runs only for an error, so it is cold: its code lies apart from the code run at start-up.

#include "Value.hpp"

#include <source_location>

// `nStart`: the call levels 0 to nStart (counted from ERRORLOG itself) are left out of the log's
// call stack; the standard error handler passes 2.
[[gnu::cold]] rt::Value ERRORLOG(const rt::Value &oError, const rt::Value &nStart,
                                 std::source_location w = std::source_location::current());
