// 10 000 error objects whose members hold values of every kind, the wrong ones too: the message
// text and the log never crash, and every log keeps its layout. The seed is fixed, so a failure
// can be replayed; the failing object's number is in the trace.

#include "ErrorsTestKit.hpp"

#include <algorithm>
#include <random>

namespace {

using namespace rt;
using namespace errtest;

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

    // The lines of a log as labels: each line up to its first ": " (the label of a member or a
    // header line), a line without one whole. The values differ, the labels must not.
    static std::vector<std::string> labels(const std::string &log)
    {
        std::vector<std::string> labels;
        for (const std::string &line : split(log, "\r\n"))
            labels.push_back(
                line.substr(0, line.find(": ") == line.npos ? line.npos : line.find(": ") + 1));
        return labels;
    }

    // ERRORLOG from one and the same line, so that every log lists the same call stack.
    std::string log(const ErrorRef &error)
    {
        ERRORLOG(error, 0);
        return fileContent("MRVERROR.LOG");
    }
};

TEST_F(RandomErrors, MessageAndLogOfAnyMembersNeverCrashAndKeepTheirLayout)
{
    // Members of a kind an operation cannot take raise the runtime's error; its default is taken.
    ERRORBLOCK(block([](Args &) -> Value { return false; }));
    ProcFrame frame("RANDOM");
    // The layout of a log of the defaults (proven line by line by the error log's tests): its one
    // line for args NIL stands for one line for each element where args is an array.
    std::vector<std::string> layout = labels(log(std::make_shared<ErrorObject>()));
    const auto argsAt = std::ranges::find(layout, "           -> NIL");
    ASSERT_NE(argsAt, layout.end());
    const auto argsLine = argsAt - layout.begin();
    for (int n = 0; n < 10000 && !HasFailure(); ++n) {
        auto error = std::make_shared<ErrorObject>();
        for (std::string_view name : ErrorObject::memberNames())
            *error->member(name) = anyValue();

        const Value message = ERRORMESSAGE(error);
        const Text text = message.isText() ? message.text() : Text();
        const bool wordFirst = text.rfind("Fehler ", 0) == 0 || text.rfind("Warnung ", 0) == 0;
        if (!wordFirst || text.find(";Thread ID : ") == Text::npos)
            ADD_FAILURE() << "error object " << n << ": " << text;

        std::vector<std::string> expected = layout;
        if (error->args.isArray()) {
            expected.erase(expected.begin() + argsLine);
            expected.insert(expected.begin() + argsLine, error->args.array()->size(),
                            "          -> VALTYPE:");
        }
        const std::string written = log(error);
        EXPECT_EQ(labels(written), expected) << "error object " << n << ":\n" << written;
    }
    EXPECT_EQ(dialogs->calls().size(), 10001u) << "one report per log";
}

} // namespace
