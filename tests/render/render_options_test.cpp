// The command line: defaults, both spellings of a value, and every refusal.
#include "render/render_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace zephyrin {
namespace {

Result<RenderOptions> Parse(std::vector<std::string_view> arguments) {
    return ParseRenderOptions(arguments);
}

TEST(RenderOptions, AnOutputAloneDrawsANewWindowsPicture) {
    const Result<RenderOptions> parsed = Parse({"-o", "out.png"});
    ASSERT_TRUE(parsed) << parsed.error();
    const RenderOptions& o = *parsed;
    EXPECT_EQ(o.output, "out.png");
    EXPECT_FALSE(o.parameterFile);
    EXPECT_FALSE(o.formula);
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 600);
    EXPECT_EQ(o.supersample, 1);
    EXPECT_EQ(o.iterations, 20'000'000);
    EXPECT_FALSE(o.seconds);
    EXPECT_FALSE(o.seed);
    EXPECT_FALSE(o.threads);
    EXPECT_FALSE(o.random || o.white || o.sqrtFilter || o.quiet || o.help);
    EXPECT_TRUE(o.writeParameters);
}

TEST(RenderOptions, EveryOptionWithItsValueNextOrAfterAnEqualsSign) {
    const Result<RenderOptions> parsed =
        Parse({"--formula", "63", "--size=640X480", "--supersample", "3", "--iterations=123", "--seed",
               "18446744073709551615", "--threads=4", "--random", "--white", "--sqrt-filter", "--no-params",
               "--quiet", "flower.zpr", "--output=pics/flower.TIF"});
    ASSERT_TRUE(parsed) << parsed.error();
    const RenderOptions& o = *parsed;
    EXPECT_EQ(o.formula, 63);
    EXPECT_EQ(o.width, 640);
    EXPECT_EQ(o.height, 480);
    EXPECT_EQ(o.supersample, 3);
    EXPECT_EQ(o.iterations, 123);
    EXPECT_EQ(o.seed, 18446744073709551615ULL);
    EXPECT_EQ(o.threads, 4);
    EXPECT_TRUE(o.random && o.white && o.sqrtFilter && o.quiet);
    EXPECT_FALSE(o.writeParameters);
    EXPECT_EQ(o.parameterFile, "flower.zpr");
    EXPECT_EQ(o.output, "pics/flower.TIF");

    const Result<RenderOptions> density =
        Parse({"--density", "--brightness=0.05", "--gamma", "10", "--vibrancy=0", "--gradient", "Fire",
               "--depth", "16", "-o", "a.pgm"});
    ASSERT_TRUE(density) << density.error();
    EXPECT_TRUE(density->density);
    EXPECT_EQ(density->brightness, 0.05);
    EXPECT_EQ(density->gamma, 10);
    EXPECT_EQ(density->vibrancy, 0);
    EXPECT_EQ(density->gradient, "Fire");
    EXPECT_EQ(density->depth, 16);
    EXPECT_EQ(Parse({"--gradient", "my/own.GGR", "-o", "a.tif"})->gradient, "my/own.GGR");

    const Result<RenderOptions> timed = Parse({"--seconds", "2.5", "-o", "a.bmp"});
    ASSERT_TRUE(timed) << timed.error();
    EXPECT_EQ(timed->seconds, 2.5);
}

