#include "HandlerDialogues.hpp"

#include "Arrays.hpp"
#include "CallStack.hpp"
#include "Dialogs.hpp"
#include "ErrorLog.hpp"
#include "Messages.hpp"
#include "Output.hpp"
#include "Recovery.hpp"
#include "System.hpp"
#include "TextFunctions.hpp"

using namespace rt;

namespace handler {
namespace {

const Text kTitle = "Morvane Fehlermeldung";
const Text kAbort = "Abbrechen";
const Text kEndWithLog = "Ende mit LOG-Datei";
const Text kRetry = "Wiederholen";
const Text kIgnore = "Ignorieren";

// The box's style adds 65536 twice to the icon code; what the bits mean is the box's matter.
constexpr int kBoxStyle = 131072;

// The error is to be answered with a retry / with the default: its flag is the logical true.
bool flagged(const Value &oError, std::string_view member)
{
    return SEND(oError, member) == Value(true);
}

int code(BoxAnswer a)
{
    return static_cast<int>(a);
}

// The log, exit code 1 and the end: where every dialogue path ends that neither answers nor breaks.
[[noreturn]] void endWithLog(const Value &oError)
{
    ERRORLOG(oError, 2);
    ERRORLEVEL(1);
    _QUIT();
}

// The label the alert's answer `choice` stands for; "" for an answer that names no option.
Text chosenLabel(const Value &choice, const Value &options)
{
    const Array &labels = *options.array();
    if (!choice.isNumber() || !(choice.number() >= 1 && choice.number() <= labels.size()))
        return {};
    const Value &label = labels[static_cast<size_t>(choice.number()) - 1];
    return label.isText() ? label.text() : Text();
}

// ";Aufgerufen von NAME(LINE)" for every level from 2 outward: level 0 is the handler, level 1 the
// installed callback, level 2 the procedure in which the error was raised.
Text callStackPieces()
{
    Text pieces;
    for (int level = 1;;) {
        ++level;
        const Value name = PROCNAME(level);
        if (EMPTY(name) == Value(true))
            break;
        pieces +=
            ";Aufgerufen von " + TRIM(name).text() + "(" + LTRIM(STR(PROCLINE(level))).text() + ")";
    }
    return pieces;
}

} // namespace

Value optionList(const Value &oError)
{
    Value options = newArray({kAbort, kEndWithLog});
    if (flagged(oError, "canRetry"))
        AADD(options, kRetry);
    if (flagged(oError, "canDefault"))
        AADD(options, kIgnore);
    return options;
}

int buttonSet(const Value &oError)
{
    const bool canDefault = flagged(oError, "canDefault");
    const bool canRetry = flagged(oError, "canRetry");
    if (canDefault && canRetry)
        return static_cast<int>(Buttons::AbortRetryIgnore);
    if (canDefault || canRetry)
        return static_cast<int>(Buttons::OkCancel);
    return static_cast<int>(Buttons::Ok);
}

int iconCode(const Value &oError)
{
    const Value severity = SEND(oError, "severity");
    if (severity == Value(3) || severity == Value(2))
        return static_cast<int>(Icon::Stop);
    if (severity == Value(1))
        return static_cast<int>(Icon::Exclamation);
    return static_cast<int>(Icon::Information);
}

Value textModeDialogue(const Value &oError, const Text &message)
{
    const Value options = optionList(oError);
    if (SETAPPWINDOW().isNil())
        endWithLog(oError); // no window to show anything in
    Value choice = 0;
    const int row = ROW();
    const int col = COL();
    while (choice == Value(0))
        choice = ALERT(message, options); // it cannot be dismissed without a choice
    SETPOS(row, col);
    if (EMPTY(choice) == Value(false)) {
        const Text label = chosenLabel(choice, options);
        if (label == kIgnore)
            return false;
        if (label == kRetry)
            return true;
        if (label == kAbort)
            _BREAK(oError); // comes back when no recovery point is active
        else if (label == kEndWithLog)
            ERRORLOG(oError, 2);
    }
    ERRORLEVEL(1);
    _QUIT();
}

Value graphicalDialogue(const Value &oError, const Text &message)
{
    const int buttons = buttonSet(oError);
    const Text text = STRTRAN(message + callStackPieces(), ";", CHR(13)).text();
    const Value choice = CONFIRMBOX(NIL, text, kTitle, buttons, iconCode(oError) + kBoxStyle);
    // Retry and Ignore are only offered, and only taken, together: for an error that allows both.
    const bool both = buttons == static_cast<int>(Buttons::AbortRetryIgnore);
    if (both && choice == Value(code(BoxAnswer::Retry)))
        return true;
    if (both && choice == Value(code(BoxAnswer::Ignore)))
        return false;
    if (choice == Value(code(BoxAnswer::Cancel))) {
        const Value sure = CONFIRMBOX(NIL, kEndWithLog, kTitle, static_cast<int>(Buttons::YesNo),
                                      static_cast<int>(Icon::Exclamation) + kBoxStyle);
        if (sure != Value(code(BoxAnswer::Yes)))
            _BREAK(oError); // comes back when no recovery point is active: then the log
    }
    endWithLog(oError);
}

} // namespace handler
