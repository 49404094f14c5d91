// The converter window as a person meets it: its layout, the Tab order, the two buttons, and the
// end of its event loop.

#include "Dialog.hpp"
#include "EventQueue.hpp"
#include "Messages.hpp"
#include "RuntimeFixture.hpp"
#include "WindowDriver.hpp"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <optional>

using namespace windowtest;

namespace {

using Window = testsupport::RuntimeTest;

// A part's expected toolkit rectangle: the table gives lower-left corners with y upwards.
QRect fromTable(int x, int y, int w, int h, int parentHeight)
{
    return QRect(x, parentHeight - y - h, w, h);
}

// Clicks into the spin button's entry, as a person does before typing, and replaces its text.
void typeIntoSpin(const QString &text)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
    QTest::mouseClick(spinEntry(), Qt::LeftButton);
    ASSERT_TRUE(spin()->hasFocus());
    spinEntry()->selectAll();
    QTest::keyClick(spinEntry(), Qt::Key_Delete);
    QTest::keyClicks(spinEntry(), text);
}

// Where the whole window, frame included, stands on the desktops the tests run on (see
// CMakeLists.txt), and the drawing area inside the frame.
struct Placement
{
    const char *desktop;
    QRect available;
    QMargins frame;
    QRect whole;
    QSize inside;
};

// clang-format off
const Placement kPlacements[] = {
    {"800 x 800 with a 2-pixel frame", {0, 0, 800, 800}, {2, 2, 2, 2}, {420, 198, 304, 206},
     {300, 202}},
    {"800 x 800 without a frame: the drawing area is the whole window", {0, 0, 800, 800},
     {0, 0, 0, 0}, {420, 198, 304, 206}, {304, 206}},
    {"1280 x 1024 at scale 2 is too small for the place: moved in", {0, 0, 640, 512},
     {1, 1, 1, 1}, {336, 0, 304, 206}, {302, 204}},
};
// clang-format on

TEST_F(Window, TheWholeWindowStandsWithItsLowerLeftCornerAt420_396OrAsNearAsTheDesktopAllows)
{
    runMainWith({[] {
        QWidget *w = window();
        const QRect available = w->screen()->availableGeometry();
        const QMargins frame = w->windowHandle()->frameMargins();
        const Placement *row = nullptr;
        for (const Placement &p : kPlacements)
            if (p.available == available && p.frame == frame)
                row = &p;
        ASSERT_NE(row, nullptr) << "no row for this desktop";
        SCOPED_TRACE(row->desktop);
        EXPECT_EQ(w->frameGeometry(), row->whole);
        EXPECT_EQ(w->size(), row->inside);
    }});
}

// The digit rows are the only parts of the switch group that are not switches.
std::vector<QWidget *> digitRows(QGroupBox *switchGroup)
{
    std::vector<QWidget *> rows;
    for (QWidget *w : switchGroup->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QCheckBox *>(w))
            rows.push_back(w);
    std::ranges::sort(rows, {}, [](QWidget *w) { return w->y(); });
    return rows;
}

// The parts in their places with their captions, the digit rows under their switches in their own
// font, every other part in the window's.
TEST_F(Window, PartsStandWhereTheLayoutTableSaysWithTheirCaptionsAndFonts)
{
    runMainWith({[] {
        QWidget *w = window();
        const int area = w->height(); // the drawing area, inside the frame
        EXPECT_EQ(leftButton()->geometry(), fromTable(24, 12, 96, 24, area));
        EXPECT_EQ(rightButton()->geometry(), fromTable(156, 12, 96, 24, area));
        EXPECT_EQ(leftButton()->text(), "Umwandeln");
        EXPECT_EQ(rightButton()->text(), "Umwandeln");
        auto groups = w->findChildren<QGroupBox *>();
        ASSERT_EQ(groups.size(), 2);
        EXPECT_EQ(groups[0]->title(), "Schaltergruppen A / B");
        EXPECT_EQ(groups[0]->geometry(), fromTable(12, 48, 120, 108, area));
        EXPECT_EQ(groups[1]->title(), "als Dez.Zahl / als 2ByteString");
        EXPECT_EQ(groups[1]->geometry(), fromTable(132, 72, 156, 60, area));
        auto boxes = switches();
        for (int bit = 0; bit < 16; ++bit) {
            SCOPED_TRACE(bit);
            ASSERT_NE(boxes[bit], nullptr);
            const int y = bit < 8 ? 60 : 24;
            EXPECT_EQ(boxes[bit]->parentWidget(), groups[0]);
            EXPECT_EQ(boxes[bit]->geometry(), fromTable(12 + 12 * (bit % 8), y, 12, 24, 108));
            EXPECT_TRUE(boxes[bit]->text().isEmpty());
        }
        EXPECT_EQ(spin()->geometry(), fromTable(12, 12, 60, 24, 60));
        EXPECT_EQ(twoByteField()->geometry(), fromTable(84, 12, 60, 24, 60));
        EXPECT_EQ(spin()->minimum(), 0);
        EXPECT_EQ(spin()->maximum(), 65535);
        EXPECT_EQ(spinEntry()->maxLength(), 5);
        EXPECT_TRUE(twoByteField()->isReadOnly());
        const auto rows = digitRows(groups[0]);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0]->geometry(), fromTable(12, 48, 96, 12, 108)) << "row A";
        EXPECT_EQ(rows[1]->geometry(), fromTable(12, 12, 96, 12, 108)) << "row B";
        for (QWidget *row : rows) {
            EXPECT_EQ(row->font().family(), "Times New Roman");
            EXPECT_EQ(row->font().pointSizeF(), 8.0);
            EXPECT_EQ(row->focusPolicy(), Qt::NoFocus);
        }
        for (QWidget *part : std::initializer_list<QWidget *>{leftButton(), rightButton(),
                                                              groups[0], spin(), twoByteField()}) {
            SCOPED_TRACE(part->metaObject()->className());
            EXPECT_EQ(part->font().family(), "Arial");
            EXPECT_EQ(part->font().pointSizeF(), 8.0);
        }
        for (QGroupBox *g : groups)
            EXPECT_EQ(g->focusPolicy(), Qt::NoFocus) << "statics take no Tab stop";
    }});
}

