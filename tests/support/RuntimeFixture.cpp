#include "RuntimeFixture.hpp"

#include "AlternateFile.hpp"
#include "Runtime.hpp"

#include <clocale>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace testsupport {

ErrorRecorder::ErrorRecorder(rt::Value answer) : answer(std::move(answer))
{
    rt::ERRORBLOCK(rt::block([this](rt::Args &args) -> rt::Value {
        auto error = std::dynamic_pointer_cast<rt::ErrorObject>(args.at(0).object());
        errors.push_back(error);
        triesSeen.push_back(error->tries.number());
        return this->answer;
    }));
}

const rt::ErrorObject &ErrorRecorder::only() const
{
    static const rt::ErrorObject none;
    EXPECT_EQ(errors.size(), 1u) << "errors raised";
    return errors.empty() ? none : *errors.front();
}

std::vector<rt::Value> ErrorRecorder::operations() const
{
    std::vector<rt::Value> operations;
    for (const rt::ErrorRef &error : errors)
        operations.push_back(error->operation);
    return operations;
}

ConsoleCapture::ConsoleCapture()
{
    rt::state().output.console = [this](std::string_view b) { console += b; };
    rt::state().output.errorChannel = [this](std::string_view b) { errorChannel += b; };
}

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

ProcessLocale::ProcessLocale(const char *name) : m_before(std::setlocale(LC_ALL, nullptr))
{
    if (const char *language = std::getenv("LANGUAGE"))
        m_language = language;
    ::unsetenv("LANGUAGE");
    m_available = std::setlocale(LC_ALL, name) != nullptr;
}

ProcessLocale::~ProcessLocale()
{
    std::setlocale(LC_ALL, m_before.c_str());
    if (m_language)
        ::setenv("LANGUAGE", m_language->c_str(), 1);
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

// Scratch files need not outlive the test: on a memory file system the syncs that closing a log
// makes cost nothing, so the tests that write thousands of logs do not wait for a disk.
namespace {

std::filesystem::path scratchRoot()
{
    const std::filesystem::path memory = "/dev/shm";
    if (std::filesystem::is_directory(memory) && ::access(memory.c_str(), W_OK) == 0)
        return memory;
    return std::filesystem::temp_directory_path();
}

} // namespace

void ScratchDirTest::SetUp()
{
    m_previous = std::filesystem::current_path();
    std::string pattern = (scratchRoot() / "tarvello-test-XXXXXX").string();
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
