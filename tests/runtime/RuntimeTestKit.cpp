#include "RuntimeTestKit.hpp"

#include <cmath>

namespace rttest {

bool sameValue(const rt::Value &a, const rt::Value &b)
{
    if (a.isNumber() && b.isNumber())
        return a.number() == b.number() || (std::isnan(a.number()) && std::isnan(b.number()));
    if (a.isArray() && b.isArray() && a.array() != b.array()) {
        const rt::Array &x = *a.array(), &y = *b.array();
        if (x.size() != y.size())
            return false;
        for (size_t i = 0; i < x.size(); ++i)
            if (!sameValue(x[i], y[i]))
                return false;
        return true;
    }
    return a == b;
}

} // namespace rttest
