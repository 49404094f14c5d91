// Tarvello 16bit: the command line first (--help, --version and mistakes are answered without
// starting anything), then the desktop session, then the process entry; its result is the exit
// code.

#include "CommandLine.hpp"
#include "DesktopSession.hpp"
#include "Entry.hpp"
#include "Usage.hpp"

int main(int argc, char **argv)
{
    if (const auto answered = rt::gui::answerCommandLine(argc, argv, frame::programTexts()))
        return *answered;
    rt::gui::DesktopSession session(argc, argv);
    return ENTRY();
}
