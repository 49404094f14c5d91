#pragma once
// The error object: the record a failing runtime operation fills and hands to the error callback.
// Its fifteen members are plain values, so a handler or a test may hold any kind in any member;
// readers test the kind before they use one. Member names are looked up without regard to case.

#include "Object.hpp"

#include <array>

namespace rt {

class ErrorObject : public Object
{
public:
    Value genCode = 0;
    Value subSystem = "BASE";
    Value subCode = 0;
    Value osCode = 0;
    Value severity = 2;
    Value description = "";
    Value operation = "";
    Value fileName = "";
    Value args;
    Value canDefault = false;
    Value canRetry = false;
    Value canSubstitute = false;
    Value cargo;
    Value tries = 0;
    Value thread = 1;

    std::string className() const override { return "Error"; }
    std::optional<Value> receive(std::string_view message, Args &args, Where w) override;

    // The member called `name`, or nullptr when there is none.
    Value *member(std::string_view name);

    // The member names in the order of the error log.
    static const std::array<std::string_view, 15> &memberNames();
};

using ErrorRef = std::shared_ptr<ErrorObject>;

} // namespace rt
