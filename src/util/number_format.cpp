#include "util/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace zephyrin {
namespace {

constexpr int kSignificantDigits = 15;
// The largest double rounds to 1.79769313486232E308, beyond the range, so no
// reader would take it back; the largest 15-digit text below it stands in.
constexpr double kLargestWritten = 1.79769313486231e308;
// The general format switches to scientific notation below this decimal
// exponent of the leading digit (magnitudes under 0.00001).
constexpr int kSmallestFixedExponent = -5;

std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Blanks and tabs around a number are what hand-edited lines and pasted
// values often carry.
std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// from_chars takes no plus sign; a single one is accepted here, but not one
// followed by a minus.
bool StripPlusSign(std::string_view& text) {
    if (text.empty() || text.front() != '+') return true;
    text.remove_prefix(1);
    return text.empty() || text.front() != '-';
}

}  // namespace

std::string FloatToStr(double value, char decimalSeparator) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    value = std::clamp(value, -kLargestWritten, kLargestWritten);

    // "d.dddddddddddddde-xx": the magnitude correctly rounded to 15 digits.
    char buffer[32];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer, converted.ptr - buffer);
    const std::size_t ePos = scientific.find('e');

    std::string digits(1, scientific[0]);
    digits.append(scientific.substr(2, ePos - 2));
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string_view exponentText = scientific.substr(ePos + 1);
    StripPlusSign(exponentText);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    std::string result = value < 0 ? "-" : "";
    if (exponent < kSmallestFixedExponent || exponent >= kSignificantDigits) {
        result += digits[0];
        if (digits.size() > 1) {
            result += decimalSeparator;
            result.append(digits, 1);
        }
        result += 'E';
        result += IntToStr(exponent);
    } else if (exponent < 0) {
        result += '0';
        result += decimalSeparator;
        result.append(static_cast<std::size_t>(-exponent - 1), '0');
        result += digits;
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            result += digits;
            result.append(integerDigits - digits.size(), '0');
        } else {
            result.append(digits, 0, integerDigits);
            result += decimalSeparator;
            result.append(digits, integerDigits);
        }
    }
    return result;
}

std::optional<double> StrToFloat(std::string_view text, char decimalSeparator) {
    std::string normalized(TrimBlanks(text));
    if (decimalSeparator != '.') {
        if (normalized.find('.') != std::string::npos) return std::nullopt;
        std::replace(normalized.begin(), normalized.end(), decimalSeparator, '.');
    }
    std::string_view body = normalized;
    if (body.empty() || !StripPlusSign(body)) return std::nullopt;

    double value = 0;
    const char* end = body.data() + body.size();
    const auto parsed = std::from_chars(body.data(), end, value, std::chars_format::general);
    if (parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string IntToStr(std::int32_t value) {
    char buffer[16];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, converted.ptr);
}

std::optional<std::int32_t> StrToInt(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || !StripPlusSign(text)) return std::nullopt;
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, value);
    if (parsed.ec != std::errc() || parsed.ptr != end) return std::nullopt;
    return value;
}

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    decimals = std::max(decimals, 0);

    // Room for the largest double's integer digits, sign, point and fraction.
    std::string result(std::numeric_limits<double>::max_exponent10 + 4 + static_cast<std::size_t>(decimals),
                       '\0');
    const auto converted = std::to_chars(result.data(), result.data() + result.size(), value,
                                         std::chars_format::fixed, decimals);
    result.resize(static_cast<std::size_t>(converted.ptr - result.data()));

    if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos) result.erase(0, 1);
    std::replace(result.begin(), result.end(), '.', decimalSeparator);
    return result;
}

}  // namespace zephyrin
