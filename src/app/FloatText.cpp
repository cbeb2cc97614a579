// Locale-independent float text for dialog fields.
#include "app/FloatText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace tessary {

std::string FormatFloat(float value) {
  // Six significant digits of the value as a double, exactly what "%.6g" prints in the C
  // locale; to_chars never consults the locale.
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                    std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// sign? (digits ('.' digits?)? | '.' digits) (('e'|'E') sign? digits)?
bool IsDecimalNumber(std::string_view t) {
  std::size_t i = 0;
  auto digits = [&] {
    const std::size_t start = i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    return i - start;
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t mantissaDigits = digits();
  if (i < t.size() && t[i] == '.') {
    ++i;
    mantissaDigits += digits();
  }
  if (mantissaDigits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == t.size();
}

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

std::optional<float> ParseFloat(std::string_view text) {
  text = TrimBlanks(text);
  // The grammar is checked first: strtod alone would also take hexadecimal, "inf" and "nan".
  if (!IsDecimalNumber(text) || CLocale() == static_cast<locale_t>(nullptr)) return std::nullopt;
  const std::string copy(text);
  // Overflow gives HUGE_VAL and is refused below; underflow gives (nearly) zero, which is
  // as close as a float gets to the number typed.
  const double value = strtod_l(copy.c_str(), nullptr, CLocale());
  if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

bool ParseWholeNumber(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseFiniteNumber(std::string_view text, double& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace tessary
