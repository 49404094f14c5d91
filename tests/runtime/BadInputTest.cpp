// Every family of runtime operations handed values of the wrong kind or out of range: each call
// raises exactly one error through the installed callback, naming the operation and its operands,
// and a handler can take the documented default or substitute a value.

#include "RuntimeTestKit.hpp"

#include <cmath>

namespace {

using namespace rt;
using testsupport::ScriptedDialogs;
constexpr GenCode TooLong = GenCode::TextTooLong, Bound = GenCode::Bound,
                  NoMethod = GenCode::NoMethod, NoVariable = GenCode::NoVariable,
                  Unknown = GenCode::Setting;

using BadInput = testsupport::RuntimeTest;

struct Row
{
    const char *proves;
    std::function<Value()> call;
    const char *operation;
    Args args;
    Value fallback; // the result when the handler takes the default
    GenCode code = GenCode::Argument;
};

// Runs each row twice: once answering false where the error allows a default (a substitute
// otherwise), once answering with a substitute.
void expectRaised(const std::vector<Row> &rows)
{
    std::vector<ErrorRef> errors;
    Value substitute = false;
    ERRORBLOCK(block([&](Args &args) -> Value {
        errors.push_back(std::dynamic_pointer_cast<ErrorObject>(args.at(0).object()));
        const bool mayDefault = errors.back()->canDefault == Value(true);
        return substitute.isNumber() || !mayDefault ? Value(42) : Value(false);
    }));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        errors.clear();
        substitute = false;
        const Value result = row.call();
        ASSERT_EQ(errors.size(), 1u) << "errors raised";
        const ErrorObject &e = *errors[0];
        EXPECT_EQ(e.genCode, Value(static_cast<int>(row.code)));
        EXPECT_EQ(e.operation, Value(row.operation));
        EXPECT_TRUE(rttest::sameValue(e.args, std::make_shared<Array>(row.args)))
            << "args: " << VAR2CHAR(e.args).text();
        EXPECT_EQ(e.canRetry, Value(false)) << "trying the same operands again cannot help";
        const bool canDefault = e.canDefault == Value(true);
        const bool canSubstitute = e.canSubstitute == Value(true);
        ASSERT_TRUE(canDefault || canSubstitute) << "the handler must be able to answer";
        if (canDefault) {
            EXPECT_TRUE(rttest::sameValue(result, row.fallback))
                << "default: " << VAR2CHAR(result).text();
        }
        if (canSubstitute) {
            substitute = 42;
            EXPECT_EQ(row.call(), Value(42)) << "the substitute is the result";
        }
    }
}

const Value kNaN = std::nan("");

TEST_F(BadInput, TextFunctions)
{
    const Text none;
    // clang-format off
    expectRaised({
        {"STR of a text", [] { return STR("1"); }, "STR", {"1", NIL, NIL}, none},
        {"STR width 0", [] { return STR(1, 0); }, "STR", {1, 0, NIL}, none},
        {"STR width NaN", [] { return STR(1, kNaN); }, "STR", {1, kNaN, NIL}, none},
        {"STR 31 decimals", [] { return STR(1, 10, 31); }, "STR", {1, 10, 31}, none},
        {"LTRIM of a number", [] { return LTRIM(1); }, "LTRIM", {1}, none},
        {"TRIM of NIL", [] { return TRIM(NIL); }, "TRIM", {NIL}, none},
        {"PADL of NIL", [] { return PADL(NIL, 3); }, "PADL", {NIL, 3, " "}, none},
        {"PADL with an empty fill", [] { return PADL("a", 3, ""); }, "PADL", {"a", 3, ""}, none},
        {"PADL to 2e9", [] { return PADL("a", 2e9); }, "PADL", {"a", 2e9, " "}, none, TooLong},
        {"SPACE of -1", [] { return SPACE(-1); }, "SPACE", {-1}, none},
        {"SPACE of NaN", [] { return SPACE(kNaN); }, "SPACE", {kNaN}, none},
        {"SPACE of 2e9", [] { return SPACE(2e9); }, "SPACE", {2e9}, none, TooLong},
        {"REPLICATE a number", [] { return REPLICATE(1, 2); }, "REPLICATE", {1, 2}, none},
        {"REPLICATE -1 times", [] { return REPLICATE("a", -1); }, "REPLICATE", {"a", -1}, none},
        {"REPLICATE infinitely", [] { return REPLICATE("a", INFINITY); }, "REPLICATE", {"a", INFINITY}, none, TooLong},
        {"STRTRAN in a number", [] { return STRTRAN(5, "a"); }, "STRTRAN", {5, "a", ""}, none},
        {"STRTRAN with NIL", [] { return STRTRAN("abc", "b", NIL); }, "STRTRAN", {"abc", "b", NIL}, "abc"},
        {"CHR 256", [] { return CHR(256); }, "CHR", {256}, none},
        {"CHR NaN", [] { return CHR(kNaN); }, "CHR", {kNaN}, none},
        {"CHR of a text", [] { return CHR("A"); }, "CHR", {"A"}, none},
        {"W2BIN NaN", [] { return W2BIN(kNaN); }, "W2BIN", {kNaN}, Text(2, '\0')},
        {"LEN of a number", [] { return LEN(5); }, "LEN", {5}, 0},
    });
    // clang-format on
}

