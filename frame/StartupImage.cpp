#include "StartupImage.hpp"

#include <cstring>
#include <stdexcept>
#include <string_view>

namespace frame {
namespace {

struct PublicProcedure
{
    std::string_view name;
    int slot;
};

// The public procedure table, in its order; the slots are those the hooks use as well.
constexpr PublicProcedure kPublic[] = {
    {"APPSYS", 6}, {"MAIN", 9}, {"APPEXIT", 7}, {"DBESYS", 8}, {"ERRORSYS", 5}};

constexpr int kInitialiserEntries = 0x00;
constexpr int kPublicTable = 0x80;

StartupImage *g_registrarImage = nullptr;
rt::HookProcedure g_exitProcedure = nullptr;

template<class F> void putSlot(StartupImage &image, int slot, F function)
{
    static_assert(sizeof function == sizeof image.slots[0]);
    std::memcpy(image.slots[slot], &function, sizeof function);
}

void putWord(unsigned char *at, std::uint32_t value)
{
    std::memcpy(at, &value, sizeof value);
}

} // namespace

void setAddressWord(void *word, const void *target)
{
    const auto distance =
        reinterpret_cast<std::intptr_t>(target) - reinterpret_cast<std::intptr_t>(word);
    if (distance < INT32_MIN || distance > INT32_MAX)
        throw std::logic_error("a start-up offset does not fit in 32 bits");
    const auto offset = static_cast<std::int32_t>(distance);
    std::memcpy(word, &offset, sizeof offset);
}

void fillTableSection(StartupImage &image, const Procedures &p)
{
    std::memset(image.section, 0, sizeof image.section);
    for (int i = 0; i < 4; ++i) {
        putSlot(image, i, p.initialisers[static_cast<size_t>(i)]);
        setAddressWord(image.section + kInitialiserEntries + 16 * i + 4, image.slots[i]);
    }
    putSlot(image, 4, p.registrar);
    putSlot(image, 5, p.errorSystem);
    putSlot(image, 6, p.appWindow);
    putSlot(image, 7, p.exitProcedure);
    putSlot(image, 8, p.database);
    putSlot(image, 9, p.main);
    unsigned char *at = image.section + kPublicTable;
    for (const PublicProcedure &proc : kPublic) {
        const auto length = static_cast<std::uint32_t>(16 + proc.name.size() + 1);
        putWord(at, length);
        setAddressWord(at + 4, image.slots[proc.slot]);
        std::memcpy(at + 16, proc.name.data(), proc.name.size()); // the zero byte is there already
        at += length;
    }
}

void setRegistrarImage(StartupImage *image, rt::HookProcedure exitProcedure)
{
    g_registrarImage = image;
    g_exitProcedure = exitProcedure;
}

std::int32_t exitProcedureRegistrar()
{
    return rt::_iniExitProcedureList(g_registrarImage ? &g_registrarImage->record[12] : nullptr,
                                     g_exitProcedure);
}

} // namespace frame
