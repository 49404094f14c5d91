// The program's own start-up image: the stubs that pass straight on to the hook procedures, and
// ENTRY, which hands them to the runtime. Compiled into each executable, so the test build can
// link the converter's test-only twin in place of the shipped converter.

#include "Converter.hpp"
#include "Entry.hpp"
#include "ErrorSystem.hpp"
#include "Hooks.hpp"
#include "Runtime.hpp"

#include <cstdlib>

namespace {

void stubERRORSYS() { ERRORSYS(); }
void stubAPPSYS() { APPSYS(); }
void stubAPPEXIT() { APPEXIT(); }
void stubDBESYS()
{
#ifdef TARVELLO_FAULT_SWITCHES
    // The test-only build: an engine named in the environment cannot be loaded.
    if (const char *engine = std::getenv("TARVELLO_FAULT_UNAVAILABLE_ENGINE"))
        rt::EngineFaults::makeUnavailable(engine);
#endif
    DBESYS();
}
void stubMAIN() { MAIN(); }

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
