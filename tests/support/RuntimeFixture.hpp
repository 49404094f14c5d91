#pragma once
// Every test begins with a runtime of its own: the fixture holds a fresh state, in force for the
// test's lifetime, so nothing of one test (settings, error callback, dialogs, published names,
// engines, call stack, events, the end of the session) reaches the next. File helpers and a
// scratch-directory fixture beside it.

#include "RuntimeState.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace testsupport {

// The whole content of a file; "" when it cannot be read.
std::string fileContent(const std::filesystem::path &file);
void writeFile(const std::filesystem::path &file, const std::string &content);

// The locale of the program's users.
inline constexpr const char *kGermanLocale = "de_DE.UTF-8";

// The process locale switched to `name` for the helper's lifetime, as the toolkit switches it to
// the environment's at start-up, with the language of system messages following it alone (no
// LANGUAGE list); the locale before is put back after. available() is false where the machine
// lacks the locale.
class ProcessLocale
{
public:
    explicit ProcessLocale(const char *name);
    ~ProcessLocale();
    ProcessLocale(const ProcessLocale &) = delete;
    ProcessLocale &operator=(const ProcessLocale &) = delete;
    bool available() const { return m_available; }

private:
    std::string m_before;
    std::optional<std::string> m_language;
    bool m_available;
};

class RuntimeTest : public ::testing::Test
{
protected:
    rt::RuntimeState runtime;
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
