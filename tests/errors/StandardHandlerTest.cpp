// The standard error handler: the silent repairs, the option list, the box codes, every answer of
// both dialogues, the call stack in the box, and the error hook that installs it all.

#include "ErrorsTestKit.hpp"

#include <algorithm>
#include <regex>

namespace {

using namespace rt;
using errtest::Ending;
using errtest::errorWith;
using errtest::Members;
using errtest::runCall;
using Kind = ScriptedDialogs::Call::Kind;

class StandardHandler : public errtest::ErrorSystemTest
{
protected:
    // Text mode with a text-mode window: the alert asks.
    void textMode()
    {
        setAppType(AppType::Text);
        setAppWindow(std::make_shared<CrtWindow>());
    }
    Ending handle(const ErrorRef &error, bool withRecoveryPoint = true)
    {
        return runCall([&] { return STANDARDEH(error); }, withRecoveryPoint);
    }
    bool loggedAndQuit(const Ending &ending)
    {
        return ending.quit && ending.errorLevel == 1 && std::filesystem::exists("MRVERROR.LOG");
    }
};

TEST_F(StandardHandler, SilentRepairsHoldExactlyWhenTheirConditionIsMet)
{
    const Value shown = "shown";
    struct Row
    {
        const char *proves;
        Members members;
        Value expected; // 0, false, or "shown" for a break out of the alert's "Abbrechen"
    } rows[] = {
        // clang-format off
        {"11 gives 0 whatever else", {{"genCode", 11}, {"args", "x"}, {"canDefault", NIL}}, 0},
        {"10 is no repair", {{"genCode", 10}}, shown},
        {"11 as text is no repair", {{"genCode", "11"}}, shown},
        {"12 '/' 0 and 0 gives 0", {{"genCode", 12}, {"operation", "/"}, {"args", newArray({0, 0})}}, 0},
        {"12 '%' alone 0 gives 0", {{"genCode", 12}, {"operation", "%"}, {"args", newArray({0})}}, 0},
        {"12 an operation holding '/' gives 0", {{"genCode", 12}, {"operation", "a/b"}, {"args", newArray({0, 0})}}, 0},
        {"12 three operands, second 0", {{"genCode", 12}, {"operation", "/"}, {"args", newArray({0, 0, 9})}}, 0},
        {"12 5 and 0 is shown", {{"genCode", 12}, {"operation", "/"}, {"args", newArray({5, 0})}}, shown},
        {"12 0 and 5 is shown", {{"genCode", 12}, {"operation", "/"}, {"args", newArray({0, 5})}}, shown},
        {"12 0 and a text 0 is shown", {{"genCode", 12}, {"operation", "/"}, {"args", newArray({0, "0"})}}, shown},
        {"12 '*' is shown", {{"genCode", 12}, {"operation", "*"}, {"args", newArray({0, 0})}}, shown},
        {"12 operation NIL is shown", {{"genCode", 12}, {"operation", NIL}, {"args", newArray({0, 0})}}, shown},
        {"12 args NIL is shown", {{"genCode", 12}, {"operation", "/"}, {"args", NIL}}, shown},
        {"12 args empty is shown", {{"genCode", 12}, {"operation", "/"}, {"args", newArray()}}, shown},
        {"71 32 canDefault gives false", {{"genCode", 71}, {"osCode", 32}, {"canDefault", true}}, false},
        {"71 32 without canDefault is shown", {{"genCode", 71}, {"osCode", 32}}, shown},
        {"71 5 canDefault is shown", {{"genCode", 71}, {"osCode", 5}, {"canDefault", true}}, shown},
        {"71 32 canDefault 1 is shown", {{"genCode", 71}, {"osCode", 32}, {"canDefault", 1}}, shown},
        {"78 canDefault gives false", {{"genCode", 78}, {"canDefault", true}}, false},
        {"78 without canDefault is shown", {{"genCode", 78}}, shown},
        {"79 canDefault is shown", {{"genCode", 79}, {"canDefault", true}}, shown},
        // clang-format on
    };
    textMode();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        std::vector<Value> raised;
        ERRORBLOCK(block([&](Args &a) -> Value { return raised.push_back(a[0]), false; }));
        dialogs->answer(1); // "Abbrechen", should the error be shown
        const size_t before = dialogs->calls().size();
        auto error = errorWith(row.members);
        Ending ending = handle(error);
        if (row.expected == shown) {
            EXPECT_EQ(dialogs->calls().size(), before + 1);
            EXPECT_EQ(ending.breakValue, Value(error));
        } else {
            EXPECT_EQ(dialogs->calls().size(), before) << "a repair asks nobody";
            EXPECT_EQ(ending.answer, row.expected);
            dialogs = std::make_shared<ScriptedDialogs>(); // drop the unused answer
            installDialogs(dialogs);
        }
        EXPECT_TRUE(raised.empty()) << "deciding raised an error of its own";
    }
}

