#include "Dialogs.hpp"

#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"

namespace rt {
namespace {

// The options of ALERT as texts; nullopt when `options` is not an array of texts.
std::optional<std::vector<Text>> optionTexts(const Value &options)
{
    if (options.isNil())
        return std::vector<Text>{"OK"};
    if (!options.isArray())
        return std::nullopt;
    std::vector<Text> texts;
    for (const Value &o : *options.array()) {
        if (!o.isText())
            return std::nullopt;
        texts.push_back(o.text());
    }
    return texts;
}

bool isButtonSet(const Value &v)
{
    if (!v.isNumber())
        return false;
    const double n = v.number();
    return n == 0 || n == 1 || n == 2 || n == 4;
}

bool isStyle(const Value &v)
{
    return v.isNumber() && v.number() >= 0 && v.number() < (1 << 24) &&
           v.number() == static_cast<int>(v.number());
}

} // namespace

Icon iconOf(int style)
{
    switch (style & 0x7F) {
    case 16:
        return Icon::Stop;
    case 48:
        return Icon::Exclamation;
    case 64:
        return Icon::Information;
    }
    return Icon::None;
}

void installDialogs(std::shared_ptr<DialogService> s)
{
    state().dialogs = s ? std::move(s) : std::make_shared<ConsoleDialogs>();
}

DialogService &dialogs()
{
    return *state().dialogs;
}

Value ALERT(const Value &text, const Value &options, Where w)
{
    std::optional<std::vector<Text>> texts = optionTexts(options);
    if (!text.isText() || !texts || texts->empty())
        return argumentError("ALERT", {text, options}, 0, w);
    return dialogs().alert(text.text(), *texts);
}

Value CONFIRMBOX(const Value &owner, const Value &text, const Value &title, const Value &buttons,
                 const Value &style, Where w)
{
    const bool titleOk = title.isNil() || title.isText();
    if (!text.isText() || !titleOk || !isButtonSet(buttons) || !isStyle(style))
        return argumentError("CONFIRMBOX", {owner, text, title, buttons, style}, 0, w);
    return dialogs().confirmBox(text.text(), title.isText() ? title.text() : Text(),
                                static_cast<int>(buttons.number()),
                                static_cast<int>(style.number()));
}

Value MSGBOX(const Value &text, const Value &title, Where w)
{
    if (!text.isText() || !(title.isNil() || title.isText()))
        return argumentError("MSGBOX", {text, title}, NIL, w);
    dialogs().msgBox(text.text(), title.isText() ? title.text() : Text());
    return NIL;
}

} // namespace rt
