#include "Engines.hpp"

#include "ErrorRouting.hpp"

#include <set>

namespace rt {
namespace {

struct Registry
{
    std::set<Text> known{"DBFDBE", "NTXDBE", "DELDBE", "SDFDBE"};
    std::set<Text> loaded;
    std::set<Text> built;
    int workAreas = 0;
    bool failCommit = false;
    bool failClose = false;
};

Registry &registry()
{
    static Registry r;
    return r;
}

Text upper(Text s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

Value engineFailure(const char *operation, Where w)
{
    return raise({.code = GenCode::Engine,
                  .description = "Database engine failure",
                  .operation = operation,
                  .canDefault = true},
                 NIL, w);
}

} // namespace

Value DBELOAD(const Value &name, const Value &hidden, Where w)
{
    if (!name.isText() || !hidden.isLogical())
        return argumentError("DBELOAD", {name, hidden}, false, w);
    Registry &r = registry();
    const Text engine = upper(name.text());
    if (!r.known.contains(engine))
        return false;
    r.loaded.insert(engine);
    return true;
}

Value DBEBUILD(const Value &name, const Value &first, const Value &second, Where w)
{
    if (!name.isText() || !first.isText() || !second.isText())
        return argumentError("DBEBUILD", {name, first, second}, false, w);
    Registry &r = registry();
    const Text compound = upper(name.text());
    if (compound.empty() || r.known.contains(compound) || r.built.contains(compound))
        return false;
    if (!r.loaded.contains(upper(first.text())) || !r.loaded.contains(upper(second.text())))
        return false;
    r.built.insert(compound);
    return true;
}

Value DBCOMMITALL(Where w)
{
    if (registry().failCommit)
        return engineFailure("DBCOMMITALL", w);
    return NIL; // this runtime's work areas hold no pending changes
}

Value DBCLOSEALL(Where w)
{
    if (registry().failClose)
        return engineFailure("DBCLOSEALL", w);
    registry().workAreas = 0;
    return NIL;
}

void EngineFaults::makeUnavailable(const Text &name)
{
    registry().known.erase(upper(name));
}

void EngineFaults::failCommit(bool fail)
{
    registry().failCommit = fail;
}

void EngineFaults::failClose(bool fail)
{
    registry().failClose = fail;
}

bool EngineFaults::loaded(const Text &name)
{
    const Text engine = upper(name);
    return registry().loaded.contains(engine) || registry().built.contains(engine);
}

int EngineFaults::openWorkAreas()
{
    return registry().workAreas;
}

void EngineFaults::openWorkArea()
{
    ++registry().workAreas;
}

void EngineFaults::reset()
{
    registry() = Registry{};
}

} // namespace rt
