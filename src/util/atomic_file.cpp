#include "util/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>
#include <system_error>

#include "util/removed_on_signal.h"

namespace zephyrin {
namespace {

std::atomic<void (*)()> saveInterruption = nullptr;

// As many links in a row as the system itself follows.
constexpr int kMaxLinkHops = 40;

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

// errno after a failed call; a failure that left no code still counts.
int LastError() {
    return errno != 0 ? errno : EIO;
}

// The file a save changes: `path` itself, or the file its link (or chain of
// links) leads to, which need not exist yet. Replacing the link by a file
// would cut it off from the file it shares.
std::filesystem::path LinkTarget(const std::filesystem::path& path, std::error_code& error) {
    std::filesystem::path target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code notThere;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, notThere))) return target;
        const std::filesystem::path link = std::filesystem::read_symlink(target, error);
        if (error) return {};
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return {};
}

// Creates a file that did not exist, next to `path` and hidden from listings.
std::FILE* CreateTemporaryBeside(const std::filesystem::path& path, std::filesystem::path& created,
                                 int& error) {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[20];
        std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        // Cut long names so that the suffix still fits within the name limit.
        // (Not replace_filename: libstdc++ 12 corrupts the path when an
        // allocation fails inside it.)
        created = path.parent_path() / ("." + path.filename().string().substr(0, 100) + suffix);
        // "x": fail rather than open a file someone else created.
        if (std::FILE* file = std::fopen(created.c_str(), "wbx")) return file;
        error = LastError();
        if (error != EEXIST) return nullptr;
    }
    return nullptr;
}

// The new file takes the place of `old`, so it gets its permissions, before
// it holds anything, and its owner and group where the system allows it
// (for the owner, rarely unless the program runs as root). The owner goes
// first, as changing it may clear set-id bits. 0, or the cause of failure.
int TakeOwnerAndMode(std::FILE* file, const struct stat& old) {
    const int descriptor = ::fileno(file);
    if (::fchown(descriptor, old.st_uid, old.st_gid) != 0 &&
        ::fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Ours, then: a file we may write but not give away.
    }
    return ::fchmod(descriptor, old.st_mode & 07777) == 0 ? 0 : LastError();
}

// Writes, flushes and syncs; the cause of the first failure, or empty.
std::string WriteAndClose(std::FILE* file, std::span<const std::uint8_t> bytes) {
    int error = 0;
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        error = LastError();
    if (error == 0 && std::fflush(file) != 0) error = LastError();
    if (error == 0 && ::fsync(::fileno(file)) != 0) error = LastError();
    if (std::fclose(file) != 0 && error == 0) error = LastError();
    return error == 0 ? std::string() : ErrnoText(error);
}

}  // namespace

void InterruptSavesForTests(void (*interruption)()) {
    saveInterruption.store(interruption);
}

Result<> WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::error_code linkError;
    const std::filesystem::path target = LinkTarget(path, linkError);
    if (linkError) return Failure(linkError.message());

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    // The rename would also replace a file the user has made read-only.
    if (replacing && ::access(target.c_str(), W_OK) != 0) return Failure(ErrnoText(LastError()));

    std::filesystem::path temporary;
    int error = 0;
    std::FILE* file = nullptr;
    std::optional<RemovedOnSignal> removal;
    {
        const SignalsHeld held;
        file = CreateTemporaryBeside(target, temporary, error);
        if (file != nullptr) removal.emplace(temporary);
    }
    if (file == nullptr) return Failure(ErrnoText(error));

    std::string cause;
    if (const int modeError = replacing ? TakeOwnerAndMode(file, old) : 0; modeError != 0) {
        std::fclose(file);
        cause = ErrnoText(modeError);
    } else {
        cause = WriteAndClose(file, bytes);
    }
    if (cause.empty()) {
        if (const auto interruption = saveInterruption.load()) interruption();
        std::error_code renameError;
        std::filesystem::rename(temporary, target, renameError);
        if (!renameError) return {};
        cause = renameError.message();
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return Failure(cause);
}

}  // namespace zephyrin
