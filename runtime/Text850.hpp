#pragma once
// Texts of the system are bytes in OEM code page 850 (ü is 0x81, ö is 0x94). Literals stay readable
// in the source: "Datei für"_oem is converted from UTF-8 to code page 850 at compile time, and a
// character that code page 850 cannot hold does not compile. Decoding to Unicode happens only at
// the boundaries that show text to a person: the terminal and the GUI; text from the operating
// system is converted to code page 850 where it comes in.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Unicode code points of bytes 0x80 to 0xFF in code page 850.
inline constexpr std::array<char16_t, 128> kCp850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// The Unicode code point a code-page-850 byte stands for (bytes below 0x80 are ASCII).
constexpr char32_t fromCp850(unsigned char byte)
{
    return byte < 0x80 ? char32_t(byte) : char32_t(kCp850High[byte - 0x80]);
}

// A glyph for every byte that can be seen and told apart from every other byte's glyph: the classic
// OEM pictures for control codes (0x01 is a smiling face), control pictures where those would
// repeat a glyph of the upper half, and visible marks for the blank, the soft hyphen and the
// no-break space.
char32_t visibleGlyph(unsigned char byte);

// Code page 850 bytes to UTF-8, for the terminal.
std::string cp850ToUtf8(std::string_view bytes);

// Text from the operating system (an error text, a path) comes in the encoding of the process
// locale, which the toolkit takes from the environment at start-up: UTF-8 for the program's users.
// It enters the runtime here, as code page 850. A character code page 850 cannot hold, and a byte
// that is no character of that encoding, becomes a '?'.
std::string fromSystemText(std::string_view bytes);

// The operating system's description of the error number `errnum` (an errno), in the language of
// the process locale, as code page 850.
std::string systemErrorText(int errnum);

namespace detail {

template<std::size_t N> struct Utf8Literal
{
    char chars[N];
    consteval Utf8Literal(const char (&s)[N])
    {
        for (std::size_t i = 0; i < N; ++i)
            chars[i] = s[i];
    }
};

consteval unsigned char toCp850(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    // Every character of the table lies in the Basic Multilingual Plane, so its one UTF-16 unit
    // is its code point.
    for (std::size_t i = 0; i < kCp850High.size(); ++i)
        if (static_cast<char32_t>(kCp850High[i]) == cp)
            return static_cast<unsigned char>(0x80 + i);
    throw "character not in code page 850";
}

template<std::size_t N> struct OemBytes
{
    std::array<char, N> bytes{};
    std::size_t size = 0;
};

template<std::size_t N> consteval OemBytes<N> convert(const Utf8Literal<N> &lit)
{
    OemBytes<N> out;
    for (std::size_t i = 0; i + 1 < N;) {
        auto b = static_cast<unsigned char>(lit.chars[i]);
        char32_t cp;
        std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        cp = len == 1 ? b : len == 2 ? b & 0x1F : len == 3 ? b & 0x0F : b & 0x07;
        for (std::size_t k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(lit.chars[i + k]) & 0x3F);
        out.bytes[out.size++] = static_cast<char>(toCp850(cp));
        i += len;
    }
    return out;
}

template<Utf8Literal L> inline constexpr auto kOem = convert(L);

} // namespace detail

template<detail::Utf8Literal L> std::string operator""_oem()
{
    return std::string(detail::kOem<L>.bytes.data(), detail::kOem<L>.size);
}

// The same bytes, zero-terminated in static storage, for constants that need no text object
// made at start-up.
template<detail::Utf8Literal L> constexpr const char *operator""_oemz()
{
    return detail::kOem<L>.bytes.data();
}

} // namespace rt
