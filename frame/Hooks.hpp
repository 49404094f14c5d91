#pragma once
// The hook procedures of the application frame: APPSYS (the application window: none), DBESYS (the
// database engines and the date format) and APPEXIT (the quiet exit procedure), and the module
// initialisers the table section lists.

#include "Value.hpp"

#include <source_location>

rt::Value APPSYS();
rt::Value DBESYS(std::source_location w = std::source_location::current());
rt::Value APPEXIT(std::source_location w = std::source_location::current());

namespace frame {
int initialiseConverterModule();
int initialiseExitModule();
int initialiseEngineModule();
int initialiseErrorModule();
} // namespace frame
