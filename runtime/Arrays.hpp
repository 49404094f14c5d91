#pragma once
// Array operations. Arrays count from 1; an index outside 1..LEN raises a Bound error, a value
// that is not an array an Argument error.

#include "Value.hpp"

#include <source_location>

namespace rt {

using Where = std::source_location;

// Appends `element` to `array` and returns the element.
Value AADD(const Value &array, const Value &element, Where w = Where::current());

// Element `index` of `array` (default NIL).
Value ELEMENT(const Value &array, const Value &index, Where w = Where::current());

// Calls `callback` with each element and its index, taking the array's length anew at each step.
// Returns the array.
Value AEVAL(const Value &array, const Value &callback, Where w = Where::current());

} // namespace rt
