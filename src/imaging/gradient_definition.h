#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "imaging/gradient.h"
#include "util/result.h"

namespace zephyrin {

enum class GradientBlend { kLinear, kCurved, kSine, kSphereIncreasing, kSphereDecreasing, kStep };
enum class GradientColouring { kRgb, kHsvCounterClockwise, kHsvClockwise };

struct GradientRgba {
    double r = 0, g = 0, b = 0, a = 1;
    bool operator==(const GradientRgba&) const = default;
};

// One segment of a GIMP gradient: positions 0 <= left <= middle <= right <= 1,
// the colours at its ends (channels in [0, 1]), how it blends between them
// and in which colour space.
struct GradientSegment {
    double left = 0, middle = 0.5, right = 1;
    GradientRgba leftColour, rightColour;
    GradientBlend blend = GradientBlend::kLinear;
    GradientColouring colouring = GradientColouring::kRgb;
    bool operator==(const GradientSegment&) const = default;
};

// A gradient as a GIMP gradient file describes it: enough to make the same
// Gradient anywhere, without the file.
struct GradientDefinition {
    std::string name;
    std::vector<GradientSegment> segments;  // at least one, each starting no earlier than the one before
    bool operator==(const GradientDefinition&) const = default;
};

// One segment line of a .ggr file: left, middle and right positions, left and
// right RGBA colours, blending function (linear, curved, sinusoidal,
// spherical increasing or decreasing, step), colouring (RGB, HSV
// counter-clockwise or clockwise) and, since GIMP 2.4, the two endpoints'
// colour kinds, separated by blanks or tabs. Foreground endpoints are black
// and background ones white, as in a new GIMP; colours are clamped to
// [0, 1]. Every number is kept to 15 decimals, as GradientSegmentLine writes
// it, so that a segment written out reads back the same. Fails with what is
// wrong, for the caller to name the file and line: a word that is not a
// finite number, a count other than 13 to 15, a position outside [0, 1] or
// out of order, a segment starting before `previous` (the one above it).
[[nodiscard]] Result<GradientSegment> ParseGradientSegment(std::string_view line,
                                                           const GradientSegment* previous);

// The line ParseGradientSegment reads back as `segment`: its 13 numbers with
// '.' decimals, at most 201 characters.
std::string GradientSegmentLine(const GradientSegment& segment);

// The gradient the definition describes, blended as GIMP defines it; before
// the first segment, in a gap or after the last, the nearest end's colour.
// A colour below full opacity is taken over black.
Gradient MakeGradient(const GradientDefinition& definition);

}  // namespace zephyrin
