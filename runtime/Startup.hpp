#pragma once
// The runtime's side of the start-up contract. The process entry asks for the runtime's version,
// fills a start-up record of twenty 32-bit words and hands it to ___iniStart, which finds
// everything it runs through that record alone: the module initialisers, the hooks, and the
// exit-procedure registrar. A word that holds an address holds a signed 32-bit offset from the
// word's own position (target = word address + value), so the record keeps its 32-bit layout in a
// 64-bit process. Each such target is a slot holding a function pointer: a stub that passes
// straight on to the procedure. A record whose offsets do not resolve inside its own image is
// refused, never followed.

#include <cstdint>

namespace rt {

using HookProcedure = void (*)();
using Initialiser = int (*)();
using Registrar = std::int32_t (*)();

// Byte offsets within the record.
enum class RecordWord : int
{
    TableBlock = 0,
    Config1 = 4,
    Config2 = 8,
    Config3 = 12,
    Unused = 16,
    ExitRegistrar = 20,
    ErrorSystemHook = 24,
    AppWindowHook = 28,
    ExitHook = 32,
    DatabaseHook = 36,
    MainHook = 40,
    DllInitHook = 44,
    Pairs = 48, // four (begin, end) pairs up to offset 79
};
inline constexpr int kRecordBytes = 80;

// The largest image a record may span: record, table section and stub slots together.
inline constexpr int kMaxImageBytes = 4096;

// The version query: major in bits 16 and up, minor in bits 8 to 15, build in bits 0 to 7. It
// asks the state's version seam.
std::uint32_t runtimeVersionNumber();

void __This_executable_needs_version_1_50_0();
std::int32_t ___iniGetDLLInitHook();

// Runs the application the record describes; returns the exit code: 0 after MAIN returned,
// ERRORLEVEL after a quit, 70 (with a message on standard error) for a record it refuses.
int ___iniStart(const void *record);

// Registers the exit procedure; `tableBlock` is the record's table block. Returns 0.
std::int32_t _iniExitProcedureList(const void *tableBlock, HookProcedure exitProcedure);

// Resolves the self-relative word at `word` inside [imageBegin, imageBegin + kMaxImageBytes);
// nullptr when it points outside or is misaligned for `alignment`.
const void *resolveWord(const void *word, const void *imageBegin, int alignment);

} // namespace rt
