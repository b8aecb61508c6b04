#include "calculator/ParseLeadingNumber.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

namespace spirex {

namespace {

constexpr bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

constexpr bool IsDropped(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n';
}

// Exponents are read with saturation: anything past this bound is out of a double's range anyway,
// whatever the mantissa, and the bound keeps the arithmetic far from overflow.
constexpr long kExponentBound = 100'000'000;

// The decimal order of magnitude of digits `whole`.`fraction` times ten to `exponent`, counted from
// the first non-zero digit. Only its sign is used: it tells an overflow from an underflow.
long OrderOfMagnitude(std::string_view whole, std::string_view fraction, long exponent) {
    const auto firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        return static_cast<long>(whole.size() - firstWhole) - 1 + exponent;
    }
    const auto firstFraction = fraction.find_first_not_of('0');
    if (firstFraction == std::string_view::npos) {
        return -1; // zero: never out of range, but read it as an underflow if it were
    }
    return -static_cast<long>(firstFraction) - 1 + exponent;
}

} // namespace

double ParseLeadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(s),
                 [](char c) { return !IsDropped(c); });

    std::size_t i = 0;
    const auto skipDigits = [&] {
        const std::size_t begin = i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
        }
        return std::string_view(s).substr(begin, i - begin);
    };

    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::string_view whole = skipDigits();
    std::string_view fraction;
    if (i < s.size() && s[i] == '.') {
        ++i;
        fraction = skipDigits();
    }
    if (whole.empty() && fraction.empty()) {
        return 0.0;
    }

    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponentNegative = s[j] == '-';
            ++j;
        }
        // Without a digit the letter is not part of the number: "1e" and "1e+" read 1.
        while (j < s.size() && IsDigit(s[j])) {
            exponent = std::min(exponent * 10 + (s[j] - '0'), kExponentBound);
            ++j;
        }
        if (exponentNegative) {
            exponent = -exponent;
        }
    }

    // A canonical form that std::from_chars reads the same in every locale.
    std::string canonical;
    canonical.reserve(whole.size() + fraction.size() + 16);
    canonical.append(whole.empty() ? std::string_view("0") : whole);
    canonical.push_back('.');
    canonical.append(fraction.empty() ? std::string_view("0") : fraction);
    canonical.push_back('e');
    canonical.append(std::to_string(exponent));

    // from_chars leaves the value as it was when it reports an error.
    double magnitude = 0.0;
    if (std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude).ec ==
        std::errc::result_out_of_range) {
        magnitude = OrderOfMagnitude(whole, fraction, exponent) > 0
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace spirex
