#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/colouring/density_settings.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "util/result.h"

namespace zephyrin {

// The .zpr parameter file: 150 lines, one value each, a value's meaning given
// by its line number. It holds the formula, the view centre and magnification,
// the colour settings, af[1..120], A and B, the window's three effect
// switches, the start point and the variation switches.

inline constexpr int kParameterLineCount = 150;
inline constexpr std::string_view kParameterHeader = "Zephyrin v1.000";
// Far more than any value needs; a longer line, the header's too, is a
// reading error, so that a file without line ends cannot fill the memory.
inline constexpr std::size_t kLongestParameterLine = 256;

// Key=value lines after line 150 carry the density colouring; a reader that
// stops at line 150 draws the classic picture. Reading takes at most this
// many lines after the 150th.
inline constexpr int kMostExtraLines = 50;

// The file's 150 lines, each ended by CR LF. Reals are written with
// `decimalSeparator`; any separator other than a point is written as a comma,
// so that every reader can take the file back.
std::string WriteParameterText(const TFractalRec& v, const Effects& effects, char decimalSeparator);

// The same 150 lines, and after them the density colouring's
// (WriteDensityLines) when it is on.
std::string WriteParameterText(const TFractalRec& v, const Effects& effects, const DensitySettings& density,
                               char decimalSeparator);

// What loading a parameter file's text found besides the values it stored:
// the missing lines it went on after, and the line that ended it.
struct [[nodiscard]] ParameterReadReport {
    // "Missing variable in parameter file: <caption> using defaults", once a
    // missing line, in file order.
    std::vector<std::string> notes;
    // "Error reading parameter file "<caption>", line <n>"; empty when the
    // whole text was read.
    std::string error;
    // The file's number of that line (the header being line 1).
    std::optional<int> errorLine;

    bool Failed() const { return errorLine.has_value(); }
    // The texts to show, in the order they arose: the notes, then the error.
    std::vector<std::string> Messages() const;

    friend bool operator==(const ParameterReadReport&, const ParameterReadReport&) = default;
};

// Loads `fileText` over the present values. Lines may end in CR LF or LF;
// line 1 is skipped whatever it holds; a point and a comma are both read as
// the decimal separator; lines after 150 are ignored. An empty or missing
// line is a note and the present value is kept (the start point becomes
// 5, 5); where the line was a coefficient or one of intensity, variation
// weight and random range, the following line is read again, otherwise
// reading pauses until the next such line. Blanks and tabs around a number
// are allowed; a switch is on only for exactly "1". A line longer than
// kLongestParameterLine (the header too), a line that is not a finite number
// of its kind, and a magnification or view centre whose view cannot keep
// finite edges (ViewIsFinite) are the error, which ends the load; the values
// stored before stay. `decimalSeparator` is the one the writer would use on
// this system.
ParameterReadReport ReadParameterText(std::string_view fileText, std::string_view caption,
                                      char decimalSeparator, TFractalRec& v, Effects& effects);

// The same, and then the key=value lines after line 150 (ReadDensityLines),
// a relative gradient path taken from `folder`, the parameter file's (text
// that comes from no file: empty, the current folder). A line of them that
// cannot be read is the error, after which the values stored before stay.
// After an error in the first 150 lines the extra lines are not read and
// `density` is as it was.
ParameterReadReport ReadParameterText(std::string_view fileText, std::string_view caption,
                                      char decimalSeparator, TFractalRec& v, Effects& effects,
                                      DensitySettings& density, const std::filesystem::path& folder = {});

// Rounds every value the parameter file holds to what reading its text gives
// back (reals keep 15 digits), so that a drawing started from these values
// and a drawing of its saved file start alike.
void RoundAsWritten(TFractalRec& v, Effects& effects);

// The first 150 lines of the file at `path` and at most kMostExtraLines after
// them; reading stops early at a line longer than kLongestParameterLine,
// which ends the text for ReadParameterText to refuse. Fails naming the file.
[[nodiscard]] Result<std::string> ReadParameterFile(const std::filesystem::path& path);

// Writes `text` to a temporary file beside `path` and renames it over `path`
// once complete, so a failed write leaves an existing file as it was. Fails
// naming the file.
[[nodiscard]] Result<> WriteParameterFile(const std::filesystem::path& path, std::string_view text);

}  // namespace zephyrin
