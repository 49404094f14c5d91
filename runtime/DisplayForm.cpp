#include "DisplayForm.hpp"

#include "Object.hpp"
#include "Settings.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <set>

namespace rt {
namespace {

constexpr int kMaxNesting = 8;
constexpr size_t kMaxElementsShown = 100;

// Numbers are written with std::to_chars, never printf: printf follows the process locale, which
// the toolkit takes from the environment (a German one writes "1,5"), and the display form is the
// same bytes whoever started the program - the log is a fixed layout that others read.
int decimalsNeeded(double n)
{
    if (!std::isfinite(n))
        return 0; // shown as "inf", "-inf", "nan"
    char buf[64];
    std::to_chars(buf, buf + sizeof buf, std::fabs(n - std::trunc(n)), std::chars_format::fixed,
                  9); // "0.ddddddddd", or "1.000000000" where it rounds up
    int decimals = 9;
    while (decimals > 0 && buf[1 + decimals] == '0')
        --decimals;
    return decimals;
}

Text trimmedLeft(Text s)
{
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

Text arrayForm(const ArrayRef &a, int depth, std::set<const Array *> &open)
{
    if (depth >= kMaxNesting || open.contains(a.get()))
        return "{...}";
    open.insert(a.get());
    Text out = "{";
    for (size_t i = 0; i < a->size(); ++i) {
        if (i > 0)
            out += ", ";
        if (i == kMaxElementsShown) {
            out += "...";
            break;
        }
        const Value &e = (*a)[i];
        out += e.isArray() ? arrayForm(e.array(), depth + 1, open) : displayForm(e, false);
    }
    open.erase(a.get());
    return out + "}";
}

} // namespace

Text formatNumber(double n, int width, int decimals)
{
    if (decimals < 0)
        decimals = decimalsNeeded(n);
    decimals = std::min(decimals, 30);
    if (n == 0)
        n = 0; // no "-0"
    // Room for every double with 30 decimals.
    char buf[512];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, n, std::chars_format::fixed, decimals).ptr;
    Text digits(buf, end);
    if (digits == "-0" || digits.find_first_not_of("-0.") == Text::npos)
        digits = digits.substr(digits[0] == '-' ? 1 : 0);
    int wanted = width >= 0 ? width : 10 + (decimals > 0 ? decimals + 1 : 0);
    if (static_cast<int>(digits.size()) > wanted)
        return width >= 0 ? Text(static_cast<size_t>(width), '*') : digits;
    return Text(static_cast<size_t>(wanted) - digits.size(), ' ') + digits;
}

Text formatDate(Date d, std::string_view format)
{
    std::chrono::year_month_day ymd{d};
    const int year = static_cast<int>(ymd.year());
    const unsigned month = static_cast<unsigned>(ymd.month());
    const unsigned day = static_cast<unsigned>(ymd.day());
    Text out;
    for (size_t i = 0; i < format.size();) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
        size_t run = 1;
        while (i + run < format.size() &&
               std::tolower(static_cast<unsigned char>(format[i + run])) == c)
            ++run;
        char buf[16];
        if (c == 'y' && run >= 4)
            std::snprintf(buf, sizeof buf, "%04d", year);
        else if (c == 'y')
            std::snprintf(buf, sizeof buf, "%02d", ((year % 100) + 100) % 100);
        else if (c == 'm')
            std::snprintf(buf, sizeof buf, "%02u", month);
        else if (c == 'd')
            std::snprintf(buf, sizeof buf, "%02u", day);
        else {
            out.append(run, format[i]);
            i += run;
            continue;
        }
        out += buf;
        i += run;
    }
    return out;
}

Text displayForm(const Value &v, bool alignNumbers)
{
    switch (v.kind()) {
    case Kind::Nil:
        return "NIL";
    case Kind::Number:
        return alignNumbers ? formatNumber(v.number()) : trimmedLeft(formatNumber(v.number()));
    case Kind::Logical:
        return v.logical() ? ".T." : ".F.";
    case Kind::Text:
        return v.text();
    case Kind::Date:
        return formatDate(v.date(), currentDateFormat());
    case Kind::Array: {
        std::set<const Array *> open;
        return arrayForm(v.array(), 0, open);
    }
    case Kind::Object:
        return v.object() ? v.object()->className() : "NIL";
    case Kind::Block:
        return v.block() ? "{|| " + v.block()->name + " }" : "NIL";
    }
    return {};
}

} // namespace rt
