// How quick and how full zephyrin-render --gallery is: for each case, the
// command run in process from a few seeds into a temporary folder, timed;
// then from its CSV the tiles found and those lighting the case's share of
// their pixels.
//
//   gallery_quality [--seeds N] [--keep FOLDER]
//
// Cases: 16 tiles of formula 1 (goal: within 3 s, every tile >= 5 %), 16 of
// any formula (within 5 s), and 16 of each of 22, 51, 66 and 72 with
// --quasi-periodic (>= 12 tiles >= 1 %).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "render/render_program.h"

namespace zephyrin {
namespace {

struct Case {
    std::vector<std::string> arguments;
    double litGoal;  // share of a tile's pixels
};

struct Run {
    double seconds = 0;
    int tiles = 0;
    int lit = 0;  // tiles lighting at least the goal
};

Run RunCase(const Case& c, int seed, const std::filesystem::path& sheet) {
    std::vector<std::string> arguments = c.arguments;
    arguments.insert(arguments.end(), {"--seed", std::to_string(seed), "--quiet", "-o", sheet.string()});
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    const int status = RunRenderProgram(views, out, err, false);
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 0) {
        std::printf("  seed %d: status %d: %s", seed, status, err.str().c_str());
        return run;
    }
    std::ifstream csv(std::filesystem::path(sheet).replace_extension(".csv"));
    std::string line;
    std::getline(csv, line);  // the header
    while (std::getline(csv, line)) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
        ++run.tiles;
        run.lit += cells.size() > 5 && std::stod(cells[5]) >= c.litGoal;
    }
    return run;
}

void Measure(const Case& c, int seeds, const std::filesystem::path& folder) {
    std::string name;
    for (const std::string& argument : c.arguments) name += argument + " ";
    std::vector<double> seconds;
    int fewestTiles = 1 << 30, fewestLit = 1 << 30;
    for (int seed = 1; seed <= seeds; ++seed) {
        const Run run = RunCase(c, seed, folder / ("sheet-" + std::to_string(seed) + ".png"));
        seconds.push_back(run.seconds);
        fewestTiles = std::min(fewestTiles, run.tiles);
        fewestLit = std::min(fewestLit, run.lit);
    }
    std::ranges::sort(seconds);
    std::printf("%-48s median %5.2f s  longest %5.2f s  fewest tiles %2d  fewest lighting >= %g %%: %2d\n",
                name.c_str(), seconds[seconds.size() / 2], seconds.back(), fewestTiles, c.litGoal * 100,
                fewestLit);
    std::fflush(stdout);
}

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    int seeds = 5;
    std::filesystem::path kept;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--seeds") seeds = std::max(std::atoi(argv[i + 1]), 1);
        if (std::string(argv[i]) == "--keep") kept = argv[i + 1];
    }
    const std::filesystem::path folder =
        kept.empty() ? std::filesystem::temp_directory_path() / "zephyrin-gallery-quality" : kept;
    std::filesystem::create_directories(folder);
    const std::vector<zephyrin::Case> cases = {
        {{"--gallery", "16", "--formula", "1"}, 0.05},
        {{"--gallery", "16", "--formula", "all"}, 0.01},
        {{"--gallery", "16", "--formula", "22", "--quasi-periodic"}, 0.01},
        {{"--gallery", "16", "--formula", "51", "--quasi-periodic"}, 0.01},
        {{"--gallery", "16", "--formula", "66", "--quasi-periodic"}, 0.01},
        {{"--gallery", "16", "--formula", "72", "--quasi-periodic"}, 0.01},
    };
    for (const zephyrin::Case& c : cases) zephyrin::Measure(c, seeds, folder);
    if (kept.empty()) std::filesystem::remove_all(folder);
}
