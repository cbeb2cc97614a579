// Numbers as text, independent of the user's locale so that "1.5" means the same
// everywhere: a float in a dialog field shown with up to six significant digits and read
// back, and the whole numbers and decimals of the command line, the settings file and the
// animation file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessary {

// The shortest "%g"-style text with at most six significant digits: 2 -> "2",
// 0.1f -> "0.1", 1234567 -> "1.23457e+06", -0 -> "-0".
std::string FormatFloat(float value);

// The value of a text that is one decimal number, optionally surrounded by blanks: an
// optional sign, digits with an optional '.', an optional exponent. Anything else (letters,
// a decimal comma, hexadecimal, "inf", a number too large for a float, an empty text) gives
// no value.
std::optional<float> ParseFloat(std::string_view text);

// Whether the whole text is one number: an optional '-' and digits for a whole number that
// fits an int; a finite decimal (from_chars' rules: no blanks, no '+') for the other.
// value is set on success.
bool ParseWholeNumber(std::string_view text, int& value);
bool ParseFiniteNumber(std::string_view text, double& value);

}  // namespace tessary
