#pragma once
// The one event queue. Toolkit signals only post (code, mp1, mp2, part) here; APPEVENT waits,
// letting the toolkit work, until an event is queued and hands it out; the part's handleEvent runs
// its callbacks. So every callback of the system runs inside MAIN's own loop, never inside a
// toolkit signal, and no exception of the runtime ever crosses a toolkit frame.

#include "Value.hpp"

#include <source_location>

namespace rt::gui {

// Every event code the GUI layer posts; only Close is known to the system.
enum class EventCode : int
{
    Activate = 0x00100001, // a push button was pressed
    Selected = 0x00100002, // a check box was toggled by the user
    Close = 0x00100038,    // 1048632: a window is to be closed
};

void postEvent(EventCode code, const Value &mp1, const Value &mp2, const Value &part);

} // namespace rt::gui

namespace rt {

// Waits (without a time-out) for the next event; returns its code and sets the three references.
Value APPEVENT(Value &mp1, Value &mp2, Value &oPart,
               std::source_location w = std::source_location::current());

} // namespace rt
