#pragma once
// The simple controls: a push button that runs `activate` when pressed, a check box that holds a
// logical and runs `selected` when the user changes it, and a static (a framed group box for
// type 2, a row of text otherwise).

#include "Part.hpp"

namespace rt::gui {

class PushButton : public Part
{
public:
    using Part::Part;
    Text caption;
    Value activate; // callback, attached after create()

    std::string className() const override { return "PushButton"; }
    Value handleEvent(int code, const Value &mp1, const Value &mp2, Where w) override;

protected:
    void realise(PartNative &native) override;
};

class CheckBox : public Part
{
public:
    using Part::Part;
    Value selected; // callback, attached after create()

    std::string className() const override { return "CheckBox"; }
    bool getData() const;
    void setData(bool on);
    Value handleEvent(int code, const Value &mp1, const Value &mp2, Where w) override;
    std::optional<Value> receive(std::string_view message, Args &args, Where w) override;

protected:
    void realise(PartNative &native) override;
};

// Static types.
enum class StaticType : int
{
    Text = 1,
    GroupBox = 2
};

class Static : public Part
{
public:
    using Part::Part;
    Text caption;
    int type = static_cast<int>(StaticType::Text);
    // For a text row, options 6 spreads the caption's words over equal columns across the
    // part's width, so each digit of "0  1  2 ..." stands centred under the switch above it.
    int options = 0;

    std::string className() const override { return "Static"; }

protected:
    void realise(PartNative &native) override;
};

} // namespace rt::gui
