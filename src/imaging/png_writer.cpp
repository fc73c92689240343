#include <png.h>

#include <cstdio>
#include <new>
#include <string>

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

// Returns false after a libpng error. A longjmp back into this frame skips
// destructors, so it holds nothing that has one.
bool WriteImage(png_structp png, png_infop info, const Picture& picture, std::uint8_t* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.Width()),
                 static_cast<png_uint_32>(picture.Height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.Height(); ++y) {
        CopyRgbRow(picture, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(picture.Width()));
    PngOutput output{&bytes, {}, {}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &output, OnError, OnWarning);
    if (png == nullptr) throw EncodeError("libpng could not be initialised");
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw EncodeError("libpng could not be initialised");
    }
    png_set_write_fn(png, &output, OnWrite, OnFlush);
    const bool written = WriteImage(png, info, picture, row.data());
    png_destroy_write_struct(&png, &info);
    if (!written) {
        std::string cause = std::string("PNG encoder: ") + output.message;
        if (output.warning[0] != '\0') cause += std::string(" (") + output.warning + ")";
        throw EncodeError(cause);
    }
    return bytes;
}

}  // namespace zephyrin
