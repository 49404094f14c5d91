#include "Engines.hpp"

#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"

namespace rt {
namespace {

Text upper(Text s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

Value engineFailure(const char *operation, Where w)
{
    return raise({.code = GenCode::Engine,
                  .description = errortext::kEngine,
                  .operation = operation,
                  .canDefault = true},
                 NIL, w);
}

} // namespace

bool knownEngine(const Text &name)
{
    return name == "DBFDBE" || name == "NTXDBE" || name == "DELDBE" || name == "SDFDBE";
}

Value DBELOAD(const Value &name, const Value &hidden, Where w)
{
    if (!name.isText() || !hidden.isLogical())
        return argumentError("DBELOAD", {name, hidden}, false, w);
    const Text engine = upper(name.text());
    if (!state().seams.loadEngine(engine))
        return false;
    state().engines.loaded.insert(engine);
    return true;
}

Value DBEBUILD(const Value &name, const Value &first, const Value &second, Where w)
{
    if (!name.isText() || !first.isText() || !second.isText())
        return argumentError("DBEBUILD", {name, first, second}, false, w);
    EngineState &engines = state().engines;
    const Text compound = upper(name.text());
    if (compound.empty() || knownEngine(compound) || engines.built.contains(compound))
        return false;
    if (!engines.loaded.contains(upper(first.text())) ||
        !engines.loaded.contains(upper(second.text())))
        return false;
    engines.built.insert(compound);
    return true;
}

Value DBCOMMITALL(Where w)
{
    if (failsHere("DBCOMMITALL"))
        return engineFailure("DBCOMMITALL", w);
    return NIL; // this runtime's work areas hold no pending changes
}

Value DBCLOSEALL(Where w)
{
    if (failsHere("DBCLOSEALL"))
        return engineFailure("DBCLOSEALL", w);
    state().engines.workAreas = 0;
    return NIL;
}

} // namespace rt
