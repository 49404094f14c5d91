#pragma once
// The common ground of every GUI part. A part is made in three steps: construction with parent,
// position, size, presentation parameters and visibility; member settings; create(), which
// realises it as a toolkit widget. Callbacks may be attached after create(). Messages reach a part
// by name through SEND ("handleEvent", "setData", ...), without regard to case. The toolkit stays
// behind PartNative, so this header can be read by code that knows nothing of it.

#include "Geometry.hpp"
#include "Object.hpp"

#include <memory>
#include <source_location>
#include <vector>

namespace rt::gui {

struct PartNative;

class Part : public Object
{
public:
    Part(std::shared_ptr<Part> parent, Pos pos, Size size, PresParams pres, bool visible);
    ~Part() override;

    // Member settings, made between construction and create().
    bool clipSiblings = false;
    bool tabStop = false;
    Text accessibleName; // what a screen reader calls the part

    // Realises the part; a second call does nothing.
    void create();
    bool created() const;

    // Places the parts made inside this one again, from their positions and this part's present
    // height: they keep their place from its lower-left corner when it changes its height.
    void placeChildren();

    // Runs the part's callbacks for the event sent at `w`, which is where they are called from;
    // returns NIL.
    virtual Value handleEvent(int code, const Value &mp1, const Value &mp2, Where w);

    std::optional<Value> receive(std::string_view message, Args &args, Where w) override;

    const std::shared_ptr<Part> &parent() const { return m_parent; }
    Pos pos() const { return m_pos; }
    Size size() const { return m_size; }
    PartNative &native() { return *m_native; }

    // The font the presentation parameters name, "" when none.
    Text fontCompoundName() const;

protected:
    // Makes the widget of this kind inside `parentWidget` (a widget of the parent, or none).
    virtual void realise(PartNative &native) = 0;

    // Posts an event addressed to this part.
    void post(int code, const Value &mp1 = NIL, const Value &mp2 = NIL);

private:
    void place();

    std::shared_ptr<Part> m_parent;
    std::vector<std::weak_ptr<Part>> m_children; // those created, in order
    Pos m_pos;
    Size m_size;
    PresParams m_pres;
    bool m_visible;
    std::unique_ptr<PartNative> m_native;
};

using PartRef = std::shared_ptr<Part>;

// The first step of making a part: `parent` is a part (or the desktop); `owner` is accepted and,
// as in the system, always left empty.
template<class T>
std::shared_ptr<T> New(const Value &parent, const Value & /*owner*/, Pos pos, Size size,
                       PresParams pres = {}, bool visible = true)
{
    auto parentPart =
        parent.isObject() ? std::dynamic_pointer_cast<Part>(parent.object()) : PartRef();
    return std::make_shared<T>(parentPart, pos, size, std::move(pres), visible);
}

} // namespace rt::gui
