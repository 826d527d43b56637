#pragma once
// Number texts of the decoder's labels: plain integers and fixed-point
// values right-aligned in a field.

#include <cstdint>
#include <string>

namespace platform {

// Decimal digits, "-" before a negative value, nothing else.
std::string integer_text(std::int64_t value);

// `value` with `decimals` digits after a "." and blanks on the left up to
// `width` characters; a longer text is never cut. The magnitude is first
// rounded to 18 significant digits (17 decimals below 1), which turns the
// extended-precision product of a count and a scale such as 0.001L back into
// the exact decimal quotient, and then to `decimals` digits, halves up.
// A negative value keeps its "-" even when every digit shown is 0
// (-0.04 at one decimal is "-0.0"); a negative zero is shown as zero.
// NaN and infinities give "NAN", "INF" and "-INF".
std::string fixed_point_text(long double value, int width, int decimals);

}  // namespace platform
