#include "engine/core/colour_table.h"

namespace zephyrin {

void ColourTable::Build(const TFractalRec& v, Flag colorMix, std::int32_t cycles, std::int32_t rotation) {
    for (std::int32_t level = 0; level <= kTopLevel; ++level)
        words_[level] = Picture::ToWord(ColourOfLevel(level, v, colorMix, cycles));
    red_ = std::bit_cast<std::uint64_t>(v.red);
    green_ = std::bit_cast<std::uint64_t>(v.green);
    blue_ = std::bit_cast<std::uint64_t>(v.blue);
    white_ = v.white != 0;
    rotation_ = rotation;
    valid_ = true;
}

}  // namespace zephyrin
