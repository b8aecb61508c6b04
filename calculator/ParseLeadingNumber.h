#pragma once

#include <string_view>

namespace spirex {

// Reads the longest leading number of `text`, ignoring what follows it.
//
// Blanks, tabs and line feeds are dropped first, wherever they stand. The number is an optional
// sign, digits with at most one full stop as the decimal point, and an optional exponent: E or e,
// an optional sign and digits. The full stop is the only decimal separator whatever the locale,
// so "2,5" reads 2. A text with no digit before the exponent reads 0 ("", ".", "e5"), an exponent
// without digits is not part of the number ("1e" reads 1), a value beyond the range of a double
// reads as infinity and one too small for a double reads 0.
[[nodiscard]] double ParseLeadingNumber(std::string_view text);

} // namespace spirex
