#pragma once
// The toolkit side of a part (private to the GUI layer): its widget, and the one place where the
// system's lower-left, y-up positions become the toolkit's top-left ones, for controls inside
// their parent and for windows on the desktop.

#include "Geometry.hpp"

#include <QPointer>
#include <QWidget>

namespace rt::gui {

struct PartNative
{
    QPointer<QWidget> widget;
    // The widget that holds this part's children (for most parts the widget itself).
    QPointer<QWidget> container;
    bool ownsWidget = false; // a top-level window, deleted with its part
    bool borrowed = false;   // another part's widget, placed and shown by that part
};

// The toolkit rectangle of a part at `pos` with `size` inside a parent `parentHeight` high.
QRect toToolkit(Pos pos, Size size, int parentHeight);

// Where a top-level window stands: the whole window, frame included, in desktop coordinates, and
// the size of its drawing area, which is what lies inside the frame.
struct WindowPlace
{
    QRect whole;
    QSize inside;
};

// The place of a window whose whole size is `size`, its lower-left corner at `pos` of the
// desktop's `available` area, inside a frame of `frame` (none where the platform tells none). A
// window that would stand partly outside `available` is moved in, and where it is larger than
// the area its top-left corner, with the title bar, stays on it. An invalid `available` (no
// screen) moves nothing.
WindowPlace placeWindow(Pos pos, Size size, QMargins frame, QRect available);

// "8.Arial" as a font; the face maps through fontconfig (Arial to Liberation Sans on Linux).
QFont fontFromCompoundName(const QString &compound, const QFont &base);

// Makes the application's style give every check box the indicator a switch has room for; once,
// right after the application object is made.
void installSwitchStyle();

// A code-page-850 text for display.
QString fromOem(const std::string &bytes);

} // namespace rt::gui
