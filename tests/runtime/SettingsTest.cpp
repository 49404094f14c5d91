// SET: every setting's start value, the previous value returned, the forms a switch takes, and
// wrong values and unknown numbers that raise and change nothing.

#include "RuntimeTestKit.hpp"

namespace {

using rt::Value;
using Settings = rttest::ScratchDirTest;

TEST_F(Settings, EverySettingReturnsItsPreviousValue)
{
    struct Row
    {
        int number;
        Value start, next;
    } rows[] = {
        {4, "dd.mm.yyyy", "dd.mm.yy"},
        {17, true, false},
        {18, false, true},
        {19, "", "alt.txt"},
        {21, false, true},
        {23, false, true},
        {40, true, false},
        {41, 0, 1},
    };
    rttest::ErrorRecorder recorder;
    for (const Row &row : rows) {
        SCOPED_TRACE("setting " + std::to_string(row.number));
        EXPECT_EQ(rt::SET(row.number), row.start);
        EXPECT_EQ(rt::SET(row.number, row.next), row.start);
        EXPECT_EQ(rt::SET(row.number), row.next);
        EXPECT_EQ(rt::SET(row.number, row.start), row.next);
        EXPECT_EQ(rt::SET(row.number), row.start);
    }
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(Settings, SwitchesTakeOnOffInAnyCaseAndLogicals)
{
    struct Row
    {
        const char *proves;
        Value given;
        bool on;
    } rows[] = {
        {"\"ON\" switches on", "ON", true}, {"\"off\" switches off", "off", false},
        {"\"On\" switches on", "On", true}, {"\"OFF\" switches off", "OFF", false},
        {"true switches on", true, true},   {"false switches off", false, false},
    };
    rttest::ErrorRecorder recorder;
    for (int number : {17, 18, 21, 23, 40}) {
        for (const Row &row : rows) {
            SCOPED_TRACE(std::to_string(number) + ": " + row.proves);
            rt::SET(number, row.given);
            EXPECT_EQ(rt::SET(number), Value(row.on)) << "read back as a logical";
        }
    }
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(Settings, AWrongKindRaisesAndChangesNothing)
{
    struct Row
    {
        const char *proves;
        int number;
        Value given;
    } rows[] = {
        {"a switch refuses a number", 17, 1},
        {"a switch refuses another word", 18, "YES"},
        {"a switch refuses NIL", 21, rt::NIL},
        {"a switch refuses an empty text", 23, ""},
        {"four-digit years refuse a text", 40, "ON "},
        {"the date format refuses a number", 4, 5},
        {"setting 41 refuses a text", 41, "1"},
        {"the file name refuses a number", 19, 7},
        {"the file name refuses a logical", 19, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        const Value before = rt::SET(row.number);
        rttest::ErrorRecorder recorder;
        EXPECT_TRUE(rt::SET(row.number, row.given).isNil()) << "the default result";
        const rt::ErrorObject &e = recorder.only();
        EXPECT_EQ(e.genCode, Value(int(rt::GenCode::Argument)));
        EXPECT_EQ(e.operation, Value("SET"));
        EXPECT_TRUE(rttest::sameValue(e.args, rt::newArray({row.number, row.given})));
        EXPECT_EQ(e.canDefault, Value(true));
        EXPECT_EQ(rt::SET(row.number), before);
    }
}

TEST_F(Settings, AFileNameWithAThirdArgumentOfTheWrongKindOpensNothing)
{
    rttest::ErrorRecorder recorder;
    rt::SET(19, "alt.txt", "yes");
    EXPECT_EQ(recorder.errors.size(), 1u);
    EXPECT_EQ(rt::SET(19), Value(""));
    EXPECT_FALSE(std::filesystem::exists("alt.txt"));
}

TEST_F(Settings, AnUnknownNumberRaisesForReadAndWrite)
{
    for (int number : {0, 5, 20, 42, -1}) {
        SCOPED_TRACE(number);
        rttest::ErrorRecorder recorder(99);
        EXPECT_EQ(rt::SET(number), Value(99)) << "a substitute is the result";
        EXPECT_EQ(recorder.only().genCode, Value(int(rt::GenCode::Setting)));
        recorder.answer = false;
        EXPECT_TRUE(rt::SET(number, true).isNil());
        ASSERT_EQ(recorder.errors.size(), 2u);
        EXPECT_TRUE(rttest::sameValue(recorder.errors[1]->args, rt::newArray({number})));
    }
}

TEST_F(Settings, TheDateFormatShapesDisplayedDates)
{
    const Value date = rt::Date{std::chrono::year{2024} / 3 / 5};
    EXPECT_EQ(rt::VAR2CHAR(date), Value("05.03.2024"));
    rt::SET(4, "dd.mm.yy");
    EXPECT_EQ(rt::VAR2CHAR(date), Value("05.03.24"));
    rt::SET(4, "yyyy-mm-dd");
    EXPECT_EQ(rt::VAR2CHAR(date), Value("2024-03-05"));
}

} // namespace
