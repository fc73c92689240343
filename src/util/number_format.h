#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zephyrin {

// Number texts as the program shows and stores them. Nothing here depends on
// the process locale: the caller passes the decimal separator it wants.

// General format with up to 15 significant digits: the shortest text of the
// value rounded to 15 digits, no trailing zeros, no thousands separators, the
// separator only when there is a fraction. Fixed notation unless the rounded
// magnitude is below 0.00001 or has more than 15 integer digits; then
// "1.5E-7" / "-2E20" (no exponent sign for positive, no leading zeros).
// Magnitudes that would round beyond the double range are written as the
// largest that does not, 1.79769313486231E308, so that StrToFloat takes every
// finite value's text back. Non-finite values give "NAN", "INF" and "-INF",
// which StrToFloat rejects.
std::string FloatToStr(double value, char decimalSeparator);

// The text must be one finite decimal number written with `decimalSeparator`
// (optional sign, optional exponent "E"/"e"), with any blanks and tabs before
// and after it; anything else, including infinities, NaN and values beyond
// the double range, gives nothing.
std::optional<double> StrToFloat(std::string_view text, char decimalSeparator);

std::string IntToStr(std::int32_t value);

// The text must be a decimal integer within the int32 range, with an
// optional sign and any blanks and tabs before and after it.
std::optional<std::int32_t> StrToInt(std::string_view text);

// Fixed notation with exactly `decimals` digits after the separator (none and
// no separator for 0; negative counts as 0), rounded to nearest, for example
// FormatFixed(-0.5, 2, '.') == "-0.50". A value that rounds to zero carries
// no minus sign. Non-finite values give "NAN", "INF" and "-INF".
std::string FormatFixed(double value, int decimals, char decimalSeparator);

}  // namespace zephyrin
