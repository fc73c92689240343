#include "imaging/float_image_file.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>
#include <tiffio.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "imaging/tiff_memory_file.h"
#include "util/atomic_file.h"

namespace zephyrin {
namespace {

std::string Extension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension;
}

// OpenEXR's output into a byte vector; OpenEXR words every failure of it as
// a file that failed, so the stream keeps whether memory ran short.
class ExrBytes final : public Imf::OStream {
public:
    ExrBytes() : Imf::OStream("memory") {}
    void write(const char c[], int n) override {
        try {
            if (position_ + n > bytes_.size()) bytes_.resize(position_ + n);
        } catch (const std::bad_alloc&) {
            outOfMemory_ = true;
            throw;
        }
        std::copy_n(c, n, bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
        position_ += static_cast<std::uint64_t>(n);
    }
    std::uint64_t tellp() override { return position_; }
    void seekp(std::uint64_t position) override { position_ = position; }

    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    bool OutOfMemory() const { return outOfMemory_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
    bool outOfMemory_ = false;
};

std::vector<std::uint8_t> EncodeExr(std::int32_t width, std::int32_t height, std::span<const float> values) {
    Imf::Header header(width, height);
    header.compression() = Imf::ZIP_COMPRESSION;
    header.channels().insert("Y", Imf::Channel(Imf::FLOAT));
    ExrBytes stream;
    try {
        Imf::OutputFile file(stream, header);
        Imf::FrameBuffer frame;
        // OpenEXR only reads through the slice's pointer when it writes.
        char* base = reinterpret_cast<char*>(const_cast<float*>(values.data()));
        frame.insert("Y", Imf::Slice(Imf::FLOAT, base, sizeof(float), sizeof(float) * std::size_t(width)));
        file.setFrameBuffer(frame);
        file.writePixels(height);
    } catch (const std::exception&) {
        if (stream.OutOfMemory()) throw std::bad_alloc();
        throw;
    }
    return std::move(stream.Bytes());
}

std::vector<std::uint8_t> EncodeFloatTiff(std::int32_t width, std::int32_t height,
                                          std::span<const float> values) {
    TiffMemoryFile file;
    TIFF* tiff = file.Open("w");
    bool written = tiff != nullptr && TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) &&
                   TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height) &&
                   TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1) &&
                   TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 32) &&
                   TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP) &&
                   TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) &&
                   TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
                   TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_FLOATINGPOINT) &&
                   TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    std::vector<float> row(static_cast<std::size_t>(width));
    for (std::int32_t y = 0; written && y < height; ++y) {
        const auto from = values.subspan(static_cast<std::size_t>(y) * row.size(), row.size());
        std::ranges::copy(from, row.begin());  // libtiff may change what it is given
        written = TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) >= 0;
    }
    written = written && TIFFWriteDirectory(tiff) != 0;
    file.Close();
    if (!written || !file.Message().empty())
        throw std::runtime_error(file.Message().empty() ? "libtiff could not write it" : file.Message());
    return std::move(file.Bytes());
}

}  // namespace

bool IsFloatImageFile(const std::filesystem::path& path) {
    const std::string extension = Extension(path);
    return extension == ".exr" || extension == ".tif" || extension == ".tiff";
}

Result<> SaveFloatImage(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                        std::span<const float> values) {
    const auto failure = [&](const std::string& cause) {
        return Failure("Cannot save \"" + path.string() + "\": " + cause + ".");
    };
    if (!IsFloatImageFile(path)) return failure("only .exr and .tif files hold levels");
    if (width < 1 || height < 1 || values.size() != std::size_t(width) * std::size_t(height))
        return failure("there are no levels to save");
    std::vector<std::uint8_t> bytes;
    try {
        bytes = Extension(path) == ".exr" ? EncodeExr(width, height, values)
                                          : EncodeFloatTiff(width, height, values);
    } catch (const std::bad_alloc&) {
        return failure("not enough memory");
    } catch (const std::exception& error) {
        return failure(error.what());
    }
    if (const Result<> written = WriteFileAtomically(path, bytes); !written) return failure(written.error());
    return {};
}

}  // namespace zephyrin