// Everything a screen reader finds in the window, depth first.
void collect(QAccessibleInterface *node, std::vector<QAccessibleInterface *> &out)
{
    out.push_back(node);
    for (int i = 0; i < node->childCount(); ++i)
        collect(node->child(i), out);
}

struct Announced
{
    QString name;
    QAccessible::Role role;
    int count; // how many parts carry the name
};

const Announced kAnnounced[] = {
    {"Tarvello 16bit", QAccessible::Dialog, 1},
    {"Schalter in Zahl umwandeln", QAccessible::Button, 1},
    {"Zahl in Schalter umwandeln", QAccessible::Button, 1},
    {"Dezimalzahl", QAccessible::SpinBox, 1},
    {"Zwei-Byte-String", QAccessible::EditableText, 1},
    {"Bit 0", QAccessible::CheckBox, 1},
    {"Bit 15", QAccessible::CheckBox, 1},
    {"0  1  2  3  4  5  6  7", QAccessible::StaticText, 2},
};

TEST_F(Window, AScreenReaderNamesEveryControlAndReadsTheDigitRows)
{
    runMainWith({[] {
        std::vector<QAccessibleInterface *> nodes;
        collect(QAccessible::queryAccessibleInterface(window()), nodes);
        for (const Announced &row : kAnnounced) {
            SCOPED_TRACE(row.name.toStdString());
            const auto named = std::ranges::count_if(nodes, [&](auto *n) {
                return n->text(QAccessible::Name) == row.name && n->role() == row.role;
            });
            EXPECT_EQ(named, row.count);
        }
        QStringList focusable;
        for (QAccessibleInterface *n : nodes)
            if (n->state().focusable)
                focusable << n->text(QAccessible::Name);
        EXPECT_EQ(focusable.size(), 20) << "buttons, switches and fields";
        EXPECT_EQ(focusable.removeDuplicates(), 0) << "each name is its own";
        EXPECT_FALSE(focusable.contains(QString())) << "none without a name";
    }});
}

// Opens the two-byte field's context menu as a right click does and triggers the action named
// `action` (an object name) in it; false when the menu has no such action enabled, or has lost
// the ordinary copy.
bool triggerInContextMenu(const QString &action)
{
    bool found = false;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction *wanted = menu->findChild<QAction *>(action);
        const QString copyKey = QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
        const bool ordinaryCopy = std::ranges::any_of(
            menu->actions(), [&](QAction *a) { return a->text().endsWith('\t' + copyKey); });
        found = wanted && wanted->isEnabled() && ordinaryCopy;
        menu->close();
        if (found)
            wanted->trigger();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, twoByteField()->rect().center(),
                            twoByteField()->mapToGlobal(twoByteField()->rect().center()));
    QApplication::sendEvent(twoByteField(), &event);
    return found;
}

TEST_F(Window, TabVisitsButtonsThenSwitchesInBitOrderThenTheFields)
{
    runMainWith({[] {
        std::vector<QWidget *> expected = {leftButton(), rightButton()};
        for (QCheckBox *box : switches())
            expected.push_back(box);
        expected.push_back(twoByteField());
        expected.push_back(spin());
        QWidget *w = leftButton();
        for (size_t i = 1; i < expected.size(); ++i) {
            do
                w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || w == spinEntry());
            SCOPED_TRACE(i);
            EXPECT_EQ(w, expected[i]);
        }
    }});
}

