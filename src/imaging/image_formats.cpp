#include "imaging/image_formats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "imaging/image_encoders.h"

namespace zephyrin {
namespace {

// Writers that carry no parameters ignore them.
template <std::vector<std::uint8_t> (*Write)(const Picture&)>
std::vector<std::uint8_t> Plain(const Picture& picture, std::string_view) {
    return Write(picture);
}
template <std::vector<std::uint8_t> (*Write)(const Picture16&)>
std::vector<std::uint8_t> Plain16(const Picture16& picture, std::string_view) {
    return Write(picture);
}

constexpr std::array<ImageFormatInfo, 8> kFormats{{
    {"bmp", "Bitmap", "BMP - Bitmap", "*.bmp", "image/bmp", ColourResolution::kTrueColour, false,
     Plain<EncodeBmp>, nullptr},
    {"jpg", "JPEG (JFIF compliant)", "JPG - JPEG (JFIF compliant)", "*.jpg", "image/jpeg",
     ColourResolution::kTrueColour, false, Plain<EncodeJpeg>, nullptr},
    {"pbm", "Portable Bitmap", "PBM - Portable Bitmap", "*.pbm", "image/x-portable-bitmap",
     ColourResolution::kBlackAndWhite, false, Plain<EncodePbm>, nullptr},
    {"pgm", "Portable Graymap", "PGM - Portable Graymap", "*.pgm", "image/x-portable-graymap",
     ColourResolution::kGray256, false, Plain<EncodePgm>, Plain16<EncodePgm16>},
    {"png", "Portable Network Graphics", "PNG - Portable Network Graphics", "*.png", "image/png",
     ColourResolution::kTrueColour, true, EncodePng, EncodePng16},
    {"ppm", "Portable Pixelmap", "PPM - Portable Pixelmap", "*.ppm", "image/x-portable-pixmap",
     ColourResolution::kTrueColour, false, Plain<EncodePpm>, Plain16<EncodePpm16>},
    {"tga", "Truevision Targa", "TGA - Truevision Targa", "*.tga", "image/x-tga",
     ColourResolution::kTrueColour, false, Plain<EncodeTga>, nullptr},
    {"tif", "Tagged Image File Format", "TIF - Tagged Image File Format", "*.tif", "image/tiff",
     ColourResolution::kTrueColour, true, EncodeTiff, EncodeTiff16},
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

std::string ExtensionList(FormatSet set, std::string_view lastJoin) {
    std::vector<std::string_view> names;
    for (const ImageFormatInfo& info : kFormats)
        if (set == FormatSet::kAll || (set == FormatSet::kCarryingParameters && info.carriesParameters) ||
            (set == FormatSet::kSixteenBits && info.SixteenBits()))
            names.push_back(info.extension);
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) list += i + 1 == names.size() ? " " + std::string(lastJoin) + " " : ", ";
        list += names[i];
    }
    return list;
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
