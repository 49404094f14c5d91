// The whole program, from the process entry to the exit procedure, with the first array read
// inside Sx2Zahl failing: the left "Umwandeln" pressed with real input raises a runtime error on
// the real click path, the real Qt boxes are answered, the log is written. First the plain way
// (the error box and its call stack, the log, the report, exit code 1); then what happens when
// things turn against the log: every single write of the log failing in turn (a disk full from
// then on, or one write that fails once). Each run ends with a complete log reported as written
// or with the report that it could not be written completely (the partial file kept), and the
// exit procedure run: it closes the work area the test opened. Last, a termination signal while
// start-up's alert is open, before the window exists. (What each box answers when the session
// ends while it is open, and that no box waits afterwards, the GUI layer's tests prove.)

#include "ChildProgram.hpp"
#include "ErrorsTestKit.hpp"
#include "Seams.hpp"
#include "WindowLookup.hpp"

#include <QTest>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using testsupport::WriteFaults;

// What the user (or the session) does.
enum class Act
{
    Ok,      // the button "OK"
    Default, // Enter: the box's default button
    Ignore,  // "Ignorieren"
    Retry,   // "Wiederholen"
    Signal,  // nothing: the session ends with SIGTERM while the box is open
};

struct Script
{
    int failFrom = 0;                        // the write of the log that fails first; 0: none
    int failCount = 0;                       // how many fail; 0: every one from then on
    int syncFailFrom = 0, syncFailCount = 0; // the same for the syncs that closing a log makes
    Act errorBox = Act::Ok;
    Act writeBox = Act::Default;             // each box a failing write raises
    const char *unavailableEngine = nullptr; // its load fails, so start-up shows an alert
    int exitCode = 1;
};

bool answered(QMessageBox *box)
{
    return box->property("answered").toBool();
}

// Presses the left "Umwandeln", then answers each box as the script says. Every box's kind, title
// and text go to the report pipe as one line.
class Driver
{
public:
    Driver(int reportFd, const Script &script) : m_reportFd(reportFd), m_script(script)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { step(); });
        m_timer.start(5);
    }

private:
    void step()
    {
        if (!m_pressed && windowtest::leftButton()) {
            m_pressed = true;
            QTest::mouseClick(windowtest::leftButton(), Qt::LeftButton);
        }
        if (QMessageBox *box = windowtest::visibleBox(nullptr, answered))
            answer(box);
    }

    void answer(QMessageBox *box)
    {
        QString text = box->text();
        text.replace('\n', '|');
        childrun::report(m_reportFd,
                         QString("%1 [%2] %3\n").arg(box->objectName(), box->windowTitle(), text));
        box->setProperty("answered", true);
        const bool isReport = box->objectName() == "messageBox";
        const bool isAlert = box->objectName() == "alertBox"; // only start-up shows one
        const Act act = isAlert          ? Act::Signal
                        : isReport       ? Act::Ok
                        : m_errorBoxSeen ? m_script.writeBox
                                         : m_script.errorBox;
        m_errorBoxSeen = m_errorBoxSeen || !(isReport || isAlert);
        if (act == Act::Signal)
            ::kill(::getpid(), SIGTERM);
        else if (act == Act::Default)
            QTest::keyClick(box, Qt::Key_Return);
        else
            windowtest::clickButton(box, act == Act::Ok       ? "OK"
                                         : act == Act::Ignore ? "Ignorieren"
                                                              : "Wiederholen");
    }

    int m_reportFd;
    Script m_script;
    QTimer m_timer;
    bool m_pressed = false;
    bool m_errorBoxSeen = false;
};

const std::string kWritten = "Fehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben";
const std::string kIncomplete =
    "Fehlerprotokoll konnte nicht vollständig in die Datei MRVERROR.LOG geschrieben werden";
const std::string kReportBox = "messageBox [Tarvello 16bit] ";

// The log with the header's date and time left out, which differ from run to run.
std::string comparable(std::string log)
{
    const size_t date = log.find(" Datum:");
    if (date != std::string::npos)
        log.erase(date, log.find("\r\n", date) - date);
    return log;
}

// The number of writes a run counted.
int writesOf(const std::string &reports)
{
    const size_t at = reports.rfind("writes ");
    return at == std::string::npos ? -1 : std::atoi(reports.c_str() + at + 7);
}

