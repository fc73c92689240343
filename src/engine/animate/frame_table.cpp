#include "engine/animate/frame_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>

#include "util/atomic_file.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

std::string Field(double value, int decimals) {
    return std::isfinite(value) ? FormatFixed(value, decimals, '.') : std::string();
}

// The frame number of a row of the table: digits, then four more fields.
std::optional<std::int64_t> RowFrame(std::string_view line) {
    std::int64_t frame = 0;
    const auto parsed = std::from_chars(line.data(), line.data() + line.size(), frame);
    if (parsed.ec != std::errc() || parsed.ptr == line.data() || *parsed.ptr != ',' || frame < 0)
        return std::nullopt;
    if (std::ranges::count(line, ',') != 4) return std::nullopt;
    return frame;
}

}  // namespace

FrameTable FrameTable::Read(const std::filesystem::path& path) {
    FrameTable table;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (const auto frame = RowFrame(line)) table.rows_[*frame] = line;
    }
    return table;
}

void FrameTable::Set(const FrameRow& row) {
    rows_[row.frame] = std::to_string(row.frame) + "," + Field(row.lyapunov, 6) + "," +
                       Field(row.dimension, 4) + "," + Field(row.litShare, 6) + "," +
                       Field(row.meanBrightness, 6);
}

std::string FrameTable::Text() const {
    std::string text = std::string(kFrameTableHeader) + "\n";
    for (const auto& [frame, row] : rows_) text += row + "\n";
    return text;
}

Result<> FrameTable::Write(const std::filesystem::path& path) const {
    const std::string text = Text();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (const Result<> written = WriteFileAtomically(path, std::span(bytes, text.size())); !written)
        return Failure("cannot write \"" + path.string() + "\": " + written.error());
    return {};
}

}  // namespace zephyrin
