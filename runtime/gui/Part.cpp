#include "Part.hpp"

#include "ErrorRouting.hpp"
#include "EventQueue.hpp"
#include "PartNative.hpp"
#include "TextFunctions.hpp"

namespace rt::gui {

Part::Part(std::shared_ptr<Part> parent, Pos pos, Size size, PresParams pres, bool visible)
    : m_parent(std::move(parent)), m_pos(pos), m_size(size), m_pres(std::move(pres)),
      m_visible(visible), m_native(std::make_unique<PartNative>())
{
}

Part::~Part()
{
    if (m_native->ownsWidget && m_native->widget)
        delete m_native->widget.data();
}

void Part::create()
{
    if (created())
        return;
    realise(*m_native);
    QWidget *w = m_native->widget;
    if (!m_native->container)
        m_native->container = w;
    if (m_parent) {
        // The desktop outlives many windows: the parts gone are forgotten.
        auto &siblings = m_parent->m_children;
        std::erase_if(siblings, [](const std::weak_ptr<Part> &p) { return p.expired(); });
        siblings.push_back(std::static_pointer_cast<Part>(shared_from_this()));
    }
    if (m_native->borrowed)
        return;
    const QString font = fromOem(fontCompoundName());
    if (!font.isEmpty())
        w->setFont(fontFromCompoundName(font, w->font()));
    if (!accessibleName.empty())
        w->setAccessibleName(fromOem(accessibleName));
    w->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
    place();
    w->setVisible(m_visible);
}

void Part::place()
{
    QWidget *w = m_native->widget;
    if (w && m_parent && m_parent->m_native->container)
        w->setGeometry(toToolkit(m_pos, m_size, m_parent->m_native->container->height()));
}

void Part::placeChildren()
{
    for (const std::weak_ptr<Part> &weak : m_children) {
        const std::shared_ptr<Part> child = weak.lock();
        if (!child)
            continue;
        if (child->m_native->borrowed)
            child->placeChildren(); // it shares this part's widget, so its parts stand in it
        else
            child->place();
    }
}

bool Part::created() const
{
    return !m_native->widget.isNull();
}

Value Part::handleEvent(int, const Value &, const Value &, Where)
{
    return NIL;
}

std::optional<Value> Part::receive(std::string_view message, Args &args, Where w)
{
    if (sameName(message, "handleEvent")) {
        args.resize(3);
        if (!args[0].isNumber())
            return argumentError("handleEvent", args, NIL, w);
        return handleEvent(static_cast<int>(args[0].number()), args[1], args[2], w);
    }
    return Object::receive(message, args, w);
}

Text Part::fontCompoundName() const
{
    for (const auto &[code, value] : m_pres)
        if (code == Presentation::FontCompoundName && value.isText())
            return value.text();
    return {};
}

void Part::post(int code, const Value &mp1, const Value &mp2)
{
    postEvent(static_cast<EventCode>(code), mp1, mp2, Value(shared_from_this()));
}

} // namespace rt::gui
