// The figures density colouring is measured by, from the renderer's own
// commands: clipping and grey levels of formula 23 (and a Sierpinski IFS)
// classic and in density mode, 16-bit files read back through libpng and
// libtiff, and a PNG drawn again from its own parameters. Prints a table.
//
//   build/bench/density_quality [FOLDER]   (files are kept in FOLDER if given)
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/colouring/density_colour.h"
#include "engine/core/defaults.h"
#include "engine/core/view_coords.h"
#include "imaging/image_file.h"
#include "render/render_job.h"
#include "render/render_program.h"

namespace zephyrin {
namespace {

// Samples row by row, 3 per pixel, 8 or 16 bits wide.
struct Samples {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<std::uint32_t> values;
};

// Nothing with a destructor lives in these two: libpng's errors longjmp into them.
bool ReadPngInfo(png_structp png, png_infop info, std::FILE* file) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_info(png, info);
    return true;
}

bool ReadPngImage(png_structp png, std::uint8_t* bytes, std::size_t rowBytes, int height) {
    if (setjmp(png_jmpbuf(png))) return false;
    for (int y = 0; y < height; ++y)
        png_read_row(png, bytes + static_cast<std::size_t>(y) * rowBytes, nullptr);
    return true;
}

Samples ReadPngSamples(const std::filesystem::path& path) {
    Samples samples;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return samples;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (ReadPngInfo(png, info, file)) {
        const int width = static_cast<int>(png_get_image_width(png, info));
        const int height = static_cast<int>(png_get_image_height(png, info));
        const int bits = png_get_bit_depth(png, info);
        const std::size_t rowBytes = png_get_rowbytes(png, info);
        std::vector<std::uint8_t> bytes(rowBytes * static_cast<std::size_t>(height));
        if (ReadPngImage(png, bytes.data(), rowBytes, height)) {
            samples = {width, height, bits, {}};
            for (int y = 0; y < height; ++y) {
                const std::uint8_t* row = bytes.data() + static_cast<std::size_t>(y) * rowBytes;
                for (std::size_t i = 0; i < 3 * static_cast<std::size_t>(width); ++i)
                    samples.values.push_back(bits == 16 ? (row[2 * i] << 8 | row[2 * i + 1]) : row[i]);
            }
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return samples;
}

Samples ReadTiffSamples(const std::filesystem::path& path) {
    Samples samples;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (tiff == nullptr) return samples;
    std::uint32_t width = 0, height = 0;
    std::uint16_t bits = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    samples = {static_cast<int>(width), static_cast<int>(height), bits, {}};
    std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
    for (std::uint32_t y = 0; y < height; ++y) {
        TIFFReadScanline(tiff, row.data(), y, 0);
        for (std::size_t i = 0; i < 3 * static_cast<std::size_t>(width); ++i)
            samples.values.push_back(bits == 16 ? reinterpret_cast<const std::uint16_t*>(row.data())[i]
                                                : row[i]);
    }
    TIFFClose(tiff);
    return samples;
}

// Of the lit (not black) pixels: the share whose grey is within 2 % of full
// scale, and how many grey levels they show. Grey as a PGM file holds it.
struct Clipping {
    double clippedShare = 0;
    std::size_t greyLevels = 0;
};

Clipping MeasureClipping(const Samples& samples) {
    const double full = samples.bits == 16 ? 65535 : 255;
    std::size_t lit = 0, clipped = 0;
    std::set<long> levels;
    for (std::size_t i = 0; i + 2 < samples.values.size(); i += 3) {
        const auto r = samples.values[i], g = samples.values[i + 1], b = samples.values[i + 2];
        if (r == 0 && g == 0 && b == 0) continue;
        ++lit;
        const double grey = 0.299 * r + 0.587 * g + 0.114 * b;
        clipped += grey >= 0.98 * full;
        levels.insert(std::lround(grey));
    }
    return {lit > 0 ? static_cast<double>(clipped) / static_cast<double>(lit) : 0, levels.size()};
}

// The distinct values of the grey (as a PGM file holds it), red, green and blue.
std::string DistinctLevels(const Samples& samples) {
    std::set<std::uint32_t> greys;
    for (std::size_t i = 0; i + 2 < samples.values.size(); i += 3)
        greys.insert(
            (299 * samples.values[i] + 587 * samples.values[i + 1] + 114 * samples.values[i + 2] + 500) /
            1000);
    std::string text = std::to_string(greys.size()) + "; ";
    for (std::size_t channel = 0; channel < 3; ++channel) {
        std::set<std::uint32_t> values;
        for (std::size_t i = channel; i < samples.values.size(); i += 3) values.insert(samples.values[i]);
        text += (channel > 0 ? " / " : "") + std::to_string(values.size());
    }
    return text;
}

int Run(const std::string& command) {
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string word; in >> word;) words.push_back(word);
    const std::vector<std::string_view> views(words.begin(), words.end());
    std::ostringstream out, err;
    const int status = RunRenderProgram(views, out, err, false);
    if (status != 0) std::cerr << "zephyrin-render " << command << ": " << err.str();
    return status;
}

std::string Percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", 100 * share);
    return text;
}

void Row(const std::string& what, const std::string& figure, const std::string& command) {
    std::cout << "| " << what << " | " << figure << " | `" << command << "` |\n";
}

// Three maps halving towards the corners of a triangle, all lit pixels
// about equally dense.
Samples Sierpinski(bool density, const std::filesystem::path& folder) {
    DrawingSetup setup{NewWindowRecord(400, 300), {}};
    TFractalRec& v = setup.record;
    v.randomStart = kFalse;
    v.varSwirl = kFalse;
    v.zoom = 3;
    v.xCenter = v.yCenter = 0.5;
    v.startX = v.startY = 0.3;
    const double offsets[3][2] = {{0, 0}, {0.5, 0}, {0.25, 0.5}};
    for (int k = 0; k < 3; ++k) {
        const int j = k == 0 ? 0 : k == 1 ? 19 : 39;
        v.af[1 + j] = v.af[4 + j] = 0.5;
        v.af[2 + j] = v.af[3 + j] = 0;
        v.af[5 + j] = offsets[k][0];
        v.af[6 + j] = offsets[k][1];
    }
    FreezeView(v);
    setup.density.mode = density ? ColouringMode::kDensity : ColouringMode::kClassic;
    RenderSettings settings;
    settings.threads = 2;
    settings.seed = 3;
    settings.iterations = 5'000'000;
    const RenderResult result = Render(setup, settings, {});
    const std::filesystem::path path =
        folder / (density ? "sierpinski-density.png" : "sierpinski-classic.png");
    const Result<> saved = density ? SaveImage16(DensityColour({result.counts, 1}, setup.density,
                                                               *FindGradient(setup.density.gradient), false),
                                                 path, ColourChange::kAgreed)
                                   : SaveImage(result.picture, path, ColourChange::kAgreed);
    if (!saved) std::cerr << saved.error() << '\n';
    Samples samples = ReadPngSamples(path);
    if (density) {
        // Compared in 8 bits, as the classic picture is.
        for (auto& value : samples.values) value = (value * 255 + 32767) / 65535;
        samples.bits = 8;
    }
    return samples;
}

}  // namespace
}  // namespace zephyrin

