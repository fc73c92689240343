// The PNG encoder's time and size at every zlib level, for pictures the
// renderer wrote: the figures behind the default of --png-level. A
// measuring tool, not a test:
//   png_levels ROUNDS PICTURE.png...
// For each picture and level: the median CPU milliseconds of an encoding
// over ROUNDS and the size beside level 6's (zlib's own default), the rows
// unfiltered as the encoder writes them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "imaging/image_encoders.h"
#include "imaging/png_reader.h"
#include "imaging/rgb_row.h"

#include "cpu_clock.h"

namespace {

using namespace zephyrin;

PngRows RowsOf(const Picture& picture) {
    return {picture.Width(), picture.Height(), 8, [&picture](int first, int count, std::uint8_t* out) {
                for (int i = 0; i < count; ++i)
                    CopyRgbRow(
                        picture, first + i,
                        out + static_cast<std::size_t>(i) * 3 * static_cast<std::size_t>(picture.Width()));
            }};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_levels ROUNDS PICTURE.png...\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    std::printf("picture  level  ms (median of %d)  bytes  size / level 6\n", rounds);
    for (int p = 2; p < argc; ++p) {
        const Result<Picture> picture = ReadPngPicture(argv[p]);
        if (!picture) {
            std::fprintf(stderr, "%s\n", picture.error().c_str());
            return 1;
        }
        const PngRows rows = RowsOf(*picture);
        const double six = static_cast<double>(EncodePngRows(rows, {}, 6).size());
        for (int level = 0; level <= 9; ++level) {
            std::vector<double> times;
            std::size_t bytes = 0;
            for (int r = 0; r < rounds; ++r) {
                const double start = bench::ProcessCpuSeconds();
                bytes = EncodePngRows(rows, {}, level).size();
                times.push_back((bench::ProcessCpuSeconds() - start) * 1e3);
            }
            std::sort(times.begin(), times.end());
            std::printf("%s  %d  %.1f  %zu  %.3f\n", argv[p], level, times[times.size() / 2], bytes,
                        static_cast<double>(bytes) / six);
        }
    }
}
