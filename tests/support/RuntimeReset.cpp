#include "RuntimeReset.hpp"

#include "Runtime.hpp"
#include "SessionEnding.hpp"
#include "WriteFaults.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testsupport {

void resetRuntime()
{
    rt::resetSettings();
    rt::ERRORBLOCK(rt::NIL);
    rt::installDialogs(nullptr);
    rt::forgetPublics();
    rt::EngineFaults::reset();
    rt::WriteFaults::reset();
    rt::resetSessionEnd();
    rt::setAppType(rt::AppType::Graphical);
    rt::setAppWindow(rt::NIL);
    rt::ERRORLEVEL(0);
    rt::redirectConsole({}, {});
    rt::SETPOS(0, 0); // the cursor of the output before
    rt::attachPrinter({});
    rt::attachExtra({});
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

void ScratchDirTest::SetUp()
{
    RuntimeTest::SetUp();
    m_previous = std::filesystem::current_path();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvello-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
    std::filesystem::current_path(dir);
}

void ScratchDirTest::TearDown()
{
    RuntimeTest::TearDown(); // closes the alternate file before its directory goes
    std::filesystem::current_path(m_previous);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace testsupport
