#include "Controls.hpp"
#include "Converter.hpp"
#include "Dialog.hpp"
#include "EventQueue.hpp"
#include "Fields.hpp"
#include "Runtime.hpp"

using namespace rt;
using namespace rt::gui;

namespace {

constexpr int kCloseEvent = 1048632;
const PresParams kDigitFont = {{Presentation::FontCompoundName, "8.Times New Roman"}};
const PresParams kFieldHint = {{Presentation::DisplayHint, -47}};

Value doNothing()
{
    return block([](Args &) { return NIL; });
}

// One row of eight switches at height y of the switch group, appended to aSx in order of x.
void makeSwitchRow(const PartRef &oSwitchGroup, int y, const Value &aSx)
{
    for (int i = 0; i < 8; ++i) {
        auto oPart = New<CheckBox>(oSwitchGroup, NIL, {12 + 12 * i, y}, {12, 24});
        oPart->clipSiblings = true;
        oPart->tabStop = true;
        oPart->accessibleName = "Bit " + std::to_string(static_cast<int>(LEN(aSx).number()));
        oPart->create();
        oPart->selected = doNothing();
        AADD(aSx, oPart);
    }
}

void makeDigitRow(const PartRef &oSwitchGroup, int y)
{
    auto oPart = New<Static>(oSwitchGroup, NIL, {12, y}, {96, 12}, kDigitFont);
    oPart->caption = "0  1  2  3  4  5  6  7";
    oPart->clipSiblings = true;
    oPart->options = 6;
    oPart->create();
}

std::shared_ptr<Static> makeGroup(const PartRef &parent, Pos pos, Size size, const Text &caption)
{
    auto group = New<Static>(parent, NIL, pos, size);
    group->caption = caption;
    group->clipSiblings = true;
    group->type = static_cast<int>(StaticType::GroupBox);
    group->create();
    return group;
}

// Both buttons read "Umwandeln"; a screen reader names the way each one converts.
std::shared_ptr<PushButton> makeButton(const PartRef &drawingArea, Pos pos, const Text &way)
{
    auto oPart = New<PushButton>(drawingArea, NIL, pos, {96, 24});
    oPart->caption = "Umwandeln";
    oPart->clipSiblings = true;
    oPart->tabStop = true;
    oPart->accessibleName = way;
    oPart->create();
    return oPart;
}

void makeNumberFields(const PartRef &oNumberGroup)
{
    auto oSLE = New<SingleLineEdit>(oNumberGroup, NIL, {84, 12}, {60, 24}, kFieldHint);
    oSLE->clipSiblings = true;
    oSLE->editable = false;
    oSLE->tabStop = true;
    oSLE->accessibleName = "Zwei-Byte-String";
    oSLE->create();
    PUBLISH("oSLE", oSLE);

    auto oSpin = New<SpinButton>(oNumberGroup, NIL, {12, 12}, {60, 24}, kFieldHint);
    oSpin->bufferLength = 5;
    oSpin->clipSiblings = true;
    oSpin->tabStop = true;
    oSpin->accessibleName = "Dezimalzahl";
    oSpin->setNumLimits(0, 65535);
    oSpin->create();
    PUBLISH("oSpin", oSpin);
}

} // namespace

Value MAIN(std::source_location w)
{
    ProcFrame frame("MAIN", w);
    Value aSx = newArray();

    auto oDlg = Dialog::New(APPDESKTOP(), NIL, {420, 396}, {304, 206}, {}, false);
    oDlg->taskList = true;
    oDlg->title = "Tarvello 16bit";
    oDlg->create();
    PartRef drawingArea = oDlg->drawingArea();
    SEND(drawingArea, "setFontCompoundName", {"8.Arial"});

    auto left = makeButton(drawingArea, {24, 12}, "Schalter in Zahl umwandeln");
    left->activate = block([aSx](Args &) { return Sx2Zahl(aSx); });
    auto right = makeButton(drawingArea, {156, 12}, "Zahl in Schalter umwandeln");
    right->activate =
        block([aSx](Args &) { return SxOnOff(SEND(PUBLIC("oSpin"), "EditBuffer"), aSx); });

    auto oSwitchGroup = makeGroup(drawingArea, {12, 48}, {120, 108}, "Schaltergruppen A / B");
    makeSwitchRow(oSwitchGroup, 60, aSx);
    makeDigitRow(oSwitchGroup, 48);
    makeSwitchRow(oSwitchGroup, 24, aSx);
    makeDigitRow(oSwitchGroup, 12);

    auto oNumberGroup =
        makeGroup(drawingArea, {132, 72}, {156, 60}, "als Dez.Zahl / als 2ByteString");
    makeNumberFields(oNumberGroup);

    oDlg->show();

    Value nEvent = 0, mp1, mp2, oPart;
    while (!(nEvent.isNumber() && nEvent.number() == kCloseEvent)) {
        nEvent = APPEVENT(mp1, mp2, oPart);
        SEND(oPart, "handleEvent", {nEvent, mp1, mp2});
    }
    return NIL;
}
