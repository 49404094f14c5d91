#pragma once
// Arithmetic and comparison on values, as the system's procedures use them. Operands must be
// numbers (plus also joins two texts); anything else raises an Argument error naming the operator.
// Division and modulus by zero raise genCode 12 with the operator and both operands; a result that
// is not a finite number raises genCode 11. Both may be answered with a substitute (the standard
// handler gives 0).

#include "Value.hpp"

#include <source_location>

namespace rt {

using Where = std::source_location;

Value plus(const Value &a, const Value &b, Where w = Where::current());
Value minus(const Value &a, const Value &b, Where w = Where::current());
Value times(const Value &a, const Value &b, Where w = Where::current());
Value divide(const Value &a, const Value &b, Where w = Where::current());
Value modulo(const Value &a, const Value &b, Where w = Where::current());
Value power(const Value &a, const Value &b, Where w = Where::current());

// Comparisons of two numbers; default false.
Value greaterEqual(const Value &a, const Value &b, Where w = Where::current());
Value lessThan(const Value &a, const Value &b, Where w = Where::current());

// The truth of a condition: a logical, else an Argument error (default false).
bool isTrue(const Value &condition, Where w = Where::current());

} // namespace rt
