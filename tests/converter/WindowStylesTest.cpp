// The window under each look a Debian desktop gives it without asking, at the scale the
// environment sets (QT_SCALE_FACTOR, see CMakeLists.txt), checked from the real window's pixels:
// Qt's Fusion with the toolkit's own palette and GNOME's Adwaita and Adwaita-dark (as the GTK
// platform theme hands them over), Qt's Windows style, KDE Plasma's Breeze where its plugin is.

#include "PartNative.hpp"
#include "RuntimeFixture.hpp"
#include "WindowDriver.hpp"

#include <QApplication>
#include <QGroupBox>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <cmath>

using namespace windowtest;

namespace {

// A desktop's colours: GNOME's Adwaita and Adwaita-dark as the toolkit's GTK platform theme hands
// them to a program, Plasma's "Breeze Light" and "Breeze Dark" colour schemes.
struct Colours
{
    QRgb window, text, base, button, highlight;
};
const Colours kAdwaita{0xfaf9f8, 0x000000, 0xfaf9f8, 0xfaf9f8, 0x3584e4};
const Colours kAdwaitaDark{0x323232, 0xffffff, 0x323232, 0x323232, 0x15539e};
const Colours kBreezeLight{0xeff0f1, 0x232629, 0xffffff, 0xfcfcfc, 0x3daee9};
const Colours kBreezeDark{0x202326, 0xfcfcfc, 0x141618, 0x292c30, 0x3daee9};

struct DesktopStyle
{
    const char *name;
    const char *style;      // its key
    const Colours *colours; // none: the toolkit's own palette, as without a desktop theme
};

const DesktopStyle kDesktopStyles[] = {
    {"FusionLight", "fusion", nullptr},
    {"FusionAdwaita", "fusion", &kAdwaita},
    {"FusionAdwaitaDark", "fusion", &kAdwaitaDark},
    {"WindowsLight", "windows", nullptr},
    {"WindowsDark", "windows", &kAdwaitaDark},
    {"BreezeLight", "breeze", &kBreezeLight},
    {"BreezeDark", "breeze", &kBreezeDark},
};

void PrintTo(const DesktopStyle &row, std::ostream *out)
{
    *out << row.name;
}

QPalette paletteOf(const Colours &c)
{
    QPalette p{QColor(c.button), QColor(c.window)};
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, QColor(c.text));
    p.setColor(QPalette::Base, QColor(c.base));
    p.setColor(QPalette::Highlight, QColor(c.highlight));
    return p;
}

// The row's style, with the switches' proxy around it as at start-up, and its palette; the
// style found before and the toolkit's palette come back after.
class StyledWindow : public testsupport::RuntimeTest,
                     public ::testing::WithParamInterface<DesktopStyle>
{
protected:
    void SetUp() override
    {
        if (!QStyleFactory::keys().contains(GetParam().style, Qt::CaseInsensitive))
            GTEST_SKIP() << "no Qt 6 plugin for the style " << GetParam().style
                         << " here (Debian 13's kde-style-breeze brings Breeze's)";
        use(GetParam().style);
        QApplication::setPalette(GetParam().colours ? paletteOf(*GetParam().colours) : QPalette());
    }
    void TearDown() override
    {
        use(m_before);
        QApplication::setPalette(QPalette());
    }

private:
    static void use(const QString &style)
    {
        QApplication::setStyle(QStyleFactory::create(style));
        rt::gui::installSwitchStyle();
    }
    QString m_before = qobject_cast<QProxyStyle *>(QApplication::style())->baseStyle()->name();
};

// WCAG 2.1's relative luminance and contrast ratio.
double luminance(QRgb c)
{
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The pixels of `part` in which `image` shows more than anti-aliasing's blur apart from what
// `other` gives for them: their bounds, and how many of them stand apart by 3 : 1.
struct Change
{
    QRect bounds;
    int plain = 0;
};

Change changed(const QImage &image, QRect part, const std::function<QRgb(int, int)> &other)
{
    Change c;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) {
            const QRgb a = image.pixel(x, y), b = other(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) >
                24) {
                c.bounds |= QRect(x, y, 1, 1);
                c.plain += contrast(a, b) >= 3.0;
            }
        }
    return c;
}

Change changed(const QImage &image, QRect part, const QImage &other)
{
    return changed(image, part, [&](int x, int y) { return other.pixel(x, y); });
}

// The border's contrast against the background: the median along each side of the box, the
// lowest of the four. A round or broken outline leaves most of a side in the background's colour.
double borderContrast(const QImage &image, QRect box, QRgb background)
{
    double lowest = 21;
    for (const QLine side :
         {QLine(box.topLeft(), box.topRight()), QLine(box.topLeft(), box.bottomLeft()),
          QLine(box.bottomLeft(), box.bottomRight()), QLine(box.topRight(), box.bottomRight())}) {
        std::vector<double> along;
        for (int i = 0; i <= side.dx() + side.dy(); ++i)
            along.push_back(contrast(
                image.pixel(side.p1() + QPoint(side.dx() != 0, side.dy() != 0) * i), background));
        std::ranges::nth_element(along, along.begin() + along.size() / 2);
        lowest = std::min(lowest, along[along.size() / 2]);
    }
    return lowest;
}

