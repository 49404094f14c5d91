#pragma once
// The start-up record and the table section the entry hands to the runtime, kept in one block of
// static memory with the stub slots they point at, so every self-relative offset is small. The
// record: twenty 32-bit words (table block, three configuration words, the exit-procedure
// registrar, five hooks, the library initialisation hook, four pairs). The table section: four
// module-initialiser entries (0x00), zeros (0x40), the public procedure table (0x80 to 0xF4).

#include "Startup.hpp"

#include <array>
#include <cstdint>

namespace frame {

// The procedures the image names; tests fill it with their own.
struct Procedures
{
    std::array<rt::Initialiser, 4> initialisers; // converter, exit procedure, engines, errors
    rt::Registrar registrar;
    rt::HookProcedure errorSystem, appWindow, exitProcedure, database, main;
};

inline constexpr int kSectionBytes = 0xF4;

struct alignas(8) StartupImage
{
    std::uint32_t record[20];
    unsigned char section[0x100]; // 0xF4 used, padded so the slots below are aligned
    unsigned char slots[10][8];   // function pointers: 4 initialisers, registrar, 5 procedures
};
static_assert(sizeof(StartupImage) <= rt::kMaxImageBytes);

// Fills the table section and the stub slots (the table part of the entry's work).
void fillTableSection(StartupImage &image, const Procedures &procedures);

// The record's word at byte `offset` set to the self-relative offset of `target`.
void setAddressWord(void *word, const void *target);

// The image the registrar registers the exit procedure of.
void setRegistrarImage(StartupImage *image, rt::HookProcedure exitProcedure);
std::int32_t exitProcedureRegistrar();

} // namespace frame
