#include "Value.hpp"

#include "CallStack.hpp"
#include "Object.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace rt {

ArrayRef newArray(std::initializer_list<Value> elements)
{
    return std::make_shared<Array>(elements);
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

BlockRef block(std::function<Value(Args &)> body, std::source_location where)
{
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(where.line() % 10000));
    return std::make_shared<Block>(Block{"(B)" + PROCNAME(0) + "@" + digits, std::move(body)});
}

std::optional<Value> Object::receive(std::string_view message, Args &args, Where)
{
    if (sameName(message, "className"))
        return Value(className());
    if (sameName(message, "isDerivedFrom")) {
        if (args.empty())
            return std::nullopt;
        const Value &cls = args[0];
        if (cls.isText())
            return Value(isDerivedFrom(cls.text()));
        if (cls.isObject())
            return Value(isDerivedFrom(cls.object()->className()));
        return Value(false);
    }
    return std::nullopt;
}

} // namespace rt
