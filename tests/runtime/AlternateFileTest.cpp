// The alternate file behind settings 18 and 19: created empty, overwritten from the start,
// appended to, closed by "", and refused through a symbolic link, for a directory and while
// another open file description holds it locked.

#include "RuntimeTestKit.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using rt::Value;
using AlternateFile = rttest::ScratchDirTest;
namespace fs = std::filesystem;

// Opens `name` with setting 19 (third argument `additive`), writes one QOUT line to it only, and
// closes it again.
void writeLine(const char *name, const Value &additive, const Value &line)
{
    rt::SET(17, false);
    rt::SET(19, name, additive);
    rt::SET(18, true);
    rt::QOUT({line});
    rt::SET(19, "");
}

TEST_F(AlternateFile, CreatesOverwritesOrAppends)
{
    struct Row
    {
        const char *proves;
        const char *before; // nullptr: no such file yet
        Value additive;
        const char *after;
    } rows[] = {
        {"a new file is created empty", nullptr, false, "\r\nline"},
        {"no third argument creates empty too", nullptr, rt::NIL, "\r\nline"},
        {"an older file is overwritten from the start", "older and longer content", false,
         "\r\nline"},
        {"true appends to an older file", "older", true, "older\r\nline"},
        {"true creates a missing file", nullptr, true, "\r\nline"},
    };
    rttest::ErrorRecorder recorder;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        fs::remove("alt.txt");
        if (row.before)
            rttest::writeFile("alt.txt", row.before);
        writeLine("alt.txt", row.additive, "line");
        EXPECT_EQ(rttest::fileContent("alt.txt"), row.after);
    }
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(AlternateFile, OpeningCreatesTheFileEmptyBeforeAnyOutput)
{
    rttest::writeFile("alt.txt", "old");
    rt::SET(19, "alt.txt", false);
    EXPECT_TRUE(fs::exists("alt.txt"));
    EXPECT_EQ(fs::file_size("alt.txt"), 0u);
}

TEST_F(AlternateFile, AnEmptyNameClosesTheFileAndOutputStops)
{
    rt::SET(17, false);
    rt::SET(19, "alt.txt");
    rt::SET(18, true);
    rt::QQOUT({"kept"});
    EXPECT_EQ(rt::SET(19, ""), Value("alt.txt"));
    EXPECT_FALSE(rt::alternateFileOpen());
    rt::QQOUT({"lost"});
    EXPECT_EQ(rttest::fileContent("alt.txt"), "kept");
    EXPECT_EQ(rt::SET(19), Value(""));
}

TEST_F(AlternateFile, RefusesWhatIsNotARegularFileOfItsOwnName)
{
    rttest::writeFile("target.txt", "untouched");
    fs::create_symlink("target.txt", "link.txt");
    fs::create_symlink("missing.txt", "dangling.txt");
    fs::create_directory("folder");
    struct Row
    {
        const char *proves;
        const char *name;
        int osCode;
    } rows[] = {
        {"a symbolic link to a file", "link.txt", ELOOP},
        {"a symbolic link to nothing", "dangling.txt", ELOOP},
        {"a directory", "folder", EISDIR},
        {"a name in a missing directory", "missing/alt.txt", ENOENT},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rttest::ErrorRecorder recorder;
        EXPECT_TRUE(rt::SET(19, row.name).isText()) << "the previous name";
        const rt::ErrorObject &e = recorder.only();
        EXPECT_EQ(e.genCode, Value(int(rt::GenCode::Create)));
        EXPECT_EQ(e.osCode, Value(row.osCode));
        EXPECT_EQ(e.fileName, Value(row.name));
        EXPECT_EQ(e.canDefault, Value(true));
        EXPECT_EQ(e.canRetry, Value(true));
        EXPECT_FALSE(rt::alternateFileOpen());
        EXPECT_EQ(rt::SET(19), Value(""));
    }
    EXPECT_EQ(rttest::fileContent("target.txt"), "untouched");
    EXPECT_FALSE(fs::exists("missing.txt"));
}

// Another open file description of the same file, holding an exclusive lock as another process
// would.
class LockHolder
{
public:
    explicit LockHolder(const char *name) : m_fd(::open(name, O_RDWR | O_CREAT, 0644))
    {
        EXPECT_EQ(::flock(m_fd, LOCK_EX | LOCK_NB), 0);
    }
    ~LockHolder() { release(); }
    void release()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

TEST_F(AlternateFile, AFileLockedElsewhereRaisesSharingViolationAndKeepsItsContent)
{
    rttest::writeFile("alt.txt", "held elsewhere");
    LockHolder holder("alt.txt");
    rttest::ErrorRecorder recorder(false);
    rt::SET(19, "alt.txt", false);
    const rt::ErrorObject &e = recorder.only();
    EXPECT_EQ(e.genCode, Value(71));
    EXPECT_EQ(e.osCode, Value(32));
    EXPECT_EQ(e.canDefault, Value(true));
    EXPECT_EQ(e.operation, Value("SET"));
    EXPECT_FALSE(rt::alternateFileOpen());
    EXPECT_EQ(rttest::fileContent("alt.txt"), "held elsewhere");
}

TEST_F(AlternateFile, RetryingALockedFileSucceedsOnceTheLockIsGone)
{
    rttest::writeFile("alt.txt", "old");
    LockHolder holder("alt.txt");
    rttest::ErrorRecorder recorder(true);
    rt::ERRORBLOCK(rt::block([&](rt::Args &args) {
        auto e = std::dynamic_pointer_cast<rt::ErrorObject>(args.at(0).object());
        recorder.triesSeen.push_back(e->tries.number());
        if (e->tries == Value(2))
            holder.release();
        return Value(true);
    }));
    EXPECT_EQ(rt::SET(19, "alt.txt", false), Value(""));
    EXPECT_EQ(recorder.triesSeen, (std::vector<double>{0, 1, 2}));
    EXPECT_TRUE(rt::alternateFileOpen());
    EXPECT_EQ(rt::SET(19), Value("alt.txt"));
    EXPECT_EQ(fs::file_size("alt.txt"), 0u);
}

TEST_F(AlternateFile, TheOpenFileIsLockedAgainstOthers)
{
    rt::SET(19, "alt.txt");
    int other = ::open("alt.txt", O_RDWR);
    ASSERT_GE(other, 0);
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
    rt::SET(19, "");
    EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0) << "closing releases the lock";
    ::close(other);
}

} // namespace
