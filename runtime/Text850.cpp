#include "Text850.hpp"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace rt {
namespace {

// Pictures for the control codes 0x00 to 0x1F. 0x14 and 0x15 would show the pilcrow and the
// section sign, which code page 850 also has at 0xF4 and 0xF5, so they get control pictures.
constexpr std::array<char16_t, 32> kLowGlyphs = {
    0x2400, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x2414, 0x2415,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The code-page-850 byte of a code point; '?' for one the code page does not hold.
char cp850OrStandIn(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<char>(cp);
    const auto at = std::find(kCp850High.begin(), kCp850High.end(), cp);
    return at == kCp850High.end() ? '?' : static_cast<char>(0x80 + (at - kCp850High.begin()));
}

} // namespace

char32_t visibleGlyph(unsigned char byte)
{
    switch (byte) {
    case 0x20:
        return 0x2423; // open box, the usual mark for a blank
    case 0x7F:
        return 0x2302; // house
    case 0xF0:
        return 0x2010; // soft hyphen shown as a hyphen
    case 0xFF:
        return 0x237D; // shouldered open box, the usual mark for a no-break space
    }
    return byte < 0x20 ? char32_t(kLowGlyphs[byte]) : fromCp850(byte);
}

std::string cp850ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, fromCp850(static_cast<unsigned char>(c)));
    return out;
}

// The C library decodes by the process locale's LC_CTYPE, into wide characters that are Unicode
// code points.
std::string fromSystemText(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::mbstate_t shift{};
    while (!bytes.empty()) {
        wchar_t wide = 0;
        const size_t used = std::mbrtowc(&wide, bytes.data(), bytes.size(), &shift);
        if (used == static_cast<size_t>(-1) || used == static_cast<size_t>(-2)) {
            out += '?'; // no character here, or one cut off at the end: skip a byte
            shift = {};
            bytes.remove_prefix(1);
            continue;
        }
        out += cp850OrStandIn(static_cast<char32_t>(wide));
        bytes.remove_prefix(std::max<size_t>(used, 1)); // 0: a zero byte was read
    }
    return out;
}

std::string systemErrorText(int errnum)
{
    char buffer[256];
    return fromSystemText(::strerror_r(errnum, buffer, sizeof buffer));
}

} // namespace rt
