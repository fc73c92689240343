#include "imaging/png_reader.h"

#include <png.h>

#include <algorithm>
#include <string>
#include <vector>

#include "imaging/picture16.h"

namespace zephyrin {

Result<Picture> ReadPngPicture(const std::filesystem::path& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    const auto failed = [&] {
        const std::string message = png.message;
        png_image_free(&png);
        return Failure("Cannot read \"" + path.string() + "\": " + message);
    };
    if (!png_image_begin_read_from_file(&png, path.c_str())) return failed();
    // The simplified reader takes a 16-bit file without a gamma chunk as
    // linear, so read as linear it gives the samples unchanged.
    const bool sixteen = (png.format & PNG_FORMAT_FLAG_LINEAR) != 0;
    png.format = sixteen ? PNG_FORMAT_LINEAR_RGB : PNG_FORMAT_RGB;
    const int width = static_cast<int>(png.width), height = static_cast<int>(png.height);
    if (sixteen) {
        std::vector<png_uint_16> samples(PNG_IMAGE_SIZE(png) / sizeof(png_uint_16));
        if (!png_image_finish_read(&png, nullptr, samples.data(), 0, nullptr)) return failed();
        Picture16 wide(width, height);
        for (int row = 0; row < height; ++row)
            std::copy_n(samples.data() + static_cast<std::size_t>(row) * 3 * width, 3 * width, wide.Row(row));
        return ToPicture(wide);
    }
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr)) return failed();
    Picture picture(width, height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const png_byte* p = bytes.data() + (static_cast<std::size_t>(row) * width + column) * 3;
            picture.SetPixel(column, row, Picture::Pack(p[0], p[1], p[2]));
        }
    return picture;
}

}  // namespace zephyrin
