#pragma once

#include <QString>
#include <cstdint>

namespace zephyrin {

// What the Render dialog asks of an animation's frames; the frames go into
// `folder` as frame-0000.png, frame-0001.png, ...
struct RenderChoice {
    QString folder;
    std::int32_t width = 640;
    std::int32_t height = 480;
    std::int64_t iterations = 2'000'000;  // per frame
    std::int32_t depth = 8;
    std::uint64_t seed = 1;
    bool video = false;  // folder/animation.mp4, made by ffmpeg
    double fps = 30;
};

// The video's name in a render's folder.
inline const char* const kVideoName = "animation.mp4";

}  // namespace zephyrin
