#include "imaging/embedded_parameters.h"

#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <optional>
#include <system_error>

namespace zephyrin {
namespace {

std::string Lower(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct PngFailure {
    char message[256];
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// The chunks before the image data; false after a libpng error. Holds
// nothing with a destructor, as a longjmp may leave it.
bool ReadPngInfo(png_structp png, png_infop info, std::FILE* file, png_textp* texts, int* count) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_info(png, info);
    *count = png_get_text(png, info, texts, nullptr);
    return true;
}

[[nodiscard]] Result<std::string> ReadPng(const std::filesystem::path& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return Failure("Cannot open " + Quoted(path) + ": " + std::generic_category().message(errno));
    PngFailure failure{};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return Failure("Cannot read " + Quoted(path) + ": libpng could not be initialised");
    }
    png_textp texts = nullptr;
    int count = 0;
    const bool read = ReadPngInfo(png, info, file.get(), &texts, &count);
    std::optional<std::string> text;
    for (int i = 0; read && i < count && !text; ++i)
        if (texts[i].key == kParametersKeyword) {
            const std::size_t length = texts[i].compression >= PNG_ITXT_COMPRESSION_NONE
                                           ? texts[i].itxt_length
                                           : texts[i].text_length;
            text = std::string(texts[i].text, length);
        }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!read) return Failure("Cannot read " + Quoted(path) + ": " + failure.message);
    if (!text) return Failure(Quoted(path) + " holds no Zephyrin parameters");
    return *std::move(text);
}

int OnTiffError(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    auto* message = static_cast<std::string*>(userData);
    if (message->empty()) {
        char text[256];
        std::vsnprintf(text, sizeof text, format, arguments);
        *message = text;
    }
    return 1;
}

int OnTiffWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

[[nodiscard]] Result<std::string> ReadTiff(const std::filesystem::path& path) {
    std::string message;
    const std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options(TIFFOpenOptionsAlloc(),
                                                                                   TIFFOpenOptionsFree);
    if (!options) throw std::bad_alloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnTiffError, &message);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), OnTiffWarning, nullptr);
    const std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff(TIFFOpenExt(path.c_str(), "r", options.get()),
                                                           TIFFClose);
    if (!tiff) return Failure("Cannot read " + Quoted(path) + (message.empty() ? "" : ": " + message));
    const char* description = nullptr;
    if (TIFFGetField(tiff.get(), TIFFTAG_IMAGEDESCRIPTION, &description) != 1 || description == nullptr ||
        !std::string_view(description).starts_with(kParametersStart))
        return Failure(Quoted(path) + " holds no Zephyrin parameters");
    return std::string(description);
}

}  // namespace

bool CarriesParameters(const std::filesystem::path& path) {
    const std::string extension = Lower(path.extension().string());
    return extension == ".png" || extension == ".tif" || extension == ".tiff";
}

Result<std::string> ReadEmbeddedParameters(const std::filesystem::path& path) {
    const std::string extension = Lower(path.extension().string());
    if (extension == ".png") return ReadPng(path);
    if (extension == ".tif" || extension == ".tiff") return ReadTiff(path);
    return Failure("Cannot read parameters from " + Quoted(path) + ": only PNG and TIFF files carry them");
}

}  // namespace zephyrin
