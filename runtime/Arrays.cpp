#include "Arrays.hpp"

#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"

#include <cmath>

namespace rt {

Value AADD(const Value &array, const Value &element, Where w)
{
    if (!array.isArray())
        return argumentError("AADD", {array, element}, element, w);
    array.array()->push_back(element);
    return element;
}

Value ELEMENT(const Value &array, const Value &index, Where w)
{
    if (!array.isArray() || !index.isNumber())
        return argumentError("[]", {array, index}, NIL, w);
    const double i = std::trunc(index.number());
    const Array &a = *array.array();
    if (!(i >= 1 && i <= static_cast<double>(a.size())) || failsHere("[]")) { // NaN too
        return raise({.code = GenCode::Bound,
                      .description = errortext::kBound,
                      .operation = "[]",
                      .args = newArray({array, index}),
                      .canSubstitute = true,
                      .canDefault = true},
                     NIL, w);
    }
    return a[static_cast<size_t>(i) - 1];
}

Value AEVAL(const Value &array, const Value &callback, Where w)
{
    if (!array.isArray() || !callback.isBlock())
        return argumentError("AEVAL", {array, callback}, array, w);
    ArrayRef a = array.array(); // held, so the callback cannot free it under us
    for (size_t i = 0; i < a->size(); ++i) {
        Value element = (*a)[i];
        EVAL(callback, {element, static_cast<double>(i + 1)}, w);
    }
    return array;
}

} // namespace rt
