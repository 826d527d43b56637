#include "platform/runtime/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

namespace platform {

namespace {

// A non-negative decimal number as its digits, the first `point` of them
// before the decimal point. The integer part has no leading zeros, except
// the single "0" of a value below 1.
struct Decimal {
  std::string digits;
  std::size_t point = 0;
};

// The exact decimal expansion of a non-negative finite value. A binary
// fraction with k fractional bits has exactly k decimals, and the C library
// (glibc) prints every digit it is asked for exactly, so nothing is rounded
// here. Its decimal separator follows LC_NUMERIC and is skipped.
Decimal exact_decimal(long double magnitude) {
  int exponent = 0;
  std::frexp(magnitude, &exponent);
  const int decimals = exponent < LDBL_MANT_DIG ? LDBL_MANT_DIG - exponent : 0;
  // A value below 2^exponent has at most exponent * log10(2) + 1 integer digits.
  const int integer_digits = exponent > 0 ? exponent * 30103 / 100000 + 2 : 1;
  std::string text(static_cast<std::size_t>(integer_digits + decimals) + 3, '\0');
  int length = std::snprintf(text.data(), text.size(), "%.*Lf", decimals, magnitude);
  if (length >= static_cast<int>(text.size())) {
    text.resize(static_cast<std::size_t>(length) + 1);
    length = std::snprintf(text.data(), text.size(), "%.*Lf", decimals, magnitude);
  }
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);

  // The integer digits, the locale's decimal separator, the decimals.
  Decimal result;
  result.digits.reserve(text.size());
  for (char c : text) {
    if (c >= '0' && c <= '9') result.digits.push_back(c);
    else if (result.point == 0) result.point = result.digits.size();
  }
  if (result.point == 0) result.point = result.digits.size();
  return result;
}

// Keeps the first `keep` digits, rounding half up on the digit after them;
// integer digits that are dropped become zeros.
void round_half_up(Decimal& number, std::size_t keep) {
  auto& digits = number.digits;
  if (keep >= digits.size()) return;
  const bool up = digits[keep] >= '5';
  digits.resize(keep > number.point ? keep : number.point, '0');
  for (std::size_t i = keep; i < digits.size(); ++i) digits[i] = '0';
  if (!up) return;
  std::size_t i = keep;
  while (i > 0) {
    --i;
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  ++number.point;
}

std::string right_aligned(std::string text, int width) {
  if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  }
  return text;
}

constexpr std::size_t kSignificantDigits = 18;

}  // namespace

std::string integer_text(std::int64_t value) { return std::to_string(value); }

std::string fixed_point_text(long double value, int width, int decimals) {
  if (std::isnan(value)) return right_aligned("NAN", width);
  if (std::isinf(value)) return right_aligned(value < 0 ? "-INF" : "INF", width);
  if (decimals < 0) decimals = 0;

  Decimal number = exact_decimal(std::fabs(value));
  // With the "0" before the point of a value below 1, the first 18 digits
  // are 18 significant digits or, below 1, 17 decimals.
  round_half_up(number, kSignificantDigits);
  const std::size_t wanted = static_cast<std::size_t>(decimals);
  round_half_up(number, number.point + wanted);

  std::string text;
  if (value < 0) text.push_back('-');
  text.append(number.digits, 0, number.point);
  if (wanted > 0) {
    std::string fraction = number.digits.substr(number.point, wanted);
    fraction.resize(wanted, '0');
    text.push_back('.');
    text.append(fraction);
  }
  return right_aligned(std::move(text), width);
}

}  // namespace platform
