#pragma once
// Puts the runtime back to its start state, so every test begins alike: settings, error callback,
// dialogs, published names, engines, application type and window, exit code, console channels.

#include <filesystem>
#include <string>
#include <gtest/gtest.h>

namespace testsupport {

void resetRuntime();

// The whole content of a file; "" when it cannot be read.
std::string fileContent(const std::filesystem::path &file);
void writeFile(const std::filesystem::path &file, const std::string &content);

// A fixture that resets the runtime before and after each test.
class RuntimeTest : public ::testing::Test
{
protected:
    void SetUp() override { resetRuntime(); }
    void TearDown() override { resetRuntime(); }
};

// A runtime test that runs in a fresh, empty current directory, removed afterwards.
class ScratchDirTest : public RuntimeTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path dir; // the current directory while the test runs

private:
    std::filesystem::path m_previous;
};

} // namespace testsupport
