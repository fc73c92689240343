#include "render/counts_output.h"

#include <new>

#include "engine/colouring/density_colour.h"
#include "engine/file/counts_file.h"
#include "imaging/float_image_file.h"
#include "render/picture_output.h"

namespace zephyrin {
namespace {

[[nodiscard]] Result<> ExportDensity(const CountGrid& counts, std::int32_t supersample,
                                     const std::filesystem::path& path) {
    std::vector<float> levels;
    try {
        levels = DensityLevels({counts, supersample});
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory for the density levels of \"" + path.string() + "\"");
    }
    return SaveFloatImage(path, counts.Width() / supersample, counts.Height() / supersample, levels);
}

}  // namespace

Result<std::vector<std::string>> WriteCountsOutputs(const CountGrid& counts,
                                                    const CountsDescription& description,
                                                    const Gradient& gradient, const RenderOptions& options) {
    std::vector<std::string> notes;
    if (!options.output.empty()) {
        const DrawingSetup setup{description.record, description.effects, description.density};
        Result<std::vector<std::string>> written =
            WritePictureFiles({setup, gradient, description.supersample, &counts, nullptr}, options);
        if (!written) return written;
        notes = *std::move(written);
    }
    if (options.saveCounts)
        if (Result<> saved = SaveCountsFile(*options.saveCounts, counts, description); !saved)
            return Failure(saved.error());
    if (options.exportDensity)
        if (Result<> saved = ExportDensity(counts, description.supersample, *options.exportDensity); !saved)
            return Failure(saved.error());
    return notes;
}

}  // namespace zephyrin