TEST_F(BadInput, Arithmetic)
{
    // clang-format off
    expectRaised({
        {"a text plus a number", [] { return plus("1", 1); }, "+", {"1", 1}, 0},
        {"NIL minus a number", [] { return minus(NIL, 1); }, "-", {NIL, 1}, 0},
        {"a number times a logical", [] { return times(2, true); }, "*", {2, true}, 0},
        {"a text divided by zero", [] { return divide("a", 0); }, "/", {"a", 0}, 0},
        {"a modulus of NIL", [] { return modulo(5, NIL); }, "%", {5, NIL}, 0},
        {"a power of a date", [] { return power(DATE(), 2); }, "**", {DATE(), 2}, 0},
        {"a text compared", [] { return greaterEqual("b", 1); }, ">=", {"b", 1}, false},
        {"NIL compared", [] { return lessThan(1, NIL); }, "<", {1, NIL}, false},
    });
    // clang-format on
}

TEST_F(BadInput, AConditionThatIsNotALogicalCountsAsFalse)
{
    for (const Value &answer : {Value(false), Value(1)}) {
        SCOPED_TRACE(VAR2CHAR(answer).text());
        rttest::ErrorRecorder recorder(answer);
        EXPECT_FALSE(isTrue(1));
        EXPECT_EQ(recorder.only().operation, Value("IF"));
    }
}

TEST_F(BadInput, Arrays)
{
    static const Value array = newArray({"a", "b"});
    static const Value notACallback = "x";
    // clang-format off
    expectRaised({
        {"AADD to NIL", [] { return AADD(NIL, 1); }, "AADD", {NIL, 1}, 1},
        {"element 0", [] { return ELEMENT(array, 0); }, "[]", {array, 0}, NIL, Bound},
        {"element NaN", [] { return ELEMENT(array, kNaN); }, "[]", {array, kNaN}, NIL, Bound},
        {"element 1e300", [] { return ELEMENT(array, 1e300); }, "[]", {array, 1e300}, NIL, Bound},
        {"element of a text", [] { return ELEMENT("ab", 1); }, "[]", {"ab", 1}, NIL},
        {"element \"1\"", [] { return ELEMENT(array, "1"); }, "[]", {array, "1"}, NIL},
        {"AEVAL with a text", [] { return AEVAL(array, notACallback); }, "AEVAL", {array, notACallback}, array},
        {"AEVAL over NIL", [] { return AEVAL(NIL, notACallback); }, "AEVAL", {NIL, notACallback}, NIL},
    });
    // clang-format on
}

TEST_F(BadInput, MessagesAndPublics)
{
    static const Value window = std::make_shared<CrtWindow>();
    // clang-format off
    expectRaised({
        {"a message to NIL", [] { return SEND(NIL, "getData"); }, "getData", {NIL}, NIL, NoMethod},
        {"a message to a number", [] { return SEND(5, "setData", {1}); }, "setData", {5, 1}, NIL, NoMethod},
        {"an unknown message", [] { return SEND(window, "fly", {1, 2}); }, "fly", {window, 1, 2}, NIL, NoMethod},
        {"isDerivedFrom without a class", [] { return SEND(window, "isDerivedFrom"); }, "isDerivedFrom", {window}, NIL, NoMethod},
        {"a name never published", [] { return PUBLIC("oNowhere"); }, "oNowhere", {"oNowhere"}, NIL, NoVariable},
        {"EVAL of a text", [] { return EVAL("x"); }, "EVAL", {"x"}, NIL},
    });
    // clang-format on
}

