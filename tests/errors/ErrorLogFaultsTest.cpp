// Faults while the log is written: a file that cannot grow (the size limit of the process: writes
// cut short, then refused), in a child process since it ends it, and a break out of the log being
// written. The chain of a failing log under the standard handler is run in the end-to-end tests.

#include "AlternateFile.hpp"
#include "ErrorsTestKit.hpp"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace rt;
using namespace errtest;

using ErrorLogFaultsDeathTest = errtest::ErrorSystemTest;

// Files of this process cannot grow beyond `bytes`; a write past it fails with EFBIG.
void limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        std::_Exit(3);
}

// The handler lets every failed write go by (its default drops the bytes): the log has holes, and
// the writer says so instead of reporting it written, then ends with exit code 1. The child exits
// with 1 only when it quit with exit code 1 after exactly that report.
TEST_F(ErrorLogFaultsDeathTest, LostWritesAreNeverReportedAsALogWritten)
{
    EXPECT_EXIT(
        {
            limitFileSize(300);
            int writeErrors = 0;
            ERRORBLOCK(block([&](Args &a) -> Value {
                writeErrors += SEND(a[0], "genCode") == Value(7);
                return false;
            }));
            errtest::Ending ending = runCall([] { return ERRORLOG(errorWith({}), 0); });
            const auto &calls = dialogs->calls();
            const bool toldIncomplete =
                calls.size() == 1 &&
                calls[0].text == "Fehlerprotokoll konnte nicht vollständig in die Datei "_oem
                                 "MRVERROR.LOG geschrieben werden";
            std::fprintf(stderr, "write errors %d, size %zu, quit %d\n", writeErrors,
                         errtest::fileContent("MRVERROR.LOG").size(), ending.errorLevel);
            std::_Exit(ending.quit && ending.errorLevel == 1 && toldIncomplete ? 1 : 2);
        },
        testing::ExitedWithCode(1), "write errors [1-9][0-9]*, size 300, quit 1");
}

using LogLeftByABreak = errtest::HandlerTest;

// In text mode the alert of a failing write offers "Abbrechen", which breaks out of the log being
// written to the recovery point outside: the lines written so far stay in the file, the user is
// told it is incomplete, and the alternate file and every output setting are as before the call.
TEST_F(LogLeftByABreak, KeepsTheLinesToldIncompleteAndPutsTheSettingsBack)
{
    textMode();
    ERRORSYS();
    dialogs->answer(1); // "Abbrechen" for the failed write
    testsupport::WriteFaults::fail(5, 1);
    const errtest::Ending ending = runCall([] { return ERRORLOG(errorWith({}), 0); });
    EXPECT_TRUE(ending.breakValue.has_value());
    EXPECT_EQ(errtest::split(errtest::fileContent("MRVERROR.LOG"), "\r\n").size(), 5u);
    EXPECT_NE(console.find("Fehlerprotokoll konnte nicht vollständig in die Datei "_oem
                           "MRVERROR.LOG geschrieben werden"),
              std::string::npos)
        << console;
    EXPECT_EQ(SET(18), Value(false));
    EXPECT_EQ(SET(19), Value(""));
    EXPECT_EQ(SET(21), Value(false));
    EXPECT_FALSE(alternateFileOpen());
}

} // namespace
