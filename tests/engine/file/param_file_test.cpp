#include "engine/file/param_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>

#include "engine/file/param_file_windows.h"

namespace zephyrin {
namespace {

using namespace testing;

TEST(ParameterWriter, WritesTheHundredAndFiftyLinesInOrder) {
    EXPECT_EQ(SavedWindow().Text('.'), Join(SavedLines()));

    std::vector<std::string> comma = SavedLines();
    for (std::size_t i = 1; i < comma.size(); ++i) std::replace(comma[i].begin(), comma[i].end(), '.', ',');
    EXPECT_EQ(SavedWindow().Text(','), Join(comma));

    Window odd = SavedWindow();
    odd.v.varNone = 5;  // any non-zero value is on
    EXPECT_EQ(Split(odd.Text())[141], "1");
}

TEST(ParameterReader, LoadsWhatWasWrittenWithEitherSeparatorAndLineEnd) {
    Window original = SavedWindow();
    original.v.zoom = 2.0 / 3.0;
    original.v.xCenter = -1e-7 / 3.0;
    original.v.yCenter = 4e20 / 3.0;
    original.v.af[77] = 3.14159265358979323;
    original.v.formula = -12;
    for (char writer : {'.', ','}) {
        for (char reader : {'.', ','}) {
            for (std::string_view end : {"\r\n", "\n"}) {
                Window w = PresentWindow();
                const std::string text = Join(Split(original.Text(writer)), end);
                EXPECT_TRUE(w.Load(text, reader).empty());
                EXPECT_EQ(w.Text(), original.Text());
                EXPECT_EQ(w.v.width, 640);
                EXPECT_EQ(w.v.white, kTrue);
            }
        }
    }
}

TEST(ParameterReader, PointAndCommaAreAlikeBlanksAroundNumbersDoNotCountAndOnlyExactlyOneSwitchesOn) {
    for (char system : {'.', ','}) {
        for (const char* quarter : {"0,25", "0.25", " 0.25\t"}) {
            std::vector<std::string> lines = SavedLines();
            lines[3] = lines[94] = quarter;
            lines[1] = "\t12 ";
            Window w = PresentWindow();
            EXPECT_TRUE(w.Load(Join(lines), system).empty());
            EXPECT_EQ(w.v.formula, 12);
            EXPECT_EQ(w.v.xCenter, 0.25);
            EXPECT_EQ(w.v.af[41], 0.25);  // line 95 = 14 + 2 * 41 holds element 60 + 41
        }
    }
    for (const auto& [text, on] : std::vector<std::pair<std::string, bool>>{
             {"1", true}, {"0", false}, {"1.0", false}, {" 1", false}, {"true", false}}) {
        std::vector<std::string> lines = SavedLines();
        lines[141] = text;
        Window w = PresentWindow();
        EXPECT_TRUE(w.Load(Join(lines)).empty());
        EXPECT_EQ(w.v.varNone, on ? kTrue : kFalse) << text;
    }
}

TEST(ParameterReader, LineOneIsNeverCheckedAndLinesAfter150AreIgnored) {
    for (const char* header : {"", "anything at all"}) {
        std::vector<std::string> lines = SavedLines();
        lines[0] = header;
        Window w = PresentWindow();
        EXPECT_TRUE(w.Load(Join(lines)).empty());
        EXPECT_EQ(Split(w.Text()), Expected(2, 150, false));
    }
    std::vector<std::string> longer = SavedLines();
    longer.insert(longer.end(), {"not a number", ""});
    Window w = PresentWindow();
    EXPECT_TRUE(w.Load(Join(longer)).empty());
    EXPECT_EQ(Split(w.Text()), Expected(2, 150, false));
}

TEST(ParameterReader, AFileWithoutHeaderShiftsEveryValueUp) {
    std::vector<std::string> lines = SavedLines();
    lines.erase(lines.begin());
    // Line 2 now holds the magnification and line 3 the view centre, so both
    // must be values their new fields accept.
    lines[1] = "2";
    lines[2] = "0.25";
    Window w = PresentWindow();
    EXPECT_EQ(w.Load(Join(lines)), std::vector<std::string>{kMissing});  // line 150
    EXPECT_EQ(w.v.formula, 2);
    EXPECT_EQ(w.v.zoom, 0.25);
    EXPECT_EQ(w.v.xCenter, 3.75);
    EXPECT_EQ(w.v.intensity, 0.15);
    EXPECT_EQ(w.v.randomizer, 1.0);
    EXPECT_EQ(w.v.sqrtFilter, kFalse);
    EXPECT_EQ(w.v.af[1], 61.25);
    EXPECT_EQ(w.v.af[120], 1.5);
    EXPECT_EQ(w.v.startX, 0.375);
    EXPECT_EQ(w.v.startY, 0.0);
    EXPECT_EQ(w.v.varInversion, kFalse);
}

TEST(ParameterReader, ShortFilesKeepPresentValuesAndCountTheirMissingLines) {
    struct Case {
        int lastLine;
        std::size_t messages;
        int lastLoaded;
    };
    for (const Case& c : {Case{134, 1, 134}, Case{133, 2, 133}, Case{100, 35, 100}, Case{14, 121, 14},
                          Case{10, 124, 10}, Case{5, 124, 5}, Case{1, 124, 1}, Case{0, 124, 0}}) {
        std::vector<std::string> lines = SavedLines();
        lines.resize(static_cast<std::size_t>(c.lastLine));
        Window w = PresentWindow();
        EXPECT_EQ(w.Load(Join(lines)), std::vector<std::string>(c.messages, kMissing)) << c.lastLine;
        EXPECT_EQ(Split(w.Text()), Expected(2, c.lastLoaded, true)) << c.lastLine;
    }
}

TEST(ParameterReader, AnEmptyLineInTheViewShiftsTheRestOntoLaterFields) {
    std::vector<std::string> lines = SavedLines();
    lines[4] = "";  // line 5: lines 6 to 11 are skipped, line 12 reads file line 6
    Window w = PresentWindow();
    EXPECT_EQ(w.Load(Join(lines)), std::vector<std::string>{kMissing});
    EXPECT_EQ(w.v.xCenter, -0.25);
    EXPECT_EQ(w.v.xMax, 1.1);
    EXPECT_EQ(w.v.blue, 5.0);
    EXPECT_EQ(w.v.intensity, 10.0);
    EXPECT_EQ(w.v.factor2, 0.125);
    EXPECT_EQ(w.v.randomizer, 2.5);
    EXPECT_EQ(w.v.sqrtFilter, kFalse);  // "-20"
    EXPECT_EQ(w.v.af[1], 30.0);
    EXPECT_EQ(w.v.BB, 118.25);
    EXPECT_EQ(w.effects.colorMix, kFalse);
    EXPECT_EQ(w.v.startX, 120.25);
    EXPECT_EQ(w.v.startY, 1.5);
    EXPECT_EQ(w.v.varNone, kTrue);  // B's "1"
    EXPECT_EQ(w.v.varSpherical, kTrue);
    EXPECT_EQ(w.v.varSwirl, kFalse);

    lines[5] = "word";  // read for line 12; the error names where it stands
    Window shifted = PresentWindow();
    // The missing line is a note the load went past; the word is the error that ended it.
    EXPECT_EQ(ReadParameterText(Join(lines), kCaption, '.', shifted.v, shifted.effects),
              (ParameterReadReport{{kMissing}, ReadError(6), 6}));
}

TEST(ParameterReader, AnInvalidNumberStopsTheLoadKeepingWhatCameBefore) {
    struct Case {
        int line;
        const char* text;
    };
    for (const Case& c : {Case{20, "abc"}, Case{2, "seventy"}, Case{2, "70.0"}, Case{2, "99999999999"},
                          Case{4, "nan"}, Case{4, "inf"}, Case{4, "-INF"}, Case{4, "1e999"}, Case{3, "0"},
                          Case{3, "-0,5"}, Case{3, "1E-308"}, Case{140, "5 5"}}) {
        std::vector<std::string> lines = SavedLines();
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        Window w = PresentWindow();
        EXPECT_EQ(w.Load(Join(lines)), std::vector<std::string>{ReadError(c.line)}) << c.text;
        EXPECT_EQ(Split(w.Text()), Expected(2, c.line - 1, false)) << c.text;
    }

    // A magnification whose view is finite at the centre 0, but not around
    // this one.
    std::vector<std::string> lines = SavedLines();
    lines[2] = "1E-301";
    lines[5] = "-1.7E308";
    Window w = PresentWindow();
    EXPECT_EQ(w.Load(Join(lines)), std::vector<std::string>{ReadError(6)});
    EXPECT_EQ(w.v.zoom, 1e-301);
}

// Values of every kind: any bit pattern of a finite double, and often the
// ends of the range, subnormals, both zeros and the edges of the notations.
class ValueSource {
public:
    explicit ValueSource(std::uint64_t seed) : random_(seed) {}

