// 10 000 error objects whose members hold values of every kind, the wrong ones too: the message
// text and the log never crash, and every log keeps its layout. The seed is fixed, so a failure
// can be replayed; the failing object's number is in the trace.

#include "ErrorsTestKit.hpp"

#include <random>

namespace {

using namespace rt;
using errtest::split;

class RandomErrors : public errtest::ErrorSystemTest
{
protected:
    std::mt19937 random{20240305};

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // Any byte but CR and LF: a line break inside a member is the one thing that moves lines.
    Text anyText()
    {
        Text t(static_cast<size_t>(below(12)), ' ');
        for (char &c : t)
            do
                c = static_cast<char>(below(256));
            while (c == '\r' || c == '\n');
        return t;
    }

    Value anyValue(int depth = 0)
    {
        const double numbers[] = {0, 1, 2, 3, -1, 11, 12, 32, 0.5, -7.25, 1e15, -1e300, 65535};
        switch (below(depth > 1 ? 7 : 9)) {
        case 0:
            return NIL;
        case 1:
            return numbers[below(std::size(numbers))];
        case 2:
            return below(2) == 1;
        case 3:
            return anyText();
        case 4:
            return Date{std::chrono::year{1900 + below(300)} / (1 + below(12)) / (1 + below(28))};
        case 5:
            return std::make_shared<ErrorObject>();
        case 6:
            return block([](Args &) -> Value { return NIL; });
        default: {
            ArrayRef a = newArray();
            for (int n = below(4); n > 0; --n)
                a->push_back(anyValue(depth + 1));
            return a;
        }
        }
    }

    // The fixed lines and the order of the member labels: "" when the log keeps them, else what
    // is wrong. (One check per log rather than one per line keeps 10 000 logs fast.)
    std::string layoutProblem(const std::string &log, const Value &args) const
    {
        const auto lines = split(log, "\r\n");
        const std::string dashes(78, '-');
        const size_t argLines = args.isArray() ? args.array()->size() : 1;
        if (lines.size() != 27 + argLines)
            return "line count " + std::to_string(lines.size());
        std::vector<std::pair<std::string, bool>> wanted = {// text, and whether the whole line
                                                            {"", true},
                                                            {dashes, true},
                                                            {"FEHLERPROTOKOLL von \"", false},
                                                            {"", true},
                                                            {"Morvane Version     : ", false},
                                                            {"Betriebssystem      : ", false},
                                                            {dashes, true},
                                                            {"oError:args         :", true}};
        for (size_t i = 0; i < argLines; ++i)
            wanted.push_back(
                {args.isArray() ? "          -> VALTYPE: " : "           -> NIL", !args.isArray()});
        for (const char *label :
             {"canDefault   :", "canRetry     :", "canSubstitute:", "cargo        :",
              "description  :", "filename     :", "genCode      :", "operation    :",
              "osCode       :", "severity     :", "subCode      :", "subSystem    :",
              "thread       :", "tries        :"})
            wanted.push_back({"oError:" + std::string(label) + " ", false});
        for (const std::string &line :
             {dashes, std::string("CALLSTACK:"), dashes,
              "Aufgerufen von RANDOM(" + std::to_string(m_line) + ")", std::string()})
            wanted.push_back({line, true});
        for (size_t i = 0; i < lines.size(); ++i) {
            const auto &[text, whole] = wanted[i];
            if (whole ? lines[i] != text : lines[i].rfind(text, 0) != 0)
                return "line " + std::to_string(i + 1) + ": " + lines[i];
        }
        return {};
    }

    int m_line = 0;
};

TEST_F(RandomErrors, MessageAndLogOfAnyMembersNeverCrashAndKeepTheirLayout)
{
    // Members of a kind an operation cannot take raise the runtime's error; its default is taken.
    ERRORBLOCK(block([](Args &) -> Value { return false; }));
    ProcFrame frame("RANDOM");
    for (int n = 0; n < 10000 && !HasFailure(); ++n) {
        auto error = std::make_shared<ErrorObject>();
        for (std::string_view name : ErrorObject::memberNames())
            *error->member(name) = anyValue();

        const Value message = ERRORMESSAGE(error);
        const Text text = message.isText() ? message.text() : Text();
        const bool wordFirst = text.rfind("Fehler ", 0) == 0 || text.rfind("Warnung ", 0) == 0;
        if (!wordFirst || text.find(";Thread ID : ") == Text::npos)
            ADD_FAILURE() << "error object " << n << ": " << text;

        m_line = __LINE__ + 1;
        ERRORLOG(error, 0);
        const std::string problem =
            layoutProblem(errtest::fileContent("MRVERROR.LOG"), error->args);
        EXPECT_EQ(problem, "") << "error object " << n;
    }
    EXPECT_EQ(dialogs->calls().size(), 10000u) << "one report per log";
}

} // namespace