TEST_F(StandardHandler, OptionListFollowsCanRetryAndCanDefault)
{
    struct Row
    {
        const char *proves;
        Value canRetry, canDefault;
        std::vector<Text> options;
    } rows[] = {
        {"neither", false, false, {"Abbrechen", "Ende mit LOG-Datei"}},
        {"retry only", true, false, {"Abbrechen", "Ende mit LOG-Datei", "Wiederholen"}},
        {"default only", false, true, {"Abbrechen", "Ende mit LOG-Datei", "Ignorieren"}},
        {"both, retry first",
         true,
         true,
         {"Abbrechen", "Ende mit LOG-Datei", "Wiederholen", "Ignorieren"}},
        {"flags that are not logical true", 1, "yes", {"Abbrechen", "Ende mit LOG-Datei"}},
    };
    textMode();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        dialogs->answer(1);
        handle(errorWith({{"canRetry", row.canRetry}, {"canDefault", row.canDefault}}));
        EXPECT_EQ(dialogs->calls().back().options, row.options);
    }
}

TEST_F(StandardHandler, BoxCodesFollowTheFlagsAndTheSeverity)
{
    struct Row
    {
        const char *proves;
        Value canRetry, canDefault, severity;
        int buttons, style;
    } rows[] = {
        {"both: abort, retry, ignore; severity 3 stop", true, true, 3, 2, 131088},
        {"retry only: OK, cancel; severity 2 stop", true, false, 2, 1, 131088},
        {"default only: OK, cancel; severity 1 exclamation", false, true, 1, 1, 131120},
        {"neither: OK; severity 0 information", false, false, 0, 0, 131136},
        {"severity 4 information", false, false, 4, 0, 131136},
        {"severity text information", false, false, "3", 0, 131136},
    };
    // A severity that is no number cannot be compared for the message's first word; that error's
    // default (not greater than 1) is what a handler would answer.
    ERRORBLOCK(block([](Args &) -> Value { return false; }));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        dialogs->answer(2); // Cancel ...
        dialogs->answer(7); // ... then No: a break, whatever the buttons
        auto error = errorWith({{"canRetry", row.canRetry},
                                {"canDefault", row.canDefault},
                                {"severity", row.severity}});
        EXPECT_EQ(handle(error).breakValue, Value(error));
        const auto &box = dialogs->calls().end()[-2];
        EXPECT_EQ(box.title, "Morvane Fehlermeldung");
        EXPECT_EQ(box.buttons, row.buttons);
        EXPECT_EQ(box.style, row.style);
        const auto &second = dialogs->calls().back();
        EXPECT_EQ(second.text, "Ende mit LOG-Datei");
        EXPECT_EQ(second.title, "Morvane Fehlermeldung");
        EXPECT_EQ(second.buttons, 4);
        EXPECT_EQ(second.style, 131120);
    }
}

TEST_F(StandardHandler, EveryAnswerOfTheGraphicalBoxDoesWhatItSays)
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

TEST_F(StandardHandler, BreakThatComesBackInTheGraphicalBoxWritesTheLog)
{
    dialogs->answer(2);
    dialogs->answer(7);
    Ending ending = handle(errorWith({{"canDefault", true}}), false);
    EXPECT_TRUE(loggedAndQuit(ending));
}

TEST_F(StandardHandler, EveryChoiceOfTheTextModeAlertDoesWhatItSays)
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

TEST_F(StandardHandler, TextModeBreakThatComesBackQuitsWithoutALog)
{
    textMode();
    dialogs->answer(1);
    Ending ending = handle(errorWith({}), false);
    EXPECT_TRUE(ending.quit);
    EXPECT_EQ(ending.errorLevel, 1);
    EXPECT_FALSE(std::filesystem::exists("MRVERROR.LOG"));
}

TEST_F(StandardHandler, TextModeWithoutAWindowLogsAndQuitsWithoutAnAlert)
{
    setAppType(AppType::Text);
    Ending ending = handle(errorWith({{"canRetry", true}, {"canDefault", true}}));
    EXPECT_TRUE(loggedAndQuit(ending));
    EXPECT_TRUE(dialogs->calls().empty());
    EXPECT_EQ(errorChannel, "\n\rFehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben");
    EXPECT_EQ(console, "") << "console output is off without a text-mode window";
}

// The alert may move the cursor; the handler puts it back.
TEST_F(StandardHandler, TextModeAlertRestoresTheCursor)
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

TEST_F(StandardHandler, GraphicalTextHasEveryPieceOnALineOfItsOwn)
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

TEST_F(StandardHandler, BoxCallStackStartsWhereTheErrorWasRaised)
{
    EXPECT_EQ(ERRORSYS(), NIL);
    dialogs->answer(1); // OK: log and quit
    Ending ending = runCall([] { return outer(); });
    ASSERT_TRUE(ending.quit);
    const auto lines = errtest::split(calls(Kind::Confirm).at(0).text, "\r");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Fehler BASE/0");
    EXPECT_EQ(lines[2], "Operation : /");
    EXPECT_EQ(lines[4], "Aufgerufen von INNER(" + std::to_string(g_innerLine) + ")");
    EXPECT_EQ(lines[5], "Aufgerufen von OUTER(" + std::to_string(g_outerLine) + ")");
    // The log's call stack starts at the same procedure.
    const auto log = errtest::split(errtest::fileContent("MRVERROR.LOG"), "\r\n");
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log.end()[-3], lines[4]);
    EXPECT_EQ(log.end()[-2], lines[5]);
}

TEST_F(StandardHandler, HookInstallsOneCallbackNamedAfterItAndDropsThePreviousOne)
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
TEST_F(StandardHandler, ErrorsRaisedWhileHandlingEndTheProcessOnceNestedTooDeep)
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
