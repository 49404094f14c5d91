#pragma once
// Runs our modal boxes so that the end of the session answers them: a box opened while the session
// ends is not shown at all, and the end closes every box that is open, each without a button
// clicked, so it takes its ending answer. It does not choose the answers: each box does.

class QDialog;

namespace rt::gui {

// Cold: every box reports a failure (ALERT, CONFIRMBOX, MSGBOX).
// Runs `box` modally. False when the user did not answer it: the session ended first or meanwhile.
[[gnu::cold]] bool runModal(QDialog &box);

// Closes every box runModal runs, innermost first.
void endModalBoxes();

} // namespace rt::gui
