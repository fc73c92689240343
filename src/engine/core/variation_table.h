// The variations: which exist, in which order they are applied, how each
// folds into the accumulator, and the record switch and caption of each.
// A new variation is a value of Variation, a row of kVariations, its switch
// in the record and its terms in variation_pass-inl.h.
#pragma once

#include <cstdint>
#include <span>

#include "engine/core/fractal_rec.h"

namespace zephyrin {

// In the order the pass applies them.
enum class Variation : std::uint8_t {
    kSpherical,
    kSwirl,
    kSinusoidal,
    kPolar,
    kHorseshoe,
    kLinear,
    kBent,
    kNone,
    kInversion,
};
inline constexpr int kVariationCount = 9;

enum class VariationFold : std::uint8_t {
    kAdd,      // the accumulator grows by factor2 times the terms
    kReplace,  // the terms become the accumulator
};

struct VariationInfo {
    Variation id;
    const char* name;  // the check box's caption and object name
    Flag TFractalRec::*field;
    VariationFold fold;
};

// In the record's order, which the parameter file and the dialog keep.
inline constexpr VariationInfo kVariations[] = {
    {Variation::kNone, "None", &TFractalRec::varNone, VariationFold::kReplace},
    {Variation::kLinear, "Linear", &TFractalRec::varLinear, VariationFold::kAdd},
    {Variation::kSinusoidal, "Sinusoidal", &TFractalRec::varSinusoidal, VariationFold::kAdd},
    {Variation::kSpherical, "Spherical", &TFractalRec::varSpherical, VariationFold::kAdd},
    {Variation::kSwirl, "Swirl", &TFractalRec::varSwirl, VariationFold::kAdd},
    {Variation::kHorseshoe, "Horseshoe", &TFractalRec::varHorseshoe, VariationFold::kAdd},
    {Variation::kPolar, "Polar", &TFractalRec::varPolar, VariationFold::kAdd},
    {Variation::kBent, "Bent", &TFractalRec::varBent, VariationFold::kAdd},
    {Variation::kInversion, "Inversion", &TFractalRec::varInversion, VariationFold::kReplace},
};
static_assert(std::size(kVariations) == kVariationCount);

constexpr const VariationInfo& InfoOf(Variation id) {
    for (const VariationInfo& info : kVariations)
        if (info.id == id) return info;
    return kVariations[0];
}

// The switched-on variations, one bit per Variation value.
using VariationSet = std::uint32_t;

constexpr VariationSet Bit(Variation id) {
    return VariationSet{1} << static_cast<int>(id);
}

constexpr VariationSet VariationSetOf(const TFractalRec& v) {
    VariationSet set = 0;
    for (const VariationInfo& info : kVariations)
        if (v.*info.field) set |= Bit(info.id);
    return set;
}

// Switches the record's variations to exactly `set`.
constexpr void SetVariations(TFractalRec& v, VariationSet set) {
    for (const VariationInfo& info : kVariations) v.*info.field = ToFlag((set & Bit(info.id)) != 0);
}

}  // namespace zephyrin
