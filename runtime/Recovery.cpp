#include "Recovery.hpp"

#include "RuntimeState.hpp"

namespace rt {
namespace {

int &depth()
{
    return state().recoveryDepth;
}

int &exitCode()
{
    return state().errorLevel;
}

struct DepthGuard
{
    DepthGuard() { ++depth(); }
    ~DepthGuard() { --depth(); }
};

} // namespace

std::optional<Value> recoveryPoint(const std::function<void()> &body)
{
    DepthGuard guard;
    try {
        body();
    } catch (BreakSignal &b) {
        return std::move(b.value);
    }
    return std::nullopt;
}

void BREAK(const Value &value)
{
    if (depth() > 0)
        throw BreakSignal{value};
}

void _BREAK(const Value &value)
{
    BREAK(value);
}

int ERRORLEVEL()
{
    return exitCode();
}

int ERRORLEVEL(int code)
{
    int previous = exitCode();
    exitCode() = code;
    return previous;
}

void _QUIT()
{
    throw QuitSignal{exitCode()};
}

} // namespace rt
