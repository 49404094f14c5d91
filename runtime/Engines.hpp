#pragma once
// The database engines, as far as the system uses them: an engine registry that knows "DBFDBE",
// "NTXDBE", "DELDBE" and "SDFDBE", builds a compound of two loaded engines, and keeps the list of
// open work areas, which the program never fills. Loads and builds report success as a logical.
// Commit and close go over the open work areas; a failing commit or close raises an Engine error.
// Loading goes through the state's engine-loader seam.

#include "Value.hpp"

#include <source_location>

namespace rt {

using Where = std::source_location;

Value DBELOAD(const Value &name, const Value &hidden = false, Where w = Where::current());
Value DBEBUILD(const Value &name, const Value &first, const Value &second,
               Where w = Where::current());
Value DBCOMMITALL(Where w = Where::current());
Value DBCLOSEALL(Where w = Where::current());

// One of the four engines this runtime has, by its upper-case name: what the loader loads.
bool knownEngine(const Text &name);

} // namespace rt
