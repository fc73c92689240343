// Readers through libpng, libjpeg and libtiff.
#include <cstddef>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <csetjmp>
#include <cstring>
#include <memory>

#include "image_readers.h"

namespace zephyrin::testing {
namespace {

DecodedImage Failed(std::string error) {
    DecodedImage image;
    image.error = std::move(error);
    return image;
}

struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
    auto* failure = reinterpret_cast<JpegFailure*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, failure->message);
    std::longjmp(failure->jump, 1);
}

// Nothing with a destructor lives in this frame: errors longjmp back into it.
bool Decompress(jpeg_decompress_struct* cinfo, JpegFailure* failure, std::FILE* file, DecodedImage* image) {
    if (setjmp(failure->jump)) return false;
    jpeg_create_decompress(cinfo);
    jpeg_stdio_src(cinfo, file);
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    image->width = static_cast<int>(cinfo->output_width);
    image->height = static_cast<int>(cinfo->output_height);
    image->colors.resize(static_cast<std::size_t>(image->width) * image->height);
    JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                 cinfo->output_width * 3, 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        const std::size_t y = cinfo->output_scanline;
        jpeg_read_scanlines(cinfo, row, 1);
        for (std::size_t x = 0; x < cinfo->output_width; ++x)
            image->colors[y * cinfo->output_width + x] =
                row[0][3 * x] | row[0][3 * x + 1] << 8 | static_cast<std::uint32_t>(row[0][3 * x + 2]) << 16;
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

}  // namespace

DecodedImage ReadPng(const std::filesystem::path& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return Failed(png.message);
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) return Failed(png.message);
    DecodedImage image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        image.colors.push_back(rgb[i] | rgb[i + 1] << 8 | static_cast<std::uint32_t>(rgb[i + 2]) << 16);
    return image;
}

DecodedImage ReadJpeg(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return Failed("cannot open");
    DecodedImage image;
    JpegFailure failure{};
    jpeg_decompress_struct cinfo{};
    cinfo.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = OnJpegError;
    const bool decoded = Decompress(&cinfo, &failure, file.get(), &image);
    jpeg_destroy_decompress(&cinfo);
    return decoded ? image : Failed(failure.message);
}

DecodedImage ReadTiff(const std::filesystem::path& path) {
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpen(path.c_str(), "r"), TIFFClose);
    if (!tiff) return Failed("cannot open");
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 0))
        return Failed("cannot decode");
    DecodedImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    for (const std::uint32_t abgr : raster) image.colors.push_back(abgr & 0xFFFFFF);
    return image;
}

namespace {

// Nothing with a destructor in these two: libpng's errors longjmp into them.
bool ReadPngInfo(png_structp png, png_infop info, std::FILE* file) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_info(png, info);
    return true;
}

bool ReadPngRows(png_structp png, std::uint8_t* bytes, std::size_t rowBytes, std::uint32_t height) {
    if (setjmp(png_jmpbuf(png))) return false;
    for (std::uint32_t y = 0; y < height; ++y) png_read_row(png, bytes + y * rowBytes, nullptr);
    return true;
}

}  // namespace

DecodedSamples ReadPngSamples(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    DecodedSamples read;
    if (file && ReadPngInfo(png, info, file.get())) {
        const std::size_t rowBytes = png_get_rowbytes(png, info);
        std::vector<std::uint8_t> bytes(rowBytes * png_get_image_height(png, info));
        read.bits = png_get_bit_depth(png, info);
        if (ReadPngRows(png, bytes.data(), rowBytes, png_get_image_height(png, info)))
            for (std::size_t i = 0; i < bytes.size(); i += read.bits / 8)  // big-endian
                read.samples.push_back(read.bits == 16 ? bytes[i] << 8 | bytes[i + 1] : bytes[i]);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return read;
}

DecodedSamples ReadTiffSamples(const std::filesystem::path& path) {
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpen(path.c_str(), "r"), TIFFClose);
    DecodedSamples read;
    std::uint32_t height = 0;
    if (!tiff || !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height)) return read;
    std::uint16_t bits = 0;
    TIFFGetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    read.bits = bits;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tiff.get())));
    for (std::uint32_t y = 0; y < height && TIFFReadScanline(tiff.get(), row.data(), y, 0) >= 0; ++y)
        for (std::size_t i = 0; i < row.size(); i += bits / 8) {
            std::uint16_t sample = row[i];
            if (bits == 16) std::memcpy(&sample, row.data() + i, 2);  // in the machine's order
            read.samples.push_back(sample);
        }
    return read;
}

std::uint16_t TiffCompression(const std::filesystem::path& path) {
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpen(path.c_str(), "r"), TIFFClose);
    std::uint16_t compression = 0;
    if (tiff) TIFFGetField(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    return compression;
}

}  // namespace zephyrin::testing
