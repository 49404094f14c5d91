// APPEXIT: commits and closes all open database work at the end of the application, quietly. A
// break callback stands in for the error callback meanwhile, so an error in either step ends the
// protected stretch at its recovery point instead of reaching the error handler; an error in the
// commit therefore skips the close. The kept callback is put back on every path.

#include "Hooks.hpp"
#include "Runtime.hpp"

using namespace rt;

namespace {

// Puts the kept error callback back however the stretch is left.
struct KeptCallback
{
    Value callback;
    ~KeptCallback() { ERRORBLOCK(callback); }
};

} // namespace

Value APPEXIT(std::source_location w)
{
    ProcFrame frame("APPEXIT", w);
    KeptCallback kept{ERRORBLOCK(block([](Args &args) -> Value {
        BREAK(args.empty() ? NIL : args[0]);
        return false; // no recovery point: cannot happen inside the stretch below
    }))};
    recoveryPoint([] {
        DBCOMMITALL();
        DBCLOSEALL();
    }); // the error object a break carries is dropped
    return NIL;
}
