#include "render/progress_bar.h"

#include <algorithm>
#include <cmath>

#include "util/number_format.h"

namespace zephyrin {
namespace {

std::string TwoDigits(long long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string TimeText(double seconds) {
    // A timed drawing may be asked to run for ages; past this the exact
    // figure says nothing, and far past it would not fit in an integer.
    constexpr double kLongest = 100'000.0 * 3600;
    if (!(seconds < kLongest)) return "over 99999 h";
    const long long whole = std::llround(std::max(seconds, 0.0));
    if (whole < 60) return std::to_string(whole) + " s";
    if (whole < 3600) return std::to_string(whole / 60) + " min " + TwoDigits(whole % 60) + " s";
    return std::to_string(whole / 3600) + " h " + TwoDigits(whole / 60 % 60) + " min";
}

}  // namespace

std::string ProgressLine(const RenderProgress& progress, int barWidth) {
    const double fraction = std::clamp(progress.fraction, 0.0, 1.0);
    const int filled = static_cast<int>(fraction * barWidth);
    std::string line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(barWidth - filled), '-') + "] ";
    const std::string percent = std::to_string(static_cast<int>(fraction * 100)) + "%";
    line += std::string(4 - std::min<std::size_t>(percent.size(), 4), ' ') + percent;
    if (progress.seconds > 0) {
        const double rate = static_cast<double>(progress.iterations) / progress.seconds;
        line += "  " + FormatFixed(rate / 1e6, 1, '.') + " M it/s";
    }
    if (fraction > 0) line += "  " + TimeText(progress.seconds * (1 - fraction) / fraction) + " left";
    return line;
}

void ProgressBar::Show(const RenderProgress& progress) {
    ShowLine(ProgressLine(progress));
}

void ProgressBar::ShowLine(const std::string& line) {
    // Blanks over the rest of a longer line shown before.
    out_ << '\r' << line << std::string(shown_ > line.size() ? shown_ - line.size() : 0, ' ') << std::flush;
    shown_ = line.size();
}

void ProgressBar::Clear() {
    if (shown_ == 0) return;
    out_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
    shown_ = 0;
}

}  // namespace zephyrin
