#pragma once

#include <ostream>
#include <string>

#include "render/render_job.h"

namespace zephyrin {

// "[##########----------]  50%  12.3 M it/s  4 s left": a bar of `barWidth`
// cells filled by the fraction done, the rate so far and the time left at it
// ("over 99999 h" beyond that).
std::string ProgressLine(const RenderProgress& progress, int barWidth = 30);

// Draws the progress line over itself on a terminal.
class ProgressBar {
public:
    explicit ProgressBar(std::ostream& out) : out_(out) {}

    void Show(const RenderProgress& progress);
    // Any line of text in the bar's place.
    void ShowLine(const std::string& line);
    // Leaves the terminal line empty for what follows.
    void Clear();

private:
    std::ostream& out_;
    std::size_t shown_ = 0;
};

}  // namespace zephyrin
