// APPSYS, the application-window hook, and the module initialisers. The converter sets up no
// application window: its only window is the dialog MAIN builds.
//
// Module initialisers give their module's constants their runtime values before any procedure of
// the module runs. In this program every constant (the texts, numbers and logicals the procedures
// use) is a C++ literal that already has its type and value when the program is loaded, so each
// initialiser has nothing left to do and returns 0; they are kept so the table section lists the
// four modules as the runtime expects.

#include "Hooks.hpp"

rt::Value APPSYS()
{
    return rt::NIL;
}

namespace frame {

int initialiseConverterModule()
{
    return 0;
}

int initialiseExitModule()
{
    return 0;
}

int initialiseEngineModule()
{
    return 0;
}

int initialiseErrorModule()
{
    return 0;
}

} // namespace frame
