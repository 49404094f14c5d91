#pragma once
// The process's command line, read before the toolkit starts: the program's own options --help
// and --version, the toolkit's options (left in place for the toolkit to take), anything else as
// a mistake, and whether a graphical session can be had at all. It does not start the toolkit and
// knows nothing of the program beyond the texts it is handed.

#include <optional>
#include <string>
#include <string_view>

namespace rt::gui {

// What the command line asks for, in the order of precedence: a mistake wins over everything, a
// missing graphical session matters only to a run.
enum class StartRequest
{
    Run,
    Help,
    Version,
    UnknownArgument,
    NoGraphicalSession
};

struct StartDecision
{
    StartRequest request = StartRequest::Run;
    std::string_view argument; // the first argument that is neither ours nor the toolkit's
};

// The environment as the decision sees it; the process's own unless a caller hands another.
using EnvironmentLookup = const char *(*)(const char *name);

// No platform chosen (neither -platform nor QT_QPA_PLATFORM) and neither DISPLAY nor
// WAYLAND_DISPLAY set (nor -display given) means no graphical session: the toolkit would abort.
// A platform chosen explicitly (offscreen, a framebuffer) is trusted.
StartDecision decideStart(int argc, const char *const *argv, EnvironmentLookup environment);

// The program's texts for the answers; `usage` is code page 850 like every user text.
struct ProgramTexts
{
    std::string_view name;    // the executable's name, "tarvello16bit"
    std::string_view version; // "1.0.0"
    std::string usage;        // the whole --help text, lines ending in '\n'
};

// Answers what the command line asks for without starting anything: the usage or the version on
// standard output (exit code 0), one line on standard error for an unknown argument (2) or a
// missing graphical session (1). Empty when the program is to run.
std::optional<int> answerCommandLine(int argc, const char *const *argv,
                                     const ProgramTexts &program);

} // namespace rt::gui
