#include "Messages.hpp"

#include "ErrorRouting.hpp"
#include "Object.hpp"
#include "RuntimeState.hpp"

namespace rt {
namespace {

std::map<std::string, Value, NameLess> &publics()
{
    return state().publics;
}

} // namespace

Value SEND(const Value &receiver, std::string_view message, Args args, Where w)
{
    if (receiver.isObject()) {
        ObjectRef object = receiver.object(); // alive for the whole send
        if (std::optional<Value> answer = object->receive(message, args, w))
            return *answer;
    }
    Args operands{receiver};
    operands.insert(operands.end(), args.begin(), args.end());
    return raise({.code = GenCode::NoMethod,
                  .description = errortext::kNoMethod + Text(message),
                  .operation = Text(message),
                  .args = std::make_shared<Array>(std::move(operands)),
                  .canSubstitute = true,
                  .canDefault = true},
                 NIL, w);
}

void PUBLISH(std::string_view name, const Value &value)
{
    publics()[std::string(name)] = value;
}

Value PUBLIC(std::string_view name, Where w)
{
    auto it = publics().find(std::string(name));
    if (it != publics().end())
        return it->second;
    return raise({.code = GenCode::NoVariable,
                  .description = errortext::kNoVariable,
                  .operation = Text(name),
                  .args = newArray({Text(name)}),
                  .canSubstitute = true,
                  .canDefault = true},
                 NIL, w);
}

} // namespace rt
