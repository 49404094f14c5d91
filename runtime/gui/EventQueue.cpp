#include "EventQueue.hpp"

#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"

#include <QCoreApplication>
#include <QEventLoop>

namespace rt::gui {

void postEvent(EventCode code, const Value &mp1, const Value &mp2, const Value &part)
{
    state().gui.events.push_back({static_cast<int>(code), mp1, mp2, part});
    // An event may be posted deep inside the toolkit's work, in a nested event loop or in the
    // stretch before the dispatcher blocks; ending the waiting loop also wakes the dispatcher, so
    // the event is handed out now and not when some later event happens to arrive.
    if (const auto &wake = state().gui.wakeWaiter)
        wake();
}

} // namespace rt::gui

namespace rt {

Value APPEVENT(Value &mp1, Value &mp2, Value &oPart, std::source_location w)
{
    auto &events = state().gui.events;
    if (events.empty() && !QCoreApplication::instance()) {
        // Without a desktop nothing could ever arrive: waiting would never end.
        raise({.code = GenCode::NotReady,
               .description = errortext::kNoDesktop,
               .operation = "APPEVENT",
               .canDefault = true},
              NIL, w);
        mp1 = mp2 = oPart = NIL;
        return static_cast<int>(gui::EventCode::Close);
    }
    while (events.empty()) {
        QEventLoop loop;
        state().gui.wakeWaiter = [&loop] { loop.quit(); };
        loop.exec();
        state().gui.wakeWaiter = nullptr;
    }
    GuiState::Event e = std::move(events.front());
    events.pop_front();
    mp1 = e.mp1;
    mp2 = e.mp2;
    oPart = e.part;
    return e.code;
}

} // namespace rt
