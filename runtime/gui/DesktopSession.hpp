#pragma once
// The graphical session of the process: the toolkit's application object, the graphical dialogs,
// the graphical application type, and an orderly end on SIGTERM, SIGINT and SIGHUP, which post the
// close event to the window as closing it would. Made first thing in main(), before the entry.

#include <memory>

namespace rt::gui {

class DesktopSession
{
public:
    DesktopSession(int &argc, char **argv);
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace rt::gui
