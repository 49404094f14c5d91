#pragma once
// Message sends and published names. SEND delivers a message to an object by name, without regard
// to case; a receiver that is not an object, or an object that does not know the message, raises a
// NoMethod error (default NIL). Published names ("oSLE", "oSpin") are program-wide variables made
// by assigning them and read by name; reading one never assigned raises a NoVariable error.

#include "Value.hpp"

#include <source_location>

namespace rt {

using Where = std::source_location;

Value SEND(const Value &receiver, std::string_view message, Args args = {},
           Where w = Where::current());

void PUBLISH(std::string_view name, const Value &value);
Value PUBLIC(std::string_view name, Where w = Where::current());

} // namespace rt
