#pragma once
// What the runtime tells about itself and its surroundings: date and time, its version, the
// operating system, the program's path, the application type and window, and the tone.

#include "Object.hpp"

#include <cstdint>
#include <source_location>

namespace rt {

using Where = std::source_location;

// This runtime's version: 1.50, build 1. The version number packs major, minor and build as
// bits 16 and up, 8 to 15 and 0 to 7.
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 50;
inline constexpr int kVersionBuild = 1;
inline constexpr std::uint32_t kVersionNumber =
    (kVersionMajor << 16) | (kVersionMinor << 8) | kVersionBuild;

Value DATE(); // today, local time
Value TIME(); // "hh:mm:ss", local time
// No argument: "1.50"; 1, 2, 3: the major version, the minor version, the build, as texts.
Value VERSION(const Value &part = NIL, Where w = Where::current());
Value OS(); // system name and release, "Linux 6.1.0"
// The program's full path for true, its bare file name otherwise.
Value APPNAME(const Value &fullPath = NIL);
// Sounds a tone on the terminal (a bell); frequency and duration must be numbers >= 0.
Value TONE(const Value &frequency, const Value &duration, Where w = Where::current());

// 3 for a graphical application (the default), 0 for a text-mode one.
enum class AppType : int
{
    Text = 0,
    Graphical = 3
};
Value APPTYPE();
void setAppType(AppType type);

// The application window: NIL until one is set. The system only queries it.
Value SETAPPWINDOW();

// The class of text-mode windows, and such a window.
Value ROOTCRT();
class CrtWindow : public Object
{
public:
    std::string className() const override { return "CrtWindow"; }
};

} // namespace rt