int main(int argc, char** argv) {
    using namespace zephyrin;
    const bool keep = argc > 1;
    const std::filesystem::path folder =
        keep ? std::filesystem::path(argv[1])
             : std::filesystem::temp_directory_path() /
                   ("zephyrin-quality-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    const auto at = [&](const char* name) { return (folder / name).string(); };

    std::cout << "| What | Figure | Command |\n|---|---|---|\n";
    const std::string picture23 = "--formula 23 --seed 3 --size 400x300 --iterations 5000000 --threads 2";
    const std::string classic = picture23 + " -o " + at("f23-classic.png");
    const std::string density = picture23 + " --density -o " + at("f23-density.png");
    const std::string grey = picture23 + " --gradient grey -o " + at("f23-grey.png");
    if (Run(classic) == 0 && Run(density) == 0 && Run(grey) == 0) {
        for (const auto& [name, command] :
             {std::pair{"f23-classic.png", classic}, {"f23-density.png", density}, {"f23-grey.png", grey}}) {
            const Clipping c = MeasureClipping(ReadPngSamples(folder / name));
            Row(std::string("Formula 23: lit pixels within 2 % of full scale, grey levels (") + name + ")",
                Percent(c.clippedShare) + ", " + std::to_string(c.greyLevels), "zephyrin-render " + command);
        }
    }
    for (const bool on : {false, true}) {
        const Clipping c = MeasureClipping(Sierpinski(on, folder));
        Row(std::string("Sierpinski IFS (formula 70 with halving maps), ") + (on ? "density" : "classic"),
            Percent(c.clippedShare) + ", " + std::to_string(c.greyLevels), "build/bench/density_quality");
    }

    for (const char* name : {"f23-16.png", "f23-16.tif", "f23-16-grey.png"}) {
        const std::string gradient = std::string_view(name).ends_with("grey.png") ? " --gradient grey" : "";
        const std::string command = picture23 + " --density" + gradient + " --depth 16 -o " + at(name);
        if (Run(command) != 0) continue;
        const Samples samples = std::string_view(name).ends_with(".png") ? ReadPngSamples(folder / name)
                                                                         : ReadTiffSamples(folder / name);
        Row(std::string("Read back: bits per sample, distinct levels of grey; red / green / blue (") + name +
                ")",
            std::to_string(samples.bits) + ", " + DistinctLevels(samples), "zephyrin-render " + command);
    }

    const std::string first = "--formula 45 --density --seed 3 -o " + at("a.png");
    const std::string again = at("a.png") + " --seed 3 -o " + at("b.png");
    if (Run(first) == 0 && Run(again) == 0) {
        const bool same = ReadPngSamples(folder / "a.png").values == ReadPngSamples(folder / "b.png").values;
        Row("A PNG drawn again from its own parameters", same ? "same pixels" : "DIFFERENT pixels",
            "zephyrin-render " + first + "; zephyrin-render " + again);
    }
    if (!keep) std::filesystem::remove_all(folder);
    return 0;
}