// Switches clicked, then the left button, then a number typed and the right button pressed: what
// the switches, the spin button and the two-byte field then show.
struct Conversion
{
    const char *proves;
    std::vector<int> clicked; // switches, by bit
    bool left;                // the left button pressed after them
    const char *typed;        // nullptr: nothing typed and the right button not pressed
    int pattern;              // the switches on at the end
    std::optional<int> shown; // in the spin button and the field; none: the field stays empty
    // The right button pressed by a screen reader's press action, which leaves the focus in the
    // spin button, not with the mouse, which takes it.
    bool byScreenReader = false;
    const char *glyphs = nullptr; // what the field shows, where the row says
};

// The spin button held 32768 before a typed row, so an entry that fell back to it would show.
// clang-format off
const Conversion kConversions[] = {
    {"switches alone change no field", {3, 12}, false, nullptr, (1 << 3) | (1 << 12), {}},
    {"switches 1 and 9 and the left button show 257", {0, 8}, true, nullptr, 257, 257, false,
     "\u263A\u263A"},
    {"a plain number", {15}, true, "258", 258, 258},
    {"the highest value", {15}, true, "65535", 65535, 65535},
    {"a number too large is refused past its valid part", {15}, true, "99999", 9999, 9999},
    {"a minus sign is refused", {15}, true, "-1", 1, 1},
    {"letters are refused", {15}, true, "12a", 12, 12},
    {"six digits are cut at five", {15}, true, "123456", 12345, 12345},
    {"an empty entry becomes 0 when the press takes the focus", {15}, true, "", 0, 0},
    {"an empty entry becomes 0 when a screen reader presses", {15}, true, "", 0, 0, true},
};
// clang-format on

// The field's bytes (low byte first) are read as hex from its tooltip, by a screen reader and
// from its context menu's copy.
void expectShown(const Conversion &row)
{
    EXPECT_EQ(switchPattern(), row.pattern);
    EXPECT_EQ(spinEntry()->text(), QString::number(row.shown.value_or(0)));
    if (!row.shown) {
        EXPECT_TRUE(twoByteField()->text().isEmpty());
        return;
    }
    const QString hex = hexBytes(*row.shown);
    EXPECT_EQ(twoByteField()->toolTip(), hex);
    auto *field = QAccessible::queryAccessibleInterface(twoByteField());
    EXPECT_EQ(field->text(QAccessible::Description), hex);
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(triggerInContextMenu("copy-hex"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), hex);
    if (row.glyphs) {
        EXPECT_EQ(twoByteField()->text(), QString::fromUtf8(row.glyphs));
    }
}

TEST_F(Window, ConversionsThroughTheRealControls)
{
    for (const Conversion &row : kConversions) {
        SCOPED_TRACE(row.proves);
        runMainWith({[&] {
                         for (int bit : row.clicked)
                             QTest::mouseClick(switches()[bit], Qt::LeftButton);
                         if (row.left)
                             QTest::mouseClick(leftButton(), Qt::LeftButton);
                     },
                     [&] {
                         if (!row.typed)
                             return;
                         ASSERT_EQ(spin()->value(), 32768);
                         typeIntoSpin(row.typed);
                         if (!row.byScreenReader)
                             return QTest::mouseClick(rightButton(), Qt::LeftButton);
                         QSignalSpy clicked(rightButton(), &QPushButton::clicked); // a moment later
                         QAccessible::queryAccessibleInterface(rightButton())
                             ->actionInterface()
                             ->doAction(QAccessibleActionInterface::pressAction());
                         EXPECT_TRUE(clicked.wait(2000));
                     },
                     [&] { expectShown(row); }});
    }
}

TEST_F(Window, OtherEventsKeepTheLoopRunningAndTheCloseEventIsDispatchedBeforeItEnds)
{
    std::shared_ptr<rt::gui::Dialog> dialog;
    bool stillRunning = false;
    const bool returned = runMainWith(
        {[&] {
             // the running window's dialog, reached from the published field
             auto edit = std::dynamic_pointer_cast<rt::gui::Part>(rt::PUBLIC("oSLE").object());
             dialog =
                 std::dynamic_pointer_cast<rt::gui::Dialog>(edit->parent()->parent()->parent());
             for (int code : {0, 42, 0x00100001, 0x00100037})
                 rt::gui::postEvent(static_cast<rt::gui::EventCode>(code), rt::NIL, rt::NIL,
                                    rt::Value(dialog));
         },
         [&] { stillRunning = window() != nullptr; }});
    EXPECT_TRUE(returned);
    EXPECT_TRUE(stillRunning);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(window(), nullptr) << "closed";
}

} // namespace
