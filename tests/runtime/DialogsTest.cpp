// ALERT's one default option, and the console dialogs on given, unusable and closed input.

#include "RuntimeTestKit.hpp"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

using namespace rt;
using testsupport::ScriptedDialogs;

using Dialogs = testsupport::RuntimeTest;

// What the dialogs are given is proven where the standard handler and the real boxes use them; one
// default is the runtime's own.
TEST_F(Dialogs, AnAlertWithoutOptionsOffersOneOK)
{
    auto scripted = std::make_shared<ScriptedDialogs>(std::deque<int>{1});
    installDialogs(scripted);
    EXPECT_EQ(ALERT("Text"), Value(1));
    EXPECT_EQ(scripted->calls().at(0).options, (std::vector<Text>{"OK"}));
}

// Runs `show` with standard input reading `input`; gives its answer and what it wrote. The C
// library's standard streams are variables that may point to other streams for the while.
template<class Show> std::pair<int, std::string> onConsole(const std::string &input, Show show)
{
    std::FILE *in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    char *written = nullptr;
    size_t size = 0;
    std::FILE *oldIn = std::exchange(stdin, in);
    std::FILE *oldOut = std::exchange(stdout, open_memstream(&written, &size));
    const int answer = show();
    std::fclose(std::exchange(stdin, oldIn));
    std::fclose(std::exchange(stdout, oldOut));
    std::string out(written, size);
    std::free(written);
    return {answer, out};
}

TEST_F(Dialogs, ConsoleAnswersFromInputAndTakesTheFirstChoiceWhenInputEnds)
{
    ConsoleDialogs console;
    const std::vector<Text> options{"Abbrechen", "Ende mit LOG-Datei", "Wiederholen"};
    struct Row
    {
        const char *proves;
        std::string input;
        int alert; // the option ALERT answers with
        Buttons buttons;
        BoxAnswer box; // the button CONFIRMBOX answers with
    } rows[] = {
        // clang-format off
        {"a valid number chooses", "3\n", 3, Buttons::AbortRetryIgnore, BoxAnswer::Ignore},
        {"unusable lines are asked again", "x\n0\n9\n2\n", 2, Buttons::YesNo, BoxAnswer::No},
        {"closed input takes the first", "", 1, Buttons::OkCancel, BoxAnswer::Ok},
        {"closed after garbage takes the first", "abc\n-1", 1, Buttons::AbortRetryIgnore, BoxAnswer::Abort},
        {"one button only", "", 1, Buttons::Ok, BoxAnswer::Ok},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        auto alert = [&] { return console.alert("Zeile 1;Zeile 2", options); };
        auto box = [&] { return console.confirmBox("a", "T", int(row.buttons), 16); };
        EXPECT_EQ(onConsole(row.input, alert).first, row.alert);
        EXPECT_EQ(onConsole(row.input, box).first, int(row.box));
    }
}

TEST_F(Dialogs, ConsoleShowsLinesAndOptionsDecodedForTheTerminal)
{
    ConsoleDialogs console;
    EXPECT_EQ(onConsole("", [&] { return console.alert("für;Zeile"_oem, {"Schließen"_oem}); }),
              std::make_pair(1, std::string("\nfür\nZeile\n  1) Schließen\n> ")));
    EXPECT_EQ(onConsole("1\n", [&] { return console.confirmBox("a\rb", "Titel", 4, 48); }),
              std::make_pair(6, std::string("\nTitel\na\nb\n  1) Ja\n  2) Nein\n> ")));
    EXPECT_EQ(onConsole("", [&] { return console.msgBox("geschrieben", ""), 0; }).second,
              "\ngeschrieben\n");
}

} // namespace
