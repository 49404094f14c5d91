#include "Startup.hpp"

#include "Recovery.hpp"
#include "RuntimeState.hpp"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace rt {
namespace {

HookProcedure &exitProcedure()
{
    return state().application.exitProcedure;
}

template<class F> F functionIn(const void *slot)
{
    F f;
    std::memcpy(&f, slot, sizeof f);
    return f;
}

struct Program
{
    std::vector<Initialiser> initialisers;
    Registrar registrar = nullptr;
    HookProcedure errorSystem = nullptr, appWindow = nullptr, database = nullptr, main = nullptr;
};

const unsigned char *wordPtr(const void *record, RecordWord w)
{
    return static_cast<const unsigned char *>(record) + static_cast<int>(w);
}

// A slot holding a function pointer, resolved from the word at `word`; nullptr when it does not
// resolve inside the image or holds nothing.
template<class F> F procedureAt(const void *word, const void *image)
{
    const void *slot = resolveWord(word, image, alignof(F));
    return slot ? functionIn<F>(slot) : nullptr;
}

std::optional<Program> readRecord(const void *record, std::string &why)
{
    const auto *block = static_cast<const unsigned char *>(resolveWord(record, record, 4));
    if (block != wordPtr(record, RecordWord::Pairs)) {
        why = "its first word does not lead to its table block";
        return std::nullopt;
    }
    // Pair 2: the address words of the module-initialiser entries, 16 bytes apart.
    const auto *begin = static_cast<const unsigned char *>(resolveWord(block + 8, record, 1));
    const auto *end = static_cast<const unsigned char *>(resolveWord(block + 12, record, 1));
    if (!begin || !end || end < begin || (end - begin) % 16 != 0) {
        why = "its initialiser table does not resolve";
        return std::nullopt;
    }
    Program p;
    for (const unsigned char *entry = begin; entry < end; entry += 16) {
        Initialiser init = procedureAt<Initialiser>(entry, record);
        if (!init) {
            why = "a module initialiser does not resolve";
            return std::nullopt;
        }
        p.initialisers.push_back(init);
    }
    p.registrar = procedureAt<Registrar>(wordPtr(record, RecordWord::ExitRegistrar), record);
    p.errorSystem =
        procedureAt<HookProcedure>(wordPtr(record, RecordWord::ErrorSystemHook), record);
    p.appWindow = procedureAt<HookProcedure>(wordPtr(record, RecordWord::AppWindowHook), record);
    p.database = procedureAt<HookProcedure>(wordPtr(record, RecordWord::DatabaseHook), record);
    p.main = procedureAt<HookProcedure>(wordPtr(record, RecordWord::MainHook), record);
    if (!p.registrar || !p.errorSystem || !p.appWindow || !p.database || !p.main) {
        why = "a hook does not resolve";
        return std::nullopt;
    }
    return p;
}

} // namespace

std::uint32_t runtimeVersionNumber()
{
    return state().seams.version();
}

void __This_executable_needs_version_1_50_0()
{
    // Nothing to do: this runtime is 1.50 or later, which the entry has checked already.
}

std::int32_t ___iniGetDLLInitHook()
{
    return 0; // this runtime loads no libraries that need an initialisation hook
}

const void *resolveWord(const void *word, const void *imageBegin, int alignment)
{
    std::int32_t offset;
    std::memcpy(&offset, word, sizeof offset);
    const auto wordAddress = reinterpret_cast<std::uintptr_t>(word);
    const auto image = reinterpret_cast<std::uintptr_t>(imageBegin);
    const std::uintptr_t target = wordAddress + static_cast<std::uintptr_t>(std::intptr_t{offset});
    if (offset == 0 || target < image || target >= image + kMaxImageBytes ||
        target % static_cast<std::uintptr_t>(alignment) != 0)
        return nullptr;
    return reinterpret_cast<const void *>(target);
}

std::int32_t _iniExitProcedureList(const void *, HookProcedure procedure)
{
    exitProcedure() = procedure;
    return 0;
}

int ___iniStart(const void *record)
{
    std::string why;
    std::optional<Program> program = readRecord(record, why);
    if (!program) {
        std::fprintf(stderr, "start-up record refused: %s\n", why.c_str());
        return 70;
    }
    exitProcedure() = nullptr;
    bool quit = false;
    try {
        for (Initialiser init : program->initialisers)
            init();
        program->errorSystem();
        program->database();
        program->appWindow();
        program->main();
    } catch (const QuitSignal &) {
        quit = true;
    }
    program->registrar();
    if (HookProcedure exit = exitProcedure())
        exit();
    return quit ? ERRORLEVEL() : 0;
}

} // namespace rt
