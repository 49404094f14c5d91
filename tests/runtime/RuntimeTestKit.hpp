#pragma once
// What the runtime tests share: an error callback that records what it is handed and answers as
// told, a capture of the console channels, and a fixture that runs a test in an empty scratch
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

// Installs itself as the error callback. Every call records the error object and the `tries`
// it showed at that moment, then answers with `answer` (which a test may change at any time).
class ErrorRecorder
{
public:
    explicit ErrorRecorder(rt::Value answer = false);

    rt::Value answer;
    std::vector<rt::ErrorRef> errors;
    std::vector<double> triesSeen;

    const rt::ErrorObject &only() const; // the one error recorded; fails the test otherwise
};

// The console and standard-error channels, redirected into strings.
struct ConsoleCapture
{
    ConsoleCapture();
    std::string console;
    std::string errorChannel;
};

// True when both are the same value; numbers compare as numbers (NaN equals NaN), arrays element
// by element, references by identity.
bool sameValue(const rt::Value &a, const rt::Value &b);

using testsupport::fileContent;
using testsupport::writeFile;

using ScratchDirTest = testsupport::ScratchDirTest;

} // namespace rttest
