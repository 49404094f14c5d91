#pragma once
// The switch converter: MAIN builds the window "Tarvello 16bit" and runs its event loop until the
// window is closed; Sx2Zahl turns the sixteen switches into the number, SxOnOff a number into the
// switches. Element k of the switch array (from 1) stands for bit k-1.

#include "Value.hpp"

#include <source_location>

rt::Value MAIN(std::source_location w = std::source_location::current());

// Reads the switches from element 16 down to element 1, shows the sum's two-byte string in oSLE,
// then the sum in oSpin.
rt::Value Sx2Zahl(const rt::Value &aoSlt, std::source_location w = std::source_location::current());

// Shows the two-byte string of nZahl in oSLE, then sets every switch from element 16 down to 1 by
// taking the powers of two off nZahl greedily. The spin button is left as it is.
rt::Value SxOnOff(const rt::Value &nZahl, const rt::Value &aoSlt,
                  std::source_location w = std::source_location::current());
