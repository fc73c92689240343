#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "util/result.h"

namespace zephyrin {

// Replaces `path` by a file holding `bytes`, or leaves it as it was: the data
// goes to a new temporary file in the same folder, which is synced and then
// renamed over `path`. The new file keeps the permissions of the one it
// replaces, and its owner and group where the system allows. A symbolic link
// (or a chain of them) is written through: the file it leads to is replaced,
// or created when the link dangles, and the link stays. An existing file
// that may not be written is left alone. On failure the temporary file is
// removed and the failure is the cause alone, for the caller to name the file.
// The temporary file is removed too should SIGINT, SIGTERM or SIGHUP end the
// process meanwhile (RemoveFilesOnSignals).
[[nodiscard]] Result<> WriteFileAtomically(const std::filesystem::path& path,
                                           std::span<const std::uint8_t> bytes);

// For tests of what an interrupted save leaves: `interruption` is called in
// every save once its temporary file is complete, just before it replaces
// the file. Null calls nothing.
void InterruptSavesForTests(void (*interruption)());

}  // namespace zephyrin
