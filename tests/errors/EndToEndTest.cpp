// The whole way of a runtime error in the real program: the start-up path with the error hook, the
// real window, the left "Umwandeln" pressed with real input, a Bound error raised at the start of
// Sx2Zahl (the test-only converter build), the real Qt box answered with OK, the log file written
// and the report box naming it, exit code 1.
//
// Input cannot be sent into another process on the offscreen platform, so the program runs in a
// forked child of this test, in a fresh working directory; a timer in the child presses the button
// and the box buttons with QTest, and reports the boxes' texts through a pipe.

#include "ErrorsTestKit.hpp"
#include "StartUpPath.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fstream>
#include <regex>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Drives the child's program: the left "Umwandeln", then OK in the error box, then OK in the
// report box. Each box's title and text go to `reportFd` as one line.
class Driver
{
public:
    explicit Driver(int reportFd) : m_reportFd(reportFd)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { step(); });
        m_timer.start(20);
    }

private:
    enum class Stage
    {
        PressLeft,
        AnswerError,
        AnswerReport,
        Done
    };

    void step()
    {
        switch (m_stage) {
        case Stage::PressLeft:
            if (QPushButton *left = leftButton()) {
                QTest::mouseClick(left, Qt::LeftButton);
                m_stage = Stage::AnswerError;
            }
            return;
        case Stage::AnswerError:
            if (answer("confirmBox"))
                m_stage = Stage::AnswerReport;
            return;
        case Stage::AnswerReport:
            if (answer("messageBox"))
                m_stage = Stage::Done;
            return;
        case Stage::Done:
            return;
        }
    }

    static QPushButton *leftButton()
    {
        QPushButton *left = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || top->windowTitle() != "Tarvello 16bit")
                continue;
            for (QPushButton *b : top->findChildren<QPushButton *>())
                if (b->text() == "Umwandeln" &&
                    (!left || b->mapToGlobal(QPoint()).x() < left->mapToGlobal(QPoint()).x()))
                    left = b;
        }
        return left;
    }

    // Reports and answers the visible box named `name` with OK; false while there is none.
    bool answer(const char *name)
    {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(top);
            if (!box || !box->isVisible() || box->objectName() != name)
                continue;
            QString text = box->text();
            text.replace('\n', '|');
            report(QString("%1 [%2] %3\n").arg(name, box->windowTitle(), text));
            for (QAbstractButton *b : box->buttons())
                if (b->text() == "OK")
                    QTest::mouseClick(b, Qt::LeftButton);
            return true;
        }
        return false;
    }

    void report(const QString &line)
    {
        const QByteArray bytes = line.toUtf8();
        [[maybe_unused]] ssize_t n = ::write(m_reportFd, bytes.data(), bytes.size());
    }

    int m_reportFd;
    QTimer m_timer;
    Stage m_stage = Stage::PressLeft;
};

struct ChildResult
{
    int status = -1;
    std::string reports;
};

ChildResult runProgramInChild(const std::filesystem::path &dir)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::alarm(60); // a box that never appears must not hang the test
        if (::chdir(dir.c_str()) != 0)
            ::_exit(100);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::_exit(errtest::runStartUpPath([&] { return std::make_shared<Driver>(pipeFds[1]); }));
    }
    ::close(pipeFds[1]);
    ChildResult result;
    result.reports = errtest::readChildReports(pipeFds[0], pid, result.status);
    return result;
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
    const int failing = lineOf("converter/Conversions.cpp", "ELEMENT(aoSlt, 17);");
    const int callback = lineOf("converter/Main.cpp", "return Sx2Zahl(aSx);");
    const int dispatch = lineOf("converter/Main.cpp", "SEND(oPart, \"handleEvent\"");
    std::string name = std::to_string(callback % 10000);
    name.insert(0, 4 - name.size(), '0');
    return {"Aufgerufen von SX2ZAHL(" + std::to_string(failing) + ")",
            "Aufgerufen von (B)MAIN@" + name + "(" + std::to_string(callback) + ")",
            "Aufgerufen von MAIN(" + std::to_string(dispatch) + ")"};
}

using EndToEnd = errtest::ErrorSystemTest;

TEST_F(EndToEnd, ErrorInSx2ZahlAnsweredWithOkWritesTheLogAndEndsWithExitCodeOne)
{
    const ChildResult child = runProgramInChild(dir);
    ASSERT_TRUE(WIFEXITED(child.status)) << "status " << child.status << "\n" << child.reports;
    EXPECT_EQ(WEXITSTATUS(child.status), 1) << child.reports;

    // The error box: the message, then the call stack from the procedure that failed out to MAIN.
    const auto reports = errtest::split(child.reports, "\n");
    ASSERT_GE(reports.size(), 2u) << child.reports;
    const std::vector<std::string> stack = expectedCallStack();
    const std::string boxPrefix = "confirmBox [Morvane Fehlermeldung] ";
    ASSERT_EQ(reports[0].rfind(boxPrefix, 0), 0u) << reports[0];
    const auto boxLines = errtest::split(reports[0].substr(boxPrefix.size()), "|");
    ASSERT_EQ(boxLines.size(), 7u) << reports[0];
    EXPECT_TRUE(std::regex_match(boxLines[0], std::regex(R"(Fehler BASE/\d+)"))) << boxLines[0];
    EXPECT_EQ(boxLines[1].rfind("Beschreibung : ", 0), 0u) << boxLines[1];
    EXPECT_EQ(boxLines[2], "Operation : []");
    EXPECT_EQ(boxLines[3], "Thread ID : 1");
    EXPECT_EQ(std::vector<std::string>(boxLines.begin() + 4, boxLines.end()), stack);
    EXPECT_EQ(reports[1], "messageBox [Tarvello 16bit] Fehlerprotokoll wurde in die Datei "
                          "MRVERROR.LOG geschrieben");

    const auto log = errtest::split(errtest::fileContent(dir / "MRVERROR.LOG"), "\r\n");
    ASSERT_GE(log.size(), 31u);
    EXPECT_EQ(log[1], std::string(78, '-'));
    EXPECT_EQ(log[2].rfind("FEHLERPROTOKOLL von \"/", 0), 0u) << log[2];
    EXPECT_EQ(log[7], "oError:args         :");
    EXPECT_TRUE(std::regex_match(log[8], std::regex(R"(          -> VALTYPE: A VALUE: \{.*\})")))
        << log[8];
    EXPECT_EQ(log[9], "          -> VALTYPE: N VALUE: 17");
    EXPECT_EQ(log[10], "oError:canDefault   : .T.");
    EXPECT_EQ(log[13], "oError:cargo        : NIL");
    EXPECT_EQ(log[16], "oError:genCode      :          2");
    EXPECT_EQ(log[17], "oError:operation    : []");
    EXPECT_EQ(log[23], "oError:tries        :          0");
    EXPECT_EQ(log[25], "CALLSTACK:");
    EXPECT_EQ(std::vector<std::string>(log.begin() + 27, log.begin() + 30), stack);
    EXPECT_EQ(log.back(), "");
}

} // namespace
