// The GUI layer's own contracts: the real message boxes answer with the codes the system expects,
// the event queue hands events out in order, a close request from outside becomes the close event,
// a message a part refuses is reported at the sender's line, and where a window is placed.

#include "CallStack.hpp"
#include "Controls.hpp"
#include "Dialog.hpp"
#include "Dialogs.hpp"
#include "ErrorRouting.hpp"
#include "EventQueue.hpp"
#include "Fields.hpp"
#include "Messages.hpp"
#include "PartNative.hpp"
#include "QtDialogs.hpp"
#include "RuntimeFixture.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>

using namespace rt;
using namespace rt::gui;

namespace {

class GuiLayer : public testsupport::RuntimeTest
{
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        installDialogs(std::make_shared<QtDialogs>()); // a fresh state has the console ones
    }
};

// Presses, in the next modal box to appear, the button with `label` (or closes it when empty),
// and keeps what the box showed.
struct BoxSeen
{
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

void answerNextBox(const QString &label, BoxSeen *seen)
{
    QTimer::singleShot(0, [label, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(label, seen);
            return;
        }
        seen->text = box->text();
        seen->title = box->windowTitle();
        seen->icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            seen->buttons << b->text();
        if (label.isEmpty()) {
            box->close(); // the window's close button, as Escape
            return;
        }
        for (QAbstractButton *b : box->buttons())
            if (b->text() == label)
                b->click();
    });
}

struct ConfirmRow
{
    const char *name;
    int buttons;
    int style;
    QString press; // "" closes the box
    int answer;
    QMessageBox::Icon icon;
};

const ConfirmRow kConfirm[] = {
    {"OK alone answers 1", 0, 64, "OK", 1, QMessageBox::Information},
    {"closing OK alone answers OK", 0, 0, "", 1, QMessageBox::NoIcon},
    {"OK of OK/Cancel answers 1", 1, 48, "OK", 1, QMessageBox::Warning},
    {"Cancel answers 2", 1, 16, "Abbrechen", 2, QMessageBox::Critical},
    {"closing OK/Cancel answers Cancel", 1, 16 + 131072, "", 2, QMessageBox::Critical},
    {"Abort answers 3", 2, 16, "Abbrechen", 3, QMessageBox::Critical},
    {"Retry answers 4", 2, 16, "Wiederholen", 4, QMessageBox::Critical},
    {"Ignore answers 5", 2, 16, "Ignorieren", 5, QMessageBox::Critical},
    {"closing Abort/Retry/Ignore answers Abort", 2, 16, "", 3, QMessageBox::Critical},
    {"Yes answers 6", 4, 48 + 131072, "Ja", 6, QMessageBox::Warning},
    {"No answers 7", 4, 48, "Nein", 7, QMessageBox::Warning},
    {"closing Yes/No answers No", 4, 48, "", 7, QMessageBox::Warning},
};

TEST_F(GuiLayer, ConfirmBoxAnswersWithTheCodeOfTheButtonPressed)
{
    for (const ConfirmRow &row : kConfirm) {
        SCOPED_TRACE(row.name);
        BoxSeen seen;
        answerNextBox(row.press, &seen);
        Value answer = CONFIRMBOX(NIL, "eins\rzwei", "Titel", row.buttons, row.style);
        EXPECT_EQ(answer, Value(row.answer));
        EXPECT_EQ(seen.text, "eins\nzwei");
        EXPECT_EQ(seen.title, "Titel");
        EXPECT_EQ(seen.icon, row.icon);
    }
}

struct AlertRow
{
    const char *name;
    QString press; // "" closes the box
    int answer;
};

const AlertRow kAlert[] = {
    {"an option answers its position", "Wiederholen", 3},
    {"the first option answers 1", "Abbrechen", 1},
    {"closing without a choice answers 0", "", 0},
};

TEST_F(GuiLayer, AlertShowsEachPieceAsALineAndAnswersTheOptionsPosition)
{
    for (const AlertRow &row : kAlert) {
        SCOPED_TRACE(row.name);
        BoxSeen seen;
        answerNextBox(row.press, &seen);
        Value choice = ALERT("Fehler;zweite Zeile",
                             newArray({"Abbrechen", "Ende mit LOG-Datei", "Wiederholen"}));
        EXPECT_EQ(choice, Value(row.answer));
        EXPECT_EQ(seen.text, "Fehler\nzweite Zeile");
        EXPECT_EQ(seen.title, "Tarvello 16bit") << "an alert has no title of its own";
        EXPECT_EQ(seen.buttons.size(), 3);
    }
}

