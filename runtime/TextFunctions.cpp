#include "TextFunctions.hpp"

#include "DisplayForm.hpp"
#include "ErrorRouting.hpp"

#include <cmath>

namespace rt {
namespace {

bool isCount(const Value &n)
{
    return n.isNumber() && n.number() >= 0;
}

// Cold, like the raise path it feeds.
[[gnu::cold]] Value tooLong(std::string_view operation, Args operands, Where w)
{
    return raise({.code = GenCode::TextTooLong,
                  .description = errortext::kTextTooLong,
                  .operation = Text(operation),
                  .args = std::make_shared<Array>(std::move(operands)),
                  .canSubstitute = true,
                  .canDefault = true},
                 "", w);
}

Text trimmed(const Value &v)
{
    Text s = displayForm(v, false);
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

} // namespace

Value STR(const Value &n, const Value &len, const Value &dec, Where w)
{
    const bool lenOk = len.isNil() || (len.isNumber() && len.number() >= 1 && len.number() <= 255);
    const bool decOk = dec.isNil() || (dec.isNumber() && dec.number() >= 0 && dec.number() <= 30);
    if (!n.isNumber() || !lenOk || !decOk)
        return argumentError("STR", {n, len, dec}, "", w);
    const int width = len.isNil() ? -1 : static_cast<int>(len.number());
    const int decimals = dec.isNil() ? (len.isNil() ? -1 : 0) : static_cast<int>(dec.number());
    return formatNumber(n.number(), width, decimals);
}

Value LTRIM(const Value &s, Where w)
{
    if (!s.isText())
        return argumentError("LTRIM", {s}, "", w);
    size_t first = s.text().find_first_not_of(' ');
    return first == Text::npos ? Text() : s.text().substr(first);
}

Value TRIM(const Value &s, Where w)
{
    if (!s.isText())
        return argumentError("TRIM", {s}, "", w);
    size_t last = s.text().find_last_not_of(' ');
    return last == Text::npos ? Text() : s.text().substr(0, last + 1);
}

Value PADL(const Value &v, const Value &len, const Value &fill, Where w)
{
    const bool fillOk = fill.isText() && !fill.text().empty();
    if (!(v.isText() || v.isNumber()) || !isCount(len) || !fillOk)
        return argumentError("PADL", {v, len, fill}, "", w);
    if (len.number() > kMaxTextLength)
        return tooLong("PADL", {v, len, fill}, w);
    const auto width = static_cast<size_t>(len.number());
    Text s = v.isText() ? v.text() : trimmed(v);
    if (s.size() >= width)
        return s.substr(0, width);
    return Text(width - s.size(), fill.text()[0]) + s;
}

Value SPACE(const Value &n, Where w)
{
    if (!isCount(n))
        return argumentError("SPACE", {n}, "", w);
    if (n.number() > kMaxTextLength)
        return tooLong("SPACE", {n}, w);
    return Text(static_cast<size_t>(n.number()), ' ');
}

Value REPLICATE(const Value &s, const Value &n, Where w)
{
    if (!s.isText() || !isCount(n))
        return argumentError("REPLICATE", {s, n}, "", w);
    const double total = static_cast<double>(s.text().size()) * std::floor(n.number());
    if (total > kMaxTextLength)
        return tooLong("REPLICATE", {s, n}, w);
    if (s.text().empty())
        return Text(); // any count of nothing; a huge count must not be looped over
    Text out;
    out.reserve(static_cast<size_t>(total));
    for (auto i = static_cast<size_t>(n.number()); i > 0; --i)
        out += s.text();
    return out;
}

Value STRTRAN(const Value &s, const Value &search, const Value &replace, Where w)
{
    if (!s.isText() || !search.isText() || !replace.isText())
        return argumentError("STRTRAN", {s, search, replace}, s.isText() ? s : Value(""), w);
    const Text &from = search.text();
    if (from.empty())
        return s;
    Text out;
    size_t pos = 0;
    for (size_t hit; (hit = s.text().find(from, pos)) != Text::npos; pos = hit + from.size()) {
        out.append(s.text(), pos, hit - pos);
        out += replace.text();
        if (static_cast<double>(out.size()) > kMaxTextLength)
            return tooLong("STRTRAN", {s, search, replace}, w);
    }
    out.append(s.text(), pos);
    return out;
}

Value CHR(const Value &code, Where w)
{
    if (!code.isNumber() || !(code.number() >= 0 && code.number() < 256)) // NaN fails too
        return argumentError("CHR", {code}, "", w);
    return Text(1, static_cast<char>(static_cast<unsigned char>(code.number())));
}

Value VAR2CHAR(const Value &v)
{
    return displayForm(v, false);
}

Value W2BIN(const Value &n, Where w)
{
    double value = 0;
    if (!n.isNumber())
        return argumentError("W2BIN", {n}, Text(2, '\0'), w);
    value = std::trunc(n.number());
    if (!(value >= 0 && value <= 65535)) { // NaN is no number in range either
        const char end = value > 65535 ? '\xFF' : '\0';
        return argumentError("W2BIN", {n}, Text(2, end), w);
    }
    const auto word = static_cast<unsigned>(value);
    return Text{static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
}

Value LEN(const Value &v, Where w)
{
    if (v.isText())
        return static_cast<double>(v.text().size());
    if (v.isArray())
        return static_cast<double>(v.array()->size());
    return argumentError("LEN", {v}, 0, w);
}

Value EMPTY(const Value &v)
{
    switch (v.kind()) {
    case Kind::Nil:
        return true;
    case Kind::Number:
        return v.number() == 0;
    case Kind::Logical:
        return !v.logical();
    case Kind::Text:
        return v.text().find_first_not_of(" \t\r\n") == Text::npos;
    case Kind::Date:
        return false;
    case Kind::Array:
        return v.array()->empty();
    case Kind::Object:
    case Kind::Block:
        return false;
    }
    return false;
}

Value VALTYPE(const Value &v)
{
    switch (v.kind()) {
    case Kind::Nil:
        return "U";
    case Kind::Number:
        return "N";
    case Kind::Logical:
        return "L";
    case Kind::Text:
        return "C";
    case Kind::Date:
        return "D";
    case Kind::Array:
        return "A";
    case Kind::Object:
        return "O";
    case Kind::Block:
        return "B";
    }
    return "U";
}

} // namespace rt
