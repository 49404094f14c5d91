#include "RuntimeFixture.hpp"

#include "AlternateFile.hpp"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace testsupport {

std::string fileContent(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const std::filesystem::path &file, const std::string &content)
{
    std::ofstream(file, std::ios::binary) << content;
}

LockHolder::LockHolder(const std::filesystem::path &file)
    : m_fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
{
    EXPECT_EQ(::flock(m_fd, LOCK_EX | LOCK_NB), 0) << file;
}

void LockHolder::release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void ScratchDirTest::SetUp()
{
    m_previous = std::filesystem::current_path();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvello-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    std::filesystem::current_path(dir);
}

void ScratchDirTest::TearDown()
{
    rt::closeAlternateFile(std::source_location::current()); // before its directory goes
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace testsupport
