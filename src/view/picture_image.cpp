#include "view/picture_image.h"

#include <algorithm>

namespace zephyrin {

QImage imageOfPicture(const Picture& picture) {
    // A picture's words are 0x00RRGGBB, which is Qt's RGB32.
    return QImage(reinterpret_cast<const uchar*>(picture.Words()), picture.Width(), picture.Height(),
                  static_cast<qsizetype>(picture.Width()) * 4, QImage::Format_RGB32);
}

Picture pictureOfImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Picture picture(rgb.width(), rgb.height());
    for (int row = 0; row < rgb.height(); ++row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(row));
        std::transform(line, line + rgb.width(),
                       picture.Words() + static_cast<std::size_t>(row) * rgb.width(),
                       [](std::uint32_t word) { return word & 0xFFFFFFu; });
    }
    return picture;
}

}  // namespace zephyrin
