#include "DesktopSession.hpp"

#include "Dialog.hpp"
#include "EndSignals.hpp"
#include "ModalBoxes.hpp"
#include "PartNative.hpp"
#include "QtDialogs.hpp"
#include "RuntimeState.hpp"

#include <QApplication>
#include <QSocketNotifier>
#include <utility>

namespace rt::gui {

struct DesktopSession::Impl
{
    Impl(int &argc, char **argv) : app(argc, argv) {}
    EndSignals endSignals; // first: a signal during the toolkit's start is kept for the loop
    QApplication app;
    std::unique_ptr<QSocketNotifier> notifier;
};

DesktopSession::DesktopSession(int &argc, char **argv) : m_impl(std::make_unique<Impl>(argc, argv))
{
    // These two names tie the windows to the desktop entry. No display name is set: the toolkit
    // would append it to every window title ("Morvane Fehlermeldung — Tarvello 16bit"), and each
    // window is titled exactly as the program titles it.
    QApplication::setApplicationName("tarvello16bit");
    QApplication::setDesktopFileName("org.tarvello.Tarvello16bit");
    installSwitchStyle();
    installDialogs(std::make_shared<QtDialogs>());
    setAppType(AppType::Graphical);
    if (m_impl->endSignals.readEnd() >= 0) {
        // The notifier also sees the bytes written before it existed.
        m_impl->notifier =
            std::make_unique<QSocketNotifier>(m_impl->endSignals.readEnd(), QSocketNotifier::Read);
        QObject::connect(m_impl->notifier.get(), &QSocketNotifier::activated,
                         [impl = m_impl.get()] {
                             impl->endSignals.drain();
                             // A burst of signals, or one more after the first, is one end: the
                             // window's close event, and every box of ours answered as ending.
                             if (!std::exchange(state().sessionEnding, true)) {
                                 requestClose();
                                 endModalBoxes();
                             }
                         });
    }
}

DesktopSession::~DesktopSession()
{
    m_impl->notifier.reset();
    installDialogs(nullptr);
}

} // namespace rt::gui
