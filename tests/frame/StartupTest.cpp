// The process entry and the start-up record: the version check, the record's and the table
// section's bytes decoded back to the procedures, the order in which the runtime runs them, and a
// record that does not resolve.

#include "Startup.hpp"
#include "Entry.hpp"
#include "Runtime.hpp"
#include "RuntimeFixture.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

template<int N> int initialiser()
{
    g_calls.push_back("init" + std::to_string(N));
    return 0;
}
// Each hook procedure notes its name when it runs.
const char *const kHookNames[] = {"ERRORSYS", "APPSYS", "APPEXIT", "DBESYS", "MAIN"};
template<int N> void hook()
{
    g_calls.push_back(kHookNames[N]);
}
constexpr rt::HookProcedure errorSystem = hook<0>, appWindow = hook<1>, exitProcedure = hook<2>,
                            database = hook<3>, mainProcedure = hook<4>;
void quittingMain()
{
    g_calls.push_back("MAIN");
    rt::ERRORLEVEL(1);
    rt::_QUIT();
}

frame::Procedures recording(rt::HookProcedure main = mainProcedure)
{
    return {.initialisers = {initialiser<1>, initialiser<2>, initialiser<3>, initialiser<4>},
            .registrar = frame::exitProcedureRegistrar,
            .errorSystem = errorSystem,
            .appWindow = appWindow,
            .exitProcedure = exitProcedure,
            .database = database,
            .main = main};
}

class Startup : public testsupport::RuntimeTest
{
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        g_calls.clear();
    }
    frame::StartupImage image{};
};

const std::vector<std::string> kFullRun = {"init1",  "init2",  "init3", "init4",  "ERRORSYS",
                                           "DBESYS", "APPSYS", "MAIN",  "APPEXIT"};

// The version check clears the build byte and needs 1.50; past it, everything runs in order, and
// the exit procedure still runs after a quit in MAIN, whose error level is the exit code.
TEST_F(Startup, TheEntryNeedsVersion150ThenRunsEverythingInOrderEvenAfterAQuit)
{
    struct Row
    {
        const char *name;
        std::uint32_t version; // 0: this runtime's own
        int exitCode;
        rt::HookProcedure main = mainProcedure;
    } rows[] = {
        {"0x131FF: 1.49 with the highest build", 0x131FF, 999},
        {"1.49 with build 0", 0x13100, 999},
        {"1.00", 0x10000, 999},
        {"0x13200: exactly 1.50", 0x13200, 0},
        {"0x132FF: 1.50 with the highest build", 0x132FF, 0},
        {"1.51", 0x13300, 0},
        {"2.00", 0x20000, 0},
        {"this runtime's own version", 0, 0},
        {"a quit in MAIN", 0, 1, quittingMain},
    };
    const auto ownVersion = runtime.seams.version;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        g_calls.clear();
        runtime.seams.version = ownVersion;
        if (row.version)
            runtime.seams.version = [&] { return row.version; };
        frame::StartupImage fresh{};
        EXPECT_EQ(frame::runEntry(fresh, recording(row.main)), row.exitCode);
        EXPECT_EQ(g_calls, row.exitCode == 999 ? std::vector<std::string>{} : kFullRun);
    }
}

std::uint32_t wordAt(const unsigned char *p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

template<class F> F functionAt(const void *slot)
{
    F f;
    std::memcpy(&f, slot, sizeof f);
    return f;
}

// The address a self-relative word leads to, computed apart from the runtime's own resolver.
const void *followWord(const void *word)
{
    std::int32_t offset;
    std::memcpy(&offset, word, sizeof offset);
    return static_cast<const unsigned char *>(word) + offset;
}

TEST_F(Startup, RecordHoldsItsConfigurationWordsAndResolvesToItsTables)
{
    frame::runEntry(image, recording());
    const std::uint32_t *r = image.record;
    EXPECT_EQ(static_cast<std::int32_t>(r[0]), 48) << "self-relative: word 0 leads to offset 48";
    EXPECT_EQ(std::vector(r + 1, r + 5), (std::vector<std::uint32_t>{2000000, 167772160, 1, 0}));
    EXPECT_EQ(r[11], 0u) << "what the library initialisation hook query gave";
    const int pairs[4][2] = {{0x7C, 0x7C}, {0x04, 0x44}, {0x48, 0x78}, {0x80, 0xF4}};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(followWord(&r[12 + i]), image.section + pairs[i / 2][i % 2]);
    }
    const std::pair<int, rt::HookProcedure> hooks[] = {
        {6, errorSystem}, {7, appWindow}, {8, exitProcedure}, {9, database}, {10, mainProcedure}};
    for (auto [word, procedure] : hooks) {
        SCOPED_TRACE(word);
        EXPECT_EQ(functionAt<rt::HookProcedure>(followWord(&r[word])), procedure);
    }
    EXPECT_EQ(functionAt<rt::Registrar>(followWord(&r[5])), frame::exitProcedureRegistrar);
}

TEST_F(Startup, TableSectionListsInitialisersAndExactlyTheFivePublicProcedures)
{
    frame::runEntry(image, recording());
    const unsigned char *s = image.section;
    const rt::Initialiser inits[] = {initialiser<1>, initialiser<2>, initialiser<3>,
                                     initialiser<4>};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(wordAt(s + 16 * i), 0u);
        EXPECT_EQ(functionAt<rt::Initialiser>(followWord(s + 16 * i + 4)), inits[i]);
        EXPECT_EQ(wordAt(s + 16 * i + 8), 0u);
        EXPECT_EQ(wordAt(s + 16 * i + 12), 0u);
    }
    for (int at = 0x40; at < 0x80; ++at)
        EXPECT_EQ(s[at], 0) << "byte " << at;
    const struct
    {
        const char *name;
        std::uint32_t length;
        rt::HookProcedure procedure;
    } expected[] = {{"APPSYS", 23, appWindow},
                    {"MAIN", 21, mainProcedure},
                    {"APPEXIT", 24, exitProcedure},
                    {"DBESYS", 23, database},
                    {"ERRORSYS", 25, errorSystem}};
    const unsigned char *at = s + 0x80;
    for (const auto &e : expected) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(wordAt(at), e.length);
        EXPECT_EQ(functionAt<rt::HookProcedure>(followWord(at + 4)), e.procedure);
        EXPECT_EQ(wordAt(at + 8), 0u);
        EXPECT_EQ(wordAt(at + 12), 0u);
        EXPECT_STREQ(reinterpret_cast<const char *>(at + 16), e.name);
        at += e.length;
    }
    EXPECT_EQ(at, s + 0xF4) << "the table ends where pair 4 says";
}

TEST_F(Startup, ARecordWhoseOffsetsDoNotResolveIsRefused)
{
    struct Row
    {
        const char *name;
        int word;
        std::int32_t offset;
    } rows[] = {{"MAIN hook far outside", 10, 1 << 30},
                {"ERRORSYS hook before the image", 6, -4096},
                {"hook slot misaligned", 9, 3},
                {"table block not at offset 48", 0, 52},
                {"a zero offset", 5, 0}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        frame::StartupImage bad = image;
        frame::runEntry(bad, recording()); // a fresh, valid image at this address
        g_calls.clear();
        bad.record[row.word] = static_cast<std::uint32_t>(row.offset);
        testing::internal::CaptureStderr();
        EXPECT_NE(rt::___iniStart(bad.record), 0);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("start-up record refused"),
                  std::string::npos);
        EXPECT_TRUE(g_calls.empty()) << "nothing of a refused record runs";
    }
}

} // namespace
