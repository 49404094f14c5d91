#include "ErrorsTestKit.hpp"

namespace errtest {

rt::ErrorRef errorWith(const Members &members)
{
    auto error = std::make_shared<rt::ErrorObject>();
    for (const auto &[name, value] : members) {
        rt::Value *slot = error->member(name);
        EXPECT_NE(slot, nullptr) << "no member " << name;
        if (slot)
            *slot = value;
    }
    return error;
}

Ending runCall(const std::function<rt::Value()> &body, bool withRecoveryPoint)
{
    Ending ending;
    try {
        if (withRecoveryPoint)
            ending.breakValue = rt::recoveryPoint([&] { ending.answer = body(); });
        else
            ending.answer = body();
    } catch (const rt::QuitSignal &quit) {
        ending.quit = true;
        ending.errorLevel = quit.errorLevel;
    }
    return ending;
}

std::vector<std::string> split(const std::string &text, const std::string &separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t hit; (hit = text.find(separator, start)) != std::string::npos;
         start = hit + separator.size())
        parts.push_back(text.substr(start, hit - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::filesystem::path expectedDir()
{
    return std::filesystem::path(TARVELLO_ERRORS_TEST_DIR) / "expected";
}

void ErrorSystemTest::SetUp()
{
    ScratchDirTest::SetUp();
    dialogs = std::make_shared<ScriptedDialogs>();
    rt::installDialogs(dialogs);
}

std::vector<ScriptedDialogs::Call> ErrorSystemTest::calls(ScriptedDialogs::Call::Kind kind) const
{
    std::vector<ScriptedDialogs::Call> found;
    for (const auto &call : dialogs->calls())
        if (call.kind == kind)
            found.push_back(call);
    return found;
}

void HandlerTest::textMode()
{
    rt::setAppType(rt::AppType::Text);
    rt::state().application.window = std::make_shared<rt::CrtWindow>();
}

Ending HandlerTest::handle(const rt::ErrorRef &error, bool withRecoveryPoint)
{
    return runCall([&] { return STANDARDEH(error); }, withRecoveryPoint);
}

bool HandlerTest::loggedAndQuit(const Ending &ending) const
{
    return ending.quit && ending.errorLevel == 1 && std::filesystem::exists("MRVERROR.LOG");
}

} // namespace errtest
