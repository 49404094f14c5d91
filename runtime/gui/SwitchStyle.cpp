// The switches' look: a proxy over the style the application chose (-style and the desktop's
// included) that draws every switch itself, from the rectangle and palette it is given, so a
// switch reads as a check box under any style, palette and scale. Every check box of the program
// is the switch of a CheckBox part; everything else is left to the chosen style.

#include "PartNative.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>

namespace rt::gui {
namespace {

// A switch is 12 pixels wide and stands 12 pixels from the next: an indicator of 10 leaves a gap
// of 2 between neighbours. The size is in device-independent pixels, so it fits at every scale.
constexpr int kSwitchIndicator = 10;

// How far the unticked box's border stands out from the window's colour: above the 3 : 1 the
// parts of a control need, with room for a style that tints a group's background.
constexpr double kBorderContrast = 4.0;
// How far the focus ring and the hovered border stand out from it.
constexpr double kFocusContrast = 3.0;

// Relative luminance and contrast ratio as WCAG 2.1 defines them.
double luminance(const QColor &c)
{
    const auto linear = [](float s) {
        return s <= 0.04045f ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mix(const QColor &from, const QColor &to, double share)
{
    const auto channel = [&](float a, float b) { return a + (b - a) * share; };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()));
}

// `colour` moved towards the window's text colour in sixteenths, just far enough to stand out
// from the window's colour by `ratio`: dark on a light palette, light on a dark one.
QColor standingOut(const QColor &colour, const QPalette &palette, double ratio)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    for (int sixteenths = 0; sixteenths < 16; ++sixteenths) {
        const QColor c = mix(colour, text, sixteenths / 16.0);
        if (contrast(c, window) >= ratio)
            return c;
    }
    return text;
}

// One device-independent pixel, drawn as whole device pixels.
qreal onePixel(const QPainter &painter)
{
    const qreal dpr = painter.device()->devicePixelRatio();
    return std::max<qreal>(1, std::round(dpr)) / dpr;
}

// `r` with its edges on whole device pixels, so lines stay sharp at every scale.
QRectF onDevicePixels(const QRectF &r, qreal dpr)
{
    const auto snap = [dpr](qreal v) { return std::round(v * dpr) / dpr; };
    return QRectF(QPointF(snap(r.left()), snap(r.top())),
                  QPointF(snap(r.right()), snap(r.bottom())));
}

// The box: a border that stands out from the window, the base colour inside, and the check
// mark (or, for "partly", a bar) drawn in the text colour, scaled to the box.
void drawSwitchBox(const QStyleOption &option, QPainter &painter)
{
    const QPalette &palette = option.palette;
    const qreal dpr = painter.device()->devicePixelRatio();
    const qreal line = onePixel(painter);
    const int side = std::min(option.rect.width(), option.rect.height());
    const QRectF box = onDevicePixels(
        QStyle::alignedRect(option.direction, Qt::AlignCenter, QSize(side, side), option.rect),
        dpr);
    const bool pointedAt = option.state & (QStyle::State_MouseOver | QStyle::State_Sunken);
    const QColor border =
        pointedAt ? standingOut(palette.color(QPalette::Highlight), palette, kFocusContrast)
                  : standingOut(palette.color(QPalette::Window), palette, kBorderContrast);
    QColor inside = palette.color(QPalette::Base);
    if (option.state & QStyle::State_Sunken)
        inside = mix(inside, border, 0.25);
    painter.fillRect(box, border);
    painter.fillRect(box.adjusted(line, line, -line, -line), inside);

    const qreal pen = side / 5.0;
    const QRectF room =
        box.adjusted(line + pen / 2, line + pen / 2, -line - pen / 2, -line - pen / 2);
    QPainterPath mark;
    if (option.state & QStyle::State_On) {
        mark.moveTo(room.left(), room.top() + room.height() * 0.5);
        mark.lineTo(room.left() + room.width() * 0.38, room.bottom() - room.height() * 0.1);
        mark.lineTo(room.right(), room.top() + room.height() * 0.1);
    } else if (option.state & QStyle::State_NoChange) {
        mark.moveTo(room.left(), room.center().y());
        mark.lineTo(room.right(), room.center().y());
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(
        QPen(palette.color(QPalette::Text), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);
    painter.restore();
}

// The application's style, with the indicator a switch has room for, drawn by the proxy itself.
// One proxy over the style the application chose answers for all switches: a style sheet on each
// switch gave each its own style object, parsed rules and rule cache, and one style object shared
// by the switches still needs a second instance of the base style and a restyling of every
// switch; both cost measurably more memory and start-up time. Styles draw their own check boxes
// for a size of their own, so squeezed into a switch's part some break them; drawing the box here
// makes it the same under every style, in the colours of its palette.
class SwitchStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if ((metric == PM_IndicatorWidth || metric == PM_IndicatorHeight) && isSwitch(widget))
            return kSwitchIndicator;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    // The indicator stands centred in the switch's part, above its digit; a click on it toggles.
    QRect subElementRect(SubElement element, const QStyleOption *option,
                         const QWidget *widget) const override
    {
        if ((element == SE_CheckBoxIndicator || element == SE_CheckBoxClickRect) &&
            isSwitch(widget))
            return alignedRect(option->direction, Qt::AlignCenter,
                               QSize(proxy()->pixelMetric(PM_IndicatorWidth, option, widget),
                                     proxy()->pixelMetric(PM_IndicatorHeight, option, widget)),
                               option->rect);
        return QProxyStyle::subElementRect(element, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_IndicatorCheckBox && isSwitch(widget))
            return drawSwitchBox(*option, *painter);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    // A switch has no text: its whole look is the box, and the focus a ring around it, shown once
    // the keyboard has moved the focus, as styles show it on other controls.
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        if (element != CE_CheckBox || !isSwitch(widget))
            return QProxyStyle::drawControl(element, option, painter, widget);
        QStyleOption indicator(*option);
        indicator.rect = proxy()->subElementRect(SE_CheckBoxIndicator, option, widget);
        const State focusShown = State_HasFocus | State_KeyboardFocusChange;
        if ((option->state & focusShown) == focusShown) {
            const qreal line = onePixel(*painter);
            painter->fillRect(
                onDevicePixels(QRectF(indicator.rect).adjusted(-line, -line, line, line),
                               painter->device()->devicePixelRatio()),
                standingOut(option->palette.color(QPalette::Highlight), option->palette,
                            kFocusContrast));
        }
        proxy()->drawPrimitive(PE_IndicatorCheckBox, &indicator, painter, widget);
    }

private:
    static bool isSwitch(const QWidget *widget) { return qobject_cast<const QCheckBox *>(widget); }
};

} // namespace

void installSwitchStyle()
{
    // The proxy takes the current style over; the application owns the proxy.
    QApplication::setStyle(new SwitchStyle(QApplication::style()));
}

} // namespace rt::gui
