// The text functions on good input, W2BIN's bytes and its range, the display and character forms
// of every kind of value, EMPTY, VALTYPE and LEN.

#include "RuntimeTestKit.hpp"

#include <cmath>
#include <optional>

namespace {

using namespace rt;

using TextFunctions = testsupport::RuntimeTest;

TEST_F(TextFunctions, W2binGivesTwoBytesLowOrderFirstAndTheNearestEndOutsideItsRange)
{
    const Text zeros(2, '\0');
    struct Row
    {
        const char *proves;
        Value given;
        Text bytes;
        bool raises;
    } rows[] = {
        // clang-format off
        {"0 gives two zero bytes", 0, zeros, false},
        {"258 gives 0x02 0x01", 258, "\x02\x01", false},
        {"32768 gives 0x00 0x80", 32768, Text("\x00\x80", 2), false},
        {"65535 gives two 0xFF", 65535, "\xFF\xFF", false},
        {"a fraction counts by its whole part", 258.99, "\x02\x01", false},
        {"-0.5 counts as 0", -0.5, zeros, false},
        {"65536 is one too many", 65536, "\xFF\xFF", true},
        {"infinity", INFINITY, "\xFF\xFF", true},
        {"-1 is below the range", -1, zeros, true},
        {"minus infinity", -INFINITY, zeros, true},
        {"not a number", std::nan(""), zeros, true},
        {"a text", "258", zeros, true},
        {"NIL", NIL, zeros, true},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ErrorRecorder recorder(false);
        EXPECT_EQ(W2BIN(row.given), Value(row.bytes));
        ASSERT_EQ(recorder.errors.size(), row.raises ? 1u : 0u);
        if (row.raises) {
            EXPECT_TRUE(rttest::sameValue(recorder.errors[0]->args, newArray({row.given})));
        }
    }
}

TEST_F(TextFunctions, GoodInputGivesTheExpectedText)
{
    rttest::ErrorRecorder recorder;
    const std::pair<Value, Text> rows[] = {
        // clang-format off
        {STR(42), "        42"},
        {STR(3.14159, 6, 2), "  3.14"},
        {STR(2.75, 3), "  3"},                // a width alone rounds to whole
        {STR(12345, 3), "***"},               // too wide for the width
        {LTRIM("  a b "), "a b "},
        {PADL("7", 3, "0"), "007"},
        {PADL(12, 4, "0"), "0012"},           // a number by its trimmed form
        {REPLICATE("-", 4), "----"},
        {REPLICATE("", 1e18), ""},            // nothing many times is nothing, at once
        {STRTRAN("a;b;c", ";", "\r"), "a\rb\rc"},
        {STRTRAN("a;b", ";"), "ab"},
        // clang-format on
    };
    for (const auto &[result, expected] : rows)
        EXPECT_EQ(result, Value(expected));
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(TextFunctions, EveryKindHasADisplayFormAndACharacterForm)
{
    auto selfHolding = newArray({1});
    selfHolding->push_back(selfHolding);
    auto deep = newArray();
    for (int i = 0; i < 12; ++i)
        deep = newArray({deep});
    ProcFrame frame("MAIN");
    const Value callback = block([](Args &) { return NIL; });
    const Text callbackForm = "{|| " + callback.block()->name + " }";
    const Value date = Date{std::chrono::year{2024} / 3 / 5};
    struct Row
    {
        Value v;
        Text display, character;
        const char *locale = nullptr; // in force for the row; none: the one the test runs in
    } rows[] = {
        // clang-format off
        {NIL, "NIL", "NIL"},
        {42, "        42", "42"},
        {-3, "        -3", "-3"},
        {1.25, "         1.25", "1.25"},
        {1.5, "         1.5", "1.5", testsupport::kGermanLocale}, // a point, not the locale's comma
        {0.1 + 0.2, "         0.3", "0.3"},
        {-0.0, "         0", "0"},
        {INFINITY, "       inf", "inf"},
        {true, ".T.", ".T."},
        {false, ".F.", ".F."},
        {" x ", " x ", " x "},
        {date, "05.03.2024", "05.03.2024"},
        {newArray({1, "a", NIL}), "{1, a, NIL}", "{1, a, NIL}"},
        {selfHolding, "{1, {...}}", "{1, {...}}"},
        {deep, "{{{{{{{{{...}}}}}}}}}", "{{{{{{{{{...}}}}}}}}}"},
        {std::make_shared<CrtWindow>(), "CrtWindow", "CrtWindow"},
        {callback, callbackForm, callbackForm},
        // clang-format on
    };
    bool skipped = false;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.character);
        std::optional<testsupport::ProcessLocale> locale;
        if (row.locale && !locale.emplace(row.locale).available()) {
            skipped = true;
            continue;
        }
        EXPECT_EQ(displayForm(row.v), row.display);
        EXPECT_EQ(VAR2CHAR(row.v), Value(row.character));
    }
    selfHolding->clear(); // lets the cycle go
    if (skipped)
        GTEST_SKIP() << "no locale " << testsupport::kGermanLocale << " here: its row did not run";
}

TEST_F(TextFunctions, EmptyValtypeAndLenOfEveryKind)
{
    const Value noLen; // LEN raises, default 0
    struct Row
    {
        Value v;
        bool empty;
        const char *type;
        Value len;
    } rows[] = {
        // clang-format off
        {NIL, true, "U", noLen},              {0, true, "N", noLen},
        {-0.0, true, "N", noLen},             {0.5, false, "N", noLen},
        {false, true, "L", noLen},            {true, false, "L", noLen},
        {"", true, "C", 0},                   {" \t", true, "C", 2},
        {"\x81", false, "C", 1},              {Date{}, false, "D", noLen},
        {newArray(), true, "A", 0},           {newArray({NIL}), false, "A", 1},
        {std::make_shared<CrtWindow>(), false, "O", noLen},
        {block([](Args &) { return NIL; }), false, "B", noLen},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.type) + " " + VAR2CHAR(row.v).text());
        EXPECT_EQ(EMPTY(row.v), Value(row.empty));
        EXPECT_EQ(VALTYPE(row.v), Value(row.type));
        rttest::ErrorRecorder recorder(false);
        EXPECT_EQ(LEN(row.v), row.len.isNil() ? Value(0) : row.len);
        EXPECT_EQ(recorder.errors.size(), row.len.isNil() ? 1u : 0u);
    }
}

} // namespace
