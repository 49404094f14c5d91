// Tarvello 16bit: the desktop session first, then the process entry; its result is the exit code.

#include "DesktopSession.hpp"
#include "Entry.hpp"

int main(int argc, char **argv)
{
    rt::gui::DesktopSession session(argc, argv);
    return ENTRY();
}
