// Code page 850: the _oem literal, decoding to UTF-8 for the terminal, a visible, distinct glyph
// for every byte, and text from the operating system arriving in it.

#include "RuntimeTestKit.hpp"

#include <set>
#include <tuple>

namespace {

using namespace rt;

TEST(CodePage850, OemLiteralsHoldTheCodePageBytes)
{
    EXPECT_EQ("ü"_oem, "\x81");
    EXPECT_EQ("ö"_oem, "\x94");
    EXPECT_EQ("Datei für"_oem, "Datei f\x81r");
    EXPECT_EQ("ÄÖÜäöüß"_oem, "\x8E\x99\x9A\x84\x94\x81\xE1");
}

// The UTF-8 form of a code point below U+10000.
std::string utf8(char32_t c)
{
    const auto byte = [](char32_t b) { return static_cast<char>(b); };
    if (c < 0x80)
        return {byte(c)};
    if (c < 0x800)
        return {byte(0xC0 | c >> 6), byte(0x80 | (c & 0x3F))};
    return {byte(0xE0 | c >> 12), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))};
}

// Each byte becomes the UTF-8 form of its own code point, no two bytes the same one, so the text
// comes back unchanged.
TEST(CodePage850, EveryByteDecodesToUtf8AndBackUnchanged)
{
    std::string all, expected;
    std::set<char32_t> codePoints;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
        const char32_t c = fromCp850(static_cast<unsigned char>(b));
        codePoints.insert(c);
        expected += utf8(c);
    }
    EXPECT_EQ(codePoints.size(), 256u) << "no two bytes share a code point";
    EXPECT_EQ(cp850ToUtf8(all), expected);
    EXPECT_EQ(cp850ToUtf8("Datei für Fehlerprotokoll"_oem), "Datei für Fehlerprotokoll");
}

TEST(CodePage850, VisibleGlyphsAreDistinctAndVisible)
{
    std::set<char32_t> glyphs;
    for (int b = 0; b < 256; ++b) {
        const char32_t g = visibleGlyph(static_cast<unsigned char>(b));
        SCOPED_TRACE(b);
        EXPECT_GT(g, U' ') << "not a control code or a blank";
        EXPECT_FALSE(g >= 0x7F && g <= 0xA0) << "not DEL, a C1 control or a no-break space";
        EXPECT_NE(g, U'\u00AD') << "not a soft hyphen";
        EXPECT_FALSE(g >= 0x2000 && g <= 0x200F) << "not a typographic space";
        EXPECT_FALSE(g >= 0x2028 && g <= 0x202F) << "not a separator or a narrow space";
        EXPECT_NE(g, U'\u3000');
        glyphs.insert(g);
    }
    EXPECT_EQ(glyphs.size(), 256u);
    EXPECT_EQ(visibleGlyph(0x01), U'\u263A') << "0x01 is the smiling face";
}

// A write to the alternate file on a full disk.
void writeOnAFullDisk()
{
    testsupport::WriteFaults::fail(1, 1);
    SET(17, false);
    SET(19, "alt.txt");
    SET(18, true);
    QQOUT({"x"});
    SET(19, "");
}

// The description of the one error `raising` raises.
Text descriptionOf(void (*raising)())
{
    rttest::ErrorRecorder recorder;
    raising();
    return recorder.only().description.text();
}

using SystemText = rttest::ScratchDirTest;

TEST_F(SystemText, ArrivesAsCodePage850UnderTheGermanLocale)
{
    testsupport::ProcessLocale german(testsupport::kGermanLocale);
    if (!german.available())
        GTEST_SKIP() << "no locale " << testsupport::kGermanLocale << " on this machine";
    const std::tuple<const char *, Text, Text> rows[] = {
        {"a failing write's description, in the locale's language", descriptionOf(writeOnAFullDisk),
         "Auf dem Gerät ist kein Speicherplatz mehr verfügbar"_oem},
        {"a description of the runtime's own is German too",
         descriptionOf([] { ELEMENT(newArray(), 1); }), "Feldindex außerhalb des Bereichs"_oem},
        {"a character code page 850 lacks becomes '?'", fromSystemText("5 € für"), "5 ? für"_oem},
        {"a byte that is no character, or one cut off, becomes '?'", fromSystemText("a\xC3(\xE4"),
         "a?(?"},
    };
    for (const auto &[proves, text, expected] : rows)
        EXPECT_EQ(text, expected) << proves;
}

} // namespace
