#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zephyrin {

enum class ImageFormat { kBmp, kJpeg, kPbm, kPgm, kPng, kPpm, kTga, kTiff };

// The colour resolutions a writer stores; a picture has kTrueColour.
enum class ColourResolution { kTrueColour, kGray256, kBlackAndWhite };

// "16.7 million colors", "256 shades of gray", "black and white".
std::string_view ColourResolutionName(ColourResolution resolution);

struct ImageFormatInfo {
    ImageFormat format;
    std::string_view extension;    // lower case, without the point: "bmp"
    std::string_view description;  // "Bitmap", "Portable Graymap"
    std::string_view filterEntry;  // shown in the save dialog: "BMP - Bitmap"
    std::string_view pattern;      // "*.bmp"
    ColourResolution resolution;   // what a file of this format holds
    bool sixteenBits;              // can hold 16 bits per channel (SaveImage16)
};

// The eight writable formats in the order of the save dialog's filter.
std::span<const ImageFormatInfo> ImageFormats();

// The format named by the path's extension, compared without regard to case;
// nullptr for a missing or unknown extension.
const ImageFormatInfo* FindImageFormat(const std::filesystem::path& path);

// What the user must agree to before a picture is saved in a format that
// cannot hold its 16.7 million colours.
struct ColourResolutionChange {
    ColourResolution resolution;  // the resolution the file will get
    std::string question;         // to be confirmed with OK or Cancel
    std::string refusal;          // the error to show after Cancel
};

// Empty when the path's format stores the picture as it is, or is unknown.
std::optional<ColourResolutionChange> ColourResolutionChangeFor(const std::filesystem::path& path);

}  // namespace zephyrin
