// The whole program, from the process entry to the exit procedure, when things turn against the
// log: every single write of the log failing in turn (a disk full from then on, or one write that
// fails once), and a termination signal while each kind of box is open. Each run ends with a
// complete log reported as written or with the report that it could not be written completely
// (the partial file kept), exit code 1, and the exit procedure run: it closes the work area the
// driver opened.
//
// As in the other end-to-end test, the program runs in a forked child that a timer drives.

#include "ErrorsTestKit.hpp"
#include "StartUpPath.hpp"
#include "WriteFaults.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using rt::EngineFaults;
using rt::WriteFaults;

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
    int failFrom = 0;  // the write of the log that fails first; 0: none
    int failCount = 0; // how many fail; 0: every one from then on
    Act errorBox = Act::Ok;
    Act writeBox = Act::Default; // each box a failing write raises
    Act reportBox = Act::Ok;
    const char *unavailableEngine = nullptr; // its load fails, so start-up shows an alert
    int exitCode = 1;
};

// Presses the left "Umwandeln", then answers each box as the script says. Every box's kind and
// text go to `reportFd` as one line.
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
        if (!m_pressed)
            pressLeft();
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(top);
            if (box && box->isVisible() && !box->property("answered").toBool())
                return answer(box);
        }
    }

    void pressLeft()
    {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || top->windowTitle() != "Tarvello 16bit" ||
                qobject_cast<QMessageBox *>(top)) // an alert has the program's title too
                continue;
            QList<QPushButton *> buttons = top->findChildren<QPushButton *>();
            std::sort(buttons.begin(), buttons.end(), [](QPushButton *a, QPushButton *b) {
                return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
            });
            if (buttons.isEmpty())
                return;
            EngineFaults::openWorkArea(); // for the exit procedure to close
            WriteFaults::fail(m_script.failFrom, m_script.failCount);
            m_pressed = true;
            QTest::mouseClick(buttons.front(), Qt::LeftButton);
            return;
        }
    }

    void answer(QMessageBox *box)
    {
        QString text = box->text();
        text.replace('\n', '|');
        report(QString("%1 %2\n").arg(box->objectName(), text));
        box->setProperty("answered", true);
        if (box->objectName() == "alertBox") { // only start-up shows one: the session ends
            EngineFaults::openWorkArea();
            ::kill(::getpid(), SIGTERM);
            return;
        }
        const bool isReport = box->objectName() == "messageBox";
        const Act act = isReport         ? m_script.reportBox
                        : m_errorBoxSeen ? m_script.writeBox
                                         : m_script.errorBox;
        m_errorBoxSeen = m_errorBoxSeen || !isReport;
        if (act == Act::Signal) {
            ::kill(::getpid(), SIGTERM);
            return;
        }
        if (act == Act::Default) {
            QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        const char *label = act == Act::Ok       ? "OK"
                            : act == Act::Ignore ? "Ignorieren"
                                                 : "Wiederholen";
        for (QAbstractButton *b : box->buttons())
            if (b->text() == label)
                QTest::mouseClick(b, Qt::LeftButton);
    }

    void report(const QString &line)
    {
        const QByteArray bytes = line.toUtf8();
        [[maybe_unused]] ssize_t n = ::write(m_reportFd, bytes.data(), bytes.size());
    }

    int m_reportFd;
    Script m_script;
    QTimer m_timer;
    bool m_pressed = false;
    bool m_errorBoxSeen = false;
};

struct ChildRun
{
    int status = -1;
    std::string reports; // one line per box, then "work areas N"
    std::string errors;  // standard error
};

ChildRun runInChild(const fs::path &dir, const Script &script)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::alarm(60); // a box that is never answered must not hang the test
        if (::chdir(dir.c_str()) != 0 || !std::freopen("../stderr.txt", "w", stderr))
            ::_exit(100);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_RUNTIME_DIR", (dir.parent_path() / "xdg").c_str(), 1);
        if (script.unavailableEngine)
            EngineFaults::makeUnavailable(script.unavailableEngine);
        const int code =
            errtest::runProgram([&] { return std::make_shared<Driver>(pipeFds[1], script); });
        const std::string end = "writes " + std::to_string(WriteFaults::attempted()) +
                                ", work areas " + std::to_string(EngineFaults::openWorkAreas());
        [[maybe_unused]] ssize_t n = ::write(pipeFds[1], end.data(), end.size());
        std::fflush(nullptr);
        ::_exit(code);
    }
    ::close(pipeFds[1]);
    ChildRun run;
    run.reports = errtest::readChildReports(pipeFds[0], pid, run.status);
    run.errors = errtest::fileContent(dir.parent_path() / "stderr.txt");
    return run;
}

const std::string kWritten = "Fehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben";
const std::string kIncomplete =
    "Fehlerprotokoll konnte nicht vollständig in die Datei MRVERROR.LOG geschrieben werden";

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