TEST_F(GuiLayer, EscapeOnAnAlertWithOneOptionIsNoChoice)
{
    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(ALERT("Nur eins", newArray({"OK"})), Value(0));
}

TEST_F(GuiLayer, MessageBoxShowsCodePage850TextAsUmlautsUnderTheProgramsNameOrItsOwnTitle)
{
    BoxSeen seen;
    answerNextBox("OK", &seen);
    MSGBOX(Text("Datei f\x81r Fehlerprotokoll"));
    EXPECT_EQ(seen.text, QString::fromUtf8("Datei für Fehlerprotokoll"));
    EXPECT_EQ(seen.title, "Tarvello 16bit");
    answerNextBox("OK", &seen);
    MSGBOX("Text", Text("Gr\x81\xE1"
                        "e"));
    EXPECT_EQ(seen.title, QString::fromUtf8("Grüße"));
}

TEST_F(GuiLayer, EventsComeOutInTheOrderTheyWerePosted)
{
    for (int i = 1; i <= 3; ++i)
        postEvent(EventCode::Activate, i, NIL, NIL);
    for (int i = 1; i <= 3; ++i) {
        Value mp1, mp2, part;
        EXPECT_EQ(APPEVENT(mp1, mp2, part), Value(0x00100001));
        EXPECT_EQ(mp1, Value(i));
    }
    EXPECT_TRUE(runtime.gui.events.empty());
}

TEST_F(GuiLayer, ATerminationSignalOrABurstOfThemIsOneCloseEventOfTheDialog)
{
    auto dialog = Dialog::New(APPDESKTOP(), NIL, {0, 0}, {100, 100}, {}, false);
    dialog->create();
    const std::pair<const char *, std::vector<int>> rows[] = {
        {"one SIGTERM", {SIGTERM}},
        {"SIGINT, SIGHUP and SIGTERM twice", {SIGINT, SIGHUP, SIGTERM, SIGTERM}}};
    for (const auto &[name, raised] : rows) {
        SCOPED_TRACE(name);
        runtime.sessionEnding = false;
        for (int sig : raised)
            std::raise(sig);
        Value mp1, mp2, part;
        EXPECT_EQ(APPEVENT(mp1, mp2, part), Value(1048632));
        EXPECT_EQ(part, Value(dialog));
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        EXPECT_TRUE(runtime.gui.events.empty());
    }
}

