#include "EventQueue.hpp"

#include "ErrorRouting.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <deque>

namespace rt::gui {
namespace {

struct Event
{
    EventCode code;
    Value mp1, mp2, part;
};

std::deque<Event> &queue()
{
    static std::deque<Event> events;
    return events;
}

} // namespace

void postEvent(EventCode code, const Value &mp1, const Value &mp2, const Value &part)
{
    queue().push_back({code, mp1, mp2, part});
}

int pendingEvents()
{
    return static_cast<int>(queue().size());
}

void clearEvents()
{
    queue().clear();
}

} // namespace rt::gui

namespace rt {

Value APPEVENT(Value &mp1, Value &mp2, Value &oPart, std::source_location w)
{
    auto &events = gui::queue();
    if (events.empty() && !QCoreApplication::instance()) {
        // Without a desktop nothing could ever arrive: waiting would never end.
        raise({.code = GenCode::NotReady,
               .description = "No desktop to wait for events on",
               .operation = "APPEVENT",
               .canDefault = true},
              NIL, w);
        mp1 = mp2 = oPart = NIL;
        return static_cast<int>(gui::EventCode::Close);
    }
    while (events.empty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    gui::Event e = std::move(events.front());
    events.pop_front();
    mp1 = e.mp1;
    mp2 = e.mp2;
    oPart = e.part;
    return static_cast<int>(e.code);
}

} // namespace rt