// Counts files as inputs and outputs; any output alone will do.
TEST(RenderOptions, CountsFilesInAndOut) {
    const Result<RenderOptions> merge =
        Parse({"--merge", "a.tif", "b.TIFF", "c.tif", "--save-counts=sum.tif", "--export-density", "d.EXR"});
    ASSERT_TRUE(merge) << merge.error();
    EXPECT_EQ(merge->merge, (std::vector<std::filesystem::path>{"a.tif", "b.TIFF", "c.tif"}));
    EXPECT_FALSE(merge->parameterFile);
    EXPECT_EQ(merge->saveCounts, "sum.tif");
    EXPECT_EQ(merge->exportDensity, "d.EXR");
    EXPECT_TRUE(merge->output.empty());
    EXPECT_EQ(merge->given, (std::vector<std::string>{"--merge", "--save-counts", "--export-density"}));

    const Result<RenderOptions> recolour =
        Parse({"c.tiff", "--iterations", "0", "--export-density", "l.tif"});
    ASSERT_TRUE(recolour) << recolour.error();
    EXPECT_EQ(recolour->parameterFile, "c.tiff");
    EXPECT_EQ(recolour->iterations, 0);

    const Result<RenderOptions> share = Parse({"--share", "2/3", "--save-counts", "s.tif"});
    ASSERT_TRUE(share) << share.error();
    EXPECT_EQ(share->share, (RenderShare{2, 3}));
}

TEST(RenderOptions, MetricsNeedNoOutputAndTheGalleryItsOwn) {
    const Result<RenderOptions> metrics = Parse({"--metrics", "--formula", "5"});
    ASSERT_TRUE(metrics) << metrics.error();
    EXPECT_TRUE(metrics->metrics);
    EXPECT_TRUE(metrics->output.empty());

    const Result<RenderOptions> gallery =
        Parse({"--gallery=16", "--formula", "all", "--quasi-periodic", "--classic", "-o", "sheet.png"});
    ASSERT_TRUE(gallery) << gallery.error();
    EXPECT_EQ(gallery->gallery, 16);
    EXPECT_TRUE(gallery->allFormulas && gallery->quasiPeriodic && gallery->classic);
    EXPECT_FALSE(gallery->formula);
    EXPECT_FALSE(gallery->sizeGiven || gallery->iterationsGiven);
    EXPECT_TRUE(Parse({"--find", "--quasi-periodic", "-o", "a.png"})->quasiPeriodic);
}

TEST(RenderOptions, HelpNeedsNothingElse) {
    const Result<RenderOptions> parsed = Parse({"--help"});
    ASSERT_TRUE(parsed) << parsed.error();
    EXPECT_TRUE(parsed->help);
}

