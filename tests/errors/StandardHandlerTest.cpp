// The standard error handler's decisions before it asks: the silent repairs, the option list of
// the alert and the codes of the box.

#include "ErrorsTestKit.hpp"

#include <algorithm>
#include <regex>

namespace {

using namespace rt;
using namespace errtest;
using Kind = ScriptedDialogs::Call::Kind;

using StandardHandler = errtest::HandlerTest;

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
        testsupport::ErrorRecorder raised;
        const bool repaired = row.expected != shown;
        if (!repaired)
            dialogs->answer(1); // "Abbrechen"; a repair asking would find no answer and throw
        const size_t before = dialogs->calls().size();
        auto error = errorWith(row.members);
        Ending ending = handle(error);
        EXPECT_EQ(dialogs->calls().size(), before + !repaired) << "a repair asks nobody";
        EXPECT_EQ(repaired ? ending.answer : ending.breakValue, repaired ? row.expected : error);
        EXPECT_TRUE(raised.errors.empty()) << "deciding raised an error of its own";
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
        const auto &box = dialogs->calls().end()[-2], &second = dialogs->calls().back();
        EXPECT_EQ(std::tie(box.title, box.buttons, box.style),
                  std::make_tuple("Morvane Fehlermeldung", row.buttons, row.style));
        EXPECT_EQ(std::tie(second.text, second.title, second.buttons, second.style),
                  std::make_tuple("Ende mit LOG-Datei", "Morvane Fehlermeldung", 4, 131120));
    }
}

} // namespace
