#pragma once
// The two entry fields. A single-line edit shows a text; when it is not editable the user cannot
// type into it, though it still takes the focus by tabbing. Its text is code-page-850 bytes, shown
// one visible glyph per byte so that every byte value can be read, the bytes in hex in its tooltip
// and accessible description, and its context menu copies them as hex text. A spin button holds a
// whole number within its limits; at most bufferLength characters, digits only, can be typed into
// it.

#include "Part.hpp"

namespace rt::gui {

class SingleLineEdit : public Part
{
public:
    using Part::Part;
    bool editable = true;

    std::string className() const override { return "SingleLineEdit"; }
    void setData(const Text &bytes);
    const Text &getData() const { return m_bytes; }
    std::optional<Value> receive(std::string_view message, Args &args, Where w) override;

protected:
    void realise(PartNative &native) override;

private:
    Text m_bytes;
};

class SpinButton : public Part
{
public:
    using Part::Part;
    int bufferLength = 0; // 0: no cap

    std::string className() const override { return "SpinButton"; }
    void setNumLimits(int minimum, int maximum);
    void setData(double number);
    // The number now in the entry. Reading it finishes the entry, as leaving the field does, so
    // the field then shows the number read: an entry left empty becomes 0, the value of no switch
    // at all. The entry cannot hold anything but digits within the limits.
    double editBuffer() const;
    std::optional<Value> receive(std::string_view message, Args &args, Where w) override;

protected:
    void realise(PartNative &native) override;

private:
    int m_minimum = 0;
    int m_maximum = 0;
};

} // namespace rt::gui
