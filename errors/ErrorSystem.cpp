#include "ErrorSystem.hpp"

#include "CallStack.hpp"
#include "ErrorRouting.hpp"

using namespace rt;

Value ERRORSYS()
{
    ProcFrame frame("ERRORSYS");
    ERRORBLOCK(block([](Args &a) -> Value { return STANDARDEH(a.empty() ? NIL : a[0]); }));
    return NIL;
}