QImage grabbed()
{
    return window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// All unticked, then every other switch ticked in a chequer (switches 0 and 9 among them), so
// each has neighbours of the other kind, then each given the focus by Tab.
TEST_P(StyledWindow, EverySwitchLooksLikeACheckBoxAndNoneDrawsOverItsNeighbours)
{
    runMainWith({[] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
        const auto boxes = switches();
        const QImage unticked = grabbed();
        for (int bit = 0; bit < 16; ++bit)
            boxes[bit]->setChecked((bit + bit / 8) % 2 == 0);
        const QImage ticked = grabbed();
        const qreal dpr = window()->devicePixelRatio();
        double lowestBorder = 21;
        for (int bit = 0; bit < 16; ++bit) {
            SCOPED_TRACE(testing::Message() << "switch " << bit << " at scale " << dpr);
            const QRectF logical(boxes[bit]->mapTo(window(), QPoint(0, 0)), boxes[bit]->size());
            const QRect part = QRectF(logical.topLeft() * dpr, logical.size() * dpr).toRect();
            const QRgb background = unticked.pixel(part.center().x(), part.top());
            const QRect box = changed(unticked, part, [&](int, int) { return background; }).bounds;
            ASSERT_FALSE(box.isEmpty()) << "the unticked switch shows";
            EXPECT_TRUE(part.adjusted(1, 1, -1, -1).contains(box)) << "the whole box inside";
            EXPECT_LE(std::abs(box.width() - box.height()), 1) << "square";
            EXPECT_GE(box.width(), part.width() / 2) << "as large as the part allows";
            lowestBorder = std::min(lowestBorder, borderContrast(unticked, box, background));
            EXPECT_GE(lowestBorder, 3.0) << "the unticked border against the background";
            const Change mark = changed(ticked, part, unticked);
            if (boxes[bit]->isChecked()) {
                EXPECT_TRUE(box.contains(mark.bounds)) << "the mark inside the box";
                EXPECT_GE(mark.plain, box.width() * box.height() / 8) << "ticked plainly";
            } else {
                EXPECT_TRUE(mark.bounds.isEmpty()) << "nothing of a neighbour's mark";
            }
            for (int tabs = 0; tabs < 20 && !boxes[bit]->hasFocus(); ++tabs)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_TRUE(boxes[bit]->hasFocus());
            EXPECT_GE(changed(grabbed(), part, ticked).plain, box.width()) << "the focus shown";
        }
        testing::Test::RecordProperty("unticked_border_contrast",
                                      QString::number(lowestBorder, 'f', 2).toStdString());
    }});
}

// The room the style leaves for an entry's text, in which the entry draws it. A text wider than
// that less the entry's margin of 2 each side scrolls into one margin, so one of them is room too.
QRect textArea(const QLineEdit *entry)
{
    QStyleOptionFrame option;
    option.initFrom(entry);
    option.lineWidth = entry->hasFrame() ? entry->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, entry)
                                         : 0;
    return entry->style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, entry)
        .marginsRemoved(entry->textMargins())
        .adjusted(2, 0, 0, 0);
}

TEST_P(StyledWindow, NoCaptionOrNumberIsCutOff)
{
    runMainWith({[] {
        for (QPushButton *b : {leftButton(), rightButton()}) {
            QStyleOptionButton option;
            option.initFrom(b);
            const QRect room =
                b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
            EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), room.width());
            EXPECT_LE(b->fontMetrics().height(), room.height());
        }
        for (QGroupBox *g : window()->findChildren<QGroupBox *>()) {
            SCOPED_TRACE(g->title().toStdString());
            QStyleOptionGroupBox option;
            option.initFrom(g);
            option.text = g->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title = g->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, g);
            EXPECT_LE(g->fontMetrics().horizontalAdvance(g->title()), title.width());
            EXPECT_TRUE(g->rect().contains(title)) << "the title inside the frame";
            EXPECT_TRUE(g->rect().contains(g->childrenRect())) << "children inside the frame";
        }
        spin()->setValue(65535);
        for (const auto &[entry, widest] : {std::pair<QLineEdit *, QString>{spinEntry(), "65535"},
                                            {twoByteField(), QString::fromUtf8("\u2588\u2588")}}) {
            SCOPED_TRACE(widest.toStdString());
            const QRect room = textArea(entry);
            EXPECT_GE(room.width(), entry->fontMetrics().horizontalAdvance(widest));
            EXPECT_GE(room.height(),
                      entry->fontMetrics().ascent() + entry->fontMetrics().descent());
        }
    }});
}

INSTANTIATE_TEST_SUITE_P(EveryDesktop, StyledWindow, ::testing::ValuesIn(kDesktopStyles),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
