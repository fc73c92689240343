#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

#include "imaging/picture.h"
#include "util/result.h"

namespace zephyrin {

// A video made by the ffmpeg program from frames piped to its standard
// input as raw RGB, H.264 (yuv420p) for .mp4, .m4v, .mov and .mkv files,
// ffmpeg's own choice for other extensions; odd sizes are padded to even
// with black. ffmpeg writes a file beside the video that becomes the video
// only once ffmpeg has finished well, so a failed or abandoned video leaves
// nothing behind (and an older video as it was).
class VideoPipe {
public:
    // Starts `program` (looked up on PATH) for width x height frames at
    // `fps`. Fails with a message saying how to get ffmpeg when it is not found.
    [[nodiscard]] static Result<VideoPipe> Start(const std::filesystem::path& video, int width, int height,
                                                 double fps, const std::string& program = "ffmpeg");

    VideoPipe(VideoPipe&& other) noexcept;
    VideoPipe& operator=(VideoPipe&&) = delete;
    VideoPipe(const VideoPipe&) = delete;
    VideoPipe& operator=(const VideoPipe&) = delete;
    // An unfinished video is abandoned: ffmpeg is stopped and its file removed.
    ~VideoPipe();

    // The next frame, of the size given to Start.
    [[nodiscard]] Result<> Add(const Picture& frame);
    // Ends the input and waits for ffmpeg; fails when it did not finish well.
    [[nodiscard]] Result<> Finish();

private:
    VideoPipe(std::filesystem::path video, std::filesystem::path partial, int width, int height, pid_t child,
              int input);
    void Abandon();

    std::filesystem::path video_, partial_;
    int width_ = 0, height_ = 0;
    pid_t child_ = -1;
    int input_ = -1;
    std::string rgb_;  // one frame's bytes, reused
};

}  // namespace zephyrin
