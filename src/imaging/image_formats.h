#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zephyrin {

// The colour resolutions a writer stores; a picture has kTrueColour.
enum class ColourResolution { kTrueColour, kGray256, kBlackAndWhite };

// "16.7 million colors", "256 shades of gray", "black and white".
std::string_view ColourResolutionName(ColourResolution resolution);

class Picture;
class Picture16;

// The whole file of a non-empty picture; `parameters`, where the format
// carries them, go inside. Throws EncodeError (image_encoders.h) or
// std::bad_alloc when it cannot.
using Encoder = std::vector<std::uint8_t> (*)(const Picture& picture, std::string_view parameters);
using Encoder16 = std::vector<std::uint8_t> (*)(const Picture16& picture, std::string_view parameters);

// One writable format. A new format is a row of the table (image_formats.cpp)
// and its writer.
struct ImageFormatInfo {
    std::string_view extension;    // lower case, without the point: "bmp"
    std::string_view description;  // "Bitmap", "Portable Graymap"
    std::string_view filterEntry;  // shown in the save dialog: "BMP - Bitmap"
    std::string_view pattern;      // "*.bmp"
    std::string_view mimeType;     // "image/bmp", for the desktop entry
    ColourResolution resolution;   // what a file of this format holds
    bool carriesParameters;        // the parameters go inside the file
    Encoder encode;
    Encoder16 encode16;  // 16 bits per channel (SaveImage16); nullptr where the format cannot

    bool SixteenBits() const { return encode16 != nullptr; }
};

// The eight writable formats in the order of the save dialog's filter.
std::span<const ImageFormatInfo> ImageFormats();

// Which formats a list names.
enum class FormatSet { kAll, kCarryingParameters, kSixteenBits };
// Their extensions in table order, the last joined by `lastJoin`: "png or tif".
std::string ExtensionList(FormatSet set, std::string_view lastJoin = "or");

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
