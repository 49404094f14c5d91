#pragma once
// What the runtime tests share: the error recorder, the console capture and the file helpers of
// the shared support, a comparison of values, and a fixture that runs a test in an empty scratch
// directory. It checks nothing itself; the tests do.

#include "AlternateFile.hpp"
#include "DisplayForm.hpp"
#include "Runtime.hpp"
#include "RuntimeFixture.hpp"
#include "Seams.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace rttest {

using testsupport::ConsoleCapture;
using testsupport::ErrorRecorder;

// True when both are the same value; numbers compare as numbers (NaN equals NaN), arrays element
// by element, references by identity.
bool sameValue(const rt::Value &a, const rt::Value &b);

using testsupport::fileContent;
using testsupport::writeFile;

using ScratchDirTest = testsupport::ScratchDirTest;

} // namespace rttest
