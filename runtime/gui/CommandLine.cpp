#include "CommandLine.hpp"

#include "Text850.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace rt::gui {
namespace {

// The toolkit's own options, as its application object and its X11 and Wayland plugins take
// them: with one or two leading dashes, the first group followed by a value.
constexpr std::array<std::string_view, 15> kToolkitOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "style",           "stylesheet",         "display",       "name",
    "title",           "geometry",           "visual"};
constexpr std::array<std::string_view, 6> kToolkitFlags = {"reverse",     "nograb", "dograb",
                                                           "widgetcount", "sync",   "testability"};
constexpr std::array<std::string_view, 3> kToolkitOptionsWithEquals = {
    "style=", "stylesheet=", "qmljsdebugger="};

template<std::size_t N>
bool listed(const std::array<std::string_view, N> &names, std::string_view option)
{
    for (std::string_view name : names)
        if (option == name)
            return true;
    return false;
}

// The option's name without its one or two leading dashes; empty for anything that is no option.
std::string_view optionName(std::string_view arg)
{
    if (arg.size() < 2 || arg[0] != '-')
        return {};
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    return arg;
}

bool withEquals(std::string_view name)
{
    for (std::string_view prefix : kToolkitOptionsWithEquals)
        if (name.starts_with(prefix))
            return true;
    return false;
}

// GNU long options may be shortened as long as they stay unambiguous: "--vers" is "--version".
bool abbreviates(std::string_view arg, std::string_view longOption)
{
    return arg.size() > 2 && longOption.starts_with(arg);
}

bool set(EnvironmentLookup environment, const char *name)
{
    const char *value = environment(name);
    return value != nullptr && *value != '\0';
}

struct Scan
{
    StartDecision decision;
    bool platformChosen = false;
    bool displayGiven = false;
};

// One argument at `i`; returns how many arguments it used up.
int scanArgument(Scan &scan, int i, int argc, const char *const *argv)
{
    const std::string_view arg = argv[i];
    if (arg == "--") { // the end of the options; the program takes no operands after it
        if (i + 1 < argc)
            scan.decision = {StartRequest::UnknownArgument, argv[i + 1]};
        return argc;
    }
    const std::string_view name = optionName(arg);
    const bool decided = scan.decision.request != StartRequest::Run;
    if (abbreviates(arg, "--help") || abbreviates(arg, "--version")) {
        if (!decided)
            scan.decision.request =
                abbreviates(arg, "--help") ? StartRequest::Help : StartRequest::Version;
        return 1;
    }
    if (listed(kToolkitOptionsWithValue, name)) {
        const bool hasValue = i + 1 < argc;
        scan.platformChosen = scan.platformChosen || (name == "platform" && hasValue);
        scan.displayGiven = scan.displayGiven || (name == "display" && hasValue);
        return hasValue ? 2 : 1;
    }
    if (listed(kToolkitFlags, name) || withEquals(name))
        return 1;
    scan.decision = {StartRequest::UnknownArgument, arg};
    return argc; // the first mistake is the one reported
}

void writeCp850(std::FILE *stream, std::string_view bytes)
{
    const std::string utf8 = cp850ToUtf8(bytes);
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

} // namespace

StartDecision decideStart(int argc, const char *const *argv, EnvironmentLookup environment)
{
    Scan scan;
    for (int i = 1; i < argc;)
        i += scanArgument(scan, i, argc, argv);
    if (scan.decision.request != StartRequest::Run)
        return scan.decision;
    const bool platformChosen = scan.platformChosen || set(environment, "QT_QPA_PLATFORM");
    const bool display =
        scan.displayGiven || set(environment, "DISPLAY") || set(environment, "WAYLAND_DISPLAY");
    if (!platformChosen && !display)
        return {StartRequest::NoGraphicalSession, {}};
    return scan.decision;
}

std::optional<int> answerCommandLine(int argc, const char *const *argv, const ProgramTexts &program)
{
    const StartDecision decision =
        decideStart(argc, argv, [](const char *name) -> const char * { return std::getenv(name); });
    const std::string name(program.name);
    switch (decision.request) {
    case StartRequest::Run:
        return std::nullopt;
    case StartRequest::Help:
        writeCp850(stdout, program.usage);
        return 0;
    case StartRequest::Version:
        writeCp850(stdout, name + " " + std::string(program.version) + "\n");
        return 0;
    case StartRequest::UnknownArgument:
        writeCp850(stderr, name + ": unbekanntes Argument »"_oem + std::string(decision.argument) +
                               "« (Hilfe mit »"_oem + name + " --help«)\n"_oem);
        return 2;
    case StartRequest::NoGraphicalSession:
        writeCp850(stderr, name + ": braucht eine grafische Sitzung, aber weder DISPLAY noch "
                                  "WAYLAND_DISPLAY ist gesetzt\n");
        return 1;
    }
    return 1; // not reached: every request is answered above
}

} // namespace rt::gui
