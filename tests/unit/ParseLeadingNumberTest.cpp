#include "calculator/ParseLeadingNumber.h"

#include "support/RowName.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace spirex {
namespace {

using spirex::testing::operator<<;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Row {
    const char* name;
    std::string text;
    double value;
};

class ParseLeadingNumberReads : public ::testing::TestWithParam<Row> {};

TEST_P(ParseLeadingNumberReads, Value) {
    const double got = ParseLeadingNumber(GetParam().text);
    EXPECT_EQ(got, GetParam().value);
    EXPECT_EQ(std::signbit(got), std::signbit(GetParam().value));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Numbers, ParseLeadingNumberReads, ::testing::Values(
    Row{"Decimal", "0.75", 0.75}, Row{"LeadingPoint", ".5", 0.5}, Row{"TrailingPoint", "5.", 5},
    Row{"PlusSign", "+4", 4}, Row{"MinusSign", "-3", -3}, Row{"NegativeZero", "-0", -0.0},
    Row{"Exponent", "25e-1", 2.5}, Row{"UpperCaseExponent", "2.5E+2", 250},
    Row{"BlanksTabsLineFeedsDropped", " 1\t0\n5", 105}, Row{"BlankInsideExponent", "1 e 2", 100},
    Row{"CorrectlyRounded", "0.1", 0.1}, Row{"SubnormalIsKept", "1e-310", 1e-310},
    Row{"SmallestNormal", "2.2250738585072014e-308", 2.2250738585072014e-308},
    // Text after the number
    Row{"CommaIsNotADecimalPoint", "2,5", 2}, Row{"Unit", "5 mH", 5}, Row{"SecondPoint", "1.2.3", 1.2},
    Row{"ExponentWithoutDigits", "1e", 1}, Row{"ExponentSignWithoutDigits", "1e+", 1},
    Row{"SecondExponentLetter", "1d2", 1}, Row{"HexadecimalPrefix", "0x10", 0},
    Row{"CarriageReturn", "1\r2", 1}, Row{"NonBreakingSpace", "1\xC2\xA0" "5", 1},
    // No number
    Row{"Empty", "", 0}, Row{"LonePoint", ".", 0}, Row{"LoneSign", "+", 0}, Row{"LoneExponent", "e5", 0},
    Row{"PointThenExponent", ".e5", 0}, Row{"VisualBasicHexPrefix", "&H10", 0},
    Row{"DoubleSign", "--1", 0}, Row{"EmbeddedNul", std::string("\0" "1", 2), 0},
    // Out of range
    Row{"Overflow", "1e400", kInf}, Row{"NegativeOverflow", "-1e400", -kInf},
    Row{"OverflowByDigits", std::string(400, '9'), kInf},
    Row{"OverflowByHugeExponent", "1e99999999999999999999999", kInf},
    Row{"NegativeUnderflow", "-1e-400", -0.0}, Row{"UnderflowByHugeExponent", "1e-99999999999999999999999", 0},
    Row{"ZeroWithHugeExponent", "0e99999999999999", 0},
    Row{"LeadingZerosDoNotOverflow", "0.0000000001e310", 1e300},
    Row{"ManyFractionDigitsDoNotUnderflow", "0." + std::string(400, '0') + "1e402", 10},
    Row{"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308}),
    ::testing::PrintToStringParamName());
// clang-format on

} // namespace
} // namespace spirex
