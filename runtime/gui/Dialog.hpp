#pragma once
// The desktop, the dialog (a top-level window) and its drawing area, which holds the window's
// controls. Closing a dialog's window does not close it: it posts the close event (1048632) to
// the dialog, and the dialog's own handleEvent hides the window when that event is dispatched.
// A dialog's position and size are those of its whole window, frame included; the drawing area
// is what lies inside the frame.

#include "Part.hpp"

namespace rt::gui {

class Desktop : public Part
{
public:
    Desktop();
    std::string className() const override { return "Desktop"; }

protected:
    void realise(PartNative &native) override;
};

class Dialog : public Part
{
public:
    using Part::Part;
    static std::shared_ptr<Dialog> New(const Value &parent, const Value &owner, Pos pos, Size size,
                                       PresParams pres = {}, bool visible = true);

    bool taskList = false; // an entry in the desktop's task list
    Text title;

    std::string className() const override { return "Dialog"; }
    std::shared_ptr<Part> drawingArea();
    void show();

    Value handleEvent(int code, const Value &mp1, const Value &mp2, Where w) override;
    std::optional<Value> receive(std::string_view message, Args &args, Where w) override;

protected:
    void realise(PartNative &native) override;

private:
    std::shared_ptr<Part> m_drawingArea;
};

// The desktop, parent of top-level windows.
Value APPDESKTOP();

// An end requested from outside (a signal): posts the close event to the dialog made last, or,
// while there is none yet, to the first dialog made from now on.
void requestClose();

} // namespace rt::gui

namespace rt {
using gui::APPDESKTOP;
}
