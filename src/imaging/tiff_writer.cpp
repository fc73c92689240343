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

bool WriteImage(TIFF* tiff, const Picture& picture) {
    const auto width = static_cast<std::uint32_t>(picture.Width());
    const auto height = static_cast<std::uint32_t>(picture.Height());
    const bool tagsSet =
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) && TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height) &&
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3) && TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
        TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
        TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    if (!tagsSet) return false;

    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(width));
    for (std::uint32_t y = 0; y < height; ++y) {
        CopyRgbRow(picture, static_cast<int>(y), row.data());
        if (TIFFWriteScanline(tiff, row.data(), y, 0) < 0) return false;
    }
    return TIFFWriteDirectory(tiff) != 0;
}

}  // namespace

std::vector<std::uint8_t> EncodeTiff(const Picture& picture) {
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
        written = tiff && WriteImage(tiff.get(), picture);
    }
    if (!written)
        throw EncodeError(std::string("TIFF encoder: ") +
                          (file.message[0] != '\0' ? file.message : "the image could not be written"));
    return bytes;
}

}  // namespace zephyrin
