#include "render/output_files.h"

#include <system_error>
#include <vector>

namespace zephyrin {

std::filesystem::path ParameterFileBeside(const std::filesystem::path& picture) {
    return std::filesystem::path(picture).replace_extension(".zpr");
}

Result<> CheckOutput(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        return Failure("cannot write \"" + path.string() + "\": the folder \"" + folder.string() +
                       "\" does not exist");
    if (std::filesystem::is_directory(path, error))
        return Failure("cannot write \"" + path.string() + "\": it is a folder");
    return {};
}

Result<> CheckOutputs(const RenderOptions& options) {
    std::vector<std::filesystem::path> paths;
    if (!options.output.empty()) paths.push_back(options.output);
    if (!options.output.empty() && options.writeParameters)
        paths.push_back(ParameterFileBeside(options.output));
    if (options.saveCounts) paths.push_back(*options.saveCounts);
    if (options.exportDensity) paths.push_back(*options.exportDensity);
    for (const std::filesystem::path& path : paths)
        if (Result<> writable = CheckOutput(path); !writable) return writable;
    return {};
}

}  // namespace zephyrin
