#include "Output.hpp"

#include "AlternateFile.hpp"
#include "DisplayForm.hpp"
#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"
#include "Settings.hpp"
#include "Text850.hpp"

#include <cstdio>

namespace rt {
namespace {

OutputState &channels()
{
    return state().output;
}

void writeStream(std::FILE *stream, std::string_view bytes)
{
    std::string utf8 = cp850ToUtf8(bytes);
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

void toConsole(std::string_view bytes)
{
    OutputState &c = channels();
    for (char ch : bytes) {
        if (ch == '\n')
            ++c.row;
        if (ch == '\r' || ch == '\n')
            c.col = 0;
        else
            ++c.col;
    }
    if (c.console)
        c.console(bytes);
    else
        writeStream(stdout, bytes);
}

void toDevice(const Device &device, const Text &notReady, std::string_view bytes,
              std::source_location where)
{
    if (device) {
        device(bytes);
        return;
    }
    raise({.code = GenCode::NotReady,
           .description = notReady,
           .operation = "QOUT",
           .canDefault = true},
          NIL, where);
}

void emit(std::string_view bytes, std::source_location where)
{
    if (switchOn(Setting::Console))
        toConsole(bytes);
    if (switchOn(Setting::Alternate) && alternateFileOpen())
        writeAlternateFile(bytes, where);
    if (switchOn(Setting::Printer))
        toDevice(channels().printer, errortext::kPrinterNotReady, bytes, where);
    if (switchOn(Setting::Extra))
        toDevice(channels().extra, errortext::kExtraNotReady, bytes, where);
}

Text joined(const Args &values)
{
    Text line;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += displayForm(values[i]);
    }
    return line;
}

} // namespace

Value QOUT(const Args &values, std::source_location where)
{
    emit("\r\n" + joined(values), where);
    return NIL;
}

Value QQOUT(const Args &values, std::source_location where)
{
    emit(joined(values), where);
    return NIL;
}

Value OUTERR(const Args &values, std::source_location)
{
    Text text = joined(values);
    if (channels().errorChannel)
        channels().errorChannel(text);
    else
        writeStream(stderr, text);
    return NIL;
}

int ROW()
{
    return channels().row;
}

int COL()
{
    return channels().col;
}

Value SETPOS(const Value &row, const Value &col, std::source_location where)
{
    const auto onScreen = [](const Value &v) {
        return v.isNumber() && v.number() >= 0 && v.number() <= 1e6; // NaN fails too
    };
    if (!onScreen(row) || !onScreen(col)) {
        return raise({.code = GenCode::Argument,
                      .description = errortext::kCursorPosition,
                      .operation = "SETPOS",
                      .args = newArray({row, col}),
                      .canDefault = true},
                     NIL, where);
    }
    channels().row = static_cast<int>(row.number());
    channels().col = static_cast<int>(col.number());
    return NIL;
}

} // namespace rt
