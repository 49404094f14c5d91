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

// The loop APPEVENT waits on while the queue is empty; null when it is not waiting.
QEventLoop *&waitingLoop()
{
    static QEventLoop *loop = nullptr;
    return loop;
}

} // namespace

void postEvent(EventCode code, const Value &mp1, const Value &mp2, const Value &part)
{
    queue().push_back({code, mp1, mp2, part});
    // An event may be posted deep inside the toolkit's work, in a nested event loop or in the
    // stretch before the dispatcher blocks; ending the waiting loop also wakes the dispatcher, so
    // the event is handed out now and not when some later event happens to arrive.
    if (QEventLoop *loop = waitingLoop())
        loop->quit();
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
    while (events.empty()) {
        QEventLoop loop;
        gui::waitingLoop() = &loop;
        loop.exec();
        gui::waitingLoop() = nullptr;
    }
    gui::Event e = std::move(events.front());
    events.pop_front();
    mp1 = e.mp1;
    mp2 = e.mp2;
    oPart = e.part;
    return static_cast<int>(e.code);
}

} // namespace rt
