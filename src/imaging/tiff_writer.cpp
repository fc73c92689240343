#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "imaging/image_encoders.h"
#include "imaging/rgb_row.h"
#include "imaging/tiff_memory_file.h"

namespace zephyrin {
namespace {

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
    TiffMemoryFile file;
    TIFF* tiff = file.Open("w");
    const bool written = tiff != nullptr && WriteImage(tiff, image);
    file.Close();
    if (!written)
        throw EncodeError("TIFF encoder: " + (file.Message().empty()
                                                  ? std::string("the image could not be written")
                                                  : file.Message()));
    return std::move(file.Bytes());
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
