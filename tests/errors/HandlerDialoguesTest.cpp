// The standard error handler's two dialogues: every answer of each, the text each shows, the error
// hook that installs the handler, and errors raised while it handles one.

#include "ErrorsTestKit.hpp"

#include <algorithm>
#include <optional>
#include <regex>

namespace {

using namespace rt;
using namespace errtest;
using Kind = ScriptedDialogs::Call::Kind;

using HandlerDialogue = errtest::HandlerTest;
using HandlerDialogueDeathTest = HandlerDialogue;

// How a handler call ends.
enum class Ends
{
    Answering,          // with the row's answer
    Breaking,           // to the recovery point, with the error
    Logging,            // the log written, the process quit with exit code 1
    QuittingWithoutALog // exit code 1 as well
};

TEST_F(HandlerDialogue, EveryAnswerOfTheBoxAndOfTheTextModeAlertDoesWhatItSays)
{
    struct Row
    {
        const char *proves;
        bool textMode; // the alert asks, not the graphical box
        bool canRetry, canDefault;
        std::vector<int> answers; // one for each box or alert, in turn
        Ends ends;
        Value answer = NIL;
        bool recoveryPoint = true;
    } rows[] = {
        // clang-format off
        {"retry answers true", false, true, true, {4}, Ends::Answering, true},
        {"ignore answers false", false, true, true, {5}, Ends::Answering, false},
        {"abort logs and quits", false, true, true, {3}, Ends::Logging},
        {"OK logs and quits", false, true, false, {1}, Ends::Logging},
        {"OK alone logs and quits", false, false, false, {1}, Ends::Logging},
        {"cancel then no breaks", false, false, true, {2, 7}, Ends::Breaking},
        {"cancel then yes logs and quits", false, true, false, {2, 6}, Ends::Logging},
        {"retry not offered logs and quits", false, true, false, {4}, Ends::Logging},
        {"ignore not offered logs and quits", false, false, true, {5}, Ends::Logging},
        {"cancel then no, the break with nowhere to go, logs and quits", false, false, true, {2, 7}, Ends::Logging, NIL, false},
        {"Abbrechen breaks", true, true, true, {1}, Ends::Breaking},
        {"Ende mit LOG-Datei logs and quits", true, true, true, {2}, Ends::Logging},
        {"Wiederholen answers true", true, true, true, {3}, Ends::Answering, true},
        {"Ignorieren answers false", true, true, true, {4}, Ends::Answering, false},
        {"an alert closed without a choice is shown again", true, true, true, {0, 0, 4}, Ends::Answering, false},
        {"Abbrechen with nowhere to go quits without a log", true, false, false, {1}, Ends::QuittingWithoutALog, NIL, false},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        std::filesystem::remove("MRVERROR.LOG");
        setAppType(row.textMode ? AppType::Text : AppType::Graphical);
        state().application.window = row.textMode ? Value(std::make_shared<CrtWindow>()) : NIL;
        const size_t before = dialogs->calls().size();
        for (int a : row.answers)
            dialogs->answer(a);
        auto error = errorWith({{"canRetry", row.canRetry}, {"canDefault", row.canDefault}});
        Ending ending = handle(error, row.recoveryPoint);
        EXPECT_EQ(std::count_if(dialogs->calls().begin() + before, dialogs->calls().end(),
                                [](const auto &c) { return c.kind != Kind::Message; }),
                  row.answers.size());
        using Maybe = std::optional<Value>;
        EXPECT_EQ(ending.answer, row.ends == Ends::Answering ? Maybe(row.answer) : std::nullopt);
        EXPECT_EQ(ending.breakValue, row.ends == Ends::Breaking ? Maybe(error) : std::nullopt);
        EXPECT_EQ(ending.quit && ending.errorLevel == 1, row.ends >= Ends::Logging);
        EXPECT_EQ(std::filesystem::exists("MRVERROR.LOG"), row.ends == Ends::Logging);
        ERRORLEVEL(0);
    }
}

TEST_F(HandlerDialogue, TextModeWithoutAWindowLogsAndQuitsWithoutAnAlert)
{
    setAppType(AppType::Text);
    Ending ending = handle(errorWith({{"canRetry", true}, {"canDefault", true}}));
    EXPECT_TRUE(loggedAndQuit(ending));
    EXPECT_TRUE(dialogs->calls().empty());
}

// The alert may move the cursor; the handler puts it back.
TEST_F(HandlerDialogue, TextModeAlertRestoresTheCursor)
{
    struct MovingDialogs : ScriptedDialogs
    {
        using ScriptedDialogs::ScriptedDialogs;
        int alert(const Text &message, const std::vector<Text> &options) override
        {
            SETPOS(20, 30);
            return ScriptedDialogs::alert(message, options);
        }
    };
    installDialogs(std::make_shared<MovingDialogs>(std::deque<int>{3})); // "Ignorieren"
    textMode();
    SETPOS(3, 7);
    EXPECT_EQ(handle(errorWith({{"canDefault", true}})).answer, Value(false));
    EXPECT_EQ(ROW(), 3);
    EXPECT_EQ(COL(), 7);
}

// The box puts every piece of the message on a line of its own; the alert is given the pieces
// separated by ";", as ALERT takes its lines.
TEST_F(HandlerDialogue, EachDialogueShowsThePiecesOfTheMessageAndTheSystemsErrorCode)
{
    struct Row
    {
        const char *proves;
        bool textMode;
        int ignore; // the answer that lets the error go by
        const char *text;
    } rows[] = {
        {"the box", false, 5,
         "Fehler BASE/0\rBeschreibung : a\rb\rDatei : x\ry\rOperation : /\rThread ID : 1\r"
         "Betriebsystem Fehler : 32"},
        {"the alert", true, 4,
         "Fehler BASE/0;Beschreibung : a;b;Datei : x;y;Operation : /;Thread ID : 1;"
         "Betriebsystem Fehler : 32"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        if (row.textMode)
            textMode();
        dialogs->answer(row.ignore);
        handle(errorWith({{"canRetry", true},
                          {"canDefault", true},
                          {"description", "a;b"},
                          {"fileName", "x;y"},
                          {"operation", "/"},
                          {"osCode", 32}}));
        EXPECT_EQ(dialogs->calls().back().text, row.text);
    }
}

// Raised for real: procedures OUTER and INNER, an error in INNER, the handler installed by
// ERRORSYS.
int g_innerLine = 0;
int g_outerLine = 0;

Value inner(std::source_location w = std::source_location::current())
{
    ProcFrame frame("INNER", w);
    g_innerLine = __LINE__ + 1;
    return divide(5, 0);
}

Value outer(std::source_location w = std::source_location::current())
{
    ProcFrame frame("OUTER", w);
    g_outerLine = __LINE__ + 1;
    return inner();
}

// The first log's fifth write fails; its box is answered with "Abbrechen", a log of that error
// under the next name; the third write of that second log runs into the error in INNER.
void raiseInInnerWhileASecondLogIsWritten()
{
    testsupport::WriteFaults::fail(5, 1);
    auto &write = state().seams.writeFile;
    write = [before = write, writes = 0](int fd, const char *bytes, size_t size) mutable {
        if (++writes == 8)
            outer();
        return before(fd, bytes, size);
    };
}

TEST_F(HandlerDialogue, BoxCallStackStartsWhereTheErrorWasRaised)
{
    struct Row
    {
        const char *proves;
        void (*arm)();
        std::vector<int> answers; // the last one, OK, for the box of the error in INNER
        size_t box;               // that box, counting the error boxes of the call
    } rows[] = {
        {"an error in INNER", [] {}, {1}, 0},
        {"raised while a second log is written: the callback that log installs adds no level",
         raiseInInnerWhileASecondLogIsWritten,
         {1, 3, 1},
         2},
    };
    EXPECT_EQ(ERRORSYS(), NIL);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        const size_t before = calls(Kind::Confirm).size();
        for (int a : row.answers)
            dialogs->answer(a);
        row.arm();
        Ending ending = runCall([] { return outer(); });
        ASSERT_TRUE(ending.quit);
        const auto lines = errtest::split(calls(Kind::Confirm).at(before + row.box).text, "\r");
        ASSERT_GE(lines.size(), 6u);
        EXPECT_EQ(lines[0], "Fehler BASE/0");
        EXPECT_EQ(lines[2], "Operation : /");
        EXPECT_EQ(lines[4], "Aufgerufen von INNER(" + std::to_string(g_innerLine) + ")");
        EXPECT_EQ(lines[5], "Aufgerufen von OUTER(" + std::to_string(g_outerLine) + ")");
        // The log's call stack starts at the same procedure.
        const auto log = errtest::split(errtest::fileContent("MRVERROR.LOG"), "\r\n");
        const auto stack = std::find(log.begin(), log.end(), "CALLSTACK:");
        ASSERT_GE(log.end() - stack, 4);
        EXPECT_EQ(stack[2], lines[4]);
        EXPECT_EQ(stack[3], lines[5]);
        for (const char *name : {"MRVERROR.LOG", "MRVERROR.001"})
            std::filesystem::remove(name);
        ERRORLEVEL(0);
    }
}

TEST_F(HandlerDialogue, HookInstallsOneCallbackNamedAfterItAndDropsThePreviousOne)
{
    ERRORBLOCK(block([](Args &) -> Value { return 99; }));
    EXPECT_EQ(ERRORSYS(), NIL);
    const Value callback = ERRORBLOCK();
    ASSERT_TRUE(callback.isBlock());
    EXPECT_TRUE(std::regex_match(callback.block()->name, std::regex(R"(\(B\)ERRORSYS@\d{4})")))
        << callback.block()->name;
    // The callback answers with what the handler answers: a silent repair here.
    EXPECT_EQ(EVAL(callback, {Value(errorWith({{"genCode", 11}}))}), Value(0));
    EXPECT_TRUE(dialogs->calls().empty());
    EXPECT_EQ(SET(17), Value(true)) << "the hook changes no setting";
}

// A dialog that fails each time it is shown raises while the handler handles the error before:
// the raise path's nesting guard ends the process instead of recursing.
TEST_F(HandlerDialogueDeathTest, ErrorsRaisedWhileHandlingEndTheProcessOnceNestedTooDeep)
{
    struct FailingDialogs : ScriptedDialogs
    {
        int confirmBox(const Text &, const Text &, int, int) override
        {
            return raise({.code = GenCode::Dialog, .description = "Box cannot be shown"}, 0)
                       .number() > 0;
        }
    };
    EXPECT_EXIT(
        {
            installDialogs(std::make_shared<FailingDialogs>());
            ERRORSYS();
            divide(5, 0);
        },
        testing::ExitedWithCode(1), "^Runtime error 10: Box cannot be shown - raised while errors");
}

} // namespace
