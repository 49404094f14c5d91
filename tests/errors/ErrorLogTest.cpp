// The error log file: whole files compared with the expected texts beside this test, the settings
// and the callback after the call, where the report goes, and the file faults (a directory, a
// symbolic link, a locked file, every name taken, an older log).

#include "ErrorsTestKit.hpp"

#include "DisplayForm.hpp"

#include <map>
#include <optional>
#include <regex>

namespace {

using namespace rt;
using namespace errtest;
using Kind = ScriptedDialogs::Call::Kind;

const Text kWritten = "Fehlerprotokoll wurde in die Datei MRVERROR.LOG geschrieben";
const Text kCannotOpen = "Datei für Fehlerprotokoll kann nicht geöffnet werden"_oem;

int g_sx2zahlLine = 0;
int g_mainLine = 0;

// ERRORLOG called from SX2ZAHL, called from MAIN: the call stack the log lists from level 1.
void logFromInside(const ErrorRef &error, const Value &nStart,
                   std::source_location w = std::source_location::current())
{
    ProcFrame frame("SX2ZAHL", w);
    g_sx2zahlLine = __LINE__ + 1;
    ERRORLOG(error, nStart);
}

void logFromMain(const ErrorRef &error, const Value &nStart)
{
    ProcFrame frame("MAIN");
    g_mainLine = __LINE__ + 1;
    logFromInside(error, nStart);
}

class ErrorLog : public errtest::ErrorSystemTest
{
protected:
    // The expected text `name` with its placeholders filled in; the time is taken from `actual`
    // once it has the form hh:mm:ss, since it cannot be known before the log is written.
    std::string expected(const std::string &name, const std::string &actual)
    {
        std::smatch time;
        std::regex_search(actual, time, std::regex(R"(Datum: \S+ (\d\d:\d\d:\d\d)\r\n)"));
        EXPECT_FALSE(time.empty()) << "no time in the header";
        const std::map<std::string, std::string> values = {
            {"@PROGRAM@", APPNAME(true).text()},
            {"@DATE@", displayForm(DATE())},
            {"@TIME@", time.empty() ? "" : time[1].str()},
            {"@VERSION@", "1.50.1"},
            {"@OS@", OS().text()},
            {"@INNER@", std::to_string(g_sx2zahlLine)},
            {"@OUTER@", std::to_string(g_mainLine)}};
        std::string text = fileContent(errtest::expectedDir() / name);
        EXPECT_FALSE(text.empty()) << name;
        for (const auto &[key, value] : values)
            for (size_t at; (at = text.find(key)) != std::string::npos;)
                text.replace(at, key.size(), value);
        return text;
    }
    Ending logFromMainQuitting(const ErrorRef &error, const Value &nStart = 0)
    {
        return runCall([&] { return logFromMain(error, nStart), NIL; });
    }
};

TEST_F(ErrorLog, WholeFilesAsExpected)
{
    const Value object = std::make_shared<ErrorObject>();
    const Value march5 = Date{std::chrono::year{2024} / 3 / 5};
    struct Row
    {
        const char *proves;
        const char *file;
        Members members;
        Value nStart;
    } rows[] = {
        {"the worked example: texts, NIL, numbers, logicals, an empty file name",
         "worked_example.log",
         {{"args", newArray({"abc", NIL})},
          {"canSubstitute", true},
          {"description", "Beispielbeschreibung"},
          {"genCode", 2},
          {"operation", "+"},
          {"subCode", 4}},
         0},
        {"args NIL gives one -> NIL line; empty texts end in the blank", "args_nil.log", {}, 0},
        {"an empty array gives no line; nothing above nStart leaves the call stack empty",
         "args_empty_no_stack.log",
         {{"args", newArray()},
          {"canDefault", true},
          {"canRetry", true},
          {"cargo", newArray({1, "x"})},
          {"description", "Division durch Null"},
          {"fileName", "C:\\DATEN\\A.DBF"},
          {"genCode", 12},
          {"operation", "/"},
          {"osCode", 32},
          {"severity", 3},
          {"subCode", -7},
          {"subSystem", ""},
          {"tries", 3}},
         2},
        {"every kind of argument: a class name for an object, the character form otherwise",
         "args_kinds.log",
         {{"args", newArray({"text", NIL, 42, object, -1.5, true, march5,
                             newArray({1, newArray({2})}), ""})},
          {"cargo", march5},
          {"severity", 1.5}},
         0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EQ(logFromMainQuitting(errorWith(row.members), row.nStart).answer, NIL);
        const std::string actual = fileContent("MRVERROR.LOG");
        EXPECT_EQ(actual, expected(row.file, actual));
    }
    EXPECT_EQ(ERRORLEVEL(), 0) << "a log written is no end of the process";
}

TEST_F(ErrorLog, SettingsAndCallbackAreAsBeforeAndAnEarlierAlternateFileIsContinued)
{
    std::string printed, extra;
    state().output.printer = [&](std::string_view b) { printed += b; };
    state().output.extra = [&](std::string_view b) { extra += b; };
    SET(19, "other.txt");
    SET(18, "ON");
    SET(23, "ON");
    SET(17, "OFF");
    SET(21, true);
    QOUT({"before"});
    const Value callback = block([](Args &) -> Value { return false; });
    ERRORBLOCK(callback);

    logFromMainQuitting(errorWith({}));

    EXPECT_EQ(SET(23), Value(true));
    EXPECT_EQ(SET(17), Value(false));
    EXPECT_EQ(SET(19), Value("other.txt"));
    EXPECT_EQ(SET(18), Value(true));
    EXPECT_EQ(SET(21), Value(true));
    EXPECT_EQ(ERRORBLOCK(), callback);
    EXPECT_EQ(printed, "\r\nbefore") << "no line of the log reaches the printer";
    EXPECT_EQ(extra, "\r\nbefore");
    SET(23, "OFF");
    SET(21, false);
    QOUT({"after"});
    SET(19, "");
    EXPECT_EQ(fileContent("other.txt"), "\r\nbefore\r\nafter");
    EXPECT_EQ(fileContent("MRVERROR.LOG").substr(0, 4), "\r\n--");
}

TEST_F(ErrorLog, TheReportIsABoxOrGoesToTheConsoleOnlyWithATextModeWindow)
{
    struct OtherWindow : Object
    {
        std::string className() const override { return "Dialog"; }
    };
    struct Row
    {
        const char *proves;
        AppType type;
        Value window;
        bool box;          // one message box naming the file
        bool console;      // the log, then the report on the console
        bool errorChannel; // the report on standard error, after LF CR
    } rows[] = {
        {"graphical: one message box", AppType::Graphical, NIL, true, false, false},
        {"a text-mode window: the console", AppType::Text, std::make_shared<CrtWindow>(), false,
         true, false},
        {"a window of another kind: standard error", AppType::Text, std::make_shared<OtherWindow>(),
         false, false, true},
        {"no window: standard error", AppType::Text, NIL, false, false, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        setAppType(row.type);
        state().application.window = row.window;
        console.clear();
        errorChannel.clear();
        const size_t before = dialogs->calls().size();
        logFromMainQuitting(errorWith({}));
        ASSERT_EQ(dialogs->calls().size(), before + row.box);
        if (row.box) {
            EXPECT_EQ(dialogs->calls().back().kind, Kind::Message);
            EXPECT_EQ(dialogs->calls().back().text, kWritten);
        }
        EXPECT_EQ(console, row.console ? fileContent("MRVERROR.LOG") + "\r\n" + kWritten : "");
        EXPECT_EQ(errorChannel, row.errorChannel ? "\n\r" + kWritten : "");
    }
}

// A name the log cannot be written under safely costs one attempt: the log goes to the next name,
// and nothing behind the name is touched. An older log of the same name is replaced.
TEST_F(ErrorLog, ANameThatCannotBeUsedCostsOneAttemptAndAnOlderLogIsReplaced)
{
    std::filesystem::create_directory("outside");
    errtest::writeFile("outside/victim", "precious");
    std::optional<testsupport::LockHolder> lock;
    struct Row
    {
        const char *proves;
        std::function<void()> plant; // at "MRVERROR.LOG"
        const char *logName;         // where the log goes
        const char *kept = nullptr;  // what "MRVERROR.LOG" still holds, where the row says
    } rows[] = {
        {"an older log is replaced, not extended",
         [] { errtest::writeFile("MRVERROR.LOG", std::string(20000, 'x')); }, "MRVERROR.LOG"},
        {"a directory", [] { std::filesystem::create_directory("MRVERROR.LOG"); }, "MRVERROR.001"},
        {"a symbolic link to a file",
         [] { std::filesystem::create_symlink("outside/victim", "MRVERROR.LOG"); }, "MRVERROR.001"},
        {"a dangling symbolic link",
         [] { std::filesystem::create_symlink("outside/nothing", "MRVERROR.LOG"); },
         "MRVERROR.001"},
        {"a file held locked by another open file",
         [&] {
             errtest::writeFile("MRVERROR.LOG", "held");
             lock.emplace("MRVERROR.LOG");
         },
         "MRVERROR.001", "held"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        row.plant();
        logFromMainQuitting(errorWith({}));
        lock.reset();
        EXPECT_EQ(dialogs->calls().back().text, "Fehlerprotokoll wurde in die Datei " +
                                                    std::string(row.logName) + " geschrieben");
        const std::string log = fileContent(row.logName);
        EXPECT_EQ(log, expected("args_nil.log", log));
        EXPECT_EQ(std::filesystem::exists("MRVERROR.001"),
                  row.logName != std::string("MRVERROR.LOG"));
        if (row.kept) {
            EXPECT_EQ(fileContent("MRVERROR.LOG"), row.kept);
        }
        EXPECT_EQ(fileContent("outside/victim"), "precious");
        EXPECT_FALSE(std::filesystem::exists("outside/nothing"));
        std::filesystem::remove("MRVERROR.LOG");
        std::filesystem::remove("MRVERROR.001");
    }
}

TEST_F(ErrorLog, EveryNameTakenGivesUpWithExitCodeOne)
{
    std::filesystem::create_directory("MRVERROR.LOG");
    char name[24];
    for (int i = 1; i <= 999; ++i) {
        std::snprintf(name, sizeof name, "MRVERROR.%03d", i);
        std::filesystem::create_directory(name);
    }
    struct Row
    {
        const char *proves;
        AppType type;
    } rows[] = {{"graphical: a message box", AppType::Graphical},
                {"text mode: standard error after LF CR", AppType::Text}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        setAppType(row.type);
        const size_t before = dialogs->calls().size();
        Ending ending = logFromMainQuitting(errorWith({}));
        EXPECT_TRUE(ending.quit);
        EXPECT_EQ(ending.errorLevel, 1);
        if (row.type == AppType::Graphical) {
            ASSERT_EQ(dialogs->calls().size(), before + 1);
            EXPECT_EQ(dialogs->calls().back().text, kCannotOpen);
        } else {
            EXPECT_EQ(errorChannel, "\n\r" + kCannotOpen);
        }
        ERRORLEVEL(0);
    }
    EXPECT_TRUE(std::filesystem::is_directory("MRVERROR.999"));
    size_t regularFiles = 0;
    for (const auto &entry : std::filesystem::directory_iterator("."))
        regularFiles += entry.is_regular_file();
    EXPECT_EQ(regularFiles, 0u);
}

} // namespace
