#include "ErrorMessage.hpp"

#include "Arithmetic.hpp"
#include "CallStack.hpp"
#include "ErrorRouting.hpp"
#include "Messages.hpp"
#include "TextFunctions.hpp"

using namespace rt;

namespace {

// A number as its digits, without leading blanks.
Text digits(const Value &n)
{
    Value text = LTRIM(STR(n));
    return text.isText() ? text.text() : Text();
}

// `prefix` + `value` as the text operator "+" joins them: a value that is no text cannot be joined,
// and the operator's default is the prefix alone.
Text joined(const Text &prefix, const Value &value)
{
    if (value.isText())
        return prefix + value.text();
    Value result = argumentError("+", {prefix, value}, prefix);
    return result.isText() ? result.text() : prefix;
}

} // namespace

Value ERRORMESSAGE(const Value &oError, std::source_location w)
{
    ProcFrame frame("ERRORMESSAGE", w);
    Text message = lessThan(1, SEND(oError, "severity")) == Value(true) ? "Fehler " : "Warnung ";

    const Value subSystem = SEND(oError, "subSystem");
    message += VALTYPE(subSystem) == Value("C") ? subSystem.text() : Text("????");

    const Value subCode = SEND(oError, "subCode");
    message += '/';
    message += VALTYPE(subCode) == Value("N") ? digits(subCode) : Text("????");

    const Value description = SEND(oError, "description");
    if (VALTYPE(description) == Value("C"))
        message += ";Beschreibung : " + description.text();

    const Value fileName = SEND(oError, "fileName");
    if (EMPTY(fileName) == Value(false))
        message += joined(";Datei : ", fileName);

    const Value operation = SEND(oError, "operation");
    if (EMPTY(operation) == Value(false))
        message += joined(";Operation : ", operation);

    message += ";Thread ID : " + digits(SEND(oError, "thread"));
    return message;
}
