#include "Converter.hpp"
#include "Runtime.hpp"

using namespace rt;

Value Sx2Zahl(const Value &aoSlt, std::source_location w)
{
    ProcFrame frame("SX2ZAHL", w);
    Value nZahl = 0;
    Value nExp = 16;
    Value lBit;
    for (;;) {
        nExp = minus(nExp, 1);
        if (isTrue(lessThan(nExp, 0)))
            break;
        lBit = SEND(ELEMENT(aoSlt, plus(nExp, 1)), "getData");
        nZahl = plus(nZahl, isTrue(lBit) ? power(2, nExp) : Value(0));
    }
    SEND(PUBLIC("oSLE"), "SetData", {W2BIN(nZahl)});
    SEND(PUBLIC("oSpin"), "setData", {nZahl});
    return NIL;
}

Value SxOnOff(const Value &nZahlIn, const Value &aoSlt, std::source_location w)
{
    ProcFrame frame("SXONOFF", w);
    Value nZahl = nZahlIn; // the caller's number stays as it was
    SEND(PUBLIC("oSLE"), "setData", {W2BIN(nZahl)});
    Value nExp = 16;
    Value lBit;
    for (;;) {
        nExp = minus(nExp, 1);
        if (isTrue(lessThan(nExp, 0)))
            break;
        lBit = greaterEqual(nZahl, power(2, nExp));
        SEND(ELEMENT(aoSlt, plus(nExp, 1)), "setData", {lBit});
        nZahl = minus(nZahl, isTrue(lBit) ? power(2, nExp) : Value(0));
    }
    return NIL;
}
