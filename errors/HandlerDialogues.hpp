#pragma once
// The two ways the standard error handler asks the user what to do with an error it shows: an
// alert with labelled options in a text-mode application, a confirmation box with the call stack
// in a graphical one. Only STANDARDEH calls these, inside its own call-stack frame; they push none
// of their own, so the call levels they list are counted from the handler.
// Runs only for an error, so it is cold: its code lies apart from the code run at start-up.

#include "Value.hpp"

namespace handler {

// The option list of the text-mode alert: "Abbrechen", "Ende mit LOG-Datei", then "Wiederholen"
// when canRetry is true, then "Ignorieren" when canDefault is true.
[[gnu::cold]] rt::Value optionList(const rt::Value &oError);

// The button-set and icon codes of the graphical box.
[[gnu::cold]] int buttonSet(const rt::Value &oError);
[[gnu::cold]] int iconCode(const rt::Value &oError);

// Each returns the handler's answer (true or false), breaks, or ends the process.
[[gnu::cold]] rt::Value textModeDialogue(const rt::Value &oError, const rt::Text &message);
[[gnu::cold]] rt::Value graphicalDialogue(const rt::Value &oError, const rt::Text &message);

} // namespace handler