class LogFaults : public errtest::ErrorSystemTest
{
protected:
    void SetUp() override
    {
        ErrorSystemTest::SetUp();
        fs::create_directory(dir / "work");
        fs::create_directory(dir / "xdg");
        fs::permissions(dir / "xdg", fs::perms::owner_all);
    }
    void TearDown() override
    {
        fs::remove(dir / "stderr.txt");
        ErrorSystemTest::TearDown();
    }

    // One run in an emptied working directory; checks what every run must show.
    ChildRun run(const Script &script)
    {
        for (const auto &entry : fs::directory_iterator(dir / "work"))
            fs::remove(entry.path());
        ChildRun r = runInChild(dir / "work", script);
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

// Every write of the log fails in turn, from the first line to the final line break.
TEST_F(LogFaults, EveryFailingWriteEndsWithTheLogCompleteOrToldIncompleteAndTheExitProcedure)
{
    const ChildRun clean = run({});
    ASSERT_NE(clean.reports.find("messageBox " + kWritten), std::string::npos) << clean.reports;
    const std::string reference = comparable(log());
    const int writes = writesOf(clean.reports);
    ASSERT_GE(writes, 30);

    struct Mode
    {
        const char *proves;
        int count;
        Act writeBox;
        std::vector<std::string> lastReports; // the report boxes, in order
        bool complete;
    } modes[] = {
        {"a full disk, the write's box answered with its default (Abort): the log of the write "
         "error goes to the next name and fails too; both are told incomplete",
         0,
         Act::Default,
         {"Fehlerprotokoll konnte nicht vollständig in die Datei MRVERROR.001 geschrieben werden",
          kIncomplete},
         false},
        {"a full disk, every failed write ignored", 0, Act::Ignore, {kIncomplete}, false},
        {"one write failing once, retried", 1, Act::Retry, {kWritten}, true},
    };
    for (const Mode &mode : modes) {
        for (int k = 1; k <= writes; ++k) {
            SCOPED_TRACE(std::string(mode.proves) + ", write " + std::to_string(k));
            const ChildRun r =
                run({.failFrom = k, .failCount = mode.count, .writeBox = mode.writeBox});
            std::vector<std::string> reportBoxes;
            for (const std::string &line : errtest::split(r.reports, "\n"))
                if (line.starts_with("messageBox "))
                    reportBoxes.push_back(line.substr(11));
            EXPECT_EQ(reportBoxes, mode.lastReports) << r.reports;
            const std::string kept = comparable(log());
            if (mode.complete)
                EXPECT_EQ(kept, reference);
            else // what the writes before the failing one wrote, as they wrote it
                EXPECT_TRUE(kept.size() < reference.size() && reference.starts_with(kept)) << kept;
        }
    }
}

// The session ends (SIGTERM) while a box is open: the box takes its ending choice and no later box
// waits; a report nobody waited for goes to standard error.
TEST_F(LogFaults, TheSessionEndingWhileABoxIsOpenEndsWithTheLogAndTheExitProcedure)
{
    const ChildRun clean = run({});
    const std::string reference = comparable(log());
    struct Row
    {
        const char *proves;
        Script script;
        const char *onStandardError;
        bool complete;
    } rows[] = {
        {"the error box ends as with the log", {.errorBox = Act::Signal}, "geschrieben\n", true},
        {"the report box is closed", {.reportBox = Act::Signal}, "geschrieben\n", true},
        {"the box of a failing write ends as with the log of that error",
         {.failFrom = 5, .writeBox = Act::Signal},
         "MRVERROR.LOG geschrieben werden\n",
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        const ChildRun r = run(row.script);
        EXPECT_NE(r.reports.find("confirmBox "), std::string::npos) << r.reports;
        EXPECT_TRUE(r.errors.ends_with(row.onStandardError)) << r.errors;
        const std::string kept = comparable(log());
        if (row.complete)
            EXPECT_EQ(kept, reference);
        else
            EXPECT_TRUE(kept.size() < reference.size() && reference.starts_with(kept)) << kept;
    }
}

// A database engine that cannot be loaded: the session ends while start-up's alert is open. The
// alert is closed, start-up goes on, the window sees its close at once: exit code 0, no log, the
// exit procedure run.
TEST_F(LogFaults, TheSessionEndingDuringStartUpsAlertEndsInOrder)
{
    const ChildRun r = run({.unavailableEngine = "DELDBE", .exitCode = 0});
    EXPECT_TRUE(r.reports.starts_with("alertBox DELDBE Database-Engine nicht geladen\n"))
        << r.reports;
    EXPECT_TRUE(fs::is_empty(dir / "work"));
    EXPECT_EQ(r.errors.find("Fehlerprotokoll"), std::string::npos) << r.errors;
}

} // namespace