// The line of `file` (under the source tree) that holds `statement`; 0 when none or more than one
// does, so that a moved or doubled statement fails the test instead of matching by chance.
int lineOf(const char *file, const std::string &statement)
{
    std::ifstream in(std::filesystem::path(TARVELLO_SOURCE_DIR) / file);
    int found = 0;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.find(statement) != std::string::npos)
            found = found ? -1 : number;
    }
    return found > 0 ? found : 0;
}

// The three levels of the call stack, each naming a line of its own procedure: where Sx2Zahl
// fails, where the left button's callback calls it, and where MAIN's loop sends handleEvent.
std::vector<std::string> expectedCallStack()
{
    const int failing = lineOf("converter/Conversions.cpp", "lBit = SEND(ELEMENT(aoSlt,");
    const int callback = lineOf("converter/Main.cpp", "return Sx2Zahl(aSx);");
    const int dispatch = lineOf("converter/Main.cpp", "SEND(oPart, \"handleEvent\"");
    std::string name = std::to_string(callback % 10000);
    name.insert(0, 4 - name.size(), '0');
    return {"Aufgerufen von SX2ZAHL(" + std::to_string(failing) + ")",
            "Aufgerufen von (B)MAIN@" + name + "(" + std::to_string(callback) + ")",
            "Aufgerufen von MAIN(" + std::to_string(dispatch) + ")"};
}

class EndToEnd : public errtest::ErrorSystemTest
{
protected:
    void SetUp() override
    {
        ErrorSystemTest::SetUp();
        fs::create_directory(dir / "work");
    }

    // One run in an emptied working directory; checks what every run must show.
    childrun::ChildRun run(const Script &script)
    {
        for (const auto &entry : fs::directory_iterator(dir / "work"))
            fs::remove(entry.path());
        childrun::ChildRun r = childrun::runProgramInChild(
            dir / "work",
            {.arm =
                 [&] {
                     testsupport::failFirstArrayReadIn("SX2ZAHL");
                     WriteFaults::fail(script.failFrom, script.failCount);
                     testsupport::SyncFaults::fail(script.syncFailFrom, script.syncFailCount);
                     ++rt::state().engines.workAreas; // for the exit procedure to close
                     if (script.unavailableEngine)
                         testsupport::makeEngineUnavailable(script.unavailableEngine);
                 },
             .makeDriver = [&](int fd) { return std::make_shared<Driver>(fd, script); },
             .finalReport =
                 [] {
                     return "writes " + std::to_string(WriteFaults::attempted()) + ", work areas " +
                            std::to_string(rt::state().engines.workAreas);
                 }});
        EXPECT_TRUE(WIFEXITED(r.status) && WEXITSTATUS(r.status) == script.exitCode)
            << "status " << r.status << "\n"
            << r.reports << r.errors;
        EXPECT_TRUE(r.reports.ends_with(", work areas 0")) << "the exit procedure did not run\n"
                                                           << r.reports;
        return r;
    }

    std::string log(const char *name = "MRVERROR.LOG") const
    {
        return errtest::fileContent(dir / "work" / name);
    }
};

TEST_F(EndToEnd, ErrorInSx2ZahlAnsweredWithOkWritesTheLogAndEndsWithExitCodeOne)
{
    const childrun::ChildRun child = run({});

    // The error box and the log list the call stack from the procedure that failed out to MAIN,
    // none of the levels of the handler or the log among them.
    const auto reports = errtest::split(child.reports, "\n");
    ASSERT_GE(reports.size(), 3u) << child.reports;
    const std::vector<std::string> stack = expectedCallStack();
    const std::string boxPrefix = "confirmBox [Morvane Fehlermeldung] ";
    ASSERT_EQ(reports[0].rfind(boxPrefix, 0), 0u) << reports[0];
    const auto boxLines = errtest::split(reports[0].substr(boxPrefix.size()), "|");
    ASSERT_EQ(boxLines.size(), 7u) << reports[0];
    EXPECT_EQ(std::vector<std::string>(boxLines.begin() + 4, boxLines.end()), stack);
    EXPECT_EQ(reports[1], kReportBox + kWritten);

    const auto lines = errtest::split(log(), "\r\n");
    const auto callStack = std::ranges::find(lines, "CALLSTACK:");
    ASSERT_LT(callStack, lines.end() - 2) << log();
    EXPECT_EQ(std::vector<std::string>(callStack + 2, lines.end() - 1), stack);
    EXPECT_EQ(lines.back(), "");
}

