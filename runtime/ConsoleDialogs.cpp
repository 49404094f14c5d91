// The text-mode dialogs: a numbered list on standard output, the answer read from standard input.
// They use C's standard streams: the C++ ones would be set up, with all their locale facets, at
// every start of the program, a windowed one included, which never reads the console.

#include "Dialogs.hpp"
#include "Text850.hpp"

#include <cstdio>
#include <string>

namespace rt {
namespace {

// The pieces are appended one after another: "literal" + a temporary text would make g++ 12 warn
// about an overlap that cannot happen.
template<class... Pieces> void show(const Pieces &...pieces)
{
    Text bytes;
    ((bytes += pieces), ...);
    const std::string utf8 = cp850ToUtf8(bytes);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void prompt(const char *text)
{
    std::fputs(text, stdout);
    std::fflush(stdout);
}

// One line of standard input without its line break; false when input ends before a line starts.
bool readLine(std::string &line)
{
    line.clear();
    int c = 0;
    while ((c = std::getc(stdin)) != EOF && c != '\n')
        line += static_cast<char>(c);
    return c == '\n' || !line.empty();
}

// Reads a number from 1 to `count`; 0 when input is closed before one arrives.
int readChoice(size_t count)
{
    std::string line;
    while (readLine(line)) {
        try {
            size_t used = 0;
            int n = std::stoi(line, &used);
            if (n >= 1 && static_cast<size_t>(n) <= count)
                return n;
        } catch (const std::exception &) {
        }
        prompt("? ");
    }
    return 0;
}

Text withLineBreaks(Text text, char separator)
{
    for (char &c : text)
        if (c == separator)
            c = '\n';
    return text;
}

} // namespace

int ConsoleDialogs::alert(const Text &message, const std::vector<Text> &options)
{
    show("\n", withLineBreaks(message, ';'), "\n");
    for (size_t i = 0; i < options.size(); ++i)
        show("  ", std::to_string(i + 1), ") ", options[i], "\n");
    prompt("> ");
    int choice = readChoice(options.size());
    return choice == 0 ? 1 : choice; // closed input: the first option
}

int ConsoleDialogs::confirmBox(const Text &text, const Text &title, int buttons, int)
{
    struct Choice
    {
        const char *label;
        BoxAnswer answer;
    };
    std::vector<Choice> choices;
    switch (static_cast<Buttons>(buttons)) {
    case Buttons::Ok:
        choices = {{"OK", BoxAnswer::Ok}};
        break;
    case Buttons::OkCancel:
        choices = {{"OK", BoxAnswer::Ok}, {"Abbrechen", BoxAnswer::Cancel}};
        break;
    case Buttons::AbortRetryIgnore:
        choices = {{"Abbrechen", BoxAnswer::Abort},
                   {"Wiederholen", BoxAnswer::Retry},
                   {"Ignorieren", BoxAnswer::Ignore}};
        break;
    case Buttons::YesNo:
        choices = {{"Ja", BoxAnswer::Yes}, {"Nein", BoxAnswer::No}};
        break;
    }
    if (choices.empty())
        choices = {{"OK", BoxAnswer::Ok}};
    show("\n", title, "\n", withLineBreaks(text, '\r'), "\n");
    for (size_t i = 0; i < choices.size(); ++i)
        std::printf("  %zu) %s\n", i + 1, choices[i].label);
    prompt("> ");
    int choice = readChoice(choices.size());
    return static_cast<int>(choices[choice == 0 ? 0 : static_cast<size_t>(choice) - 1].answer);
}

void ConsoleDialogs::msgBox(const Text &text, const Text &title)
{
    show("\n", title.empty() ? Text() : title + "\n", text, "\n");
    std::fflush(stdout);
}

} // namespace rt
