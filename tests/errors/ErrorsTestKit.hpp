#pragma once
// What the error-system tests share: error objects built from named members, a fixture that runs
// each test in a fresh empty working directory with scripted dialogs, a way to run a handler call
// and see how it ended (answer, break or quit), and file helpers. It checks nothing itself.

#include "ErrorSystem.hpp"
#include "Runtime.hpp"
#include "RuntimeFixture.hpp"
#include "Seams.hpp"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace errtest {

using testsupport::ScriptedDialogs;

using Members = std::vector<std::pair<std::string, rt::Value>>;

// An error object with the runtime's defaults, then `members` set by name.
rt::ErrorRef errorWith(const Members &members);

// How a call ended: it returned `answer`, broke out with `breakValue`, or quit with `errorLevel`.
struct Ending
{
    std::optional<rt::Value> answer;
    std::optional<rt::Value> breakValue;
    bool quit = false;
    int errorLevel = 0;
};

// Runs `body` under a recovery point (or without one when `withRecoveryPoint` is false).
Ending runCall(const std::function<rt::Value()> &body, bool withRecoveryPoint = true);

using testsupport::fileContent;
using testsupport::writeFile;

// "\r"-separated lines of a box text, or "\r\n"-separated lines of a log.
std::vector<std::string> split(const std::string &text, const std::string &separator);

// The folder of expected texts kept beside the tests.
std::filesystem::path expectedDir();

// A fresh runtime, a fresh empty working directory, scripted dialogs, the console channels
// captured.
class ErrorSystemTest : public testsupport::ScratchDirTest, protected testsupport::ConsoleCapture
{
protected:
    void SetUp() override;

    // The dialogs recorded so far of one kind.
    std::vector<ScriptedDialogs::Call> calls(ScriptedDialogs::Call::Kind kind) const;

    std::shared_ptr<ScriptedDialogs> dialogs;
};

// The standard error handler's tests: text mode, a handler call, and the end with a log.
class HandlerTest : public ErrorSystemTest
{
protected:
    // Text mode with a text-mode window: the alert asks.
    void textMode();
    Ending handle(const rt::ErrorRef &error, bool withRecoveryPoint = true);
    // Quit with exit code 1 and "MRVERROR.LOG" written.
    bool loggedAndQuit(const Ending &ending) const;
};

} // namespace errtest
