#include "Settings.hpp"

#include "AlternateFile.hpp"
#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"

namespace rt {
namespace {

SettingsState &settings()
{
    return state().settings;
}

// Cold, like the raise path it feeds (so is unknownSetting).
[[gnu::cold]] Value wrongValue(int number, const Value &value, std::source_location where)
{
    return raise({.code = GenCode::Argument,
                  .description = errortext::kSettingValue,
                  .operation = "SET",
                  .args = newArray({number, value}),
                  .canSubstitute = true,
                  .canDefault = true},
                 NIL, where);
}

// "ON"/"OFF" or a logical; nullopt for anything else.
std::optional<bool> asSwitch(const Value &v)
{
    if (v.isLogical())
        return v.logical();
    if (v.isText() && sameName(v.text(), "ON"))
        return true;
    if (v.isText() && sameName(v.text(), "OFF"))
        return false;
    return std::nullopt;
}

bool *switchSlot(int number)
{
    SettingsState &s = settings();
    switch (number) {
    case static_cast<int>(Setting::Console):
        return &s.console;
    case static_cast<int>(Setting::Alternate):
        return &s.alternate;
    case static_cast<int>(Setting::Extra):
        return &s.extra;
    case static_cast<int>(Setting::Printer):
        return &s.printer;
    case static_cast<int>(Setting::Century):
        return &s.century;
    }
    return nullptr;
}

Value setAlternateFile(const Value &name, const Value &additive, std::source_location where)
{
    SettingsState &s = settings();
    if (!name.isText() || !(additive.isNil() || additive.isLogical()))
        return wrongValue(static_cast<int>(Setting::AlternateFile), name, where);
    Value previous = s.alternateFile;
    // However the call is left (a break callback may leave it from inside the opening), the
    // setting never names a file that is not open.
    struct KeepTrue
    {
        SettingsState &s;
        ~KeepTrue()
        {
            if (!alternateFileOpen())
                s.alternateFile.clear();
        }
    } keepTrue{s};
    // Opening closes the file open before, and only once it has checked that the new name does
    // not lead to that very file.
    const bool open =
        !name.text().empty() &&
        openAlternateFile(name.text(), additive.isLogical() && additive.logical(), where);
    if (!open)
        closeAlternateFile(where);
    s.alternateFile = open ? name.text() : Text();
    return previous;
}

bool knownSetting(int number)
{
    return switchSlot(number) || number == static_cast<int>(Setting::DateFormat) ||
           number == static_cast<int>(Setting::AlternateFile) ||
           number == static_cast<int>(Setting::EngineDefaults);
}

[[gnu::cold]] Value unknownSetting(int number, std::source_location where)
{
    return raise({.code = GenCode::Setting,
                  .description = errortext::kUnknownSetting,
                  .operation = "SET",
                  .args = newArray({number}),
                  .canSubstitute = true,
                  .canDefault = true},
                 NIL, where);
}

Value current(int number)
{
    const SettingsState &s = settings();
    if (bool *slot = switchSlot(number))
        return *slot;
    if (number == static_cast<int>(Setting::DateFormat))
        return s.dateFormat;
    if (number == static_cast<int>(Setting::AlternateFile))
        return s.alternateFile;
    return s.engineDefaults;
}

} // namespace

Value SET(int number, std::source_location where)
{
    if (!knownSetting(number))
        return unknownSetting(number, where);
    return current(number);
}

Value SET(int number, const Value &value, std::source_location where)
{
    return SET(number, value, NIL, where);
}

Value SET(int number, const Value &value, const Value &additive, std::source_location where)
{
    if (!knownSetting(number))
        return unknownSetting(number, where);
    if (number == static_cast<int>(Setting::AlternateFile))
        return setAlternateFile(value, additive, where);
    Value previous = current(number);
    if (bool *slot = switchSlot(number)) {
        std::optional<bool> on = asSwitch(value);
        if (!on)
            return wrongValue(number, value, where);
        *slot = *on;
    } else if (number == static_cast<int>(Setting::DateFormat)) {
        if (!value.isText())
            return wrongValue(number, value, where);
        settings().dateFormat = value.text();
    } else {
        if (!value.isNumber())
            return wrongValue(number, value, where);
        settings().engineDefaults = value.number();
    }
    return previous;
}

bool switchOn(Setting s)
{
    bool *slot = switchSlot(static_cast<int>(s));
    return slot && *slot;
}

Text currentDateFormat()
{
    return settings().dateFormat;
}

} // namespace rt
