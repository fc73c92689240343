#include "imaging/ggr_file.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>

namespace zephyrin {
namespace {

constexpr std::uintmax_t kLargestGgrFile = 4 << 20;
constexpr int kMostSegments = 10000;

class GgrParser {
public:
    GgrParser(std::string_view text, std::string_view source) : rest_(text), source_(source) {}

    [[nodiscard]] Result<GradientDefinition> Parse() {
        if (Trimmed(NextLine()) != "GIMP Gradient")
            return Fail("not a GIMP gradient (the first line should be \"GIMP Gradient\")");
        std::string_view line = Trimmed(NextLine());
        GradientDefinition definition;
        if (line.starts_with("Name:")) {
            definition.name = std::string(Trimmed(line.substr(5)));
            line = Trimmed(NextLine());
        }
        if (definition.name.empty()) definition.name = std::filesystem::path(source_).stem().string();
        int count = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), count);
        if (line.empty() || error != std::errc() || end != line.data() + line.size() || count < 1 ||
            count > kMostSegments)
            return Fail("expected the number of segments (1 to " + std::to_string(kMostSegments) +
                        "), found \"" + std::string(line) + "\"");

        std::vector<GradientSegment>& segments = definition.segments;
        while (static_cast<int>(segments.size()) < count) {
            if (rest_.empty()) {
                ++number_;
                return Fail("the file ends after " + std::to_string(segments.size()) + " of " +
                            std::to_string(count) + " segments");
            }
            line = Trimmed(NextLine());
            if (line.empty()) continue;
            const Result<GradientSegment> segment =
                ParseGradientSegment(line, segments.empty() ? nullptr : &segments.back());
            if (!segment) return Fail(segment.error());
            segments.push_back(*segment);
        }
        return definition;
    }

private:
    std::string_view NextLine() {
        ++number_;
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return line;
    }

    static std::string_view Trimmed(std::string_view s) {
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
        while (!s.empty() && blank(s.front())) s.remove_prefix(1);
        while (!s.empty() && blank(s.back())) s.remove_suffix(1);
        return s;
    }

    std::unexpected<std::string> Fail(const std::string& what) const {
        return Failure("Cannot read the gradient \"" + std::string(source_) + "\", line " +
                       std::to_string(number_) + ": " + what);
    }

    std::string_view rest_;
    std::string_view source_;
    int number_ = 0;
};

}  // namespace

Result<GradientDefinition> ParseGgr(std::string_view text, std::string_view source) {
    return GgrParser(text, source).Parse();
}

Result<GradientDefinition> ReadGgr(const std::filesystem::path& path) {
    const std::string quoted = "\"" + path.string() + "\"";
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return Failure("Cannot open the gradient " + quoted + ": " + error.message());
    if (size > kLargestGgrFile)
        return Failure("Cannot read the gradient " + quoted + ": it is too large for one");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure("Cannot open the gradient " + quoted);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return Failure("Cannot read the gradient " + quoted);
    return ParseGgr(text, path.string());
}

}  // namespace zephyrin
