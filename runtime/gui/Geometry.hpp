#pragma once
// Positions, sizes and presentation parameters of GUI parts as the system gives them: pixels, a
// part's lower-left corner measured from its parent's lower-left corner, y growing upwards. The
// conversion to the toolkit's top-left coordinates happens in one place, PartNative.cpp.

#include "Value.hpp"

#include <utility>
#include <vector>

namespace rt::gui {

struct Pos
{
    int x = 0;
    int y = 0;
};

struct Size
{
    int width = 0;
    int height = 0;
};

// Presentation parameter codes.
enum class Presentation : int
{
    DisplayHint = 4,       // a number; accepted and kept, it changes nothing on this platform
    FontCompoundName = 15, // "points.face", e.g. "8.Arial"
};

using PresParams = std::vector<std::pair<Presentation, Value>>;

} // namespace rt::gui
