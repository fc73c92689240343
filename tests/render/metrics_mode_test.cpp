// --metrics on records whose measures are known by hand.
#include "render/metrics_mode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "engine/file/param_file.h"
#include "engine/known_records.h"
#include "imaging/temp_folder.h"
#include "run_render.h"

namespace zephyrin {
namespace {

using testing::RunRender;
using testing::TempFolder;

// The value of the line "name=value".
double Measure(const std::string& text, const std::string& name) {
    const std::size_t at = text.find(name + "=");
    if (at == std::string::npos) return -1e300;
    return std::stod(text.substr(at + name.size() + 1));
}

TEST(Metrics, TheSierpinskiTrianglesFileAsDerivedByHand) {
    TempFolder folder;
    const std::filesystem::path file = folder / "sierpinski.zpr";
    std::ofstream(file, std::ios::binary) << WriteParameterText(testing::Sierpinski(800, 600), {}, '.');
    const auto measured = RunRender({file.string(), "--metrics", "--seed", "3"});
    ASSERT_EQ(measured.status, 0) << measured.err;
    // Three maps that halve: ln(1/2) per step; three copies at half size: log 3 / log 2.
    EXPECT_NEAR(Measure(measured.out, "lyapunov"), std::log(0.5), 0.005);
    EXPECT_NEAR(Measure(measured.out, "dimension"), std::log(3.0) / std::log(2.0), 0.05);
    EXPECT_NE(measured.out.find("\norbit=wandering\n"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "nothing drawn";

    // With -o it draws as well and measures the same.
    const auto drawn = RunRender({file.string(), "--metrics", "--seed", "3", "--size", "80x60",
                                  "--iterations", "1000", "-o", (folder / "a.png").string()});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_TRUE(drawn.out.starts_with(measured.out));
    EXPECT_TRUE(std::filesystem::exists(folder / "a.png"));
}

TEST(Metrics, PointDecimalsAndNanWhereAMeasureDoesNotApply) {
    OrbitMeasures runaway{.measured = true, .kind = OrbitKind::kRunaway};
    EXPECT_EQ(MetricsText(runaway),
              "lyapunov=nan\ndimension=nan\ncoverage=0.0000\nscore=0.000\norbit=runaway\n");
    const OrbitMeasures cycle{.measured = true,
                              .kind = OrbitKind::kCycle,
                              .lyapunov = -0.25,
                              .dimension = 0,
                              .coverage = 0.125,
                              .score = 0};
    EXPECT_EQ(MetricsText(cycle),
              "lyapunov=-0.25000\ndimension=0.000\ncoverage=0.1250\nscore=0.000\norbit=cycle\n");

    // Formula 73 has no map: nothing to measure, and no failure.
    const auto none = RunRender({"--formula", "73", "--metrics", "--seed", "1"});
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.out.find("lyapunov=nan\n"), std::string::npos);
    EXPECT_NE(none.out.find("orbit=none\n"), std::string::npos);
    EXPECT_NE(none.err.find("formula 73 has no map to measure"), std::string::npos);
}

}  // namespace
}  // namespace zephyrin
