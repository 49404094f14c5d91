#include "RuntimeFixture.hpp"

#include "AlternateFile.hpp"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>

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