// A termination signal while a box is open answers it with its ending choice; once the session
// ends, a box opened afterwards is not shown and answers the same at once, and a report whose box
// is not waited for goes to standard error. A box that still waited would hang the test.
TEST_F(GuiLayer, TheEndOfTheSessionAnswersEveryBoxWithItsEndingChoice)
{
    const auto window = Dialog::New(APPDESKTOP(), NIL, {0, 0}, {100, 100}, {}, false);
    window->create(); // the close event the signal posts goes to it
    struct Row
    {
        const char *name;
        std::function<Value()> open;
        Value answer;
        const char *onStandardError; // after the end
    } rows[] = {
        {"an alert is closed without a choice",
         [] { return ALERT("DBFDBE Database-Engine nicht geladen", newArray({"OK"})); }, 0, ""},
        {"OK alone ends with OK", [] { return CONFIRMBOX(NIL, "Fehler", "T", 0, 16); }, 1, ""},
        {"OK/Cancel ends with OK", [] { return CONFIRMBOX(NIL, "Fehler", "T", 1, 16); }, 1, ""},
        {"Abort/Retry/Ignore ends with Abort", [] { return CONFIRMBOX(NIL, "Fehler", "T", 2, 16); },
         3, ""},
        {"Yes/No to the end with the log ends with Yes",
         [] { return CONFIRMBOX(NIL, "Ende mit LOG-Datei", "T", 4, 48); }, 6, ""},
        {"a report box is closed, its text told on standard error",
         [] { return MSGBOX(Text("Datei f\x81r MRVERROR.LOG")); }, NIL, "Datei für MRVERROR.LOG\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        runtime.sessionEnding = false;
        bool shown = false;
        QTimer::singleShot(0, [&shown] {
            shown = QApplication::activeModalWidget() != nullptr;
            std::raise(SIGTERM);
        });
        EXPECT_EQ(row.open(), row.answer);
        EXPECT_TRUE(shown);
        EXPECT_TRUE(runtime.sessionEnding);

        testing::internal::CaptureStderr();
        EXPECT_EQ(row.open(), row.answer) << "after the end";
        EXPECT_EQ(testing::internal::GetCapturedStderr(), row.onStandardError);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    QCoreApplication::processEvents();
}

// A message with data the part cannot take: the error names the message, and the sender's level of
// the call stack shows the line of the send, not a line of the GUI layer.
struct RefusedRow
{
    const char *name;
    std::function<Value()> send;
    int line; // of the send
    const char *operation;
};

TEST_F(GuiLayer, ARefusedMessageIsReportedAtTheLineOfTheSend)
{
    const Value box = New<CheckBox>(NIL, NIL, {0, 0}, {12, 24});
    const Value edit = New<SingleLineEdit>(NIL, NIL, {0, 0}, {60, 24});
    const Value spin = New<SpinButton>(NIL, NIL, {0, 0}, {60, 24});
    // clang-format off
    const RefusedRow rows[] = {
        {"a switch set to a text", [&] { return SEND(box, "setData", {"x"}); }, __LINE__, "setData"},
        {"a two-byte field set to a number", [&] { return SEND(edit, "setData", {5}); }, __LINE__, "setData"},
        {"a spin button set to a text", [&] { return SEND(spin, "setData", {"5"}); }, __LINE__, "setData"},
        {"limits with one bound", [&] { return SEND(spin, "setNumLimits", {1}); }, __LINE__, "setNumLimits"},
        {"an event code that is no number", [&] { return SEND(box, "handleEvent", {"x"}); }, __LINE__, "handleEvent"},
    };
    // clang-format on
    ProcFrame sender("MAIN");
    Value operation;
    int senderLine = 0;
    ERRORBLOCK(block([&](Args &args) {
        operation = SEND(args.at(0), "operation");
        senderLine = PROCLINE(1); // level 0 is this callback
        return Value(false);
    }));
    for (const RefusedRow &row : rows) {
        SCOPED_TRACE(row.name);
        operation = NIL;
        row.send();
        EXPECT_EQ(operation, Value(row.operation));
        EXPECT_EQ(senderLine, row.line);
    }
}

// The converter's window, {420, 396} and {304, 206}, in the frames and on the desktops it meets
// (without a frame, and on a small desktop at scale 2, the window tests place the real window).
struct PlaceRow
{
    const char *name;
    QMargins frame;
    QRect available;
    QRect whole;
    QSize inside;
};

// clang-format off
const PlaceRow kPlaces[] = {
    {"a window manager's frame with a title bar", {1, 20, 1, 1}, {0, 0, 1024, 768},
     {420, 166, 304, 206}, {302, 185}},
    {"a panel at the bottom lifts the window", {1, 20, 1, 1}, {0, 0, 1024, 740},
     {420, 138, 304, 206}, {302, 185}},
    {"a second screen to the right", {}, {1280, 0, 1024, 768}, {1700, 166, 304, 206}, {304, 206}},
    {"a desktop smaller than the window keeps the title bar on it", {}, {0, 24, 200, 100},
     {0, 24, 304, 206}, {304, 206}},
    {"a frame larger than the window leaves no drawing area", {200, 200, 200, 200},
     {0, 0, 1024, 768}, {420, 166, 304, 206}, {0, 0}},
    {"no screen: placed as given", {}, {}, {420, -602, 304, 206}, {304, 206}},
};
// clang-format on

TEST_F(GuiLayer, AWindowsPlaceAndSizeAreThoseOfTheWholeWindowKeptOnTheDesktop)
{
    for (const PlaceRow &row : kPlaces) {
        SCOPED_TRACE(row.name);
        const WindowPlace place = placeWindow({420, 396}, {304, 206}, row.frame, row.available);
        EXPECT_EQ(place.whole, row.whole);
        EXPECT_EQ(place.inside, row.inside);
    }
}

} // namespace