    double Real() {
        constexpr double kMax = std::numeric_limits<double>::max();
        constexpr double kTiny = std::numeric_limits<double>::denorm_min();
        static constexpr double kEdges[] = {0.0,
                                            kTiny,
                                            3 * kTiny,
                                            std::numeric_limits<double>::min() - kTiny,
                                            std::numeric_limits<double>::min(),
                                            9.99999999999999e-6,
                                            0.00001,
                                            999999999999999.9,
                                            1e15,
                                            1.79769313486231e308,
                                            1.797693134862315e308,
                                            kMax};
        const double sign = random_() % 2 ? -1.0 : 1.0;
        if (random_() % 2) return sign * kEdges[random_() % std::size(kEdges)];
        for (;;) {
            const double any = std::bit_cast<double>(random_());
            if (std::isfinite(any)) return any;
        }
    }
    std::int32_t Integer() { return static_cast<std::int32_t>(random_()); }

private:
    std::mt19937_64 random_;
};

Window AnyWindow(ValueSource& source) {
    Window w;
    TFractalRec& v = w.v;
    v.formula = source.Integer();
    for (double* field : {&v.xMax, &v.yMax, &v.red, &v.green, &v.blue, &v.intensity, &v.factor2,
                          &v.randomizer, &v.AAStart, &v.BB, &v.startX, &v.startY}) {
        *field = source.Real();
    }
    for (int k = 1; k <= 120; ++k) v.af[k] = source.Real();
    for (Flag* flag : {&v.sqrtFilter, &w.effects.colorMix, &w.effects.expansion, &w.effects.modulas,
                       &v.varNone, &v.varLinear, &v.varSinusoidal, &v.varSpherical, &v.varSwirl,
                       &v.varHorseshoe, &v.varPolar, &v.varBent, &v.varInversion}) {
        *flag = source.Integer();
    }
    // Only a view with finite edges is ever drawn: its edges lie within
    // 2 / zoom * 500000.5 of the centre, and the margin here covers the
    // rounding to 15 digits.
    do v.zoom = std::fabs(source.Real());
    while (!(v.zoom >= 1e-300));
    for (double* centre : {&v.xCenter, &v.yCenter}) {
        do *centre = source.Real();
        while (!(std::fabs(*centre) + 2e6 / v.zoom < 1.7e308));
    }
    return w;
}

TEST(ParameterFile, EveryWrittenFileReadsBackAndIsWrittenAgainAlike) {
    ValueSource source(20261208);
    for (int file = 0; file < 1000; ++file) {
        const char separator = file % 2 ? ',' : '.';
        const std::string text = AnyWindow(source).Text(separator);
        Window back = PresentWindow();
        ASSERT_EQ(back.Load(text, separator), std::vector<std::string>{}) << text;
        ASSERT_EQ(back.Text(separator), text);
    }
}

DensitySettings Fire() {
    return {ColouringMode::kDensity, 1.5, 2.25, 0.75, "fire"};
}

TEST(DensityLines, WrittenAfterLine150OnlyWhenOnAndUnseenByTheClassicReader) {
    const Window saved = SavedWindow();
    const std::string text = WriteParameterText(saved.v, saved.effects, Fire(), ',');
    EXPECT_EQ(text, saved.Text(',') +
                        "density=1\r\nbrightness=1,5\r\ngamma=2,25\r\nvibrancy=0,75\r\ngradient=fire\r\n");

    DensitySettings off = Fire();
    off.mode = ColouringMode::kClassic;
    EXPECT_EQ(WriteParameterText(saved.v, saved.effects, off, '.'), saved.Text())
        << "a classic file, byte for byte";

    Window classic = PresentWindow();
    EXPECT_EQ(classic.Load(text, ','), std::vector<std::string>{});
    EXPECT_EQ(classic.Text(), saved.Text());
}

TEST(DensityLines, ReadWhenPresentOffWithoutThemAndUnknownKeysIgnored) {
    const Window saved = SavedWindow();
    const DensitySettings present{ColouringMode::kDensity, 3, 4, 0.5, "ice"};
    const auto load = [&](const std::string& text, char separator, DensitySettings& density) {
        Window w = PresentWindow();
        return ReadParameterText(text, kCaption, separator, w.v, w.effects, density).Messages();
    };

    DensitySettings read = present;
    EXPECT_EQ(load(WriteParameterText(saved.v, saved.effects, Fire(), ','), '.', read),
              std::vector<std::string>{});
    EXPECT_EQ(read, Fire());

    read = present;
    EXPECT_EQ(load(saved.Text(), '.', read), std::vector<std::string>{});
    DensitySettings classic = present;
    classic.mode = ColouringMode::kClassic;
    EXPECT_EQ(read, classic) << "off, the other settings as they were";

    read = present;
    const std::string extra = "# made by hand\r\nsharpness=3\r\n gamma = 1,5 \r\n\r\ndensity=0\r\n";
    EXPECT_EQ(load(saved.Text() + extra, '.', read), std::vector<std::string>{});
    classic.gamma = 1.5;
    EXPECT_EQ(read, classic);
}

TEST(DensityLines, AValueOutOfItsRangeOrNotANumberIsAReadingErrorOfItsLine) {
    const std::string classic = SavedWindow().Text();
    for (const std::string& line :
         {std::string("gamma=abc"), std::string("gamma=0.1"), std::string("vibrancy=1.5"),
          std::string("brightness=30"), std::string("brightness="), std::string("gradient="),
          "gradient=" + std::string(248, 'x')}) {
        Window w = PresentWindow();
        DensitySettings density;
        EXPECT_EQ(ReadParameterText(classic + "density=1\r\n" + line + "\r\n", kCaption, '.', w.v, w.effects,
                                    density),
                  (ParameterReadReport{{}, ReadError(152), 152}))
            << line;
    }
    // A gradient line of 256 characters, the longest to read back, is written; a longer one is not.
    DensitySettings longest = Fire();
    longest.gradient = std::string(247, 'x');
    const auto gradientLine = [&] { return WriteParameterText({}, {}, longest, '.').find("\r\ngradient=x"); };
    EXPECT_NE(gradientLine(), std::string::npos);
    longest.gradient += "x";
    EXPECT_EQ(gradientLine(), std::string::npos);
}

TEST(RoundAsWritten, KeepsWhatTheFileWouldGiveBack) {
    Window w = SavedWindow();
    w.v.af[7] = 0.1 + 0.2;  // 0.30000000000000004
    w.v.startX = 1.0 / 3;
    const std::string text = w.Text();
    RoundAsWritten(w.v, w.effects);
    EXPECT_EQ(w.v.af[7], 0.3);
    EXPECT_EQ(w.v.startX, 0.333333333333333);
    EXPECT_EQ(w.Text(), text);
}

}  // namespace
}  // namespace zephyrin