TEST(RenderOptions, Refusals) {
    const struct {
        std::vector<std::string_view> arguments;
        std::string_view says;
    } cases[] = {
        {{}, "no output file given (-o OUT.ext, --save-counts COUNTS.tif or --export-density OUT.exr)"},
        {{"-o", "a.xyz"}, "\"a.xyz\" does not end in an image format's extension"},
        {{"-o", "noextension"}, "does not end in an image format's extension"},
        {{"-o", "a.png", "-o", "b.png"}, "more than one output file"},
        {{"a.zpr", "b.zpr", "-o", "a.png"}, "more than one parameter file"},
        {{"-o", "a.png", "--bogus"}, "unknown option --bogus"},
        {{"-o", "a.png", "-x"}, "unknown option -x"},
        {{"-o", "a.png", "--size"}, "--size needs a value"},
        {{"-o", "a.png", "--size", "-3x4"}, "at least 1 pixel, not \"-3x4\""},
        {{"-o", "a.png", "--size", "640"}, "--size expects WIDTHxHEIGHT"},
        {{"-o", "a.png", "--size", "99999999999x5"}, "--size expects WIDTHxHEIGHT"},
        {{"-o", "a.png", "--supersample", "1"}, "--supersample expects 2, 3 or 4"},
        {{"-o", "a.png", "--iterations", "abc"}, "--iterations expects a whole number of at least 1"},
        {{"-o", "a.png", "--iterations", "0"}, "--iterations expects"},
        {{"-o", "a.png", "--iterations", "1e6"}, "--iterations expects"},
        {{"-o", "a.png", "--seconds", "0"}, "--seconds expects a number of seconds above 0"},
        {{"-o", "a.png", "--seconds", "1,5"}, "--seconds expects"},
        {{"-o", "a.png", "--iterations", "5", "--seconds", "1"}, "either --iterations or --seconds"},
        {{"-o", "a.png", "--seed", "-1"}, "--seed expects"},
        {{"-o", "a.png", "--seed", "18446744073709551616"}, "--seed expects"},
        {{"-o", "a.png", "--threads", "0"}, "--threads expects a whole number from 1 to 1024"},
        {{"-o", "a.png", "--threads", "1025"}, "--threads expects"},
        {{"-o", "a.png", "--formula", "57"}, "--formula expects a formula number"},
        {{"-o", "a.png", "--white=yes"}, "--white takes no value"},
        {{"-o", "a.png", "--brightness", "0"}, "--brightness expects a number from 0.05 to 20"},
        {{"-o", "a.png", "--gamma", "11"}, "--gamma expects a number from 0.2 to 10"},
        {{"-o", "a.png", "--vibrancy", "-0.1"}, "--vibrancy expects a number from 0 to 1"},
        {{"-o", "a.png", "--gradient", "mauve"}, "--gradient expects one of grey, fire"},
        {{"-o", "a.png", "--depth", "12"}, "--depth expects 8 or 16, not \"12\""},
        {{"-o", "a.jpg", "--depth", "16"}, "--depth 16 needs a pgm, png, ppm or tif output, not \"a.jpg\""},
        {{"a.zpr", "--iterations", "0", "-o", "a.png"}, "(0 recolours a counts file)"},
        {{"--save-counts", "c.png"}, "--save-counts expects a .tif file, not \"c.png\""},
        {{"--export-density", "d.png"}, "--export-density expects an .exr or .tif file"},
        {{"--save-counts", "a.tif", "--save-counts", "b.tif"}, "more than one --save-counts"},
        {{"--merge", "a.tif", "-o", "a.png"}, "--merge needs two counts files or more"},
        {{"-o", "a.png", "--gallery", "0"}, "--gallery expects a number of attractors from 1 to 256"},
        {{"-o", "a.png", "--gallery", "257"}, "--gallery expects"},
        {{"--gallery", "4"}, "no output file given"},
        {{"-o", "a.png", "--gallery", "4", "--metrics"}, "either --gallery or --metrics"},
        {{"-o", "a.png", "--gallery", "4", "--find"}, "--gallery finds and frames its attractors itself"},
        {{"-o", "a.png", "--gallery", "4", "--depth", "16"}, "8 bits per channel"},
        {{"-o", "a.png", "--gallery", "4", "--classic", "--density"}, "either --classic or density"},
        {{"-o", "a.png", "--classic"}, "--classic goes with --gallery"},
        {{"-o", "a.png", "--formula", "all"}, "--formula all goes with --gallery"},
        {{"-o", "a.png", "--quasi-periodic"}, "--quasi-periodic goes with --find, --gallery or an animation"},
        {{"-o", "a.png", "--share", "2/2"},
         "--share expects R/N, share R (from 0) of N (1 to 1000000), R below N"},
        {{"-o", "a.png", "--share", "0/0"}, "--share expects R/N"},
        {{"-o", "a.png", "--share", "-1/2"}, "--share expects R/N"},
        {{"-o", "a.png", "--share", "1"}, "--share expects R/N"},
        {{"-o", "a.png", "--share", "0/1000001"}, "--share expects R/N"},
        {{"-o", "a.png", "--share", "0/2", "--gallery", "4"}, "--share goes with one picture"},
        {{"--merge", "a.tif", "b.tif", "-o", "a.png", "--share", "0/2"}, "--share goes with one picture"},
        {{"--animate", "a.zpr", "b.zpr", "--frames", "4", "-o", "f/f-%02d.png", "--share", "0/2"},
         "frames of an animation are shared with --frame-range"},
    };
    for (const auto& c : cases) {
        const Result<RenderOptions> parsed = Parse(c.arguments);
        ASSERT_FALSE(parsed) << c.says;
        EXPECT_NE(parsed.error().find(c.says), std::string::npos)
            << "said \"" << parsed.error() << "\", expected \"" << c.says << "\"";
    }
}

}  // namespace
}  // namespace zephyrin
