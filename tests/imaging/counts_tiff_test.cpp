// Counts TIFFs: exact round trips that libtiff itself reads as plain signed
// integers, and files no writer of ours makes, which fail with a message.
#include "imaging/counts_tiff.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <memory>
#include <vector>

#include "temp_folder.h"

namespace zephyrin {
namespace {

using testing::TempFolder;

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Read {
    Result<> result;
    CountsTiffHeader header;
    std::vector<std::int32_t> samples;
    bool placed = false;
};

Read ReadFile(const std::filesystem::path& path) {
    Read read;
    read.result =
        ReadCountsTiff(path, [&](const CountsTiffHeader& header) -> Result<std::span<std::int32_t>> {
            read.placed = true;
            read.header = header;
            if (std::uint64_t{header.width} * header.height > 1'000'000) return Failure("too large");
            read.samples.resize(std::size_t{header.width} * header.height);
            return std::span(read.samples);
        });
    return read;
}

// Every extreme a count can reach, in rows wider than one strip holds.
std::vector<std::int32_t> Extremes(std::uint32_t width, std::uint32_t height) {
    std::vector<std::int32_t> samples(std::size_t{width} * height, 50);
    samples[0] = std::numeric_limits<std::int32_t>::min();
    samples[1] = std::numeric_limits<std::int32_t>::max();
    samples[2] = -1;
    samples.back() = 51;
    for (std::size_t i = 3; i < samples.size(); i += 7)
        samples[i] = static_cast<std::int32_t>(i * 2654435761u);
    return samples;
}

TEST(CountsTiff, EverySampleAndTheDescriptionComeBackExactly) {
    TempFolder folder;
    for (const auto& [width, height] : {std::pair<std::uint32_t, std::uint32_t>{3, 2}, {300'000, 3}}) {
        const std::vector<std::int32_t> samples = Extremes(width, height);
        WriteBytes(folder / "c.tif", EncodeCountsTiff(width, height, samples, "first line\r\nsecond"));
        const Read read = ReadFile(folder / "c.tif");
        ASSERT_TRUE(read.result) << read.result.error();
        EXPECT_EQ(read.header.width, width);
        EXPECT_EQ(read.header.height, height);
        EXPECT_EQ(read.header.description, "first line\r\nsecond");
        EXPECT_TRUE(read.samples == samples) << width;
        EXPECT_EQ(ReadTiffDescription(folder / "c.tif").value_or(""), "first line\r\nsecond");
    }
}

// What another program sees: libtiff's own reading of the tags and samples.
TEST(CountsTiff, AnyTiffReaderSeesSignedIntegersDeflated) {
    TempFolder folder;
    const std::vector<std::int32_t> samples = Extremes(5, 4);
    WriteBytes(folder / "c.tif", EncodeCountsTiff(5, 4, samples, "text"));
    const std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff(TIFFOpen((folder / "c.tif").c_str(), "r"),
                                                           TIFFClose);
    ASSERT_TRUE(tiff);
    std::uint16_t format = 0, bits = 0, compression = 0;
    TIFFGetField(tiff.get(), TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    EXPECT_EQ(format, SAMPLEFORMAT_INT);
    EXPECT_EQ(bits, 32);
    EXPECT_EQ(compression, COMPRESSION_ADOBE_DEFLATE);
    std::vector<std::int32_t> row(5);
    ASSERT_EQ(TIFFReadScanline(tiff.get(), row.data(), 0, 0), 1);
    EXPECT_EQ(row[0], std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(row[1], std::numeric_limits<std::int32_t>::max());
}

// A file written by libtiff with tags of its own choosing.
void WriteTiff(const std::filesystem::path& path, const char* mode, std::uint16_t bits, std::uint16_t format,
               std::uint16_t samplesPerPixel, bool tiled) {
    const std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff(TIFFOpen(path.c_str(), mode), TIFFClose);
    ASSERT_TRUE(tiff);
    TIFFSetField(tiff.get(), TIFFTAG_IMAGEWIDTH, 16);
    TIFFSetField(tiff.get(), TIFFTAG_IMAGELENGTH, 16);
    TIFFSetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tiff.get(), TIFFTAG_SAMPLEFORMAT, format);
    TIFFSetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, samplesPerPixel);
    TIFFSetField(tiff.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    std::vector<std::uint8_t> data(16 * 16 * samplesPerPixel * bits / 8, 0);
    if (tiled) {
        TIFFSetField(tiff.get(), TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tiff.get(), TIFFTAG_TILELENGTH, 16);
        TIFFWriteEncodedTile(tiff.get(), 0, data.data(), static_cast<tmsize_t>(data.size()));
    } else {
        TIFFSetField(tiff.get(), TIFFTAG_ROWSPERSTRIP, 16);
        TIFFWriteEncodedStrip(tiff.get(), 0, data.data(), static_cast<tmsize_t>(data.size()));
    }
}

TEST(CountsTiff, OtherFilesFailWithAMessageBeforeAnythingIsPlaced) {
    TempFolder folder;
    WriteTiff(folder / "unsigned.tif", "w", 32, SAMPLEFORMAT_UINT, 1, false);
    WriteTiff(folder / "float.tif", "w", 32, SAMPLEFORMAT_IEEEFP, 1, false);
    WriteTiff(folder / "sixteen.tif", "w", 16, SAMPLEFORMAT_INT, 1, false);
    WriteTiff(folder / "rgb.tif", "w", 32, SAMPLEFORMAT_INT, 3, false);
    WriteTiff(folder / "tiled.tif", "w", 32, SAMPLEFORMAT_INT, 1, true);
    WriteBytes(folder / "long.tif", EncodeCountsTiff(1, 1, std::vector<std::int32_t>{50},
                                                     std::string(kLongestCountsDescription + 1, 'x')));
    WriteBytes(folder / "text.tif", {'h', 'e', 'l', 'l', 'o'});
    const struct {
        const char* name;
        std::string_view say;
    } cases[] = {
        {"unsigned.tif", "its samples are not signed integers"},
        {"float.tif", "its samples are not signed integers"},
        {"sixteen.tif", "its samples have 16 bits"},
        {"rgb.tif", "it holds 3 samples a pixel"},
        {"tiled.tif", "it is tiled"},
        {"long.tif", "an overlong description"},
        {"text.tif", "Cannot read"},
        {"missing.tif", "Cannot read"},
    };
    for (const auto& c : cases) {
        const Read read = ReadFile(folder / c.name);
        ASSERT_FALSE(read.result) << c.name;
        EXPECT_NE(read.result.error().find(c.say), std::string::npos) << read.result.error();
        EXPECT_NE(read.result.error().find(c.name), std::string::npos) << read.result.error();
        EXPECT_FALSE(read.placed) << c.name;
    }
}

// A BigTIFF reads as a classic one does; a file cut anywhere in its samples,
// or declaring a size its strips do not hold, fails after the header.
TEST(CountsTiff, BigTiffsReadAndCutFilesFail) {
    TempFolder folder;
    {
        const std::unique_ptr<TIFF, decltype(&TIFFClose)> big(TIFFOpen((folder / "big.tif").c_str(), "w8"),
                                                              TIFFClose);
        ASSERT_TRUE(big);
        TIFFSetField(big.get(), TIFFTAG_IMAGEWIDTH, 2);
        TIFFSetField(big.get(), TIFFTAG_IMAGELENGTH, 1);
        TIFFSetField(big.get(), TIFFTAG_BITSPERSAMPLE, 32);
        TIFFSetField(big.get(), TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_INT);
        TIFFSetField(big.get(), TIFFTAG_SAMPLESPERPIXEL, 1);
        std::int32_t row[2] = {-7, 70};
        TIFFWriteScanline(big.get(), row, 0, 0);
    }
    const Read big = ReadFile(folder / "big.tif");
    ASSERT_TRUE(big.result) << big.result.error();
    EXPECT_EQ(big.samples, (std::vector<std::int32_t>{-7, 70}));

    const std::vector<std::uint8_t> whole = EncodeCountsTiff(300'000, 3, Extremes(300'000, 3), "d");
    for (const std::size_t keep : {whole.size() / 2, whole.size() - whole.size() / 10}) {
        WriteBytes(folder / "cut.tif", std::vector<std::uint8_t>(whole.begin(), whole.begin() + keep));
        const Read cut = ReadFile(folder / "cut.tif");
        EXPECT_FALSE(cut.result) << keep;
    }
    std::vector<std::uint8_t> damaged = whole;
    std::fill_n(damaged.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2), 64, 0xA5);
    WriteBytes(folder / "damaged.tif", damaged);
    const Read read = ReadFile(folder / "damaged.tif");
    ASSERT_FALSE(read.result);
    EXPECT_TRUE(read.placed) << "the header is whole";
    EXPECT_NE(read.result.error().find("is damaged or cut short"), std::string::npos) << read.result.error();
}

}  // namespace
}  // namespace zephyrin
