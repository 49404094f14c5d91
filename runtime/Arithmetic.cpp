#include "Arithmetic.hpp"

#include "ErrorRouting.hpp"
#include "TextFunctions.hpp"

#include <cmath>

namespace rt {
namespace {

template<class Op>
Value numeric(const char *op, const Value &a, const Value &b, Where w, Op compute)
{
    if (!a.isNumber() || !b.isNumber())
        return argumentError(op, {a, b}, 0, w);
    const double result = compute(a.number(), b.number());
    if (std::isfinite(result))
        return result;
    return raise({.code = GenCode::NumericOverflow,
                  .description = errortext::kNumericOverflow,
                  .operation = op,
                  .args = newArray({a, b}),
                  .canSubstitute = true},
                 0, w);
}

Value byZero(const char *op, const Value &a, const Value &b, Where w)
{
    return raise({.code = GenCode::ZeroDivide,
                  .description = errortext::kZeroDivide,
                  .operation = op,
                  .args = newArray({a, b}),
                  .canSubstitute = true},
                 0, w);
}

template<class Compare>
Value comparison(const char *op, const Value &a, const Value &b, Where w, Compare compare)
{
    if (!a.isNumber() || !b.isNumber())
        return argumentError(op, {a, b}, false, w);
    return compare(a.number(), b.number());
}

} // namespace

Value plus(const Value &a, const Value &b, Where w)
{
    if (a.isText() && b.isText()) {
        if (static_cast<double>(a.text().size() + b.text().size()) > kMaxTextLength)
            return raise({.code = GenCode::TextTooLong,
                          .description = errortext::kTextTooLong,
                          .operation = "+",
                          .args = newArray({a, b}),
                          .canSubstitute = true,
                          .canDefault = true},
                         a, w);
        return a.text() + b.text();
    }
    return numeric("+", a, b, w, [](double x, double y) { return x + y; });
}

Value minus(const Value &a, const Value &b, Where w)
{
    return numeric("-", a, b, w, [](double x, double y) { return x - y; });
}

Value times(const Value &a, const Value &b, Where w)
{
    return numeric("*", a, b, w, [](double x, double y) { return x * y; });
}

Value divide(const Value &a, const Value &b, Where w)
{
    if (b.isNumber() && b.number() == 0 && a.isNumber())
        return byZero("/", a, b, w);
    return numeric("/", a, b, w, [](double x, double y) { return x / y; });
}

Value modulo(const Value &a, const Value &b, Where w)
{
    if (b.isNumber() && b.number() == 0 && a.isNumber())
        return byZero("%", a, b, w);
    return numeric("%", a, b, w, [](double x, double y) { return std::fmod(x, y); });
}

Value power(const Value &a, const Value &b, Where w)
{
    return numeric("**", a, b, w, [](double x, double y) { return std::pow(x, y); });
}

Value greaterEqual(const Value &a, const Value &b, Where w)
{
    return comparison(">=", a, b, w, [](double x, double y) { return x >= y; });
}

Value lessThan(const Value &a, const Value &b, Where w)
{
    return comparison("<", a, b, w, [](double x, double y) { return x < y; });
}

bool isTrue(const Value &condition, Where w)
{
    if (condition.isLogical())
        return condition.logical();
    Value answer = argumentError("IF", {condition}, false, w);
    return answer.isLogical() && answer.logical();
}

} // namespace rt
