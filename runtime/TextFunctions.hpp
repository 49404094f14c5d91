#pragma once
// The text functions of the runtime. Each checks its arguments: a wrong kind or a value out of
// range raises an Argument error whose default is the neutral result named here. No text grows
// beyond kMaxTextLength; asking for more raises a TextTooLong error (default "").

#include "Value.hpp"

#include <source_location>

namespace rt {

inline constexpr double kMaxTextLength = 1 << 30;

using Where = std::source_location;

// A number right-aligned to `len` (default 10) with `dec` decimals (default: as needed).
Value STR(const Value &n, const Value &len = NIL, const Value &dec = NIL,
          Where w = Where::current());
Value LTRIM(const Value &s, Where w = Where::current()); // leading blanks removed
Value TRIM(const Value &s, Where w = Where::current());  // trailing blanks removed
// `v` (a text, or a number in its trimmed form) padded on the left with `fill` to `len`
// characters; a longer text keeps its first `len` characters.
Value PADL(const Value &v, const Value &len, const Value &fill = " ", Where w = Where::current());
Value SPACE(const Value &n, Where w = Where::current());
Value REPLICATE(const Value &s, const Value &n, Where w = Where::current());
// Every occurrence of `search` in `s` replaced; an empty `search` changes nothing.
Value STRTRAN(const Value &s, const Value &search, const Value &replace = "",
              Where w = Where::current());
Value CHR(const Value &code, Where w = Where::current()); // code 0 to 255
Value VAR2CHAR(const Value &v);                           // any value as text; never fails
// A whole number 0 to 65535 as two bytes, low-order byte first: 258 gives 0x02 0x01. A fraction
// counts by its whole part. A number outside 0 to 65535 raises an error whose default is the
// nearest end of the range (0x00 0x00 or 0xFF 0xFF), which is the pattern the switches show for it.
Value W2BIN(const Value &n, Where w = Where::current());
Value LEN(const Value &v, Where w = Where::current()); // of a text or an array
Value EMPTY(const Value &v);   // NIL, 0, false, "", a text of blanks, an empty array
Value VALTYPE(const Value &v); // "U", "N", "L", "C", "D", "A", "O", "B"

} // namespace rt
