// Netpbm, BMP and Targa readers written from the format descriptions.
#include <cctype>
#include <fstream>
#include <iterator>

#include "image_readers.h"

namespace zephyrin::testing {
namespace {

DecodedImage Failed(std::string error) {
    DecodedImage image;
    image.error = std::move(error);
    return image;
}

std::uint32_t Little16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

std::uint32_t Little32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return Little16(bytes, at) | Little16(bytes, at + 2) << 16;
}

std::uint32_t Gray(std::uint8_t level) {
    return level * 0x010101u;
}

std::uint32_t FromBgr(const std::uint8_t* bgr) {
    return bgr[2] | bgr[1] << 8 | static_cast<std::uint32_t>(bgr[0]) << 16;
}

// Netpbm header fields: decimal numbers between whitespace and comments.
class HeaderScanner {
public:
    HeaderScanner(const std::vector<std::uint8_t>& bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    int Number() {
        while (at_ < bytes_.size() && (std::isspace(bytes_[at_]) || bytes_[at_] == '#')) {
            if (bytes_[at_] == '#')
                while (at_ < bytes_.size() && bytes_[at_] != '\n') ++at_;
            else
                ++at_;
        }
        int value = -1;
        while (at_ < bytes_.size() && std::isdigit(bytes_[at_]))
            value = (value < 0 ? 0 : value * 10) + (bytes_[at_++] - '0');
        return value;
    }
    // The raster starts after exactly one whitespace byte.
    std::size_t RasterStart() const { return at_ + 1; }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_;
};

}  // namespace

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DecodedImage ReadNetpbm(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 2 || bytes[0] != 'P') return Failed("no Netpbm magic number");
    const char kind = static_cast<char>(bytes[1]);
    if (kind < '4' || kind > '6') return Failed("not a binary Netpbm file");
    HeaderScanner scanner(bytes, 2);
    DecodedImage image;
    image.width = scanner.Number();
    image.height = scanner.Number();
    if (kind != '4' && scanner.Number() != 255) return Failed("maximum value is not 255");
    if (image.width <= 0 || image.height <= 0) return Failed("bad size");
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t height = static_cast<std::size_t>(image.height);
    const std::size_t start = scanner.RasterStart();
    const std::size_t rowBytes = kind == '4' ? (width + 7) / 8 : kind == '5' ? width : 3 * width;
    if (bytes.size() != start + rowBytes * height) return Failed("raster size does not match");
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* row = bytes.data() + start + y * rowBytes;
        for (std::size_t x = 0; x < width; ++x) {
            if (kind == '4')
                image.colors.push_back((row[x / 8] >> (7 - x % 8) & 1) ? Gray(0) : Gray(255));
            else if (kind == '5')
                image.colors.push_back(Gray(row[x]));
            else
                image.colors.push_back(row[3 * x] | row[3 * x + 1] << 8 |
                                       static_cast<std::uint32_t>(row[3 * x + 2]) << 16);
        }
    }
    return image;
}

DecodedSamples ReadNetpbmSamples(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return {};
    const std::size_t channels = bytes[1] == '6' ? 3 : 1;
    HeaderScanner scanner(bytes, 2);
    const int width = scanner.Number(), height = scanner.Number(), maxval = scanner.Number();
    if (width <= 0 || height <= 0 || (maxval != 255 && maxval != 65535)) return {};
    const std::size_t count = channels * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t size = maxval == 255 ? 1 : 2;  // big-endian pairs
    const std::size_t start = scanner.RasterStart();
    if (bytes.size() != start + size * count) return {};
    DecodedSamples decoded{maxval == 255 ? 8 : 16, {}};
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* at = bytes.data() + start + size * i;
        decoded.samples.push_back(static_cast<std::uint16_t>(size == 1 ? at[0] : at[0] << 8 | at[1]));
    }
    return decoded;
}

DecodedImage ReadBmp(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return Failed("no BM signature");
    if (Little32(bytes, 2) != bytes.size()) return Failed("file size field does not match");
    if (Little32(bytes, 14) < 40 || Little16(bytes, 26) != 1 || Little16(bytes, 28) != 24 ||
        Little32(bytes, 30) != 0)
        return Failed("not an uncompressed 24-bit bitmap");
    DecodedImage image;
    image.width = static_cast<std::int32_t>(Little32(bytes, 18));
    const auto storedHeight = static_cast<std::int32_t>(Little32(bytes, 22));
    image.height = storedHeight < 0 ? -storedHeight : storedHeight;
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t height = static_cast<std::size_t>(image.height);
    const std::size_t stride = (3 * width + 3) / 4 * 4;
    const std::size_t offset = Little32(bytes, 10);
    if (bytes.size() < offset + stride * height) return Failed("pixel data too short");
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t stored = storedHeight < 0 ? y : height - 1 - y;
        for (std::size_t x = 0; x < width; ++x)
            image.colors.push_back(FromBgr(bytes.data() + offset + stored * stride + 3 * x));
    }
    return image;
}

DecodedImage ReadTga(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 18 || bytes[1] != 0 || bytes[2] != 2 || bytes[16] != 24)
        return Failed("not an uncompressed 24-bit true-colour Targa file");
    DecodedImage image;
    image.width = static_cast<int>(Little16(bytes, 12));
    image.height = static_cast<int>(Little16(bytes, 14));
    const bool topDown = (bytes[17] & 0x20) != 0;
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t height = static_cast<std::size_t>(image.height);
    const std::size_t start = 18 + bytes[0];
    if (bytes.size() < start + 3 * width * height) return Failed("pixel data too short");
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t stored = topDown ? y : height - 1 - y;
        for (std::size_t x = 0; x < width; ++x)
            image.colors.push_back(FromBgr(bytes.data() + start + 3 * (stored * width + x)));
    }
    return image;
}

}  // namespace zephyrin::testing
