#include "imaging/counts_tiff.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "imaging/tiff_memory_file.h"

namespace zephyrin {
namespace {

constexpr std::uint64_t kStripBytes = 1 << 20;
// More than the strip offsets of any drawing that fits in memory need.
constexpr tmsize_t kLargestLibraryAllocation = 64 << 20;
constexpr std::size_t kMessageLength = 256;

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

std::uint32_t RowsPerStrip(std::uint32_t width) {
    return static_cast<std::uint32_t>(std::max<std::uint64_t>(1, kStripBytes / (4 * std::uint64_t{width})));
}

bool WriteCounts(TIFF* tiff, std::uint32_t width, std::uint32_t height, std::span<const std::int32_t> samples,
                 std::string_view description) {
    const std::uint32_t rowsPerStrip = RowsPerStrip(width);
    const std::string text(description);
    const bool tagsSet =
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height) &&
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1) && TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 32) &&
        TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_INT) &&
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) &&
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
        TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
        TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, kCountsDeflateLevel) &&
        TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip) &&
        TIFFSetField(tiff, TIFFTAG_IMAGEDESCRIPTION, text.c_str());
    if (!tagsSet) return false;
    // libtiff may change the buffer it is given (byte order, differencing).
    std::vector<std::int32_t> strip;
    for (std::uint32_t first = 0, index = 0; first < height; first += rowsPerStrip, ++index) {
        const std::size_t count = std::size_t{std::min(rowsPerStrip, height - first)} * width;
        const auto from = samples.subspan(std::size_t{first} * width, count);
        strip.assign(from.begin(), from.end());
        if (TIFFWriteEncodedStrip(tiff, index, strip.data(), static_cast<tmsize_t>(count * 4)) < 0)
            return false;
    }
    return TIFFWriteDirectory(tiff) != 0;
}

int OnReadError(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    auto* message = static_cast<char*>(userData);
    if (message[0] == '\0') std::vsnprintf(message, kMessageLength, format, arguments);
    return 1;
}

int OnReadWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

// A TIFF opened for reading with libtiff's own allocations held small, and
// the first error it reported.
class TiffReader {
public:
    explicit TiffReader(const std::filesystem::path& path)
        : options_(TIFFOpenOptionsAlloc(), TIFFOpenOptionsFree) {
        if (!options_) throw std::bad_alloc();
        TIFFOpenOptionsSetErrorHandlerExtR(options_.get(), OnReadError, message_);
        TIFFOpenOptionsSetWarningHandlerExtR(options_.get(), OnReadWarning, nullptr);
        TIFFOpenOptionsSetMaxSingleMemAlloc(options_.get(), kLargestLibraryAllocation);
        tiff_.reset(TIFFOpenExt(path.c_str(), "r", options_.get()));
    }
    TIFF* Get() const { return tiff_.get(); }
    std::string Cause() const { return message_[0] == '\0' ? "" : ": " + std::string(message_); }

private:
    char message_[kMessageLength] = {};  // libtiff calls in, where nothing may throw
    std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options_;
    std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff_{nullptr, TIFFClose};
};

// What keeps the file from being a grid of 32-bit signed samples, or empty.
std::string Unfit(TIFF* tiff) {
    std::uint16_t samplesPerPixel = 0, bits = 0, format = 0, planar = 0;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    if (TIFFIsTiled(tiff)) return "it is tiled";
    if (samplesPerPixel != 1) return "it holds " + std::to_string(samplesPerPixel) + " samples a pixel";
    if (bits != 32) return "its samples have " + std::to_string(bits) + " bits";
    if (format != SAMPLEFORMAT_INT) return "its samples are not signed integers";
    if (planar != PLANARCONFIG_CONTIG) return "its planes are separate";
    return {};
}

