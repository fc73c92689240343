#include "imaging/image_formats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace zephyrin {
namespace {

constexpr std::array<ImageFormatInfo, 8> kFormats{{
    {ImageFormat::kBmp, "bmp", "Bitmap", "BMP - Bitmap", "*.bmp", ColourResolution::kTrueColour, false},
    {ImageFormat::kJpeg, "jpg", "JPEG (JFIF compliant)", "JPG - JPEG (JFIF compliant)", "*.jpg",
     ColourResolution::kTrueColour, false},
    {ImageFormat::kPbm, "pbm", "Portable Bitmap", "PBM - Portable Bitmap", "*.pbm",
     ColourResolution::kBlackAndWhite, false},
    {ImageFormat::kPgm, "pgm", "Portable Graymap", "PGM - Portable Graymap", "*.pgm",
     ColourResolution::kGray256, true},
    {ImageFormat::kPng, "png", "Portable Network Graphics", "PNG - Portable Network Graphics", "*.png",
     ColourResolution::kTrueColour, true},
    {ImageFormat::kPpm, "ppm", "Portable Pixelmap", "PPM - Portable Pixelmap", "*.ppm",
     ColourResolution::kTrueColour, true},
    {ImageFormat::kTga, "tga", "Truevision Targa", "TGA - Truevision Targa", "*.tga",
     ColourResolution::kTrueColour, false},
    {ImageFormat::kTiff, "tif", "Tagged Image File Format", "TIF - Tagged Image File Format", "*.tif",
     ColourResolution::kTrueColour, true},
}};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string Fill(std::string text, std::string_view key, std::string_view value) {
    if (const auto at = text.find(key); at != std::string::npos) text.replace(at, key.size(), value);
    return text;
}

}  // namespace

std::string_view ColourResolutionName(ColourResolution resolution) {
    switch (resolution) {
        case ColourResolution::kTrueColour:
            return "16.7 million colors";
        case ColourResolution::kGray256:
            return "256 shades of gray";
        case ColourResolution::kBlackAndWhite:
            return "black and white";
    }
    return {};
}

std::span<const ImageFormatInfo> ImageFormats() {
    return kFormats;
}

const ImageFormatInfo* FindImageFormat(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    if (extension.size() < 2) return nullptr;
    const std::string_view name = std::string_view(extension).substr(1);
    const auto found = std::ranges::find_if(
        kFormats, [name](const ImageFormatInfo& info) { return EqualIgnoringCase(info.extension, name); });
    return found == kFormats.end() ? nullptr : &*found;
}

std::optional<ColourResolutionChange> ColourResolutionChangeFor(const std::filesystem::path& path) {
    const ImageFormatInfo* info = FindImageFormat(path);
    if (info == nullptr || info->resolution == ColourResolution::kTrueColour) return std::nullopt;

    const std::string_view current = ColourResolutionName(ColourResolution::kTrueColour);
    const std::string_view taken = ColourResolutionName(info->resolution);
    std::string question = Fill(
        Fill(Fill("The graphic cannot be saved to a %S1 file with the current color resolution (%S2).\n\n"
                  "The graphic will be saved with a different color resolution (%S3).",
                  "%S1", info->description),
             "%S2", current),
        "%S3", taken);
    std::string refusal =
        Fill(Fill("The graphic cannot be saved with to a %S1 file with the current color resolution (%S2)",
                  "%S1", info->description),
             "%S2", current);
    return ColourResolutionChange{info->resolution, std::move(question), std::move(refusal)};
}

}  // namespace zephyrin
