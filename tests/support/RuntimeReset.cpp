#include "RuntimeReset.hpp"

#include "Runtime.hpp"

namespace testsupport {

void resetRuntime()
{
    rt::resetSettings();
    rt::ERRORBLOCK(rt::NIL);
    rt::installDialogs(nullptr);
    rt::forgetPublics();
    rt::EngineFaults::reset();
    rt::setAppType(rt::AppType::Graphical);
    rt::setAppWindow(rt::NIL);
    rt::ERRORLEVEL(0);
    rt::redirectConsole({}, {});
    rt::attachPrinter({});
    rt::attachExtra({});
}

} // namespace testsupport
