// The standard error handler's two dialogues: every answer of each, the box's text and call stack,
// the error hook that installs the handler, and errors raised while it handles one.

#include "ErrorsTestKit.hpp"

#include <algorithm>
#include <regex>

namespace {

using namespace rt;
using testsupport::ScriptedDialogs;
using errtest::Ending;
using errtest::errorWith;
using errtest::Members;
using errtest::runCall;
using Kind = ScriptedDialogs::Call::Kind;

using HandlerDialogue = errtest::HandlerTest;
using HandlerDialogueDeathTest = HandlerDialogue;

TEST_F(HandlerDialogue, EveryAnswerOfTheGraphicalBoxDoesWhatItSays)
{
    struct Row
    {
        const char *proves;
        bool canRetry, canDefault;
        std::vector<int> answers;
        Value answer;      // when it returns
        bool breaks, logs; // otherwise
    } rows[] = {
        // clang-format off
        {"retry answers true", true, true, {4}, true, false, false},
        {"ignore answers false", true, true, {5}, false, false, false},
        {"abort logs and quits", true, true, {3}, NIL, false, true},
        {"OK logs and quits", true, false, {1}, NIL, false, true},
        {"OK alone logs and quits", false, false, {1}, NIL, false, true},
        {"cancel then no breaks", false, true, {2, 7}, NIL, true, false},
        {"cancel then yes logs and quits", true, false, {2, 6}, NIL, false, true},
        {"retry not offered logs and quits", true, false, {4}, NIL, false, true},
        {"ignore not offered logs and quits", false, true, {5}, NIL, false, true},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        std::filesystem::remove("MRVERROR.LOG");
        for (int a : row.answers)
            dialogs->answer(a);
        auto error = errorWith({{"canRetry", row.canRetry}, {"canDefault", row.canDefault}});
        Ending ending = handle(error);
        if (row.logs) {
            EXPECT_TRUE(loggedAndQuit(ending));
            EXPECT_EQ(dialogs->calls().back().text,
                      "Fehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben");
        } else if (row.breaks) {
            EXPECT_EQ(ending.breakValue, Value(error));
        } else {
            EXPECT_EQ(ending.answer, row.answer);
        }
        if (!row.logs) {
            EXPECT_FALSE(std::filesystem::exists("MRVERROR.LOG"));
        }
        ERRORLEVEL(0);
    }
}

TEST_F(HandlerDialogue, BreakThatComesBackInTheGraphicalBoxWritesTheLog)
{
    dialogs->answer(2);
    dialogs->answer(7);
    Ending ending = handle(errorWith({{"canDefault", true}}), false);
    EXPECT_TRUE(loggedAndQuit(ending));
}

TEST_F(HandlerDialogue, EveryChoiceOfTheTextModeAlertDoesWhatItSays)
{
    struct Row
    {
        const char *proves;
        std::vector<int> answers;
        Value answer;
        bool breaks, logs;
    } rows[] = {
        {"Abbrechen breaks", {1}, NIL, true, false},
        {"Ende mit LOG-Datei logs and quits", {2}, NIL, false, true},
        {"Wiederholen answers true", {3}, true, false, false},
        {"Ignorieren answers false", {4}, false, false, false},
        {"an alert closed without a choice is shown again", {0, 0, 4}, false, false, false},
    };
    textMode();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        std::filesystem::remove("MRVERROR.LOG");
        const size_t before = dialogs->calls().size();
        for (int a : row.answers)
            dialogs->answer(a);
        auto error = errorWith({{"canRetry", true}, {"canDefault", true}, {"osCode", 5}});
        Ending ending = handle(error);
        EXPECT_EQ(dialogs->calls()[before].text,
                  "Fehler BASE/0;Beschreibung : ;Thread ID : 1;Betriebsystem Fehler : 5");
        EXPECT_EQ(std::count_if(dialogs->calls().begin() + before, dialogs->calls().end(),
                                [](const auto &c) { return c.kind == Kind::Alert; }),
                  row.answers.size());
        if (row.logs)
            EXPECT_TRUE(loggedAndQuit(ending));
        else if (row.breaks)
            EXPECT_EQ(ending.breakValue, Value(error));
        else
            EXPECT_EQ(ending.answer, row.answer);
        ERRORLEVEL(0);
    }
}

TEST_F(HandlerDialogue, TextModeBreakThatComesBackQuitsWithoutALog)
{
    textMode();
    dialogs->answer(1);
    Ending ending = handle(errorWith({}), false);
    EXPECT_TRUE(ending.quit);
    EXPECT_EQ(ending.errorLevel, 1);
    EXPECT_FALSE(std::filesystem::exists("MRVERROR.LOG"));
}

TEST_F(HandlerDialogue, TextModeWithoutAWindowLogsAndQuitsWithoutAnAlert)
{
    setAppType(AppType::Text);
    Ending ending = handle(errorWith({{"canRetry", true}, {"canDefault", true}}));
    EXPECT_TRUE(loggedAndQuit(ending));
    EXPECT_TRUE(dialogs->calls().empty());
    EXPECT_EQ(errorChannel, "\n\rFehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben");
    EXPECT_EQ(console, "") << "console output is off without a text-mode window";
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

TEST_F(HandlerDialogue, GraphicalTextHasEveryPieceOnALineOfItsOwn)
{
    dialogs->answer(5);
    handle(errorWith({{"canRetry", true},
                      {"canDefault", true},
                      {"description", "a;b"},
                      {"fileName", "x;y"},
                      {"operation", "/"},
                      {"osCode", 32}}));
    EXPECT_EQ(dialogs->calls().back().text, "Fehler BASE/0\rBeschreibung : a\rb\rDatei : x\ry\r"
                                            "Operation : /\rThread ID : 1\r"
                                            "Betriebsystem Fehler : 32");
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
