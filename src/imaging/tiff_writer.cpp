#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "imaging/image_encoders.h"
#include "imaging/rgb_row.h"

namespace zephyrin {
namespace {

// The file libtiff writes into: a growing byte vector with a position, and
// the first error libtiff reported.
struct MemoryFile {
    std::vector<std::uint8_t>* bytes;
    std::uint64_t position;
    char message[256];
};

MemoryFile& FileOf(thandle_t handle) {
    return *static_cast<MemoryFile*>(handle);
}

tmsize_t Read(thandle_t handle, void* data, tmsize_t size) {
    MemoryFile& file = FileOf(handle);
    if (size < 0 || file.position >= file.bytes->size()) return 0;
    const std::uint64_t count =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(size), file.bytes->size() - file.position);
    std::memcpy(data, file.bytes->data() + file.position, count);
    file.position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t Write(thandle_t handle, void* data, tmsize_t size) {
    MemoryFile& file = FileOf(handle);
    if (size < 0) return -1;
    const std::uint64_t end = file.position + static_cast<std::uint64_t>(size);
    try {
        if (end > file.bytes->size()) file.bytes->resize(end);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::memcpy(file.bytes->data() + file.position, data, static_cast<std::size_t>(size));
    file.position = end;
    return size;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& file = FileOf(handle);
    // libtiff passes negative relative offsets as wrapped unsigned values.
    switch (whence) {
        case SEEK_SET:
            file.position = offset;
            break;
        case SEEK_CUR:
            file.position += offset;
            break;
        case SEEK_END:
            file.position = file.bytes->size() + offset;
            break;
        default:
            return static_cast<toff_t>(-1);
    }
    return file.position;
}

int Close(thandle_t) {
    return 0;
}

toff_t Size(thandle_t handle) {
    return FileOf(handle).bytes->size();
}

int Map(thandle_t, void**, toff_t*) {
    return 0;
}

void Unmap(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    auto* file = static_cast<MemoryFile*>(userData);
    if (file->message[0] == '\0') std::vsnprintf(file->message, sizeof file->message, format, arguments);
    return 1;  // handled: nothing goes to stderr
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

// What one TIFF file holds: the size, 8 or 16 bits, the rows and the text.
struct TiffImage {
    std::uint32_t width;
    std::uint32_t height;
    int bits;
    void (*copyRow)(const void* picture, int row, std::uint8_t* out);
    const void* picture;
    std::string_view text;
};

void Copy8(const void* picture, int row, std::uint8_t* out) {
    CopyRgbRow(*static_cast<const Picture*>(picture), row, out);
}

// libtiff takes 16-bit samples in the machine's order and records it.
void Copy16(const void* picture, int row, std::uint8_t* out) {
    const auto& wide = *static_cast<const Picture16*>(picture);
    std::memcpy(out, wide.Row(row), 3 * sizeof(std::uint16_t) * static_cast<std::size_t>(wide.Width()));
}

bool WriteImage(TIFF* tiff, const TiffImage& image) {
    const bool tagsSet = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, image.width) &&
                         TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, image.height) &&
                         TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3) &&
                         TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, image.bits) &&
                         TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
                         TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
                         TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
                         TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
                         TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
                         TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (!tagsSet) return false;
    if (!image.text.empty()) {
        const std::string description(image.text);
        if (!TIFFSetField(tiff, TIFFTAG_IMAGEDESCRIPTION, description.c_str())) return false;
    }

    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(image.bits / 8) * image.width);
    for (std::uint32_t y = 0; y < image.height; ++y) {
        image.copyRow(image.picture, static_cast<int>(y), row.data());
        if (TIFFWriteScanline(tiff, row.data(), y, 0) < 0) return false;
    }
    return TIFFWriteDirectory(tiff) != 0;
}

std::vector<std::uint8_t> Encode(const TiffImage& image) {
    std::vector<std::uint8_t> bytes;
    MemoryFile file{&bytes, 0, {}};
    const std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) throw std::bad_alloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), OnWarning, nullptr);

    bool written = false;
    {
        const std::unique_ptr<TIFF, TiffCloser> tiff(TIFFClientOpenExt(
            "picture.tif", "w", &file, Read, Write, Seek, Close, Size, Map, Unmap, options.get()));
        written = tiff && WriteImage(tiff.get(), image);
    }
    if (!written)
        throw EncodeError(std::string("TIFF encoder: ") +
                          (file.message[0] != '\0' ? file.message : "the image could not be written"));
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodeTiff(const Picture& picture, std::string_view parameters) {
    return Encode({static_cast<std::uint32_t>(picture.Width()), static_cast<std::uint32_t>(picture.Height()),
                   8, Copy8, &picture, parameters});
}

std::vector<std::uint8_t> EncodeTiff16(const Picture16& picture, std::string_view parameters) {
    return Encode({static_cast<std::uint32_t>(picture.Width()), static_cast<std::uint32_t>(picture.Height()),
                   16, Copy16, &picture, parameters});
}

}  // namespace zephyrin
