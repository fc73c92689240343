#pragma once

#include <filesystem>

#include "engine/core/count_grid.h"
#include "engine/file/counts_description.h"
#include "util/result.h"

namespace zephyrin {

// A drawing's counts kept in a file (imaging/counts_tiff.h), each count as
// the drawing holds it, with the description (counts_description.h) that
// lets them be coloured, continued and added to others.
struct CountsFile {
    CountGrid counts;
    CountsDescription description;  // the record's view frozen at the counts' size
};

// Whether `path` is a TIFF whose description starts with kCountsMarker.
bool IsCountsFile(const std::filesystem::path& path);

// Writes the file, complete or not at all. Fails naming the file.
[[nodiscard]] Result<> SaveCountsFile(const std::filesystem::path& path, const CountGrid& counts,
                                      const CountsDescription& description);

// Reads a counts file. Fails naming the file for anything SaveCountsFile
// does not write, and before allocating when the counts would not fit in
// memory or their size does not divide by the supersampling.
[[nodiscard]] Result<CountsFile> LoadCountsFile(const std::filesystem::path& path);

}  // namespace zephyrin
