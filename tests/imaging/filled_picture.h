#pragma once

#include <cstdint>

#include "imaging/picture.h"

namespace zephyrin::testing {

// A width x height picture in one colour.
inline Picture Filled(int width, int height, std::uint32_t colour) {
    Picture picture(width, height);
    picture.Fill(colour);
    return picture;
}

}  // namespace zephyrin::testing
