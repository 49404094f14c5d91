#pragma once
// Everything the runtime keeps for the process, in one object: the error callback, the call stack,
// the recovery points and the exit code, the settings, the output channels and the alternate file,
// the published names, the engines, the dialog service, the application, the event queue and the
// end of the session. Runtime operations reach the one in force through state(), so the system's
// procedures take no context parameter. The program has one, made on first use; a RuntimeState
// made on purpose is in force for its lifetime (a test fixture's fresh one), then the one before
// is again. It holds no toolkit type: the GUI layer keeps only plain values and callbacks here.

#include "Dialogs.hpp"
#include "Output.hpp"
#include "System.hpp"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

using HookProcedure = void (*)();

// What a sync makes durable: the bytes of a file, or the entries of a directory.
enum class SyncTarget
{
    FileData,
    Directory
};

// The replaceable functions through which the runtime reaches what can fail outside it. The
// program never changes them; tests replace them to make a failure happen where it would be hard
// to bring about for real, the way a storage engine lets its allocator be replaced.
struct Seams
{
    // Writes to the alternate file's descriptor, as write(2) does (-1 with errno on failure).
    std::function<long(int fd, const char *bytes, std::size_t count)> writeFile;
    // Makes what reached a descriptor durable: fdatasync(2) for the alternate file, fsync(2) for
    // the directory that holds a name its opening created (-1 with errno on failure).
    std::function<int(int fd, SyncTarget target)> sync;
    // Loads the database engine `name` (upper case); false when it cannot be loaded.
    std::function<bool(const Text &name)> loadEngine;
    // The runtime's version number as the entry asks for it.
    std::function<std::uint32_t()> version;
    // Asked by the operations that can fail at a named point ("[]", "DBCOMMITALL",
    // "DBCLOSEALL") before they do their work: true makes the operation fail there as it fails
    // when its work does. Empty: never.
    std::function<bool(std::string_view operation)> failOperation;

    Seams();
};

struct CallFrame
{
    std::string name;
    int line = 0;
};

struct SettingsState
{
    Text dateFormat = "dd.mm.yyyy";
    bool console = true;
    bool alternate = false;
    bool extra = false;
    bool printer = false;
    Text alternateFile;
    bool century = true;
    double engineDefaults = 0;
};

struct OutputState
{
    // Devices of the printer and the extra channel; empty: none attached ("not ready").
    Device printer;
    Device extra;
    // Where console and standard-error output go; empty: standard output and standard error.
    Device console;
    Device errorChannel;
    int row = 0;
    int col = 0;
    int alternateFd = -1;
    // The alternate file's name where its opening made it; empty when the name was there
    // before. Its directory is synced with the file when the file is closed.
    Text alternateCreatedName;
    bool alternateWritesLost = false; // bytes of the alternate file opened last were dropped
};

struct EngineState
{
    std::set<Text> loaded;
    std::set<Text> built;
    int workAreas = 0; // open work areas; the program opens none
};

struct ApplicationState
{
    AppType type = AppType::Graphical;
    Value window;
    HookProcedure exitProcedure = nullptr;
};

// Names compare without regard to case.
struct NameLess
{
    bool operator()(const std::string &a, const std::string &b) const;
};

// What the GUI layer keeps, as plain values: the event queue, how to wake the wait for it, the
// window an end requested from outside closes, and the boxes open now.
struct GuiState
{
    struct Event
    {
        int code;
        Value mp1, mp2, part;
    };
    struct OpenBox
    {
        std::function<void()> end; // closes the box without a button clicked
        bool ended = false;
    };
    std::deque<Event> events;
    std::function<void()> wakeWaiter; // set while APPEVENT waits
    std::weak_ptr<Object> newestDialog;
    bool closeRequested = false; // asked for before any dialog existed
    std::vector<OpenBox> openBoxes;
};

class RuntimeState
{
public:
    RuntimeState();
    ~RuntimeState(); // closes the alternate file; the state in force before is again
    RuntimeState(const RuntimeState &) = delete;
    RuntimeState &operator=(const RuntimeState &) = delete;

    Seams seams;
    Value errorCallback;
    int errorNesting = 0;
    std::vector<CallFrame> callStack;
    int recoveryDepth = 0;
    int errorLevel = 0;
    SettingsState settings;
    OutputState output;
    std::map<std::string, Value, NameLess> publics;
    EngineState engines;
    std::shared_ptr<DialogService> dialogs;
    ApplicationState application;
    GuiState gui;
    // The desktop session asked the process to end (a termination signal): from then on no box
    // of ours waits for an answer, and a report whose box is not waited for goes to standard error.
    bool sessionEnding = false;

private:
    RuntimeState *m_before;
};

// The state in force.
RuntimeState &state();

// True when the failOperation seam makes `operation` fail here.
bool failsHere(std::string_view operation);

} // namespace rt
