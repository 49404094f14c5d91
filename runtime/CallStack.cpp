#include "CallStack.hpp"

#include "RuntimeState.hpp"

namespace rt {
namespace {

std::vector<CallFrame> &frames()
{
    return state().callStack;
}

const CallFrame *frameAt(int level)
{
    const auto &stack = frames();
    if (level < 0 || level >= static_cast<int>(stack.size()))
        return nullptr;
    return &stack[stack.size() - 1 - static_cast<size_t>(level)];
}

} // namespace

ProcFrame::ProcFrame(std::string name, std::source_location caller)
{
    markLine(caller);
    frames().push_back({std::move(name), 0});
}

ProcFrame::~ProcFrame()
{
    frames().pop_back();
}

std::string PROCNAME(int level)
{
    const CallFrame *f = frameAt(level);
    return f ? f->name : std::string();
}

int PROCLINE(int level)
{
    const CallFrame *f = frameAt(level);
    return f ? f->line : 0;
}

void markLine(const std::source_location &where)
{
    if (!frames().empty())
        frames().back().line = static_cast<int>(where.line());
}

} // namespace rt
