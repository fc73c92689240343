#pragma once

#include <string_view>

namespace zephyrin {

// Hands out the lines of a text one at a time, without their CR LF or LF;
// past the end, empty lines.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    std::string_view Next() {
        ++number_;
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }

    bool AtEnd() const { return rest_.empty(); }

    // The file's number of the line handed out last; a gap in the file
    // shifts values onto later fields, so it can differ from the field's.
    int Number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

}  // namespace zephyrin
