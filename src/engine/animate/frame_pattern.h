#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "util/result.h"

namespace zephyrin {

// The names of an animation's frames, from a printf-style pattern: one
// conversion %d, %4d or %04d (a flag 0 and a width up to 9 at most), and %%
// for a percent sign. A pattern without a conversion takes "-%04d" before its
// extension: out/frame.png names out/frame-0000.png, out/frame-0001.png...
class FramePattern {
public:
    // Fails for any other % in the pattern, or for more than one conversion.
    [[nodiscard]] static Result<FramePattern> Parse(const std::filesystem::path& pattern);

    std::filesystem::path Name(std::int64_t frame) const;
    // Where the frames go (and frames.csv beside them); empty for the working folder.
    std::filesystem::path Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::string before_, after_;  // the file name around the number
    bool zeros_ = false;
    int width_ = 0;
};

}  // namespace zephyrin
