#pragma once
// Line-oriented console output. QOUT starts a new line (CR LF) and writes its values separated by
// one blank; QQOUT continues the current line. Both write to every channel that is on: the console
// (standard output, decoded from code page 850 for the terminal), the alternate file (bytes as
// they are), the printer and the extra device. This runtime drives neither a printer nor an extra
// device of its own: output to one that has no device attached raises genCode 78 ("not ready"),
// whose default drops the output. OUTERR writes to standard error without a line break.

#include "Value.hpp"

#include <functional>
#include <source_location>

namespace rt {

// A device output goes to, as the state's output channels hold them (printer, extra device,
// console and standard error redirected).
using Device = std::function<void(std::string_view bytes)>;

Value QOUT(const Args &values = {}, std::source_location where = std::source_location::current());
Value QQOUT(const Args &values = {}, std::source_location where = std::source_location::current());
Value OUTERR(const Args &values, std::source_location where = std::source_location::current());

// The console cursor, as QOUT and QQOUT move it.
int ROW();
int COL();
Value SETPOS(const Value &row, const Value &col,
             std::source_location where = std::source_location::current());

} // namespace rt
