#pragma once
// Everything the system's procedures use of the runtime, in one include.

#include "Arithmetic.hpp"
#include "Arrays.hpp"
#include "CallStack.hpp"
#include "Dialogs.hpp"
#include "Engines.hpp"
#include "ErrorRouting.hpp"
#include "Messages.hpp"
#include "Output.hpp"
#include "Recovery.hpp"
#include "Settings.hpp"
#include "System.hpp"
#include "Text850.hpp"
#include "TextFunctions.hpp"
