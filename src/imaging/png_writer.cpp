#include <png.h>

#include <cstdio>
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

// What one PNG file holds: the size, 8 or 16 bits, the rows and the text.
struct PngImage {
    int width;
    int height;
    int depth;
    void (*copyRow)(const void* picture, int row, std::uint8_t* out);
    const void* picture;
    const std::string* text;  // nullptr: none
};

void Copy8(const void* picture, int row, std::uint8_t* out) {
    CopyRgbRow(*static_cast<const Picture*>(picture), row, out);
}

// PNG samples are big-endian.
void Copy16(const void* picture, int row, std::uint8_t* out) {
    const auto& wide = *static_cast<const Picture16*>(picture);
    const std::uint16_t* in = wide.Row(row);
    for (int i = 0; i < 3 * wide.Width(); ++i) {
        *out++ = static_cast<std::uint8_t>(in[i] >> 8);
        *out++ = static_cast<std::uint8_t>(in[i]);
    }
}

// Returns false after a libpng error. A longjmp back into this frame skips
// destructors, so it holds nothing that has one.
bool WriteImage(png_structp png, png_infop info, const PngImage& image, std::uint8_t* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height),
                 image.depth, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (image.text != nullptr) {
        // iTXt, as a .ggr path may be UTF-8; compressed, and before the image
        // data so that reading the parameters needs no decoding.
        png_text text{};
        text.compression = PNG_ITXT_COMPRESSION_zTXt;
        text.key = const_cast<char*>(kParametersKeyword.data());
        text.text = const_cast<char*>(image.text->c_str());
        text.itxt_length = image.text->size();
        png_set_text(png, info, &text, 1);
    }
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        image.copyRow(image.picture, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

std::vector<std::uint8_t> Encode(const PngImage& image) {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(image.depth / 8) *
                                  static_cast<std::size_t>(image.width));
    PngOutput output{&bytes, {}, {}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, OnError, OnWarning);
    if (png == nullptr) throw EncodeError("libpng could not be initialised");
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw EncodeError("libpng could not be initialised");
    }
    png_set_write_fn(png, &output, OnWrite, OnFlush);
    const bool written = WriteImage(png, info, image, row.data());
    png_destroy_write_struct(&png, &info);
    if (!written) {
        std::string cause = std::string("PNG encoder: ") + output.message;
        if (output.warning[0] != '\0') cause += std::string(" (") + output.warning + ")";
        throw EncodeError(cause);
    }
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Picture& picture, std::string_view parameters) {
    const std::string text(parameters);
    return Encode(
        {picture.Width(), picture.Height(), 8, Copy8, &picture, parameters.empty() ? nullptr : &text});
}

std::vector<std::uint8_t> EncodePng16(const Picture16& picture, std::string_view parameters) {
    const std::string text(parameters);
    return Encode(
        {picture.Width(), picture.Height(), 16, Copy16, &picture, parameters.empty() ? nullptr : &text});
}

}  // namespace zephyrin