// Every write of the log fails in turn, from the first line to the final line break; and the sync
// that closing the log makes, which is a write too: a log is only reported written once it is safe.
TEST_F(EndToEnd, EveryFailingWriteEndsWithTheLogCompleteOrToldIncompleteAndTheExitProcedure)
{
    const childrun::ChildRun clean = run({});
    ASSERT_NE(clean.reports.find(kReportBox + kWritten), std::string::npos) << clean.reports;
    const std::string reference = comparable(log());
    const int writes = writesOf(clean.reports);
    ASSERT_GE(writes, 30);

    struct Mode
    {
        const char *proves;
        bool syncs; // the syncs fail, from the first one on, instead of the writes
        int count;
        Act writeBox;
        std::vector<std::string> lastReports; // the report boxes, in order
        bool complete;
    } modes[] = {
        {"a full disk, the write's box answered with its default (Abort): the log of the write "
         "error goes to the next name and fails too; both are told incomplete",
         false,
         0,
         Act::Default,
         {"Fehlerprotokoll konnte nicht vollständig in die Datei MRVERROR.001 geschrieben werden",
          kIncomplete},
         false},
        {"a full disk, every failed write ignored", false, 0, Act::Ignore, {kIncomplete}, false},
        {"one write failing once, retried", false, 1, Act::Retry, {kWritten}, true},
        {"the log's sync failing, its box answered with its default: the log of that error is "
         "written to the next name, the first is kept, told incomplete",
         true,
         1,
         Act::Default,
         {"Fehlerprotokoll wurde in die Datei MRVERROR.001 geschrieben", kIncomplete},
         true},
        {"every sync failing: the second log's failing sync is not shown again, both are told "
         "incomplete",
         true,
         0,
         Act::Default,
         {"Fehlerprotokoll konnte nicht vollständig in die Datei MRVERROR.001 geschrieben werden",
          kIncomplete},
         true},
    };
    for (const Mode &mode : modes) {
        for (int k = 1; k <= (mode.syncs ? 1 : writes); ++k) {
            SCOPED_TRACE(std::string(mode.proves) +
                         (mode.syncs ? "" : ", write " + std::to_string(k)));
            const int writeFails = mode.syncs ? 0 : k, syncFails = mode.syncs ? k : 0;
            const childrun::ChildRun r = run({.failFrom = writeFails,
                                              .failCount = mode.count,
                                              .syncFailFrom = syncFails,
                                              .syncFailCount = mode.count,
                                              .writeBox = mode.writeBox});
            std::vector<std::string> reportBoxes;
            for (const std::string &line : errtest::split(r.reports, "\n"))
                if (line.starts_with(kReportBox))
                    reportBoxes.push_back(line.substr(kReportBox.size()));
            EXPECT_EQ(reportBoxes, mode.lastReports) << r.reports;
            const std::string kept = comparable(log());
            if (mode.complete)
                EXPECT_EQ(kept, reference);
            else // what the writes before the failing one wrote, as they wrote it
                EXPECT_TRUE(kept.size() < reference.size() && reference.starts_with(kept)) << kept;
        }
    }
}

// A database engine that cannot be loaded: the session ends while start-up's alert is open. The
// alert is closed, start-up goes on, the window sees its close at once: exit code 0, no log, the
// exit procedure run.
TEST_F(EndToEnd, TheSessionEndingDuringStartUpsAlertEndsInOrder)
{
    const childrun::ChildRun r = run({.unavailableEngine = "DELDBE", .exitCode = 0});
    EXPECT_TRUE(r.reports.starts_with("alertBox [Tarvello 16bit] DELDBE Database-Engine nicht "
                                      "geladen\n"))
        << r.reports;
    EXPECT_TRUE(fs::is_empty(dir / "work"));
    EXPECT_EQ(r.errors.find("Fehlerprotokoll"), std::string::npos) << r.errors;
}

} // namespace
