#include "Entry.hpp"

namespace frame {
namespace {

// The table block's four pairs: begin and end offsets within the table section.
constexpr int kPairs[4][2] = {{0x7C, 0x7C}, {0x04, 0x44}, {0x48, 0x78}, {0x80, kSectionBytes}};

void fillTableBlock(StartupImage &image)
{
    for (int pair = 0; pair < 4; ++pair)
        for (int side = 0; side < 2; ++side)
            setAddressWord(&image.record[12 + 2 * pair + side], image.section + kPairs[pair][side]);
}

} // namespace

int runEntry(StartupImage &image, const Procedures &procedures)
{
    const std::uint32_t version = rt::runtimeVersionNumber() & ~std::uint32_t{0xFF};
    if (version < kLowestVersion)
        return kRuntimeTooOld;
    fillTableSection(image, procedures);
    setRegistrarImage(&image, procedures.exitProcedure);

    rt::__This_executable_needs_version_1_50_0();
    image.record[11] = static_cast<std::uint32_t>(rt::___iniGetDLLInitHook());
    fillTableBlock(image);
    setAddressWord(&image.record[0], &image.record[12]);
    image.record[1] = 2000000;
    image.record[2] = 167772160;
    image.record[3] = 1;
    setAddressWord(&image.record[5], image.slots[4]);  // exit-procedure registrar
    setAddressWord(&image.record[6], image.slots[5]);  // ERRORSYS
    setAddressWord(&image.record[7], image.slots[6]);  // APPSYS
    setAddressWord(&image.record[8], image.slots[7]);  // APPEXIT
    setAddressWord(&image.record[9], image.slots[8]);  // DBESYS
    setAddressWord(&image.record[10], image.slots[9]); // MAIN
    return rt::___iniStart(image.record);
}

} // namespace frame
