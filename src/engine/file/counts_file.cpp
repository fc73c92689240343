#include "engine/file/counts_file.h"

#include <cctype>
#include <new>
#include <stdexcept>

#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"
#include "imaging/counts_tiff.h"
#include "util/atomic_file.h"
#include "util/drawing_memory.h"

namespace zephyrin {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

std::string SizeText(std::uint32_t width, std::uint32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

bool IsCountsFile(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != ".tif" && extension != ".tiff") return false;
    const Result<std::string> description = ReadTiffDescription(path);
    return description && description->starts_with(kCountsMarker);
}

Result<> SaveCountsFile(const std::filesystem::path& path, const CountGrid& counts,
                        const CountsDescription& description) {
    const auto failure = [&](const std::string& cause) {
        return Failure("Cannot save " + Quoted(path) + ": " + cause + ".");
    };
    std::vector<std::uint8_t> bytes;
    try {
        bytes = EncodeCountsTiff(static_cast<std::uint32_t>(counts.Width()),
                                 static_cast<std::uint32_t>(counts.Height()), counts.Counts(),
                                 WriteCountsDescription(description));
    } catch (const std::bad_alloc&) {
        return failure("not enough memory");
    } catch (const std::runtime_error& error) {
        return failure(error.what());
    }
    if (const Result<> written = WriteFileAtomically(path, bytes); !written) return failure(written.error());
    return {};
}

Result<CountsFile> LoadCountsFile(const std::filesystem::path& path) {
    CountsFile file;
    const auto place = [&](const CountsTiffHeader& header) -> Result<std::span<std::int32_t>> {
        const std::string size = SizeText(header.width, header.height);
        if (header.width > kMaxDrawingSide || header.height > kMaxDrawingSide ||
            !DrawingFitsInMemory(header.width, header.height))
            return Failure("the counts of " + Quoted(path) + " (" + size + ") do not fit in memory");
        const auto width = static_cast<std::int32_t>(header.width);
        const auto height = static_cast<std::int32_t>(header.height);
        Result<CountsDescription> description =
            ReadCountsDescription(header.description, path.string(), NewWindowRecord(width, height));
        if (!description) return Failure(description.error());
        const std::int32_t block = description->supersample;
        if (width % block != 0 || height % block != 0)
            return Failure(Quoted(path) + " is a damaged counts file: " + size +
                           " counts do not divide by its " + "supersampling " + std::to_string(block));
        file.description = *std::move(description);
        file.counts = CountGrid(width, height);
        return file.counts.Counts();
    };
    try {
        if (const Result<> read = ReadCountsTiff(path, place); !read) return Failure(read.error());
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to read " + Quoted(path));
    }
    FreezeView(file.description.record);
    return file;
}

}  // namespace zephyrin
