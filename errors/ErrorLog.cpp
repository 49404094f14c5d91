#include "ErrorLog.hpp"

#include "AlternateFile.hpp"
#include "CallStack.hpp"
#include "Dialogs.hpp"
#include "ErrorLogLines.hpp"
#include "ErrorRouting.hpp"
#include "Messages.hpp"
#include "Output.hpp"
#include "Recovery.hpp"
#include "Settings.hpp"
#include "System.hpp"
#include "Text850.hpp"
#include "TextFunctions.hpp"

using namespace rt;

namespace {

// The output settings the log writer changes, in the order they are saved and restored.
struct OutputSettings
{
    Value printer;       // 23
    Value console;       // 17
    Value alternateFile; // 19
    Value alternate;     // 18
    Value extra;         // 21
};

OutputSettings prepareOutput()
{
    OutputSettings saved;
    saved.printer = SET(23);
    saved.console = SET(17);
    saved.alternateFile = SET(19);
    saved.alternate = SET(18);
    saved.extra = SET(21, false);
    SET(23, "OFF");
    SET(17, "ON");
    // The log lines appear on screen only in a text-mode application window.
    const Value window = SETAPPWINDOW();
    if (window.isNil() || SEND(window, "isDerivedFrom", {ROOTCRT()}) != Value(true))
        SET(17, "OFF");
    return saved;
}

void restoreOutput(const OutputSettings &saved)
{
    SET(23, saved.printer);
    SET(17, saved.console);
    // A file that was the alternate file before is reopened to be continued, not emptied.
    SET(19, saved.alternateFile, true);
    SET(18, saved.alternate);
    SET(21, saved.extra);
}

// Tells the user `text`: a message box in a graphical application; in a text-mode one a tone and a
// console line, and the standard error channel as well when console output is off.
void report(const Text &text)
{
    if (APPTYPE() == Value(3)) {
        MSGBOX(text);
        return;
    }
    TONE(660, 5);
    QOUT({text});
    if (SET(17) == Value(false))
        OUTERR({CHR(10).text() + CHR(13).text() + text});
}

[[noreturn]] void endProcess(const Text &text)
{
    report(text);
    ERRORLEVEL(1);
    _QUIT();
}

// Creates the first log file name that can be created and makes it the alternate file, on.
// Each name is tried under a recovery point, so the break callback ends a failed attempt there.
// Gives up after "MRVERROR.999": 1000 names in all.
Text openLogFile()
{
    Value extension = "LOG";
    double counter = 0;
    for (;;) {
        const Text name = "MRVERROR." + extension.text();
        bool opened = false;
        recoveryPoint([&] {
            SET(19, name, false);
            SET(18, "ON");
            opened = SET(19) == Value(name) && SET(18) == Value(true);
        });
        if (opened)
            return name;
        counter += 1;
        extension = PADL(counter, 3, "0");
        if (counter > 999)
            endProcess("Datei für Fehlerprotokoll kann nicht geöffnet werden"_oem);
    }
}

// Logs now being written, counting nested calls: an error raised while a log is written can reach
// the handler, and the user can ask for a log of that error too.
int &logsBeingWritten()
{
    static int count = 0;
    return count;
}

struct WritingLog
{
    WritingLog() { ++logsBeingWritten(); }
    ~WritingLog() { --logsBeingWritten(); }
};

// The callback for a log written while another one is: a failing write of this log is not shown
// again but let go by (its bytes are dropped, and the report says the log is incomplete); every
// other error goes on to `previous`. Without it a full disk would climb from log to log until the
// nesting of errors ends the process with no report and no exit procedure.
// It stands in for `previous` and adds no call-stack level: `previous` runs in the one frame the
// raise path gives the installed callback, so the handler finds the procedure that raised the
// error where it always does, two levels above its own.
Value lettingWriteErrorsGo(const Value &previous)
{
    return block([previous](Args &a) -> Value {
        const Value oError = a.empty() ? NIL : a[0];
        if (SEND(oError, "genCode") == Value(7) && SEND(oError, "canDefault") == Value(true))
            return false;
        if (previous.isBlock())
            return previous.block()->body(a);
        return EVAL(previous, a); // no callback: raises as calling one does
    });
}

// Closes the log file (which syncs it) and turns the file output off, so that the report never
// enters the log.
void closeLogFile()
{
    SET(19, "");
    SET(18, "OFF");
}

Text incompleteText(const Text &name)
{
    return "Fehlerprotokoll konnte nicht vollständig in die Datei "_oem + name +
           " geschrieben werden";
}

} // namespace

Value ERRORLOG(const Value &oError, const Value &nStart, std::source_location w)
{
    ProcFrame frame("ERRORLOG", w);
    const Value breakCallback = block([](Args &a) -> Value {
        BREAK(a.empty() ? NIL : a[0]);
        return NIL;
    });
    const bool nested = logsBeingWritten() > 0;
    const Value previousCallback = ERRORBLOCK(breakCallback);
    const OutputSettings saved = prepareOutput();
    const Text name = openLogFile();

    // From here on an error reaches the regular handler.
    ERRORBLOCK(nested ? lettingWriteErrorsGo(previousCallback) : previousCallback);
    try {
        WritingLog writing;
        errorlog::writeLog(oError, nStart);
        // Closing makes the log durable; a sync that fails is answered like a write that failed.
        closeLogFile();
    } catch (...) {
        // Left unfinished: an error raised meanwhile ended the program or broke out. The lines
        // written so far stay in the file, and the user is told that it is incomplete, so a sync
        // of them that fails is not shown as well.
        ERRORBLOCK(lettingWriteErrorsGo(previousCallback));
        closeLogFile();
        ERRORBLOCK(previousCallback);
        report(incompleteText(name));
        restoreOutput(saved);
        throw;
    }
    ERRORBLOCK(previousCallback);
    // A write the handler let go by (its default drops the bytes) or a sync that failed leaves the
    // log incomplete or not yet safe; it is never reported as written.
    if (alternateFileWritesLost())
        endProcess(incompleteText(name));
    report("Fehlerprotokoll wurde in die Datei " + name + " geschrieben");
    restoreOutput(saved);
    return NIL;
}
