#pragma once
// ERRORMESSAGE: the German text the standard error handler shows for an error object, a string of
// pieces separated by ";" (each piece one line when shown). It reads the error object and changes
// nothing; the handler appends its own pieces (operating-system code, call stack) behind it.
// Runs only for an error, so it is cold: its code lies apart from the code run at start-up.

#include "Value.hpp"

#include <source_location>

// Members may hold any kind of value: the subsystem, subcode and description are tested by kind,
// the file name and operation by emptiness, as the message needs; a member of a kind the text
// cannot take raises the runtime's usual error for that operation, whose default leaves its piece
// short.
[[gnu::cold]] rt::Value ERRORMESSAGE(const rt::Value &oError,
                                     std::source_location w = std::source_location::current());
