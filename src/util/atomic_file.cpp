#include "util/atomic_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace zephyrin {
namespace {

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

// errno after a failed call; a failure that left no code still counts.
int LastError() {
    return errno != 0 ? errno : EIO;
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

std::string WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    // The rename would also replace a file the user has made read-only.
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) && ::access(path.c_str(), W_OK) != 0)
        return ErrnoText(LastError());

    std::filesystem::path temporary;
    int error = 0;
    std::FILE* file = CreateTemporaryBeside(path, temporary, error);
    if (file == nullptr) return ErrnoText(error);

    std::string cause = WriteAndClose(file, bytes);
    if (cause.empty()) {
        std::error_code renameError;
        std::filesystem::rename(temporary, path, renameError);
        if (!renameError) return {};
        cause = renameError.message();
    }
    std::filesystem::remove(temporary, ignored);
    return cause;
}

}  // namespace zephyrin
