#pragma once
// Every test begins with a runtime of its own: the fixture holds a fresh state, in force for the
// test's lifetime, so nothing of one test (settings, error callback, dialogs, published names,
// engines, call stack, events, the end of the session) reaches the next. An error recorder, a
// console capture, file helpers, a lock held as by another process, and a scratch-directory
// fixture beside it.

#include "ErrorObject.hpp"
#include "RuntimeState.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

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

// Another open file description of a file (created when missing), locked as another process would
// lock it, until release() or the end of its life.
class LockHolder
{
public:
    explicit LockHolder(const std::filesystem::path &file);
    ~LockHolder() { release(); }
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;
    void release();

private:
    int m_fd;
};

// Installs itself as the error callback. Every call records the error object and the `tries`
// it showed at that moment, then answers with `answer` (which a test may change at any time).
class ErrorRecorder
{
public:
    explicit ErrorRecorder(rt::Value answer = false);

    rt::Value answer;
    std::vector<rt::ErrorRef> errors;
    std::vector<double> triesSeen;

    const rt::ErrorObject &only() const;       // the one error recorded; fails the test otherwise
    std::vector<rt::Value> operations() const; // of the errors recorded, in order
};

// The console and standard-error channels, redirected into strings.
struct ConsoleCapture
{
    ConsoleCapture();
    std::string console;
    std::string errorChannel;
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
