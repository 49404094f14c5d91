// QOUT, QQOUT and OUTERR: line breaks, separators, display forms, and every channel that is on.

#include "RuntimeTestKit.hpp"

namespace {

using rt::Value;
using rt::operator""_oem;
using Output = rttest::ScratchDirTest;

TEST_F(Output, LineBreaksAndSeparators)
{
    struct Row
    {
        const char *proves;
        Value (*write)(const rt::Args &, std::source_location);
        rt::Args values;
        const char *console;
    } rows[] = {
        {"QOUT writes its line break first", rt::QOUT, {"a", "b"}, "\r\na b"},
        {"QOUT without values is a bare line break", rt::QOUT, {}, "\r\n"},
        {"QQOUT writes no line break", rt::QQOUT, {"a", "b"}, "a b"},
        {"QQOUT without values writes nothing", rt::QQOUT, {}, ""},
        {"values show their display forms",
         rt::QQOUT,
         {1, true, rt::NIL, "x"},
         "         1 .T. NIL x"},
        {"an empty text still gets its separator", rt::QQOUT, {"", ""}, " "},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ConsoleCapture capture;
        row.write(row.values, std::source_location::current());
        EXPECT_EQ(capture.console, row.console);
        EXPECT_EQ(capture.errorChannel, "");
    }
}

TEST_F(Output, OuterrWritesToStandardErrorWithoutALineBreak)
{
    rttest::ConsoleCapture capture;
    rt::OUTERR({"\n\rText", 5});
    EXPECT_EQ(capture.errorChannel, "\n\rText          5");
    EXPECT_EQ(capture.console, "");
    rt::SET(17, false);
    rt::OUTERR({"more"});
    EXPECT_EQ(capture.errorChannel, "\n\rText          5more") << "console output off";
}

TEST_F(Output, EveryChannelThatIsOnGetsTheSameBytes)
{
    rttest::ConsoleCapture capture;
    std::string printer, extra;
    rt::attachPrinter([&](std::string_view b) { printer += b; });
    rt::attachExtra([&](std::string_view b) { extra += b; });
    rt::SET(19, "alt.txt");
    struct Step
    {
        int setting;
        bool on;
        const char *text;
    } steps[] = {{18, true, "A"},  {23, true, "B"},  {21, true, "C"},
                 {17, false, "D"}, {18, false, "E"}, {23, false, "F"}};
    for (const Step &s : steps) {
        rt::SET(s.setting, s.on);
        rt::QQOUT({s.text});
    }
    rt::SET(19, "");
    EXPECT_EQ(capture.console, "ABC");
    EXPECT_EQ(rttest::fileContent("alt.txt"), "ABCD");
    EXPECT_EQ(printer, "BCDE");
    EXPECT_EQ(extra, "CDEF");
}

TEST_F(Output, ADeviceChannelWithNoDeviceIsNotReady)
{
    for (int setting : {23, 21}) {
        SCOPED_TRACE("setting " + std::to_string(setting));
        rttest::ConsoleCapture capture;
        rttest::ErrorRecorder recorder(false);
        rt::SET(setting, "ON");
        rt::QOUT({"line"});
        const rt::ErrorObject &e = recorder.only();
        EXPECT_EQ(e.genCode, Value(78));
        EXPECT_EQ(e.canDefault, Value(true));
        EXPECT_EQ(e.operation, Value("QOUT"));
        EXPECT_EQ(capture.console, "\r\nline") << "the other channels still get the line";
        rt::SET(setting, "OFF");
    }
}

TEST_F(Output, TheConsoleDecodesCodePage850AndTheFileKeepsTheBytes)
{
    rt::SET(19, "alt.txt");
    rt::SET(18, true);
    testing::internal::CaptureStdout();
    rt::QQOUT({"Grüße"_oem});
    const std::string shown = testing::internal::GetCapturedStdout();
    rt::SET(19, "");
    EXPECT_EQ(shown, "Grüße");
    EXPECT_EQ(rttest::fileContent("alt.txt"), "Gr\x81\xE1"
                                              "e");
}

TEST_F(Output, TheCursorFollowsTheOutput)
{
    rttest::ConsoleCapture capture;
    rt::QOUT({"abc"});
    rt::QQOUT({"de"});
    EXPECT_EQ(rt::ROW(), 1);
    EXPECT_EQ(rt::COL(), 5);
    rt::SETPOS(7, 3);
    EXPECT_EQ(rt::ROW(), 7);
    EXPECT_EQ(rt::COL(), 3);
    rt::QOUT();
    EXPECT_EQ(rt::ROW(), 8);
    EXPECT_EQ(rt::COL(), 0);
}

} // namespace
