// The alternate file behind settings 18 and 19: created empty, overwritten from the start,
// appended to, closed by "" (synced, with its directory where the name is new), and refused through
// a symbolic link, through a hard link, for a directory, for the open file when it would be
// emptied, and while another open file description holds it locked.

#include "RuntimeTestKit.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace rt;
using AlternateFile = rttest::ScratchDirTest;
namespace fs = std::filesystem;

TEST_F(AlternateFile, CreatesEmptyOverwritesOrAppendsAndClosesOnAnEmptyName)
{
    struct Row
    {
        const char *proves;
        const char *before; // nullptr: no such file yet
        Value additive;
        const char *opened, *after;
        const char *syncs; // closing syncs the file's data (F), and the directory (D) of a new name
    } rows[] = {
        // clang-format off
        {"a new file is created empty", nullptr, false, "", "\r\nline", "FD"},
        {"no third argument creates empty too", nullptr, NIL, "", "\r\nline", "FD"},
        {"an older file is overwritten from the start", "older, longer", false, "", "\r\nline", "F"},
        {"true appends to an older file", "older", true, "older", "older\r\nline", "F"},
        {"true creates a missing file", nullptr, true, "", "\r\nline", "FD"},
        // clang-format on
    };
    rttest::ErrorRecorder recorder;
    testsupport::SyncFaults::fail(0, 0);
    SET(17, false);
    SET(18, true);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        fs::remove("alt.txt");
        if (row.before)
            rttest::writeFile("alt.txt", row.before);
        EXPECT_EQ(SET(19, "alt.txt", row.additive), Value(""));
        EXPECT_EQ(rttest::fileContent("alt.txt"), row.opened);
        QOUT({"line"});
        const size_t syncsBefore = testsupport::SyncFaults::made().size();
        EXPECT_EQ(SET(19, ""), Value("alt.txt"));
        EXPECT_EQ(testsupport::SyncFaults::made().substr(syncsBefore), row.syncs);
        EXPECT_FALSE(alternateFileOpen());
        QOUT({"after closing"});
        EXPECT_EQ(rttest::fileContent("alt.txt"), row.after);
    }
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(AlternateFile, RefusesWhatIsNotARegularFileOfItsOwnNameOrIsLockedElsewhere)
{
    rttest::writeFile("target.txt", "untouched");
    rttest::writeFile("held.txt", "held elsewhere");
    testsupport::LockHolder holder("held.txt");
    fs::create_symlink("target.txt", "link.txt");
    fs::create_symlink("missing.txt", "dangling.txt");
    fs::create_hard_link("target.txt", "hard.txt");
    fs::create_directory("folder");
    struct Row
    {
        const char *proves, *name;
        int osCode;
        int genCode = int(GenCode::Create);
    } rows[] = {{"a symbolic link to a file", "link.txt", ELOOP},
                {"a symbolic link to nothing", "dangling.txt", ELOOP},
                {"a second name of a file kept elsewhere", "hard.txt", EMLINK},
                {"a directory", "folder", EISDIR},
                {"a name in a missing directory", "missing/alt.txt", ENOENT},
                {"a file locked elsewhere is a sharing violation", "held.txt", 32, 71}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ErrorRecorder recorder;
        SET(19, row.name);
        const ErrorObject &e = recorder.only();
        EXPECT_EQ(e.genCode, Value(row.genCode));
        EXPECT_EQ(e.osCode, Value(row.osCode));
        EXPECT_EQ(e.operation, Value("SET"));
        EXPECT_EQ(e.fileName, Value(row.name));
        EXPECT_EQ(e.canDefault, Value(true));
        EXPECT_EQ(e.canRetry, Value(true));
        EXPECT_EQ(SET(19), Value(""));
    }
    EXPECT_FALSE(alternateFileOpen());
    EXPECT_EQ(rttest::fileContent("target.txt"), "untouched");
    EXPECT_EQ(rttest::fileContent("held.txt"), "held elsewhere");
    EXPECT_FALSE(fs::exists("missing.txt"));
}

// An error raised while the file is written may ask for a file of the same name again: the file
// being written is not emptied by that, but continuing it is allowed.
TEST_F(AlternateFile, NamingTheOpenFileAgainToEmptyItIsRefusedAndKeepsWhatItHolds)
{
    SET(17, false);
    SET(18, true);
    SET(19, "alt.txt", false);
    QOUT({"first"});
    rttest::ErrorRecorder recorder;
    SET(19, "alt.txt", false);
    const ErrorObject &e = recorder.only();
    EXPECT_EQ(e.genCode, Value(int(GenCode::Create)));
    EXPECT_EQ(e.osCode, Value(EBUSY));
    EXPECT_EQ(SET(19), Value(""));
    EXPECT_FALSE(alternateFileOpen());
    EXPECT_EQ(rttest::fileContent("alt.txt"), "\r\nfirst");

    SET(19, "alt.txt", true);
    QOUT({"second"});
    SET(19, "");
    EXPECT_EQ(rttest::fileContent("alt.txt"), "\r\nfirst\r\nsecond");
    EXPECT_EQ(recorder.errors.size(), 1u);
}

TEST_F(AlternateFile, RetryingALockedFileSucceedsOnceTheLockIsGone)
{
    rttest::writeFile("alt.txt", "old");
    testsupport::LockHolder holder("alt.txt");
    std::vector<double> triesSeen;
    ERRORBLOCK(block([&](Args &args) {
        const Value tries = SEND(args.at(0), "tries");
        triesSeen.push_back(tries.number());
        if (tries == Value(2))
            holder.release();
        return Value(true);
    }));
    EXPECT_EQ(SET(19, "alt.txt", false), Value(""));
    EXPECT_EQ(triesSeen, (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(SET(19), Value("alt.txt"));
    EXPECT_EQ(fs::file_size("alt.txt"), 0u);

    const int other = ::open("alt.txt", O_RDONLY); // the open file is locked in its turn
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
    SET(19, "");
    EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0) << "closing releases the lock";
    ::close(other);
}

} // namespace
