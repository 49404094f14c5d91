// SET: every setting's start value, the previous value returned, the forms a switch takes, and the
// date format (wrong values, which raise and change nothing: BadInputTest, but for a file's third
// argument).

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;
using Settings = rttest::ScratchDirTest;

TEST_F(Settings, EverySettingReturnsItsPreviousValue)
{
    struct Row
    {
        int number;
        Value start, next;
    } rows[] = {{4, "dd.mm.yyyy", "dd.mm.yy"},
                {17, true, false},
                {18, false, true},
                {19, "", "alt.txt"},
                {21, false, true},
                {23, false, true},
                {40, true, false},
                {41, 0, 1}};
    rttest::ErrorRecorder recorder;
    for (const Row &row : rows) {
        SCOPED_TRACE("setting " + std::to_string(row.number));
        EXPECT_EQ(SET(row.number), row.start);
        EXPECT_EQ(SET(row.number, row.next), row.start);
        EXPECT_EQ(SET(row.number, row.start), row.next);
        EXPECT_EQ(SET(row.number), row.start);
    }
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(Settings, SwitchesTakeOnOffInAnyCaseAndLogicals)
{
    const std::pair<Value, bool> forms[] = {{"ON", true},   {"off", false}, {"On", true},
                                            {"OFF", false}, {true, true},   {false, false}};
    rttest::ErrorRecorder recorder;
    for (int number : {17, 18, 21, 23, 40}) {
        for (const auto &[given, on] : forms) {
            SCOPED_TRACE(std::to_string(number) + ": " + VAR2CHAR(given).text());
            SET(number, given);
            EXPECT_EQ(SET(number), Value(on)) << "read back as a logical";
        }
    }
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(Settings, AFilesThirdArgumentOfAWrongKindRaisesAndOpensNothing)
{
    rttest::ErrorRecorder recorder;
    SET(19, "alt.txt", "yes");
    EXPECT_EQ(recorder.errors.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists("alt.txt"));
}

TEST_F(Settings, TheDateFormatShapesDisplayedDates)
{
    const Value date = Date{std::chrono::year{2024} / 3 / 5};
    const std::pair<const char *, const char *> formats[] = {
        {"dd.mm.yyyy", "05.03.2024"}, {"dd.mm.yy", "05.03.24"}, {"yyyy-mm-dd", "2024-03-05"}};
    for (const auto &[format, shown] : formats) {
        SET(4, format);
        EXPECT_EQ(VAR2CHAR(date), Value(shown));
    }
}

} // namespace