// A value of the wrong kind changes no setting.
TEST_F(BadInput, Settings)
{
    std::vector<Value> before;
    for (int number : {4, 17, 18, 19, 21, 40, 41})
        before.push_back(SET(number));
    // clang-format off
    expectRaised({
        {"an unknown number", [] { return SET(16); }, "SET", {16}, NIL, Unknown},
        {"an unknown number set", [] { return SET(99, true); }, "SET", {99}, NIL, Unknown},
        {"a switch given a number", [] { return SET(17, 1); }, "SET", {17, 1}, NIL},
        {"a switch given another word", [] { return SET(18, "YES"); }, "SET", {18, "YES"}, NIL},
        {"a switch given NIL", [] { return SET(21, NIL); }, "SET", {21, NIL}, NIL},
        {"a switch given a padded word", [] { return SET(40, "ON "); }, "SET", {40, "ON "}, NIL},
        {"a date format given NIL", [] { return SET(4, NIL); }, "SET", {4, NIL}, NIL},
        {"a date format given a number", [] { return SET(4, 5); }, "SET", {4, 5}, NIL},
        {"setting 41 given a text", [] { return SET(41, "1"); }, "SET", {41, "1"}, NIL},
        {"a file name given a number", [] { return SET(19, 1); }, "SET", {19, 1}, NIL},
        {"a file name given a logical", [] { return SET(19, false); }, "SET", {19, false}, NIL},
    });
    // clang-format on
    std::vector<Value> after;
    for (int number : {4, 17, 18, 19, 21, 40, 41})
        after.push_back(SET(number));
    EXPECT_EQ(after, before);
}

TEST_F(BadInput, DialogsAreNotShown)
{
    auto scripted = std::make_shared<ScriptedDialogs>();
    installDialogs(scripted);
    static const Value empty = newArray(), numbers = newArray({1});
    // clang-format off
    expectRaised({
        {"ALERT of a number", [] { return ALERT(1); }, "ALERT", {1, NIL}, 0},
        {"ALERT with no options", [] { return ALERT("t", empty); }, "ALERT", {"t", empty}, 0},
        {"ALERT with a number option", [] { return ALERT("t", numbers); }, "ALERT", {"t", numbers}, 0},
        {"CONFIRMBOX of NIL", [] { return CONFIRMBOX(NIL, NIL); }, "CONFIRMBOX", {NIL, NIL, NIL, 0, 0}, 0},
        {"CONFIRMBOX button set 3", [] { return CONFIRMBOX(NIL, "t", "T", 3); }, "CONFIRMBOX", {NIL, "t", "T", 3, 0}, 0},
        {"CONFIRMBOX title a number", [] { return CONFIRMBOX(NIL, "t", 5); }, "CONFIRMBOX", {NIL, "t", 5, 0, 0}, 0},
        {"CONFIRMBOX style 16.5", [] { return CONFIRMBOX(NIL, "t", NIL, 0, 16.5); }, "CONFIRMBOX", {NIL, "t", NIL, 0, 16.5}, 0},
        {"CONFIRMBOX style NaN", [] { return CONFIRMBOX(NIL, "t", NIL, 0, kNaN); }, "CONFIRMBOX", {NIL, "t", NIL, 0, kNaN}, 0},
        {"MSGBOX of a number", [] { return MSGBOX(1); }, "MSGBOX", {1, NIL}, NIL},
        {"MSGBOX title a logical", [] { return MSGBOX("t", true); }, "MSGBOX", {"t", true}, NIL},
    });
    // clang-format on
    EXPECT_TRUE(scripted->calls().empty());
}

TEST_F(BadInput, SystemFunctions)
{
    rttest::ConsoleCapture capture;
    // clang-format off
    expectRaised({
        {"VERSION 4", [] { return VERSION(4); }, "VERSION", {4}, ""},
        {"VERSION NaN", [] { return VERSION(kNaN); }, "VERSION", {kNaN}, ""},
        {"VERSION of a text", [] { return VERSION("1"); }, "VERSION", {"1"}, ""},
        {"TONE for -1", [] { return TONE(660, -1); }, "TONE", {660, -1}, NIL},
        {"SETPOS to -1", [] { return SETPOS(-1, 0); }, "SETPOS", {-1, 0}, NIL},
        {"SETPOS to NaN", [] { return SETPOS(kNaN, 0); }, "SETPOS", {kNaN, 0}, NIL},
        {"SETPOS far away", [] { return SETPOS(0, 1e12); }, "SETPOS", {0, 1e12}, NIL},
    });
    // clang-format on
    EXPECT_EQ(ROW(), 0);
    EXPECT_EQ(COL(), 0);
}

TEST_F(BadInput, Engines)
{
    // clang-format off
    expectRaised({
        {"DBELOAD of a number", [] { return DBELOAD(1); }, "DBELOAD", {1, false}, false},
        {"DBELOAD hidden a number", [] { return DBELOAD("DBFDBE", 1); }, "DBELOAD", {"DBFDBE", 1}, false},
        {"DBEBUILD of NIL", [] { return DBEBUILD(NIL, "DBFDBE", "NTXDBE"); }, "DBEBUILD", {NIL, "DBFDBE", "NTXDBE"}, false},
        {"DBEBUILD of a number", [] { return DBEBUILD("X", "DBFDBE", 2); }, "DBEBUILD", {"X", "DBFDBE", 2}, false},
    });
    // clang-format on
    EXPECT_FALSE(testsupport::engineLoaded("DBFDBE"));
}

} // namespace
