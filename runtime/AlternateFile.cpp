#include "AlternateFile.hpp"

#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"
#include "Text850.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {
namespace {

int &descriptor()
{
    return state().output.alternateFd;
}

// Cold, like the raise path it feeds.
[[gnu::cold]] Failure fileFailure(GenCode code, const Text &name, int osCode, const Text &what)
{
    return {.code = code,
            .description = what,
            .operation = "SET",
            .args = newArray({static_cast<int>(19), name}),
            .canDefault = true,
            .canRetry = true,
            .osCode = osCode,
            .fileName = name};
}

// One attempt to open the file; -1 with `failure` filled when it did not work.
int tryOpen(const Text &name, bool additive, Failure &failure)
{
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                      (additive ? O_APPEND : 0);
    int fd = ::open(name.c_str(), flags, 0644);
    if (fd < 0) {
        const int err = errno;
        failure = fileFailure(GenCode::Create, name, err,
                              err == ELOOP ? errortext::kSymbolicLink : systemErrorText(err));
        return -1;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        failure = fileFailure(GenCode::Create, name, EINVAL, errortext::kNotARegularFile);
        return -1;
    }
    // A second name of a file that lives elsewhere: writing here would change a file the program
    // never named. Checked before anything is emptied.
    if (st.st_nlink > 1) {
        ::close(fd);
        failure = fileFailure(GenCode::Create, name, EMLINK, errortext::kHardLink);
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        failure = fileFailure(GenCode::Sharing, name, kSharingViolation, errortext::kHeldElsewhere);
        return -1;
    }
    if (!additive && ::ftruncate(fd, 0) != 0) {
        const int err = errno;
        ::close(fd);
        failure = fileFailure(GenCode::Create, name, err, systemErrorText(err));
        return -1;
    }
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK & ~O_CREAT & ~O_NOFOLLOW & ~O_CLOEXEC);
    return fd;
}

// The name leads to the file that is open as the alternate file now.
bool namesOpenFile(const Text &name)
{
    struct stat named
    {
    }, open{};
    return descriptor() >= 0 && ::lstat(name.c_str(), &named) == 0 &&
           ::fstat(descriptor(), &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

} // namespace

bool openAlternateFile(const Text &name, bool additive, std::source_location where)
{
    if (name.find('\0') != Text::npos) {
        closeAlternateFile(where);
        raise(fileFailure(GenCode::Create, name, EINVAL, errortext::kZeroByte), NIL, where);
        return false;
    }
    Value opened = retrying(
        [&](Failure &failure) -> std::optional<Value> {
            // The file being written is never emptied by a second opening of its name (an error
            // raised while it is written may ask for another file of the same name): that costs
            // the attempt, and the open file keeps what it holds.
            if (!additive && namesOpenFile(name)) {
                failure = fileFailure(GenCode::Create, name, EBUSY, errortext::kBeingWritten);
                return std::nullopt;
            }
            closeAlternateFile(where);
            int fd = tryOpen(name, additive, failure);
            if (fd < 0)
                return std::nullopt;
            descriptor() = fd;
            if (!additive)
                state().output.alternateWritesLost =
                    false; // continuing a file keeps what was lost in it
            return Value(true);
        },
        false, where);
    const bool open = opened.isLogical() && opened.logical() && descriptor() >= 0;
    if (!open)
        closeAlternateFile(where); // after a failure no file is open, whichever it was
    return open;
}

void closeAlternateFile(std::source_location)
{
    if (descriptor() >= 0) {
        ::close(descriptor()); // also releases the lock
        descriptor() = -1;
    }
}

bool alternateFileOpen()
{
    return descriptor() >= 0;
}

void writeAlternateFile(std::string_view bytes, std::source_location where)
{
    const Value written = retrying(
        [&](Failure &failure) -> std::optional<Value> {
            while (!bytes.empty()) {
                if (descriptor() < 0)
                    return Value(); // closed by the error callback meanwhile: nothing to write to
                const long n = state().seams.writeFile(descriptor(), bytes.data(), bytes.size());
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    const int err = n < 0 ? errno : EIO;
                    failure = {.code = GenCode::Write,
                               .description = systemErrorText(err),
                               .operation = "QOUT",
                               .canDefault = true,
                               .canRetry = true,
                               .osCode = err};
                    return std::nullopt;
                }
                bytes.remove_prefix(static_cast<size_t>(n));
            }
            return Value(true);
        },
        false, where);
    if (written != Value(true))
        state().output.alternateWritesLost = true;
}

bool alternateFileWritesLost()
{
    return state().output.alternateWritesLost;
}

} // namespace rt
