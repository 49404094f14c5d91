#include "ErrorLogLines.hpp"

#include "Arithmetic.hpp"
#include "Arrays.hpp"
#include "CallStack.hpp"
#include "Messages.hpp"
#include "Output.hpp"
#include "System.hpp"
#include "TextFunctions.hpp"

#include <array>

using namespace rt;

namespace errorlog {
namespace {

// The labels of the member lines after "oError:args", each 21 characters, so that every value
// starts in column 23. The member name is the label's part between "oError:" and the blanks.
constexpr std::array<std::string_view, 14> kMemberLabels = {
    "oError:canDefault   :", "oError:canRetry     :", "oError:canSubstitute:",
    "oError:cargo        :", "oError:description  :", "oError:filename     :",
    "oError:genCode      :", "oError:operation    :", "oError:osCode       :",
    "oError:severity     :", "oError:subCode      :", "oError:subSystem    :",
    "oError:thread       :", "oError:tries        :"};

std::string_view memberOf(std::string_view label)
{
    label.remove_prefix(7);
    return label.substr(0, label.find_first_of(" :"));
}

void separator()
{
    QOUT({REPLICATE("-", 78)});
}

void header()
{
    separator();
    QOUT({"FEHLERPROTOKOLL von \"" + APPNAME(true).text() + "\" Datum:", DATE(), TIME()});
    QOUT();
    QOUT({"Morvane Version     :", VERSION().text() + "." + VERSION(3).text()});
    QOUT({"Betriebssystem      :", OS()});
    separator();
}

// One line per element of `args`; exactly one "-> NIL" line when `args` is not an array.
void argumentLines(const Value &args)
{
    QOUT({"oError:args         :"});
    if (VALTYPE(args) != Value("A")) {
        QOUT({SPACE(10), "-> NIL"});
        return;
    }
    const Value argumentLine = block([](Args &a) -> Value {
        const Value element = a.empty() ? NIL : a[0];
        if (a.size() < 2)
            a.resize(2);
        a[1] = VALTYPE(element); // the index is not needed: the slot now holds the type code
        QOUT({SPACE(9), "-> VALTYPE:", a[1]});
        if (a[1] == Value("O"))
            QQOUT({" CLASS:", SEND(element, "className")});
        else
            QQOUT({" VALUE:", VAR2CHAR(element)});
        return NIL;
    });
    AEVAL(args, argumentLine);
}

// A level as PROCNAME takes it; -1 (no procedure) for anything that is no level at all.
int asLevel(const Value &level)
{
    const bool usable = level.isNumber() && level.number() >= 0 && level.number() <= 1e6;
    return usable ? static_cast<int>(level.number()) : -1;
}

// Levels count from the log writer's own frame (level 0): no function of this file pushes one.
void callStackLines(const Value &nStart)
{
    separator();
    QOUT({"CALLSTACK:"});
    separator();
    for (Value level = plus(nStart, 1);; level = plus(level, 1)) {
        const Value name = PROCNAME(asLevel(level));
        if (EMPTY(name) == Value(true))
            break;
        const Value line = LTRIM(STR(PROCLINE(asLevel(level))));
        QOUT({"Aufgerufen von", TRIM(name).text() + "(" + line.text() + ")"});
    }
}

} // namespace

void writeLog(const Value &oError, const Value &nStart)
{
    header();
    argumentLines(SEND(oError, "args"));
    for (std::string_view label : kMemberLabels)
        QOUT({Text(label), SEND(oError, memberOf(label))});
    callStackLines(nStart);
    QOUT();
}

} // namespace errorlog
