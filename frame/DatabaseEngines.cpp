// DBESYS: fixes settings 41 and 4, loads the four database engines, builds "DBFNTX" from the first
// two, and tells the user in one alert per engine that failed. Start-up always goes on.

#include "Hooks.hpp"
#include "Runtime.hpp"

using namespace rt;

Value DBESYS(std::source_location w)
{
    ProcFrame frame("DBESYS", w);
    // Name and the logical passed to the load; the logical is true for the two the build combines.
    Value aLoad = newArray({newArray({"DBFDBE", true}), newArray({"NTXDBE", true}),
                            newArray({"DELDBE", false}), newArray({"SDFDBE", false})});
    // New name and the rows of its two components in the load table.
    Value aBuild = newArray({newArray({"DBFNTX", 1, 2})});

    SET(41, 1);
    SET(4, isTrue(SET(40)) ? "dd.mm.yyyy" : "dd.mm.yy");

    for (Value i = 1; !isTrue(lessThan(LEN(aLoad), i)); i = plus(i, 1)) {
        Value row = ELEMENT(aLoad, i);
        if (!isTrue(DBELOAD(ELEMENT(row, 1), ELEMENT(row, 2))))
            ALERT(plus(ELEMENT(row, 1), " Database-Engine nicht geladen"), newArray({"OK"}));
    }
    for (Value i = 1; !isTrue(lessThan(LEN(aBuild), i)); i = plus(i, 1)) {
        Value row = ELEMENT(aBuild, i);
        Value first = ELEMENT(ELEMENT(aLoad, ELEMENT(row, 2)), 1);
        Value second = ELEMENT(ELEMENT(aLoad, ELEMENT(row, 3)), 1);
        if (!isTrue(DBEBUILD(ELEMENT(row, 1), first, second)))
            ALERT(plus(ELEMENT(row, 1), " Database-Engine;konnte nicht erzeugt werden"),
                  newArray({"OK"}));
    }
    return NIL;
}
