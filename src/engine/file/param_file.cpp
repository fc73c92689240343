#include "engine/file/param_file.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <span>
#include <system_error>

#include "engine/core/variation_table.h"
#include "engine/core/view_coords.h"
#include "engine/file/density_lines.h"
#include "engine/file/line_reader.h"
#include "util/atomic_file.h"
#include "util/lm_string.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

enum class Encoding { kInteger, kReal, kMagnification, kViewCentre, kSwitch };

// What happens to a line's field when its value is missing.
enum class Rule {
    kPlain,       // keeps its present value
    kResuming,    // keeps its present value and the next line is read again
    kStartPoint,  // becomes kMissingStart
};

constexpr double kMissingStart = 5.0;
constexpr int kCoefficientPairs = Coefficients::kCount / 2;

struct LineSlot {
    Encoding encoding;
    Rule rule;
    double* real;           // kReal, kMagnification, kViewCentre
    std::int32_t* integer;  // kInteger, kSwitch
    const double* zoom;     // kViewCentre: the magnification, read before
};

// Lines 2 to 150 in file order.
std::vector<LineSlot> LineSlots(TFractalRec& v, Effects& effects) {
    std::vector<LineSlot> slots;
    slots.reserve(kParameterLineCount - 1);
    const auto real = [&](double& field, Rule rule) {
        slots.push_back({Encoding::kReal, rule, &field, nullptr, nullptr});
    };
    const auto centre = [&](double& field) {
        slots.push_back({Encoding::kViewCentre, Rule::kPlain, &field, nullptr, &v.zoom});
    };
    const auto flag = [&](Flag& field) {
        slots.push_back({Encoding::kSwitch, Rule::kPlain, nullptr, &field, nullptr});
    };

    slots.push_back({Encoding::kInteger, Rule::kPlain, nullptr, &v.formula, nullptr});
    slots.push_back({Encoding::kMagnification, Rule::kPlain, &v.zoom, nullptr, nullptr});
    centre(v.xCenter);
    real(v.xMax, Rule::kPlain);
    centre(v.yCenter);
    for (double* field : {&v.yMax, &v.red, &v.green, &v.blue}) real(*field, Rule::kPlain);
    for (double* field : {&v.intensity, &v.factor2, &v.randomizer}) real(*field, Rule::kResuming);
    flag(v.sqrtFilter);
    for (int i = 1; i <= kCoefficientPairs; ++i) {
        real(v.af[i], Rule::kResuming);
        real(v.af[kCoefficientPairs + i], Rule::kResuming);
    }
    real(v.AAStart, Rule::kPlain);
    real(v.BB, Rule::kPlain);
    for (Flag* field : {&effects.colorMix, &effects.expansion, &effects.modulas}) flag(*field);
    real(v.startX, Rule::kStartPoint);
    real(v.startY, Rule::kStartPoint);
    for (const VariationInfo& variation : kVariations) flag(v.*variation.field);
    return slots;
}

// Files only ever carry a point or a comma.
char FileSeparator(char decimalSeparator) {
    return decimalSeparator == '.' ? '.' : ',';
}

std::string FormatValue(const LineSlot& slot, char separator) {
    switch (slot.encoding) {
        case Encoding::kInteger:
            return IntToStr(*slot.integer);
        case Encoding::kSwitch:
            return *slot.integer != kFalse ? "1" : "0";
        case Encoding::kReal:
        case Encoding::kMagnification:
        case Encoding::kViewCentre:
            break;
    }
    return FloatToStr(*slot.real, separator);
}

// False, leaving the field alone, when `text` is not a valid value for it.
bool StoreValue(const LineSlot& slot, const std::string& text, char separator) {
    switch (slot.encoding) {
        case Encoding::kInteger: {
            const auto value = StrToInt(text);
            if (!value) return false;
            *slot.integer = *value;
            return true;
        }
        case Encoding::kSwitch:
            *slot.integer = ToFlag(text == "1");
            return true;
        case Encoding::kReal:
        case Encoding::kMagnification:
        case Encoding::kViewCentre:
            break;
    }
    const auto value = StrToFloat(text, separator);
    if (!value) return false;
    // A view whose edges overflow could not be drawn, nor saved again: the
    // file would not read back.
    if (slot.encoding == Encoding::kMagnification && !ViewIsFinite(*value)) return false;
    if (slot.encoding == Encoding::kViewCentre && !ViewIsFinite(*slot.zoom, *value)) return false;
    *slot.real = *value;
    return true;
}

void EndWithError(ParameterReadReport& report, std::string_view caption, int line) {
    report.error =
        "Error reading parameter file \"" + std::string(caption) + "\", line " + std::to_string(line);
    report.errorLine = line;
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

std::string SystemReason() {
    return std::generic_category().message(errno);
}

}  // namespace

