#pragma once
// The database engines, as far as the system uses them: an engine registry that knows "DBFDBE",
// "NTXDBE", "DELDBE" and "SDFDBE", builds a compound of two loaded engines, and keeps the list of
// open work areas, which the program never fills. Loads and builds report success as a logical.
// Commit and close go over the open work areas; tests can make an engine unavailable and make a
// commit or a close fail with an Engine error.

#include "Value.hpp"

#include <source_location>

namespace rt {

using Where = std::source_location;

Value DBELOAD(const Value &name, const Value &hidden = false, Where w = Where::current());
Value DBEBUILD(const Value &name, const Value &first, const Value &second,
               Where w = Where::current());
Value DBCOMMITALL(Where w = Where::current());
Value DBCLOSEALL(Where w = Where::current());

// What tests can change and see.
struct EngineFaults
{
    static void makeUnavailable(const Text &name);
    static void failCommit(bool fail);
    static void failClose(bool fail);
    static bool loaded(const Text &name);
    static int openWorkAreas();
    static void openWorkArea(); // a work area as a table would open one
    static void reset();
};

} // namespace rt