[[nodiscard]] Result<CountsTiffHeader> ReadHeader(TIFF* tiff, const std::filesystem::path& path) {
    CountsTiffHeader header;
    if (TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &header.width) != 1 ||
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &header.height) != 1 || header.width == 0 ||
        header.height == 0)
        return Failure(Quoted(path) + " has no size");
    if (const std::string unfit = Unfit(tiff); !unfit.empty())
        return Failure(Quoted(path) + " holds no counts: " + unfit +
                       " (counts are one 32-bit signed integer a pixel)");
    const char* description = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_IMAGEDESCRIPTION, &description) == 1 && description != nullptr) {
        const std::size_t length = strnlen(description, kLongestCountsDescription + 1);
        if (length > kLongestCountsDescription) return Failure(Quoted(path) + " has an overlong description");
        header.description.assign(description, length);
    }
    return header;
}

[[nodiscard]] Result<> ReadStrips(TIFF* tiff, const CountsTiffHeader& header, std::span<std::int32_t> samples,
                                  const std::filesystem::path& path, const TiffReader& reader) {
    std::uint32_t rowsPerStrip = 0;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, header.height);
    const std::uint64_t strips = (std::uint64_t{header.height} + rowsPerStrip - 1) / rowsPerStrip;
    if (TIFFNumberOfStrips(tiff) != strips)
        return Failure(Quoted(path) + " is damaged: its strips are amiss");
    for (std::uint32_t strip = 0; strip < strips; ++strip) {
        const std::uint64_t first = std::uint64_t{strip} * rowsPerStrip;
        const std::uint64_t count =
            std::min<std::uint64_t>(rowsPerStrip, header.height - first) * header.width;
        const auto bytes = static_cast<tmsize_t>(4 * count);
        if (TIFFReadEncodedStrip(tiff, strip, samples.data() + first * header.width, bytes) != bytes)
            return Failure(Quoted(path) + " is damaged or cut short" + reader.Cause());
    }
    return {};
}

}  // namespace

std::vector<std::uint8_t> EncodeCountsTiff(std::uint32_t width, std::uint32_t height,
                                           std::span<const std::int32_t> samples,
                                           std::string_view description) {
    if (samples.size() != std::size_t{width} * height) throw std::invalid_argument("counts of another size");
    TiffMemoryFile file;
    const bool big = 4 * std::uint64_t{samples.size()} >= kCountsBigTiffBytes;
    TIFF* tiff = file.Open(big ? "w8" : "w");
    const bool written = tiff != nullptr && WriteCounts(tiff, width, height, samples, description);
    file.Close();
    if (!written || !file.Message().empty())
        throw std::runtime_error(file.Message().empty() ? "libtiff could not write the counts"
                                                        : file.Message());
    return std::move(file.Bytes());
}

Result<> ReadCountsTiff(const std::filesystem::path& path, const CountsPlace& place) {
    const TiffReader reader(path);
    TIFF* tiff = reader.Get();
    if (tiff == nullptr) return Failure("Cannot read " + Quoted(path) + reader.Cause());
    const Result<CountsTiffHeader> header = ReadHeader(tiff, path);
    if (!header) return Failure(header.error());
    const Result<std::span<std::int32_t>> samples = place(*header);
    if (!samples) return Failure(samples.error());
    if (samples->size() != std::size_t{header->width} * header->height)
        throw std::invalid_argument("room for counts of another size");
    return ReadStrips(tiff, *header, *samples, path, reader);
}

Result<std::string> ReadTiffDescription(const std::filesystem::path& path) {
    const TiffReader reader(path);
    if (reader.Get() == nullptr) return Failure("Cannot read " + Quoted(path) + reader.Cause());
    const char* description = nullptr;
    if (TIFFGetField(reader.Get(), TIFFTAG_IMAGEDESCRIPTION, &description) != 1 || description == nullptr)
        return Failure(Quoted(path) + " has no description");
    return std::string(description, strnlen(description, kLongestCountsDescription + 1));
}

}  // namespace zephyrin
