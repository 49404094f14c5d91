#include "Controls.hpp"

#include "ErrorRouting.hpp"
#include "EventQueue.hpp"
#include "PartNative.hpp"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace rt::gui {
namespace {

constexpr int kSpreadColumns = 6;

// A text row whose words stand centred in equal columns. It is a label all the same, so that a
// screen reader reads its text.
class SpreadLabel : public QLabel
{
public:
    SpreadLabel(const QString &text, QWidget *parent)
        : QLabel(text, parent), m_words(text.split(' ', Qt::SkipEmptyParts))
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const int n = static_cast<int>(m_words.size());
        for (int i = 0; i < n; ++i) {
            QRect cell(width() * i / n, 0, width() / n, height());
            painter.drawText(cell, Qt::AlignCenter, m_words[i]);
        }
    }

private:
    QStringList m_words;
};

QWidget *parentWidget(const Part &part)
{
    return part.parent() ? part.parent()->native().container.data() : nullptr;
}

} // namespace

void PushButton::realise(PartNative &native)
{
    auto *button = new QPushButton(fromOem(caption), parentWidget(*this));
    std::weak_ptr<Object> self = weak_from_this();
    QObject::connect(button, &QPushButton::clicked, button, [self] {
        if (auto part = self.lock())
            postEvent(EventCode::Activate, NIL, NIL, Value(part));
    });
    native.widget = button;
}

Value PushButton::handleEvent(int code, const Value &, const Value &, Where w)
{
    if (code == static_cast<int>(EventCode::Activate) && activate.isBlock())
        EVAL(activate, {NIL, NIL, Value(shared_from_this())}, w);
    return NIL;
}

void CheckBox::realise(PartNative &native)
{
    auto *box = new QCheckBox(parentWidget(*this));
    std::weak_ptr<Object> self = weak_from_this();
    QObject::connect(box, &QCheckBox::clicked, box, [self](bool on) {
        if (auto part = self.lock())
            postEvent(EventCode::Selected, on, NIL, Value(part));
    });
    native.widget = box;
}

bool CheckBox::getData() const
{
    auto *box = qobject_cast<QCheckBox *>(const_cast<CheckBox *>(this)->native().widget.data());
    return box && box->isChecked();
}

void CheckBox::setData(bool on)
{
    if (auto *box = qobject_cast<QCheckBox *>(native().widget.data()))
        box->setChecked(on);
}

Value CheckBox::handleEvent(int code, const Value &mp1, const Value &, Where w)
{
    if (code == static_cast<int>(EventCode::Selected) && selected.isBlock())
        EVAL(selected, {mp1, NIL, Value(shared_from_this())}, w);
    return NIL;
}

std::optional<Value> CheckBox::receive(std::string_view message, Args &args, Where w)
{
    if (sameName(message, "getData"))
        return Value(getData());
    if (sameName(message, "setData")) {
        if (args.empty() || !args[0].isLogical())
            return argumentError("setData",
                                 {Value(shared_from_this()), args.empty() ? NIL : args[0]}, NIL, w);
        setData(args[0].logical());
        return args[0];
    }
    return Part::receive(message, args, w);
}

void Static::realise(PartNative &native)
{
    QWidget *parent = parentWidget(*this);
    if (type == static_cast<int>(StaticType::GroupBox))
        native.widget = new QGroupBox(fromOem(caption), parent);
    else if (options == kSpreadColumns)
        native.widget = new SpreadLabel(fromOem(caption), parent);
    else
        native.widget = new QLabel(fromOem(caption), parent);
}

} // namespace rt::gui
