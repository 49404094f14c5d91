// Sx2Zahl and SxOnOff on real switches and fields: their results, the order in which they write,
// and every 16-bit value through both directions.

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

TEST_F(Conversions, SwitchesToNumber)
{
    struct Row
    {
        const char *name;
        int pattern;
        Text shown;
    } rows[] = {
        {"all off", 0, bytes(0, 0)},
        {"all on", 0xFFFF, bytes(0xFF, 0xFF)},
        {"element 1 only", 1, bytes(1, 0)},
        {"element 9 only", 256, bytes(0, 1)},
        {"element 16 only", 32768, bytes(0, 0x80)},
        {"elements 1 and 9", 257, bytes(1, 1)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        setPattern(row.pattern);
        Sx2Zahl(aSx);
        EXPECT_EQ(spin->editBuffer(), row.pattern);
        EXPECT_EQ(edit->getData(), row.shown);
        EXPECT_EQ(pattern(), row.pattern) << "the switches stay as they were";
    }
}

TEST_F(Conversions, NumberToSwitchesIsAGreedyDecompositionFromTheHighestBit)
{
    struct Row
    {
        const char *name;
        Value number;
        int pattern;
    } rows[] = {
        {"0 turns all off", 0, 0},
        {"65535 turns all on", 65535, 0xFFFF},
        {"32768 turns on element 16 only", 32768, 0x8000},
        {"258 turns on elements 2 and 9", 258, 0x0102},
        {"65536 is not masked: all on", 65536, 0xFFFF},
        {"a negative number turns all off", -5, 0},
        {"5.5 sets the switches of its whole part", 5.5, 5},
    };
    // Out of range, W2BIN raises; its default is the nearest end of the range.
    ERRORBLOCK(block([](Args &) -> Value { return false; }));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        setPattern(0x5A5A);
        spin->setData(4321);
        SxOnOff(row.number, aSx);
        EXPECT_EQ(pattern(), row.pattern);
        EXPECT_EQ(spin->editBuffer(), 4321) << "SxOnOff never writes the spin button";
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
        if (spin->editBuffer() != n || edit->getData() != shown ||
            shown != bytes(n & 0xFF, n >> 8) || field->text() != glyphs || glyphs.size() != 2)
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(seen.size(), 65536u);
}

TEST_F(Conversions, AValueThatIsNotANumberGoesToTheErrorHandlerFirstThroughTheTwoByteString)
{
    std::vector<Text> operations;
    ERRORBLOCK(block([&](Args &args) -> Value {
        operations.push_back(SEND(args[0], "operation").text());
        return false;
    }));
    setPattern(0xFFFF);
    SxOnOff("abc", aSx);
    ASSERT_FALSE(operations.empty());
    EXPECT_EQ(operations.front(), "W2BIN");
    EXPECT_EQ(pattern(), 0) << "every comparison defaults to false";
}

} // namespace
