#pragma once
// Every test begins with a runtime of its own: the fixture holds a fresh state, in force for the
// test's lifetime, so nothing of one test (settings, error callback, dialogs, published names,
// engines, call stack, events, the end of the session) reaches the next. File helpers, a lock held
// as by another process, and a scratch-directory fixture beside it.

#include "RuntimeState.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace testsupport {

// The whole content of a file; "" when it cannot be read.
std::string fileContent(const std::filesystem::path &file);
void writeFile(const std::filesystem::path &file, const std::string &content);

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
