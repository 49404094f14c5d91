#include "Seams.hpp"

#include "CallStack.hpp"
#include "RuntimeState.hpp"

#include <cerrno>
#include <stdexcept>

namespace testsupport {
namespace {

std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

int g_writesAttempted = 0;
std::string g_syncsMade;

// Whether the `n`-th call fails when calls `first` to `first` + `count` - 1 do (count 0: every one
// from `first` on; first 0: none).
bool failsAt(int n, int first, int count)
{
    return first > 0 && n >= first && (count == 0 || n < first + count);
}

} // namespace

void makeEngineUnavailable(const std::string &name)
{
    auto &load = rt::state().seams.loadEngine;
    load = [refused = upper(name), before = load](const rt::Text &engine) {
        return engine != refused && before(engine);
    };
}

bool engineLoaded(const std::string &name)
{
    const rt::EngineState &engines = rt::state().engines;
    return engines.loaded.contains(name) || engines.built.contains(name);
}

void failOperations(std::set<std::string> operations)
{
    rt::state().seams.failOperation = [operations = std::move(operations)](std::string_view op) {
        return operations.contains(std::string(op));
    };
}

void failFirstArrayReadIn(std::string procedure)
{
    rt::state().seams.failOperation = [procedure = std::move(procedure),
                                       fired = false](std::string_view op) mutable {
        if (fired || op != "[]" || rt::PROCNAME(0) != procedure)
            return false;
        fired = true;
        return true;
    };
}

void WriteFaults::fail(int first, int count)
{
    g_writesAttempted = 0;
    auto &write = rt::state().seams.writeFile;
    write = [first, count, before = write](int fd, const char *bytes, std::size_t size) -> long {
        if (failsAt(++g_writesAttempted, first, count)) {
            errno = ENOSPC;
            return -1;
        }
        return before(fd, bytes, size);
    };
}

int WriteFaults::attempted()
{
    return g_writesAttempted;
}

void SyncFaults::fail(int first, int count)
{
    g_syncsMade.clear();
    auto &sync = rt::state().seams.sync;
    sync = [first, count, before = sync](int fd, rt::SyncTarget target) {
        g_syncsMade += target == rt::SyncTarget::FileData ? 'F' : 'D';
        if (failsAt(static_cast<int>(g_syncsMade.size()), first, count)) {
            errno = EIO;
            return -1;
        }
        return before(fd, target);
    };
}

std::string SyncFaults::made()
{
    return g_syncsMade;
}

int ScriptedDialogs::next()
{
    if (m_answers.empty())
        throw std::logic_error("the test scripted no answer for this dialog");
    int code = m_answers.front();
    m_answers.pop_front();
    return code;
}

int ScriptedDialogs::alert(const rt::Text &message, const std::vector<rt::Text> &options)
{
    m_calls.push_back({Call::Kind::Alert, message, options, {}, 0, 0});
    return next();
}

int ScriptedDialogs::confirmBox(const rt::Text &text, const rt::Text &title, int buttons, int style)
{
    m_calls.push_back({Call::Kind::Confirm, text, {}, title, buttons, style});
    return next();
}

void ScriptedDialogs::msgBox(const rt::Text &text, const rt::Text &title)
{
    m_calls.push_back({Call::Kind::Message, text, {}, title, 0, 0});
}

} // namespace testsupport
