#include "StandardHandler.hpp"

#include "CallStack.hpp"
#include "ErrorMessage.hpp"
#include "HandlerDialogues.hpp"
#include "Messages.hpp"
#include "System.hpp"
#include "TextFunctions.hpp"

#include <optional>

using namespace rt;

namespace {

// A division or modulus of zero by zero: the operation contains "/" or "%", the first operand is
// 0, and there is no second operand or it is 0 too. The first operand is read only once the
// operation qualifies, the second only when there is not exactly one; an operand that is missing
// or of another kind is no 0, and reading never raises.
bool zeroByZero(const Value &oError)
{
    const Value operation = SEND(oError, "operation");
    if (!operation.isText() || operation.text().find_first_of("/%") == Text::npos)
        return false;
    const Value args = SEND(oError, "args");
    if (!args.isArray() || args.array()->empty() || args.array()->front() != Value(0))
        return false;
    return args.array()->size() == 1 || (*args.array())[1] == Value(0);
}

// The four errors answered without asking, in the order they are tested; nullopt for any other.
std::optional<Value> silentRepair(const Value &oError)
{
    const Value genCode = SEND(oError, "genCode");
    if (genCode == Value(11))
        return Value(0);
    if (genCode == Value(12) && zeroByZero(oError))
        return Value(0);
    const bool canDefault = SEND(oError, "canDefault") == Value(true);
    if (genCode == Value(71) && SEND(oError, "osCode") == Value(32) && canDefault)
        return Value(false);
    if (genCode == Value(78) && canDefault)
        return Value(false);
    return std::nullopt;
}

} // namespace

Value STANDARDEH(const Value &oError, std::source_location w)
{
    ProcFrame frame("STANDARDEH", w);
    if (std::optional<Value> answer = silentRepair(oError))
        return *answer;

    const Value text = ERRORMESSAGE(oError);
    Text message = text.isText() ? text.text() : Text();
    const Value osCode = SEND(oError, "osCode");
    if (EMPTY(osCode) == Value(false))
        message += ";Betriebsystem Fehler : " + LTRIM(STR(osCode)).text();

    if (APPTYPE() != Value(3))
        return handler::textModeDialogue(oError, message);
    return handler::graphicalDialogue(oError, message);
}
