#pragma once

#include <QImage>

#include "imaging/picture.h"

namespace zephyrin {

// The picture's pixels as a 32-bit QImage, without a copy: valid while the
// picture lives and keeps its size.
QImage imageOfPicture(const Picture& picture);

// A picture holding a copy of any image's pixels.
Picture pictureOfImage(const QImage& image);

}  // namespace zephyrin
