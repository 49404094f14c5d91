#include "RuntimeState.hpp"

#include "Engines.hpp"

#include <algorithm>
#include <cctype>
#include <unistd.h>
#include <utility>

namespace rt {
namespace {

RuntimeState *g_inForce = nullptr;

} // namespace

Seams::Seams()
    : writeFile([](int fd, const char *bytes, std::size_t count) -> long {
          return ::write(fd, bytes, count);
      }),
      sync([](int fd, SyncTarget target) {
          return target == SyncTarget::FileData ? ::fdatasync(fd) : ::fsync(fd);
      }),
      loadEngine(knownEngine), version([] { return kVersionNumber; })
{
}

bool NameLess::operator()(const std::string &a, const std::string &b) const
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

RuntimeState::RuntimeState()
    : dialogs(std::make_shared<ConsoleDialogs>()), m_before(std::exchange(g_inForce, this))
{
}

RuntimeState::~RuntimeState()
{
    if (output.alternateFd >= 0)
        ::close(output.alternateFd);
    g_inForce = m_before;
}

RuntimeState &state()
{
    if (!g_inForce) {
        // The program's own, made on first use and kept until the process ends.
        static RuntimeState processState;
    }
    return *g_inForce;
}

bool failsHere(std::string_view operation)
{
    const auto &fail = state().seams.failOperation;
    return fail && fail(operation);
}

} // namespace rt
