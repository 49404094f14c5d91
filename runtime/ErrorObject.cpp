#include "ErrorObject.hpp"

namespace rt {

const std::array<std::string_view, 15> &ErrorObject::memberNames()
{
    static const std::array<std::string_view, 15> names = {
        "args",        "canDefault", "canRetry",  "canSubstitute", "cargo",
        "description", "fileName",   "genCode",   "operation",     "osCode",
        "severity",    "subCode",    "subSystem", "thread",        "tries"};
    return names;
}

Value *ErrorObject::member(std::string_view name)
{
    Value *const slots[] = {&args,        &canDefault, &canRetry,  &canSubstitute, &cargo,
                            &description, &fileName,   &genCode,   &operation,     &osCode,
                            &severity,    &subCode,    &subSystem, &thread,        &tries};
    const auto &names = memberNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (sameName(name, names[i]))
            return slots[i];
    return nullptr;
}

std::optional<Value> ErrorObject::receive(std::string_view message, Args &args, Where w)
{
    // A member read takes no argument; one argument assigns the member and yields the new value.
    if (Value *slot = member(message)) {
        if (!args.empty())
            *slot = args[0];
        return *slot;
    }
    return Object::receive(message, args, w);
}

} // namespace rt
