#include <png.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "imaging/embedded_parameters.h"
#include "imaging/image_encoders.h"
#include "imaging/rgb_row.h"

namespace zephyrin {
namespace {

struct PngOutput {
    std::vector<std::uint8_t>* bytes;
    char message[256];
    // libpng often names the actual cause in a warning just before the error.
    char warning[256];
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* output = static_cast<PngOutput*>(png_get_error_ptr(png));
    std::snprintf(output->message, sizeof output->message, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp png, png_const_charp message) {
    auto* output = static_cast<PngOutput*>(png_get_error_ptr(png));
    if (output->warning[0] == '\0') std::snprintf(output->warning, sizeof output->warning, "%s", message);
}

void OnWrite(png_structp png, png_bytep data, std::size_t length) {
    auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        output->bytes->insert(output->bytes->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) png_error(png, "out of memory");
}

void OnFlush(png_structp) {}

// Rows for the encoder from a whole picture.
void Copy8(const Picture& picture, int first, int count, std::uint8_t* out) {
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(picture.Width());
    for (int i = 0; i < count; ++i)
        CopyRgbRow(picture, first + i, out + static_cast<std::size_t>(i) * rowBytes);
}

void Copy16(const Picture16& picture, int first, int count, std::uint8_t* out) {
    const std::size_t rowBytes = 6 * static_cast<std::size_t>(picture.Width());
    if (count > 0) std::memcpy(out, picture.Row(first), rowBytes * static_cast<std::size_t>(count));
}

// A band of rows at a time, small beside any picture, but rows enough to
// share out among threads that colour them.
constexpr std::size_t kBandBytes = std::size_t{4} << 20;

std::size_t RowBytes(const PngRows& image) {
    return 3 * static_cast<std::size_t>(image.depth / 8) * static_cast<std::size_t>(image.width);
}

void WriteRows(png_structp png, const PngRows& image, std::uint8_t* band, int bandRows) {
    const std::size_t rowBytes = RowBytes(image);
    for (int first = 0; first < image.height; first += bandRows) {
        const int count = std::min(bandRows, image.height - first);
        image.fill(first, count, band);
        for (int i = 0; i < count; ++i) png_write_row(png, band + static_cast<std::size_t>(i) * rowBytes);
    }
}

// Returns false after a libpng error. A longjmp back into this frame skips
// destructors, so it holds nothing that has one; what fill throws passes
// through it.
bool WriteImage(png_structp png, png_infop info, const PngRows& image, int level,
                const std::string* parameters, std::uint8_t* band, int bandRows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_compression_level(png, std::clamp(level, 0, 9));
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
                 image.depth, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (parameters != nullptr) {
        // iTXt, as a .ggr path may be UTF-8; compressed, and before the image
        // data so that reading the parameters needs no decoding.
        png_text text{};
        text.compression = PNG_ITXT_COMPRESSION_zTXt;
        text.key = const_cast<char*>(kParametersKeyword.data());
        text.text = const_cast<char*>(parameters->c_str());
        text.itxt_length = parameters->size();
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    // The rows' 16-bit samples come in the machine's order; PNG's are big-endian.
    if (image.depth == 16 && std::endian::native == std::endian::little) png_set_swap(png);
    WriteRows(png, image, band, bandRows);
    png_write_end(png, info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePngRows(const PngRows& image, std::string_view parameters, int level) {
    const std::string text(parameters);
    std::vector<std::uint8_t> bytes;
    const std::size_t rowBytes = RowBytes(image);
    const auto bandRows =
        static_cast<int>(std::clamp<std::size_t>(kBandBytes / std::max<std::size_t>(rowBytes, 1), 1,
                                                 static_cast<std::size_t>(std::max(image.height, 1))));
    std::vector<std::uint8_t> band(rowBytes * static_cast<std::size_t>(bandRows));
    PngOutput output{&bytes, {}, {}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, OnError, OnWarning);
    if (png == nullptr) throw EncodeError("libpng could not be initialised");
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw EncodeError("libpng could not be initialised");
    }
    png_set_write_fn(png, &output, OnWrite, OnFlush);
    bool written = false;
    try {
        written =
            WriteImage(png, info, image, level, parameters.empty() ? nullptr : &text, band.data(), bandRows);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    if (!written) {
        std::string cause = std::string("PNG encoder: ") + output.message;
        if (output.warning[0] != '\0') cause += std::string(" (") + output.warning + ")";
        throw EncodeError(cause);
    }
    return bytes;
}

std::vector<std::uint8_t> EncodePng(const Picture& picture, std::string_view parameters) {
    return EncodePngRows(
        {picture.Width(), picture.Height(), 8,
         [&](int first, int count, std::uint8_t* out) { Copy8(picture, first, count, out); }},
        parameters, kDefaultPngLevel);
}

std::vector<std::uint8_t> EncodePng16(const Picture16& picture, std::string_view parameters) {
    return EncodePngRows(
        {picture.Width(), picture.Height(), 16,
         [&](int first, int count, std::uint8_t* out) { Copy16(picture, first, count, out); }},
        parameters, kDefaultPngLevel);
}

}  // namespace zephyrin
