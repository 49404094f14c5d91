#pragma once
// The modal dialogs ALERT, CONFIRMBOX and MSGBOX behind one interface; two implementations ship:
// Qt message boxes (installed by the GUI layer) and the console (the default); tests install their
// own. Texts arrive as code-page-850 bytes; each implementation decodes them for its display.

#include "Value.hpp"

#include <memory>
#include <source_location>
#include <vector>

namespace rt {

using Where = std::source_location;

// The codes CONFIRMBOX takes and answers with.
enum class Buttons : int
{
    Ok = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNo = 4
};
enum class Icon : int
{
    None = 0,
    Stop = 16,
    Exclamation = 48,
    Information = 64
};
enum class BoxAnswer : int
{
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

// The style's icon: its lowest seven bits (16, 48, 64); higher bits are the box's own options.
Icon iconOf(int style);

class DialogService
{
public:
    virtual ~DialogService() = default;
    // `message` shows each ";"-separated piece as a line; returns the 1-based option, or 0 when the
    // alert was closed without a choice.
    virtual int alert(const Text &message, const std::vector<Text> &options) = 0;
    // `text` breaks lines at CR; returns the answer code of the button pressed.
    virtual int confirmBox(const Text &text, const Text &title, int buttons, int style) = 0;
    virtual void msgBox(const Text &text, const Text &title) = 0;
};

void installDialogs(std::shared_ptr<DialogService> service);
DialogService &dialogs();

// The boxes only ever report a failure (an error shown to the user, an engine not loaded), so they
// are cold: their code lies apart from the code run at start-up, and the calls to them are laid
// out as the unlikely branches.
// `options` is an array of texts; none means one "OK". Returns the choice as a number.
[[gnu::cold]] Value ALERT(const Value &text, const Value &options = NIL,
                          Where w = Where::current());
[[gnu::cold]] Value CONFIRMBOX(const Value &owner, const Value &text, const Value &title = NIL,
                               const Value &buttons = 0, const Value &style = 0,
                               Where w = Where::current());
[[gnu::cold]] Value MSGBOX(const Value &text, const Value &title = NIL, Where w = Where::current());

// Text mode: writes to standard output and reads the answer from standard input. On closed input it
// answers as a person pressing Enter would: the first option, the first button.
class ConsoleDialogs : public DialogService
{
public:
    [[gnu::cold]] int alert(const Text &message, const std::vector<Text> &options) override;
    [[gnu::cold]] int confirmBox(const Text &text, const Text &title, int buttons,
                                 int style) override;
    [[gnu::cold]] void msgBox(const Text &text, const Text &title) override;
};

} // namespace rt
