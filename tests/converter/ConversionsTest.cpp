// SxOnOff and Sx2Zahl on real switches and fields: every 16-bit value through both directions, the
// values outside the range, and the order in which they write.

#include "Controls.hpp"
#include "Converter.hpp"
#include "Dialog.hpp"
#include "Fields.hpp"
#include "PartNative.hpp"
#include "Runtime.hpp"
#include "RuntimeFixture.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <set>

using namespace rt;
using namespace rt::gui;

namespace {

// Sixteen switches and the two published fields in a window of their own.
class Conversions : public testsupport::RuntimeTest
{
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        dialog = Dialog::New(APPDESKTOP(), NIL, {0, 0}, {200, 200}, {}, false);
        dialog->create();
        for (int i = 0; i < 16; ++i) {
            auto box = New<CheckBox>(dialog->drawingArea(), NIL, {12 * i, 100}, {12, 24});
            box->create();
            AADD(aSx, box);
        }
        edit = New<SingleLineEdit>(dialog->drawingArea(), NIL, {0, 0}, {60, 24});
        edit->editable = false;
        edit->create();
        spin = New<SpinButton>(dialog->drawingArea(), NIL, {80, 0}, {60, 24});
        spin->setNumLimits(0, 65535);
        spin->create();
        PUBLISH("oSLE", edit);
        PUBLISH("oSpin", spin);
    }

    int pattern() const
    {
        int n = 0;
        for (int k = 1; k <= 16; ++k)
            if (SEND(ELEMENT(aSx, k), "getData").logical())
                n |= 1 << (k - 1);
        return n;
    }

    void setPattern(int n)
    {
        for (int k = 1; k <= 16; ++k)
            SEND(ELEMENT(aSx, k), "setData", {((n >> (k - 1)) & 1) != 0});
    }

    std::shared_ptr<Dialog> dialog;
    Value aSx = newArray();
    std::shared_ptr<SingleLineEdit> edit;
    std::shared_ptr<SpinButton> spin;
};

Text bytes(int lo, int hi)
{
    return Text{static_cast<char>(lo), static_cast<char>(hi)};
}

// Numbers outside the 16 bits, or not whole: W2BIN raises outside its range (a value that is no
// number there first), and its default is the nearest end of the range.
TEST_F(Conversions, NumbersOutsideTheRangeOrNotWholeSetTheSwitchesOfTheNearestWholeValue)
{
    struct Row
    {
        const char *name;
        Value number;
        int pattern;
        const char *raisedFirst; // the operation of the first error; "" for none
    } rows[] = {
        {"65536 is not masked: all on", 65536, 0xFFFF, "W2BIN"},
        {"a negative number turns all off", -5, 0, "W2BIN"},
        {"5.5 sets the switches of its whole part", 5.5, 5, ""},
        {"a text turns all off: every comparison defaults to false", "abc", 0, "W2BIN"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        testsupport::ErrorRecorder recorder;
        setPattern(0x5A5A);
        spin->setData(4321);
        SxOnOff(row.number, aSx);
        EXPECT_EQ(pattern(), row.pattern);
        EXPECT_EQ(spin->editBuffer(), 4321) << "SxOnOff never writes the spin button";
        EXPECT_EQ(recorder.errors.empty() ? Value("") : recorder.operations().front(),
                  Value(row.raisedFirst));
    }
}

TEST_F(Conversions, SxOnOffWritesTheTwoByteFieldBeforeAnySwitch)
{
    std::vector<std::string> writes;
    auto *field = qobject_cast<QLineEdit *>(edit->native().widget.data());
    QObject::connect(field, &QLineEdit::textChanged, [&] { writes.push_back("field"); });
    for (int k = 1; k <= 16; ++k) {
        auto box = std::dynamic_pointer_cast<CheckBox>(ELEMENT(aSx, k).object());
        auto *widget = qobject_cast<QCheckBox *>(box->native().widget.data());
        QObject::connect(widget, &QCheckBox::toggled,
                         [&, k] { writes.push_back(std::to_string(k)); });
    }
    SxOnOff(258, aSx);
    EXPECT_EQ(writes, (std::vector<std::string>{"field", "9", "2"}));
}

// Each switch stands for its own bit (element 1 the lowest), Sx2Zahl leaves the switches as they
// are, and the field shows the two bytes, low byte first.
TEST_F(Conversions, EveryWholeNumberComesBackThroughBothDirections)
{
    auto *field = qobject_cast<QLineEdit *>(edit->native().widget.data());
    ASSERT_NE(field, nullptr);
    int mismatches = 0;
    std::set<QString> seen; // what the field shows tells every value apart
    for (int n = 0; n <= 65535; ++n) {
        SxOnOff(n, aSx);
        const Text shown = edit->getData();
        const QString glyphs = field->text();
        seen.insert(glyphs);
        spin->setData(n == 0 ? 1 : 0); // so the spin button must really be written again
        field->clear();
        Sx2Zahl(aSx);
        if (pattern() != n || spin->editBuffer() != n || edit->getData() != shown ||
            shown != bytes(n & 0xFF, n >> 8) || field->text() != glyphs || glyphs.size() != 2)
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(seen.size(), 65536u);
}

} // namespace
