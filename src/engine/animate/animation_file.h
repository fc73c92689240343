#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/animate/animation.h"
#include "util/result.h"

namespace zephyrin {

// An animation file (.zpa): JSON, an object
//
//   {
//     "format": "zephyrin-animation",          required
//     "version": 1,                             optional; a later version is refused
//     "settings": {                             optional, and every member in it
//       "loop": false, "smooth": true,          true or false
//       "frames": 120,                          frames in all, 1 to kMostFrames
//       "width": 640, "height": 480,            the frames' size in pixels, at least 1
//       "iterations": 2000000,                  per frame, at least 1
//       "density": true,                        density colouring for every keyframe
//       "depth": 8,                             8 or 16 bits per channel
//       "seed": 11,                             0 to 2^64 - 1; frame k is drawn with seed + k
//       "fps": 30                               frames per second of a video, above 0, at most 1000
//     },
//     "keyframes": [                            required, at least two
//       { "parameters": ["Zephyrin v1.000", "70", ...],   the parameter file's lines
//         "frames": 60,                         optional: frames to the next keyframe
//         "cut": false }                        optional: the path jumps here
//     ]
//   }
//
// Members the program does not know are ignored. Where every keyframe that
// leads to another gives its frames, they count and "frames" (if given) must
// be their sum; where none does, "frames" is shared out over the segments.
struct AnimationSettings {
    bool loop = false;
    bool smooth = false;
    std::optional<std::int64_t> frames{};
    std::optional<std::int32_t> width{}, height{};
    std::optional<std::int64_t> iterations{};
    std::optional<bool> density{};
    std::optional<std::int32_t> depth{};
    std::optional<std::uint64_t> seed{};
    std::optional<double> fps{};
};

struct KeyframeText {
    std::string parameters{};  // a parameter file's text
    std::optional<std::int64_t> frames{};
    bool cut = false;
};

struct AnimationDocument {
    AnimationSettings settings{};
    std::vector<KeyframeText> keyframes{};
};

// A keyframe of a window's picture, its values rounded as its parameter text
// holds them (RoundAsWritten) and no random start pending, so that an
// animation and the file saved from it draw the same frames.
Keyframe KeyframeOf(const TFractalRec& v, const Effects& effects, const DensitySettings& density);

// The document of an animation: its keyframes' parameter texts (written with
// a point), their frames and cuts, and `settings` with the animation's loop
// and smooth.
AnimationDocument DocumentOf(const Animation& animation, AnimationSettings settings);

// Files larger than this are refused unread; a keyframe's text is a few
// kilobytes.
inline constexpr std::size_t kLargestAnimationFile = 16 * 1024 * 1024;

// Takes any text: what is not an animation file as above fails with a
// message naming `source` and what is wrong (where, for broken JSON).
[[nodiscard]] Result<AnimationDocument> ParseAnimationText(std::string_view text, std::string_view source);

// The document as JSON that ParseAnimationText takes back as it was.
std::string WriteAnimationText(const AnimationDocument& document);

[[nodiscard]] Result<AnimationDocument> ReadAnimationFile(const std::filesystem::path& path);
// Replaces the file once the new one is complete (WriteFileAtomically).
[[nodiscard]] Result<> WriteAnimationFile(const std::filesystem::path& path,
                                          const AnimationDocument& document);

// Gives the segments of `animation` (whose keyframes are the document's, in
// order) the document's frames, as the comment above says; fails when they
// do not agree or give no count.
[[nodiscard]] Result<> TakeFrames(const AnimationDocument& document, Animation& animation);

}  // namespace zephyrin
