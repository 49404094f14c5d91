// The subject: the converter's own window, made by MAIN through the runtime layer.
#include "Converter.hpp"
#include "DesktopSession.hpp"
#include "ShownThenQuit.hpp"

int main(int argc, char **argv)
{
    rt::gui::DesktopSession session(argc, argv);
    CloseWhenPainted closer;
    qApp->installEventFilter(&closer);
    MAIN();
    return 0;
}
