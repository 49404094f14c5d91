// The text functions on good input, W2BIN's bytes and its range, display forms and the character
// form of every kind of value, EMPTY, VALTYPE and LEN.

#include "RuntimeTestKit.hpp"

#include <cmath>

namespace {

using rt::Text;
using rt::Value;

class TextFunctions : public testsupport::RuntimeTest
{
};

struct Case
{
    const char *proves;
    Value result, expected;
};

void expectAll(std::initializer_list<Case> cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.proves);
        EXPECT_TRUE(rttest::sameValue(c.result, c.expected))
            << "got \"" << rt::VAR2CHAR(c.result).text() << "\"";
    }
}

TEST_F(TextFunctions, W2binGivesTwoBytesLowOrderFirst)
{
    rttest::ErrorRecorder recorder;
    expectAll({
        {"0 gives two zero bytes", rt::W2BIN(0), Text(2, '\0')},
        {"258 gives 0x02 0x01", rt::W2BIN(258), "\x02\x01"},
        {"32768 gives 0x00 0x80", rt::W2BIN(32768), Text("\x00\x80", 2)},
        {"65535 gives two 0xFF", rt::W2BIN(65535), "\xFF\xFF"},
        {"a fraction counts by its whole part", rt::W2BIN(258.99), "\x02\x01"},
        {"minus zero is zero", rt::W2BIN(-0.0), Text(2, '\0')},
    });
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(TextFunctions, W2binOutsideItsRangeRaisesWithTheNearestEndAsDefault)
{
    const Value notANumber = std::nan("");
    struct Row
    {
        const char *proves;
        Value given;
        Text fallback;
    } rows[] = {
        {"65536 is one too many", 65536, "\xFF\xFF"},
        {"a huge number", 1e300, "\xFF\xFF"},
        {"infinity", INFINITY, "\xFF\xFF"},
        {"-1 is below the range", -1, Text(2, '\0')},
        {"-0.5 counts as 0 and is in range", -0.5, Text(2, '\0')},
        {"minus infinity", -INFINITY, Text(2, '\0')},
        {"not a number", notANumber, Text(2, '\0')},
        {"a text", "258", Text(2, '\0')},
        {"NIL", rt::NIL, Text(2, '\0')},
        {"a logical", true, Text(2, '\0')},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ErrorRecorder recorder(false);
        EXPECT_EQ(rt::W2BIN(row.given), Value(row.fallback));
        const bool inRange = row.given.isNumber() && row.given.number() == -0.5;
        ASSERT_EQ(recorder.errors.size(), inRange ? 0u : 1u);
        if (inRange)
            continue;
        EXPECT_EQ(recorder.errors[0]->operation, Value("W2BIN"));
        EXPECT_TRUE(rttest::sameValue(recorder.errors[0]->args, rt::newArray({row.given})));
    }
}

TEST_F(TextFunctions, NumbersBecomeText)
{
    rttest::ErrorRecorder recorder;
    expectAll({
        {"STR aligns to ten", rt::STR(42), "        42"},
        {"STR with a width and decimals", rt::STR(3.14159, 6, 2), "  3.14"},
        {"STR with a width only rounds to whole", rt::STR(2.75, 3), "  3"},
        {"STR too wide for its width shows stars", rt::STR(12345, 3), "***"},
        {"STR of a negative number", rt::STR(-7), "        -7"},
        {"STR shows no minus zero", rt::STR(-0.0001, 5), "    0"},
        {"LTRIM", rt::LTRIM("  a b "), "a b "},
        {"TRIM", rt::TRIM("  a b  "), "  a b"},
        {"TRIM of blanks only", rt::TRIM("   "), ""},
        {"PADL pads on the left", rt::PADL("7", 3, "0"), "007"},
        {"PADL of a number uses its trimmed form", rt::PADL(12, 4, "0"), "0012"},
        {"PADL keeps the first characters of a longer text", rt::PADL("abcd", 2), "ab"},
        {"SPACE", rt::SPACE(3), "   "},
        {"REPLICATE", rt::REPLICATE("-", 4), "----"},
        {"REPLICATE of nothing many times is nothing", rt::REPLICATE("", 1e18), ""},
        {"STRTRAN replaces every occurrence", rt::STRTRAN("a;b;c", ";", "\r"), "a\rb\rc"},
        {"STRTRAN with an empty search changes nothing", rt::STRTRAN("abc", ""), "abc"},
        {"STRTRAN without replacement removes", rt::STRTRAN("a;b", ";"), "ab"},
        {"CHR 13", rt::CHR(13), "\r"},
        {"CHR 255", rt::CHR(255), "\xFF"},
    });
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(TextFunctions, EveryKindHasADisplayFormAndACharacterForm)
{
    auto selfHolding = rt::newArray({1});
    selfHolding->push_back(selfHolding);
    auto deep = rt::newArray();
    for (int i = 0; i < 12; ++i)
        deep = rt::newArray({deep});
    rt::ProcFrame frame("MAIN");
    const Value callback = rt::block([](rt::Args &) { return rt::NIL; });
    const Value object = std::make_shared<rt::CrtWindow>();
    const Value date = rt::Date{std::chrono::year{2024} / 3 / 5};
    struct Row
    {
        const char *proves;
        Value v;
        Text display, character;
    } rows[] = {
        {"NIL", rt::NIL, "NIL", "NIL"},
        {"a whole number", 42, "        42", "42"},
        {"a negative number", -3, "        -3", "-3"},
        {"a fraction with the decimals it needs", 1.25, "         1.25", "1.25"},
        {"a sum with binary noise", 0.1 + 0.2, "         0.3", "0.3"},
        {"minus zero", -0.0, "         0", "0"},
        {"true", true, ".T.", ".T."},
        {"false", false, ".F.", ".F."},
        {"a text unchanged", " x ", " x ", " x "},
        {"a date in the date format", date, "05.03.2024", "05.03.2024"},
        {"an array in braces", rt::newArray({1, "a", rt::NIL}), "{1, a, NIL}", "{1, a, NIL}"},
        {"an array holding itself", selfHolding, "{1, {...}}", "{1, {...}}"},
        {"a nesting too deep", deep, "{{{{{{{{{...}}}}}}}}}", "{{{{{{{{{...}}}}}}}}}"},
        {"an object by its class", object, "CrtWindow", "CrtWindow"},
        {"a callback by its call-stack name", callback, "{|| " + callback.block()->name + " }",
         "{|| " + callback.block()->name + " }"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EQ(rt::displayForm(row.v), row.display);
        EXPECT_EQ(rt::VAR2CHAR(row.v), Value(row.character));
    }
    EXPECT_EQ(callback.block()->name.substr(0, 8), "(B)MAIN@");
    selfHolding->clear(); // let the cycle go
}

TEST_F(TextFunctions, EmptyValtypeAndLenOfEveryKind)
{
    const Value object = std::make_shared<rt::CrtWindow>();
    const Value callback = rt::block([](rt::Args &) { return rt::NIL; });
    const Value date = rt::Date{std::chrono::year{2024} / 1 / 1};
    struct Row
    {
        Value v;
        bool empty;
        const char *type;
        Value len; // NIL: LEN raises
    } rows[] = {
        {rt::NIL, true, "U", rt::NIL},
        {0, true, "N", rt::NIL},
        {-0.0, true, "N", rt::NIL},
        {0.5, false, "N", rt::NIL},
        {false, true, "L", rt::NIL},
        {true, false, "L", rt::NIL},
        {"", true, "C", 0},
        {"  ", true, "C", 2},
        {"a", false, "C", 1},
        {"\x81\x94", false, "C", 2},
        {date, false, "D", rt::NIL},
        {rt::newArray(), true, "A", 0},
        {rt::newArray({rt::NIL}), false, "A", 1},
        {object, false, "O", rt::NIL},
        {callback, false, "B", rt::NIL},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.type) + " " + rt::VAR2CHAR(row.v).text());
        EXPECT_EQ(rt::EMPTY(row.v), Value(row.empty));
        EXPECT_EQ(rt::VALTYPE(row.v), Value(row.type));
        rttest::ErrorRecorder recorder(false);
        const Value len = rt::LEN(row.v);
        EXPECT_EQ(recorder.errors.size(), row.len.isNil() ? 1u : 0u);
        EXPECT_EQ(len, row.len.isNil() ? Value(0) : row.len);
    }
}

} // namespace
