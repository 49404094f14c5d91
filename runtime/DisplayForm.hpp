#pragma once
// How values look as text: the console display forms that QOUT uses, STR's number layout and the
// character form of VAR2CHAR. Numbers: whole numbers right-aligned to width 10, fractions with as
// many decimals as they need (at most 9); logicals ".T." and ".F."; NIL "NIL"; dates in the date
// format in force (setting 4). Arrays show their elements in braces; a nesting deeper than eight
// levels, or an array that contains itself, shows as "{...}".

#include "Value.hpp"

namespace rt {

// The display form of `v` as console output shows it. Numbers come right-aligned when
// `alignNumbers` is true, trimmed otherwise.
Text displayForm(const Value &v, bool alignNumbers = true);

// A date in a format such as "dd.mm.yyyy" or "dd.mm.yy".
Text formatDate(Date d, std::string_view format);

// The text of a number: right-aligned to `width`, with `decimals` digits after the point. A
// negative width or decimals means "as the number needs" (width at least 10). A number wider than
// an explicit width shows as that many "*".
Text formatNumber(double n, int width = -1, int decimals = -1);

} // namespace rt
