// ALERT, CONFIRMBOX and MSGBOX through the scripted dialogs, and the console dialogs on given,
// unusable and closed input.

#include "RuntimeTestKit.hpp"

#include <iostream>
#include <sstream>

namespace {

using rt::Value;
using rt::operator""_oem;

class Dialogs : public testsupport::RuntimeTest
{
};

TEST_F(Dialogs, ScriptedDialogsRecordEachCallAndAnswerInTurn)
{
    auto scripted = std::make_shared<rt::ScriptedDialogs>(std::deque<int>{2, 6});
    rt::installDialogs(scripted);
    EXPECT_EQ(rt::ALERT("Text;Zeile", rt::newArray({"Abbrechen", "Ignorieren"})), Value(2));
    EXPECT_EQ(rt::CONFIRMBOX(rt::NIL, "a\rb", "Titel", 4, 131120), Value(6));
    EXPECT_TRUE(rt::MSGBOX("Fehlerprotokoll").isNil());
    EXPECT_THROW(rt::ALERT("no answer left"), std::logic_error);

    const auto &calls = scripted->calls();
    ASSERT_EQ(calls.size(), 4u);
    using Kind = rt::ScriptedDialogs::Call::Kind;
    EXPECT_EQ(calls[0].kind, Kind::Alert);
    EXPECT_EQ(calls[0].text, "Text;Zeile");
    EXPECT_EQ(calls[0].options, (std::vector<rt::Text>{"Abbrechen", "Ignorieren"}));
    EXPECT_EQ(calls[1].kind, Kind::Confirm);
    EXPECT_EQ(calls[1].title, "Titel");
    EXPECT_EQ(calls[1].buttons, 4);
    EXPECT_EQ(calls[1].style, 131120);
    EXPECT_EQ(calls[2].kind, Kind::Message);
    EXPECT_EQ(calls[2].title, "");
    EXPECT_EQ(calls[3].options, (std::vector<rt::Text>{"OK"})) << "no options means one OK";
}

TEST_F(Dialogs, IconIsTheStylesLowestSevenBits)
{
    EXPECT_EQ(rt::iconOf(16 + 131072), rt::Icon::Stop);
    EXPECT_EQ(rt::iconOf(48 + 131072), rt::Icon::Exclamation);
    EXPECT_EQ(rt::iconOf(64), rt::Icon::Information);
    EXPECT_EQ(rt::iconOf(0), rt::Icon::None);
    EXPECT_EQ(rt::iconOf(17), rt::Icon::None);
}

// Runs `show` with standard input reading `input`; gives its answer and what it wrote.
template<class Show> std::pair<int, std::string> onConsole(const std::string &input, Show show)
{
    std::istringstream in(input);
    std::ostringstream out;
    std::streambuf *oldIn = std::cin.rdbuf(in.rdbuf());
    std::streambuf *oldOut = std::cout.rdbuf(out.rdbuf());
    std::cin.clear();
    const int answer = show();
    std::cin.rdbuf(oldIn);
    std::cout.rdbuf(oldOut);
    std::cin.clear();
    return {answer, out.str()};
}

TEST_F(Dialogs, ConsoleAnswersFromInputAndTakesTheFirstChoiceWhenInputEnds)
{
    rt::ConsoleDialogs console;
    const std::vector<rt::Text> options{"Abbrechen", "Ende mit LOG-Datei", "Wiederholen"};
    using Buttons = rt::Buttons;
    using Answer = rt::BoxAnswer;
    struct Row
    {
        const char *proves;
        std::string input;
        int alert; // the option ALERT answers with
        Buttons buttons;
        Answer box; // the button CONFIRMBOX answers with
    } rows[] = {
        {"a valid number chooses", "3\n", 3, Buttons::AbortRetryIgnore, Answer::Ignore},
        {"unusable lines are asked again", "x\n0\n9\n2\n", 2, Buttons::YesNo, Answer::No},
        {"closed input takes the first", "", 1, Buttons::OkCancel, Answer::Ok},
        {"closed after garbage takes the first", "abc\n-1", 1, Buttons::AbortRetryIgnore,
         Answer::Abort},
        {"one button only", "", 1, Buttons::Ok, Answer::Ok},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EQ(
            onConsole(row.input, [&] { return console.alert("Zeile 1;Zeile 2", options); }).first,
            row.alert);
        EXPECT_EQ(onConsole(row.input,
                            [&] {
                                return console.confirmBox("a", "T", static_cast<int>(row.buttons),
                                                          16);
                            })
                      .first,
                  static_cast<int>(row.box));
    }
}

TEST_F(Dialogs, ConsoleShowsLinesAndOptionsDecodedForTheTerminal)
{
    rt::ConsoleDialogs console;
    auto [answer, shown] = onConsole("", [&] {
        return console.alert("Datei für;Fehlerprotokoll"_oem, {"Schließen"_oem, "Nein"});
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(shown, "\nDatei für\nFehlerprotokoll\n  1) Schließen\n  2) Nein\n> ");
    auto [ok, box] = onConsole("", [&] {
        console.msgBox("Fehlerprotokoll wurde geschrieben", "");
        return 0;
    });
    EXPECT_EQ(box, "\nFehlerprotokoll wurde geschrieben\n");
    auto [yes, confirm] =
        onConsole("1\n", [&] { return console.confirmBox("a\rb", "Titel", 4, 48); });
    EXPECT_EQ(yes, int(rt::BoxAnswer::Yes));
    EXPECT_EQ(confirm, "\nTitel\na\nb\n  1) Ja\n  2) Nein\n> ");
    (void)ok;
}

} // namespace
