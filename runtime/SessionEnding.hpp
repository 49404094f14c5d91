#pragma once
// Whether the desktop session has asked this process to end (a termination signal). From then on
// no box of ours waits for an answer: each takes the answer that ends, and a report whose box is
// not waited for goes to standard error. It ends nothing itself; the close event and the boxes'
// answers do.

namespace rt {

bool sessionEnding();

// Marks the session as ending. True only the first time, so a burst of requests is one end.
bool beginSessionEnd();

// Forgets an end that was asked for (tests).
void resetSessionEnd();

} // namespace rt
