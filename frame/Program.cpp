// The program's own start-up image: the stubs that pass straight on to the hook procedures, and
// ENTRY, which hands them to the runtime; and the program as main() runs it.

#include "Program.hpp"

#include "CommandLine.hpp"
#include "Converter.hpp"
#include "DesktopSession.hpp"
#include "Entry.hpp"
#include "ErrorSystem.hpp"
#include "Hooks.hpp"
#include "Usage.hpp"

namespace {

void stubERRORSYS()
{
    ERRORSYS();
}
void stubAPPSYS()
{
    APPSYS();
}
void stubAPPEXIT()
{
    APPEXIT();
}
void stubDBESYS()
{
    DBESYS();
}
void stubMAIN()
{
    MAIN();
}

frame::StartupImage g_image; // filled at run time by the entry, none of it before

} // namespace

int ENTRY()
{
    const frame::Procedures procedures = {
        .initialisers = {frame::initialiseConverterModule, frame::initialiseExitModule,
                         frame::initialiseEngineModule, frame::initialiseErrorModule},
        .registrar = frame::exitProcedureRegistrar,
        .errorSystem = stubERRORSYS,
        .appWindow = stubAPPSYS,
        .exitProcedure = stubAPPEXIT,
        .database = stubDBESYS,
        .main = stubMAIN,
    };
    return frame::runEntry(g_image, procedures);
}

int frame::runProgram(int argc, char **argv)
{
    if (const auto answered = rt::gui::answerCommandLine(argc, argv, programTexts()))
        return *answered;
    rt::gui::DesktopSession session(argc, argv);
    return ENTRY();
}