std::string WriteParameterText(const TFractalRec& v, const Effects& effects, char decimalSeparator) {
    // The line table points at writable fields; the copies keep the originals untouched.
    TFractalRec values = v;
    Effects switches = effects;
    const char separator = FileSeparator(decimalSeparator);
    std::string text;
    const auto writeLine = [&text](std::string_view line) {
        text += line;
        text += "\r\n";
    };
    writeLine(kParameterHeader);
    for (const LineSlot& slot : LineSlots(values, switches)) {
        writeLine(FormatValue(slot, separator));
    }
    return text;
}

std::vector<std::string> ParameterReadReport::Messages() const {
    std::vector<std::string> messages = notes;
    if (Failed()) messages.push_back(error);
    return messages;
}

ParameterReadReport ReadParameterText(std::string_view fileText, std::string_view caption,
                                      char decimalSeparator, TFractalRec& v, Effects& effects) {
    const char separator = FileSeparator(decimalSeparator);
    const bool decimalPoint = separator == '.';
    LineReader file(fileText);
    ParameterReadReport report;

    const auto tooLong = [&](std::string_view line) {
        if (line.size() <= kLongestParameterLine) return false;
        EndWithError(report, caption, file.Number());
        return true;
    };
    if (tooLong(file.Next())) return report;  // the header, whatever else it says
    bool parameterOK = true;
    for (const LineSlot& slot : LineSlots(v, effects)) {
        std::string parameterLine;
        if (parameterOK) {
            parameterLine = std::string(file.Next());
            if (tooLong(parameterLine)) break;
            if (parameterLine.empty()) {
                report.notes.push_back("Missing variable in parameter file: " + std::string(caption) +
                                       " using defaults");
                parameterOK = false;
            }
            parameterLine =
                decimalPoint ? ReplaceChar(parameterLine, ',', '.') : ReplaceChar(parameterLine, '.', ',');
        }
        if (parameterOK) {
            if (!StoreValue(slot, parameterLine, separator)) {
                EndWithError(report, caption, file.Number());
                break;
            }
        } else if (slot.rule == Rule::kResuming) {
            parameterOK = true;
        } else if (slot.rule == Rule::kStartPoint) {
            *slot.real = kMissingStart;
        }
    }
    return report;
}

std::string WriteParameterText(const TFractalRec& v, const Effects& effects, const DensitySettings& density,
                               char decimalSeparator) {
    return WriteParameterText(v, effects, decimalSeparator) +
           WriteDensityLines(density, FileSeparator(decimalSeparator));
}

ParameterReadReport ReadParameterText(std::string_view fileText, std::string_view caption,
                                      char decimalSeparator, TFractalRec& v, Effects& effects,
                                      DensitySettings& density, const std::filesystem::path& folder) {
    ParameterReadReport report = ReadParameterText(fileText, caption, decimalSeparator, v, effects);
    if (report.Failed()) return report;
    LineReader file(fileText);
    for (int line = 0; line < kParameterLineCount; ++line) file.Next();
    if (const std::optional<int> unread =
            ReadDensityLines(file, FileSeparator(decimalSeparator), folder, density))
        EndWithError(report, caption, *unread);
    return report;
}

void RoundAsWritten(TFractalRec& v, Effects& effects) {
    // The text was just written in full: its report is empty.
    [[maybe_unused]] const ParameterReadReport report =
        ReadParameterText(WriteParameterText(v, effects, '.'), {}, '.', v, effects);
}

Result<std::string> ReadParameterFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure("Cannot open the parameter file " + Quoted(path) + ": " + SystemReason());
    std::string text;
    int lineEnds = 0;
    std::size_t lineBytes = 0;  // of the line being read, a CR included
    // A line one byte longer than a CR LF line may be is enough for the
    // reader to refuse; what follows it is never read.
    for (char c = 0; lineEnds < kParameterLineCount + kMostExtraLines &&
                     lineBytes <= kLongestParameterLine + 1 && in.get(c);) {
        text += c;
        if (c == '\n') {
            ++lineEnds;
            lineBytes = 0;
        } else {
            ++lineBytes;
        }
    }
    if (in.bad()) return Failure("Cannot read the parameter file " + Quoted(path) + ": " + SystemReason());
    return text;
}

Result<> WriteParameterFile(const std::filesystem::path& path, std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (const Result<> written = WriteFileAtomically(path, std::span(bytes, text.size())); !written)
        return Failure("Cannot write the parameter file " + Quoted(path) + ": " + written.error());
    return {};
}

}  // namespace zephyrin
