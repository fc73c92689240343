#include "render/png_output.h"

#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <vector>

#include "engine/colouring/colour_from_counts.h"
#include "engine/colouring/density_rows.h"
#include "imaging/area_averaging.h"
#include "imaging/image_file.h"
#include "imaging/rgb_row.h"
#include "util/parallel_rows.h"

namespace zephyrin {
namespace {

// Makes row `row` into `out` (a PNG row of the depth); `words` is the
// calling thread's, a row long, for colourings that make 8-bit words first.
using RowColouring = std::function<void(int row, std::uint8_t* out, std::vector<std::uint32_t>& words)>;

// Rows coloured band by band, the band's rows shared out among the pool's threads.
PngRows ColouredRows(int width, int height, int depth, ThreadPool* pool, RowColouring colour) {
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(depth / 8) * static_cast<std::size_t>(width);
    return {width, height, depth, [=](int first, int count, std::uint8_t* out) {
                ForRowsInParallel(pool, count, [&](int begin, int end, int) {
                    std::vector<std::uint32_t> words(static_cast<std::size_t>(width));
                    for (int i = begin; i < end; ++i)
                        colour(first + i, out + static_cast<std::size_t>(i) * rowBytes, words);
                });
            }};
}

std::uint16_t* Samples16(std::uint8_t* out) {
    return reinterpret_cast<std::uint16_t*>(out);
}

// 8-bit words as the depth's samples: bytes, or widened as Widen does.
void StoreWords(const std::vector<std::uint32_t>& words, int depth, std::uint8_t* out) {
    if (depth == 8)
        CopyRgbWords(words.data(), words.size(), out);
    else
        WidenRgbWords(words.data(), words.size(), Samples16(out));
}

PngRows DensityRowsOf(const DensityRows& colours, int depth, ThreadPool* pool) {
    return ColouredRows(colours.Width(), colours.Height(), depth, pool,
                        [&colours, depth](int row, std::uint8_t* out, std::vector<std::uint32_t>& words) {
                            if (depth == 16) return colours.Row16(row, Samples16(out));
                            colours.Row8(row, words.data());
                            CopyRgbWords(words.data(), words.size(), out);
                        });
}

PngRows ClassicRowsOf(const CountGrid& counts, const TFractalRec& record, int depth, ThreadPool* pool) {
    return ColouredRows(
        record.width, record.height, depth, pool,
        [&counts, &record, depth](int row, std::uint8_t* out, std::vector<std::uint32_t>& words) {
            ColourRowFromCounts(counts, record, row, words.data());
            StoreWords(words, depth, out);
        });
}

PngRows PictureRowsOf(const Picture& picture, int depth) {
    const auto width = static_cast<std::size_t>(picture.Width());
    return ColouredRows(
        picture.Width(), picture.Height(), depth, nullptr,
        [&picture, width, depth](int row, std::uint8_t* out, std::vector<std::uint32_t>& words) {
            const std::uint32_t* from = picture.Words() + static_cast<std::size_t>(row) * width;
            words.assign(from, from + width);
            StoreWords(words, depth, out);
        });
}

// The whole classic picture: painted, or from the counts, reduced by the supersampling.
Picture WholePicture(const FinishedDrawing& drawing) {
    Picture full = drawing.painted != nullptr && !drawing.painted->Empty()
                       ? std::move(*drawing.painted)
                       : ColourFromCounts(*drawing.counts, drawing.setup.record, drawing.pool);
    return drawing.supersample > 1 ? ReduceByAreaAveraging(full, drawing.supersample) : full;
}

}  // namespace

Result<> WritePng(const FinishedDrawing& drawing, const RenderOptions& options, std::string_view parameters) {
    const DrawingSetup& setup = drawing.setup;
    const int depth = options.depth;
    const bool painted = drawing.painted != nullptr && !drawing.painted->Empty();
    std::optional<DensityRows> density;
    Picture whole;
    try {
        if (!PaintsWhilePlotting(setup.density.mode))
            density.emplace(DensityCounts{*drawing.counts, drawing.supersample}, setup.density,
                            drawing.gradient, setup.record.white != kFalse, std::nullopt, drawing.pool);
        else if (painted || drawing.supersample > 1)
            whole = WholePicture(drawing);
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory to colour or reduce the drawing of " +
                       std::to_string(setup.record.width) + " x " + std::to_string(setup.record.height) +
                       " pixels");
    }
    const PngRows rows = density         ? DensityRowsOf(*density, depth, drawing.pool)
                         : whole.Empty() ? ClassicRowsOf(*drawing.counts, setup.record, depth, drawing.pool)
                                         : PictureRowsOf(whole, depth);
    return SavePngRows(rows, options.output, options.pngLevel, parameters);
}

}  // namespace zephyrin
