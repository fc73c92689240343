#include "imaging/image_file.h"

#include <cstdint>
#include <new>
#include <vector>

#include "imaging/image_encoders.h"
#include "imaging/image_formats.h"
#include "util/atomic_file.h"

namespace zephyrin {
namespace {

std::vector<std::uint8_t> Encode(const ImageFormatInfo& format, const Picture& picture,
                                 std::string_view parameters) {
    return format.encode(picture, parameters);
}

std::vector<std::uint8_t> Encode(const ImageFormatInfo& format, const Picture16& picture,
                                 std::string_view parameters) {
    return format.encode16(picture, parameters);
}

std::unexpected<std::string> SaveFailure(const std::filesystem::path& path, const std::string& cause) {
    return Failure("Cannot save \"" + path.string() + "\": " + cause + ".");
}

std::string UnknownExtension(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    if (extension.size() < 2) return "the file name has no extension that names an image format";
    return "no image format is known for the extension \"" + extension + "\"";
}

template <typename Encoding>
[[nodiscard]] Result<> EncodeAndWrite(const std::filesystem::path& path, Encoding encode) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = encode();
    } catch (const EncodeError& error) {
        return SaveFailure(path, error.what());
    } catch (const std::bad_alloc&) {
        return SaveFailure(path, "not enough memory");
    }
    if (const Result<> written = WriteFileAtomically(path, bytes); !written)
        return SaveFailure(path, written.error());
    return {};
}

template <typename AnyPicture>
[[nodiscard]] Result<> Save(const AnyPicture& picture, const std::filesystem::path& path,
                            ColourChange colourChange, std::string_view parameters, bool sixteenBits) {
    const ImageFormatInfo* format = FindImageFormat(path);
    if (format == nullptr) return SaveFailure(path, UnknownExtension(path));
    if (sixteenBits && !format->SixteenBits())
        return SaveFailure(path, "a " + std::string(format->description) +
                                     " file cannot hold 16 bits per channel (" +
                                     ExtensionList(FormatSet::kSixteenBits, "and") + " can)");
    if (picture.Empty()) return SaveFailure(path, "there is no picture to save");
    if (colourChange == ColourChange::kRefused)
        if (const auto change = ColourResolutionChangeFor(path)) return Failure(change->refusal);

    return EncodeAndWrite(path, [&] { return Encode(*format, picture, parameters); });
}

}  // namespace

Result<> SaveImage(const Picture& picture, const std::filesystem::path& path, ColourChange colourChange,
                   std::string_view parameters) {
    return Save(picture, path, colourChange, parameters, false);
}

Result<> SavePngRows(const PngRows& rows, const std::filesystem::path& path, int level,
                     std::string_view parameters) {
    if (rows.width <= 0 || rows.height <= 0) return SaveFailure(path, "there is no picture to save");
    return EncodeAndWrite(path, [&] { return EncodePngRows(rows, parameters, level); });
}

Result<> SaveImage16(const Picture16& picture, const std::filesystem::path& path, ColourChange colourChange,
                     std::string_view parameters) {
    return Save(picture, path, colourChange, parameters, true);
}

}  // namespace zephyrin
