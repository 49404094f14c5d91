// QOUT, QQOUT and OUTERR: line breaks, separators, display forms, and every channel that is on.

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;
using Output = rttest::ScratchDirTest;

TEST_F(Output, LineBreaksAndSeparators)
{
    struct Row
    {
        const char *proves;
        Value (*write)(const Args &, std::source_location);
        Args values;
        const char *console, *errorChannel;
    } rows[] = {
        // clang-format off
        {"QOUT writes its line break first", QOUT, {"a", "b"}, "\r\na b", ""},
        {"QOUT without values is a bare line break", QOUT, {}, "\r\n", ""},
        {"QQOUT writes no line break", QQOUT, {"a", "b"}, "a b", ""},
        {"values show their display forms", QQOUT, {1, true, NIL, ""}, "         1 .T. NIL ", ""},
        {"OUTERR writes no line break either", OUTERR, {"\n\rText", 5}, "", "\n\rText          5"},
        // clang-format on
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ConsoleCapture capture;
        row.write(row.values, std::source_location::current());
        EXPECT_EQ(capture.console, row.console);
        EXPECT_EQ(capture.errorChannel, row.errorChannel);
    }
}

TEST_F(Output, EveryChannelThatIsOnGetsTheSameBytes)
{
    rttest::ConsoleCapture capture;
    std::string printer, extra;
    state().output.printer = [&](std::string_view b) { printer += b; };
    state().output.extra = [&](std::string_view b) { extra += b; };
    SET(19, "alt.txt");
    const std::tuple<int, bool, const char *> steps[] = {{18, true, "A"},  {23, true, "B"},
                                                         {21, true, "C"},  {17, false, "D"},
                                                         {18, false, "E"}, {23, false, "F"}};
    for (const auto &[setting, on, text] : steps) {
        SET(setting, on);
        QQOUT({text});
    }
    SET(19, "");
    EXPECT_EQ(capture.console, "ABC");
    EXPECT_EQ(rttest::fileContent("alt.txt"), "ABCD");
    EXPECT_EQ(printer, "BCDE");
    EXPECT_EQ(extra, "CDEF");
    OUTERR({"err"});
    EXPECT_EQ(capture.errorChannel, "err") << "console output off does not silence OUTERR";
}

TEST_F(Output, ADeviceChannelWithNoDeviceIsNotReady)
{
    for (int setting : {23, 21}) {
        SCOPED_TRACE("setting " + std::to_string(setting));
        rttest::ConsoleCapture capture;
        rttest::ErrorRecorder recorder(false);
        SET(setting, "ON");
        QOUT({"line"});
        EXPECT_EQ(recorder.only().genCode, Value(78));
        EXPECT_EQ(recorder.only().canDefault, Value(true));
        EXPECT_EQ(capture.console, "\r\nline") << "the other channels still get the line";
        SET(setting, "OFF");
    }
}

TEST_F(Output, TheConsoleDecodesCodePage850AndTheFileKeepsTheBytes)
{
    SET(19, "alt.txt");
    SET(18, true);
    testing::internal::CaptureStdout();
    QQOUT({"Grüße"_oem});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Grüße");
    SET(19, "");
    EXPECT_EQ(rttest::fileContent("alt.txt"), "Gr\x81\xE1"
                                              "e");
}

TEST_F(Output, TheCursorFollowsTheOutput)
{
    rttest::ConsoleCapture capture;
    QOUT({"abc"});
    QQOUT({"de"});
    EXPECT_EQ(std::make_pair(ROW(), COL()), std::make_pair(1, 5));
    SETPOS(7, 3);
    QOUT();
    EXPECT_EQ(std::make_pair(ROW(), COL()), std::make_pair(8, 0));
}

} // namespace
