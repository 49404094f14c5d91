#include "Fields.hpp"

#include "ErrorRouting.hpp"
#include "PartNative.hpp"
#include "Text850.hpp"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <algorithm>
#include <cmath>
#include <memory>

namespace rt::gui {
namespace {

QWidget *parentWidget(const Part &part)
{
    return part.parent() ? part.parent()->native().container.data() : nullptr;
}

QString glyphs(const Text &bytes)
{
    QString out;
    for (char c : bytes) {
        const char32_t glyph = visibleGlyph(static_cast<unsigned char>(c));
        out += QString::fromUcs4(&glyph, 1);
    }
    return out;
}

QString hexBytes(const Text &bytes)
{
    QStringList parts;
    for (char c : bytes)
        parts << QString::asprintf("0x%02X", static_cast<unsigned char>(c));
    return parts.join(' ');
}

// The single-line edit's widget. Its context menu offers, beside the ordinary copy of the glyphs,
// the shown bytes as hex text ("0x02 0x01"), which other programs can read.
class ByteEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    void setHex(const QString &hex) { m_hex = hex; }

protected:
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        std::unique_ptr<QMenu> menu(createStandardContextMenu());
        QAction *copyHex = new QAction(QStringLiteral("Als Hex kopieren"), menu.get());
        copyHex->setObjectName(QStringLiteral("copy-hex"));
        copyHex->setEnabled(!m_hex.isEmpty());
        const QString hex = m_hex;
        QObject::connect(copyHex, &QAction::triggered,
                         [hex] { QGuiApplication::clipboard()->setText(hex); });
        // Right after the ordinary copy, which the standard menu names by its shortcut.
        const QString copyKey =
            '\t' + QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
        const QList<QAction *> actions = menu->actions();
        const auto copy = std::ranges::find_if(
            actions, [&](const QAction *a) { return a->text().endsWith(copyKey); });
        const auto before = copy == actions.end() ? copy : std::next(copy);
        menu->insertAction(before == actions.end() ? nullptr : *before, copyHex);
        menu->exec(event->globalPos());
    }

private:
    QString m_hex;
};

// The spin button's widget. An entry left empty when it is finished (the focus leaves it, or
// Return) becomes 0, the value of no switch at all, instead of going back to the value it held:
// the field shows the number a press of the button converts.
class SpinEntry : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

    void fixup(QString &input) const override
    {
        if (input.trimmed().isEmpty())
            input = QString::number(std::clamp(0, minimum(), maximum()));
        else
            QSpinBox::fixup(input);
    }
};

Value wrongData(const Part &part, std::string_view message, const Args &args, Where w)
{
    return argumentError(
        message, {Value(const_cast<Part &>(part).shared_from_this()), args.empty() ? NIL : args[0]},
        NIL, w);
}

} // namespace

void SingleLineEdit::realise(PartNative &native)
{
    auto *edit = new ByteEdit(parentWidget(*this));
    edit->setReadOnly(!editable);
    native.widget = edit;
}

void SingleLineEdit::setData(const Text &bytes)
{
    m_bytes = bytes;
    if (auto *edit = dynamic_cast<ByteEdit *>(native().widget.data())) {
        edit->setHex(hexBytes(bytes));
        edit->setText(glyphs(bytes));
        edit->setToolTip(hexBytes(bytes));
        edit->setAccessibleDescription(hexBytes(bytes));
    }
}

std::optional<Value> SingleLineEdit::receive(std::string_view message, Args &args, Where w)
{
    if (sameName(message, "setData")) {
        if (args.empty() || !args[0].isText())
            return wrongData(*this, message, args, w);
        setData(args[0].text());
        return args[0];
    }
    if (sameName(message, "getData"))
        return Value(m_bytes);
    return Part::receive(message, args, w);
}

void SpinButton::realise(PartNative &native)
{
    auto *spin = new SpinEntry(parentWidget(*this));
    spin->setRange(m_minimum, m_maximum);
    spin->setAlignment(Qt::AlignRight);
    // A typed entry is taken as it stands when the button is pressed: no stepping to the nearest
    // value behind the user's back.
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    if (bufferLength > 0)
        spin->findChild<QLineEdit *>()->setMaxLength(bufferLength);
    native.widget = spin;
}

void SpinButton::setNumLimits(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    if (auto *spin = qobject_cast<QSpinBox *>(native().widget.data()))
        spin->setRange(minimum, maximum);
}

void SpinButton::setData(double number)
{
    if (!std::isfinite(number))
        number = m_minimum;
    if (auto *spin = qobject_cast<QSpinBox *>(native().widget.data()))
        spin->setValue(static_cast<int>(std::clamp(number, double(m_minimum), double(m_maximum))));
}

double SpinButton::editBuffer() const
{
    auto *spin = qobject_cast<QSpinBox *>(const_cast<SpinButton *>(this)->native().widget.data());
    if (!spin)
        return 0;
    // A press that did not take the focus (a key, a screen reader's action) finishes the entry
    // all the same, so that the field shows the number read here.
    spin->interpretText();
    return spin->value();
}

std::optional<Value> SpinButton::receive(std::string_view message, Args &args, Where w)
{
    if (sameName(message, "setData")) {
        if (args.empty() || !args[0].isNumber())
            return wrongData(*this, message, args, w);
        setData(args[0].number());
        return args[0];
    }
    if (sameName(message, "EditBuffer") || sameName(message, "getData"))
        return Value(editBuffer());
    if (sameName(message, "setNumLimits")) {
        if (args.size() < 2 || !args[0].isNumber() || !args[1].isNumber())
            return wrongData(*this, message, args, w);
        setNumLimits(static_cast<int>(args[0].number()), static_cast<int>(args[1].number()));
        return NIL;
    }
    return Part::receive(message, args, w);
}

} // namespace rt::gui
