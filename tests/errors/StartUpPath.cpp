#include "StartUpPath.hpp"

#include "Converter.hpp"
#include "DesktopSession.hpp"
#include "Entry.hpp"
#include "ErrorSystem.hpp"
#include "Recovery.hpp"

namespace errtest {

int runStartUpPath(const std::function<std::shared_ptr<void>()> &makeDriver)
{
    int argc = 1;
    char name[] = "tarvello16bit";
    char *argv[] = {name, nullptr};
    rt::gui::DesktopSession session(argc, argv);
    const std::shared_ptr<void> driver = makeDriver();
    try {
        ERRORSYS();
        MAIN();
    } catch (const rt::QuitSignal &quit) {
        return quit.errorLevel;
    }
    return 0;
}

int runProgram(const std::function<std::shared_ptr<void>()> &makeDriver)
{
    int argc = 1;
    char name[] = "tarvello16bit";
    char *argv[] = {name, nullptr};
    rt::gui::DesktopSession session(argc, argv);
    const std::shared_ptr<void> driver = makeDriver();
    return ENTRY();
}

} // namespace errtest
