#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "util/result.h"

namespace zephyrin {

// FOLDER/frames.csv: a header row, then one row per frame in frame order:
// frame, lyapunov, dimension, lit_share, mean_brightness, with '.' decimals
// and an empty field for a measure an orbit does not have.
struct FrameRow {
    std::int64_t frame = 0;
    double lyapunov = 0;
    double dimension = 0;
    double litShare = 0;
    double meanBrightness = 0;
};

inline constexpr std::string_view kFrameTableHeader = "frame,lyapunov,dimension,lit_share,mean_brightness";

class FrameTable {
public:
    // The rows of the table at `path` if there is one, so that the frames of
    // several runs into one folder (frame ranges, a resumed run) gather in
    // one table; lines that are not rows of it are dropped.
    static FrameTable Read(const std::filesystem::path& path);

    void Set(const FrameRow& row);
    bool Has(std::int64_t frame) const { return rows_.contains(frame); }
    // Replaces the file once the new one is complete.
    [[nodiscard]] Result<> Write(const std::filesystem::path& path) const;

private:
    std::string Text() const;

    std::map<std::int64_t, std::string> rows_;  // each row's text, by frame
};

}  // namespace zephyrin
