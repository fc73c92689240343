#include "imaging/area_averaging.h"

#include <cstdint>
#include <vector>

namespace zephyrin {
namespace {

// The source pixels one destination pixel covers along one axis. Measured in
// units in which a source pixel is `destination` wide and a destination pixel
// `source` wide, the weights of a span add up to `source`.
struct Span {
    int first = 0;
    std::vector<std::int64_t> weights;
};

std::vector<Span> Spans(int source, int destination) {
    std::vector<Span> spans(static_cast<std::size_t>(destination));
    const std::int64_t s = source;
    const std::int64_t d = destination;
    for (std::int64_t l = 0; l < d; ++l) {
        const std::int64_t start = l * s;
        const std::int64_t end = (l + 1) * s;
        const std::int64_t first = start / d;
        const std::int64_t last = end % d == 0 ? end / d - 1 : end / d;
        Span& span = spans[static_cast<std::size_t>(l)];
        span.first = static_cast<int>(first);
        if (first == last) {
            span.weights.push_back(s);
            continue;
        }
        span.weights.push_back(d * (first + 1) - start);
        for (std::int64_t i = first + 1; i < last; ++i) span.weights.push_back(d);
        span.weights.push_back(end - last * d);
    }
    return spans;
}

}  // namespace

Picture ResizeByAreaAveraging(const Picture& source, int width, int height) {
    Picture result(width, height);
    if (result.Empty() || source.Empty()) return result;

    const std::int64_t ws = source.Width();
    const std::int64_t hs = source.Height();
    const std::vector<Span> columns = Spans(source.Width(), result.Width());
    const std::vector<Span> rows = Spans(source.Height(), result.Height());
    const std::uint32_t* pixels = source.Words();

    for (int k = 0; k < result.Height(); ++k) {
        const Span& rowSpan = rows[static_cast<std::size_t>(k)];
        for (int l = 0; l < result.Width(); ++l) {
            const Span& columnSpan = columns[static_cast<std::size_t>(l)];
            std::int64_t red = 0, green = 0, blue = 0;
            for (std::size_t r = 0; r < rowSpan.weights.size(); ++r) {
                const std::uint32_t* row =
                    pixels + (static_cast<std::size_t>(rowSpan.first) + r) * static_cast<std::size_t>(ws) +
                    static_cast<std::size_t>(columnSpan.first);
                std::int64_t rowRed = 0, rowGreen = 0, rowBlue = 0;
                for (std::size_t i = 0; i < columnSpan.weights.size(); ++i) {
                    const std::uint32_t colour = Picture::FromWord(row[i]);
                    const std::int64_t weight = columnSpan.weights[i];
                    rowRed += Picture::Red(colour) * weight;
                    rowGreen += Picture::Green(colour) * weight;
                    rowBlue += Picture::Blue(colour) * weight;
                }
                const std::int64_t rowWeight = rowSpan.weights[r];
                red += rowRed / ws * rowWeight;
                green += rowGreen / ws * rowWeight;
                blue += rowBlue / ws * rowWeight;
            }
            result.SetPixel(l, k,
                            Picture::Pack(static_cast<int>(red / hs), static_cast<int>(green / hs),
                                          static_cast<int>(blue / hs)));
        }
    }
    return result;
}

Picture ReduceByAreaAveraging(const Picture& source, int factor) {
    if (factor <= 0) return Picture();
    return ResizeByAreaAveraging(source, source.Width() / factor, source.Height() / factor);
}

}  // namespace zephyrin
