#pragma once
// The numbered runtime settings. SET returns the value in force before the call; with a new value
// it also changes it. Switches take "ON"/"OFF" (any case) or a logical and are returned as
// logicals. An unknown number or a value of the wrong kind raises an error and changes nothing.

#include "Value.hpp"

#include <source_location>

namespace rt {

enum class Setting : int
{
    DateFormat = 4,      // text, the layout of dates: "dd.mm.yyyy", "dd.mm.yy", ...
    Console = 17,        // switch: QOUT/QQOUT write to standard output
    Alternate = 18,      // switch: QOUT/QQOUT write to the alternate file
    AlternateFile = 19,  // text, the alternate file's name; "" closes it. A third argument false
                         // (or none) creates the file empty, true appends to it.
    Extra = 21,          // switch: QOUT/QQOUT write to the extra device
    Printer = 23,        // switch: QOUT/QQOUT write to the printer
    Century = 40,        // logical: years are shown with four digits
    EngineDefaults = 41, // number, reserved for the database engines; this runtime's engines read
                         // nothing from it, the start-up sets it to 1
};

Value SET(int number, std::source_location where = std::source_location::current());
Value SET(int number, const Value &value,
          std::source_location where = std::source_location::current());
Value SET(int number, const Value &value, const Value &additive,
          std::source_location where = std::source_location::current());

// Quick reads for the runtime's own use.
bool switchOn(Setting s);
Text currentDateFormat();

} // namespace rt
