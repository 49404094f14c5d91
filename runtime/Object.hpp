#pragma once
// The base of every object value: error objects, GUI parts, window classes. An object answers
// messages by name (without regard to case); a message it does not know is reported by SEND as a
// runtime error, so no object has to raise for unknown messages itself. Every answer is given for a
// place in the sender's code: whatever the message raises or calls is listed on the call stack at
// the line of the send, not at a line of the object's own.

#include "Value.hpp"

#include <optional>

namespace rt {

using Where = std::source_location;

class Object : public std::enable_shared_from_this<Object>
{
public:
    virtual ~Object() = default;

    virtual std::string className() const = 0;

    // True for the object's own class and every class it derives from. `cls` may be a class name
    // (text) or a class object as ROOTCRT returns it.
    virtual bool isDerivedFrom(std::string_view cls) const { return sameName(cls, className()); }

    // Answers a message sent at `w`; nullopt when the object has no such message. "className" and
    // "isDerivedFrom" are answered here for every object.
    virtual std::optional<Value> receive(std::string_view message, Args &args, Where w);
};

// A class as a value: what ROOTCRT returns, and what isDerivedFrom accepts besides a class name.
class ClassObject : public Object
{
public:
    explicit ClassObject(std::string name) : m_name(std::move(name)) {}
    std::string className() const override { return m_name; }

private:
    std::string m_name;
};

} // namespace rt
