#pragma once
// The program's answers to --help and --version: its name and version as the build states them,
// and a short German usage. Compiled into each executable, where the build passes the version in.

#include "CommandLine.hpp"

namespace frame {

rt::gui::ProgramTexts programTexts();

} // namespace frame
