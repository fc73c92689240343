// Windows as a parameter file keeps them, and the saved one's lines written
// out by hand, for the parameter file's tests.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/file/param_file.h"

namespace zephyrin::testing {

inline constexpr std::string_view kCaption = "/pictures/flower.zpr";
inline const std::string kMissing = "Missing variable in parameter file: /pictures/flower.zpr using defaults";

inline std::string ReadError(int line) {
    return "Error reading parameter file \"/pictures/flower.zpr\", line " + std::to_string(line);
}

// What a window keeps in a parameter file.
struct Window {
    TFractalRec v;
    Effects effects;

    std::vector<std::string> Load(std::string_view text, char separator = '.') {
        return ReadParameterText(text, kCaption, separator, v, effects).Messages();
    }
    std::string Text(char separator = '.') const { return WriteParameterText(v, effects, separator); }
};

// The values a window holds before a load; each differs from the saved one.
inline Window PresentWindow() {
    Window w;
    TFractalRec& v = w.v;
    v.formula = 70;
    v.zoom = 0.01;
    v.xCenter = 0.1, v.xMax = 1.1, v.yCenter = 0.2, v.yMax = 1.2;
    v.red = 3, v.green = 4, v.blue = 5;
    v.intensity = 10, v.factor2 = 0.1, v.randomizer = 2;
    for (int k = 1; k <= 120; ++k) v.af[k] = -k;
    v.AAStart = 0.7, v.BB = 1.005;
    v.startX = 9, v.startY = 9;
    v.varNone = kTrue, v.varSwirl = kTrue;
    v.width = 640, v.white = kTrue;
    w.effects.expansion = kTrue;
    return w;
}

inline Window SavedWindow() {
    Window w;
    TFractalRec& v = w.v;
    v.formula = 63;
    v.zoom = 0.5;
    v.xCenter = -0.25, v.xMax = 3.75, v.yCenter = 0.125, v.yMax = 2.5;
    v.red = -20, v.green = 30, v.blue = 40;
    v.intensity = 25, v.factor2 = 0.15, v.randomizer = 1.4;
    v.sqrtFilter = kTrue;
    for (int k = 1; k <= 120; ++k) v.af[k] = k + 0.25;
    v.AAStart = 1.5, v.BB = 1.0;
    w.effects.colorMix = kTrue, w.effects.modulas = kTrue;
    v.startX = -0.75, v.startY = 0.375;
    v.varLinear = v.varSinusoidal = v.varSpherical = v.varHorseshoe = v.varPolar = v.varBent =
        v.varInversion = kTrue;
    return w;
}

// SavedWindow's file, line 1 at index 0, written out by hand.
inline std::vector<std::string> SavedLines() {
    std::vector<std::string> lines = {"Zephyrin v1.000",
                                      "63",
                                      "0.5",
                                      "-0.25",
                                      "3.75",
                                      "0.125",
                                      "2.5",
                                      "-20",
                                      "30",
                                      "40",
                                      "25",
                                      "0.15",
                                      "1.4",
                                      "1"};
    for (int i = 1; i <= 60; ++i) {
        lines.push_back(std::to_string(i) + ".25");
        lines.push_back(std::to_string(60 + i) + ".25");
    }
    for (const char* line :
         {"1.5", "1", "1", "0", "1", "-0.75", "0.375", "0", "1", "1", "1", "0", "1", "1", "1", "1"}) {
        lines.push_back(line);
    }
    return lines;
}

inline std::string Join(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + std::string(end);
    return text;
}

inline std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.size() - 1));
    return lines;
}

// The lines of a window's file: the present ones, with lines from..to taken
// from the saved file and the start point at 5, 5 when `startDefaulted`.
inline std::vector<std::string> Expected(int from, int to, bool startDefaulted) {
    std::vector<std::string> lines = Split(PresentWindow().Text());
    const std::vector<std::string> saved = SavedLines();
    for (int line = from; line <= to; ++line) lines[line - 1] = saved[line - 1];
    if (startDefaulted) lines[139] = lines[140] = "5";
    return lines;
}

}  // namespace zephyrin::testing
