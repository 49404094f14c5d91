#pragma once
// Runs the real MAIN with its event loop and drives its window step by step, as a person would.
// Each step runs from the toolkit's event loop once MAIN has dispatched everything the previous
// step caused; the last step closes the window through its real close path.

#include "WindowLookup.hpp"

#include <functional>
#include <vector>

namespace windowtest {

using Step = std::function<void()>;

// Runs MAIN; `steps` run one after another while its loop runs, then the window is closed.
// Returns true when MAIN returned after the close.
bool runMainWith(std::vector<Step> steps);

// The number the ticked switches stand for.
int switchPattern();

// How the two-byte field gives the bytes of `number` as hex, low byte first: "0x02 0x01" for 258.
QString hexBytes(int number);

} // namespace windowtest
