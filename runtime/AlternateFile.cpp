#include "AlternateFile.hpp"

#include "ErrorRouting.hpp"
#include "RuntimeState.hpp"
#include "Text850.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

// The file a successful attempt opened, and whether that attempt made its name.
struct Opened
{
    int fd = -1;
    bool created = false;
};

// Opens the name, creating it where it does not exist yet; tells which it did, since a name that
// is new must be made durable too.
Opened openOrCreate(const Text &name, int flags)
{
    const int fd = ::open(name.c_str(), flags | O_EXCL, 0644);
    if (fd >= 0 || errno != EEXIST)
        return {fd, fd >= 0};
    return {::open(name.c_str(), flags & ~O_CREAT), false};
}

// One attempt to open the file; fd -1 with `failure` filled when it did not work.
Opened tryOpen(const Text &name, bool additive, Failure &failure)
{
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC |
                      (additive ? O_APPEND : 0);
    const Opened opened = openOrCreate(name, flags);
    const int fd = opened.fd;
    if (fd < 0) {
        const int err = errno;
        failure = fileFailure(GenCode::Create, name, err,
                              err == ELOOP ? errortext::kSymbolicLink : systemErrorText(err));
        return {};
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        failure = fileFailure(GenCode::Create, name, EINVAL, errortext::kNotARegularFile);
        return {};
    }
    // A second name of a file that lives elsewhere: writing here would change a file the program
    // never named. Checked before anything is emptied.
    if (st.st_nlink > 1) {
        ::close(fd);
        failure = fileFailure(GenCode::Create, name, EMLINK, errortext::kHardLink);
        return {};
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        failure = fileFailure(GenCode::Sharing, name, kSharingViolation, errortext::kHeldElsewhere);
        return {};
    }
    if (!additive && ::ftruncate(fd, 0) != 0) {
        const int err = errno;
        ::close(fd);
        failure = fileFailure(GenCode::Create, name, err, systemErrorText(err));
        return {};
    }
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK & ~O_CREAT & ~O_NOFOLLOW & ~O_CLOEXEC);
    return opened;
}

// The directory that holds the entry `name`.
Text directoryOf(const Text &name)
{
    const size_t slash = name.rfind('/');
    return slash == Text::npos ? Text(".") : slash == 0 ? Text("/") : name.substr(0, slash);
}

int syncRetryingInterrupts(int fd, SyncTarget target)
{
    int result;
    while ((result = state().seams.sync(fd, target)) != 0 && errno == EINTR) {
    }
    return result;
}

// Syncs the file's bytes and, where its opening made the name, the directory entry; the errno of
// the first sync that failed, 0 when both are durable.
int syncError(int fd, const Text &createdName)
{
    if (syncRetryingInterrupts(fd, SyncTarget::FileData) != 0)
        return errno;
    if (createdName.empty())
        return 0;
    const int directory =
        ::open(directoryOf(createdName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0)
        return errno;
    const int err = syncRetryingInterrupts(directory, SyncTarget::Directory) != 0 ? errno : 0;
    ::close(directory);
    return err;
}

// A sync that fails is a write that failed, except that it is not tried again: the system reports
// a lost write back once, so a second sync could succeed without the bytes ever reaching the disk.
[[gnu::cold]] void raiseSyncFailure(int err, std::source_location where)
{
    raise({.code = GenCode::Write,
           .description = systemErrorText(err),
           .operation = "SET",
           .canDefault = true,
           .osCode = err},
          NIL, where);
    state().output.alternateWritesLost = true;
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
            const Opened opened = tryOpen(name, additive, failure);
            if (opened.fd < 0)
                return std::nullopt;
            descriptor() = opened.fd;
            state().output.alternateCreatedName = opened.created ? name : Text();
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

void closeAlternateFile(std::source_location where)
{
    if (descriptor() < 0)
        return;
    // Out of the runtime's hands before the sync: an error it raises may open another file (the
    // log of that error), which then neither closes this one nor empties it, since its lock holds
    // until it is closed here, whichever way the sync is left.
    const int fd = std::exchange(descriptor(), -1);
    const Text createdName = std::exchange(state().output.alternateCreatedName, Text());
    const struct Closing
    {
        int fd;
        ~Closing() { ::close(fd); } // also releases the lock
    } closing{fd};
    // Closed means durable: what was written, and a name the opening made, are on stable storage.
    if (const int err = syncError(fd, createdName))
        raiseSyncFailure(err, where);
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
