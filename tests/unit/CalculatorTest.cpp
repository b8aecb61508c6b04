// The calculator library: the number reader, and the two operations on a window without widgets.
#include "calculator/Calculator.h"

#include "calculator/ParseLeadingNumber.h"
#include "support/FakeControls.h"
#include "support/RowName.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace spirex {
namespace {

using spirex::testing::operator<<;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Reading {
    const char* name;
    std::string text;
    double value;
};

class ParseLeadingNumberReads : public ::testing::TestWithParam<Reading> {};

TEST_P(ParseLeadingNumberReads, Value) {
    const double got = ParseLeadingNumber(GetParam().text);
    EXPECT_EQ(got, GetParam().value);
    EXPECT_EQ(std::signbit(got), std::signbit(GetParam().value));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Numbers, ParseLeadingNumberReads, ::testing::Values(
    Reading{"Decimal", "0.75", 0.75}, Reading{"LeadingPoint", ".5", 0.5}, Reading{"TrailingPoint", "5.", 5},
    Reading{"PlusSign", "+4", 4}, Reading{"MinusSign", "-3", -3}, Reading{"NegativeZero", "-0", -0.0},
    Reading{"Exponent", "25e-1", 2.5}, Reading{"UpperCaseExponent", "2.5E+2", 250},
    Reading{"BlanksTabsLineFeedsDropped", " 1\t0\n5", 105}, Reading{"BlankInsideExponent", "1 e 2", 100},
    Reading{"CorrectlyRounded", "0.1", 0.1}, Reading{"SubnormalIsKept", "1e-310", 1e-310},
    Reading{"SmallestNormal", "2.2250738585072014e-308", 2.2250738585072014e-308},
    // Text after the number
    Reading{"CommaIsNotADecimalPoint", "2,5", 2}, Reading{"Unit", "5 mH", 5}, Reading{"SecondPoint", "1.2.3", 1.2},
    Reading{"ExponentWithoutDigits", "1e", 1}, Reading{"ExponentSignWithoutDigits", "1e+", 1},
    Reading{"SecondExponentLetter", "1d2", 1}, Reading{"HexadecimalPrefix", "0x10", 0},
    Reading{"CarriageReturn", "1\r2", 1}, Reading{"NonBreakingSpace", "1\xC2\xA0" "5", 1},
    // No number
    Reading{"Empty", "", 0}, Reading{"LonePoint", ".", 0}, Reading{"LoneSign", "+", 0}, Reading{"LoneExponent", "e5", 0},
    Reading{"PointThenExponent", ".e5", 0}, Reading{"VisualBasicHexPrefix", "&H10", 0},
    Reading{"DoubleSign", "--1", 0}, Reading{"EmbeddedNul", std::string("\0" "1", 2), 0},
    // Out of range
    Reading{"Overflow", "1e400", kInf}, Reading{"NegativeOverflow", "-1e400", -kInf},
    Reading{"OverflowByDigits", std::string(400, '9'), kInf},
    Reading{"OverflowByHugeExponent", "1e99999999999999999999999", kInf},
    Reading{"NegativeUnderflow", "-1e-400", -0.0}, Reading{"UnderflowByHugeExponent", "1e-99999999999999999999999", 0},
    Reading{"ZeroWithHugeExponent", "0e99999999999999", 0},
    Reading{"LeadingZerosDoNotOverflow", "0.0000000001e310", 1e300},
    Reading{"ManyFractionDigitsDoNotUnderflow", "0." + std::string(400, '0') + "1e402", 10},
    Reading{"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308}),
    ::testing::PrintToStringParamName());
// clang-format on

using Log = std::vector<std::string>;

// The calculator and the window it writes to, driven as the two buttons drive them.
struct Session {
    CalcState state;
    testing::FakeControls window;

    // Puts `text` in the list (for SelectCore) or the box (for CalculateTurns), presses the
    // button and returns what it did to the window, in order.
    Log Press(void (*button)(CalcState&, ControlOperations&), const std::string& text) {
        (button == SelectCore ? window.list : window.input) = text;
        window.log.clear();
        button(state, window);
        return window.log;
    }
};

// What choosing a core shows; no unit leaves the prompt as it was.
Log Shows(const std::string& core, const std::string& material, const std::string& range,
          const std::string& unit) {
    Log log{"Label1=", "input=", "Label8=" + core, "Label5=Nucleo: " + material,
            "Label7=Freq: " + range};
    if (!unit.empty()) {
        log.push_back("Label3=Inserire valore " + unit + " Henry");
    }
    log.emplace_back("focus");
    return log;
}

// Cores chosen in turn, each followed by a result that a refusal leaves in place; then, when a
// text is given, that text typed and the turns button pressed. The last press shows `shown`.
struct Row {
    const char* name;
    std::vector<std::string> cores;
    std::optional<std::string> typed;
    Log shown;
};

class Presses : public ::testing::TestWithParam<Row> {};

TEST_P(Presses, ShowTheCoreAndItsUnitTheTurnsOrARefusal) {
    const Row& row = GetParam();
    Session s;
    Log shown;
    for (const std::string& core : row.cores) {
        shown = s.Press(SelectCore, core);
        s.Press(CalculateTurns, "10");
    }
    EXPECT_EQ(row.typed ? s.Press(CalculateTurns, *row.typed) : shown, row.shown);
}

const Log kChoose{"beep", "Label7=Scegliere il nucleo ed inserire l'induttanza", "input="};
const Log kTooLarge{"beep", "Label7=Induttanza troppo grande per il nucleo", "input="};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cores, Presses, ::testing::Values(
    Row{"IronPowderAsksForMicrohenry", {"T37.2"}, {}, Shows("T37.2", "Rosso", "da 2 MHz a 30 MHz", "micro")},
    Row{"AnotherCoreReplacesEveryField", {"T12.1", "FT23.68"}, {}, Shows("FT23.68", "Ferrite 68", "da 80 MHz a 180 MHz", "milli")},
    Row{"NothingChosenYet", {""}, {}, Shows("", "", "", "")},
    Row{"UnknownTextKeepsTheCore", {"T37.2", "t37.2"}, {}, Shows("t37.2", "Rosso", "da 2 MHz a 30 MHz", "")},
    Row{"TrailingBlankIsAnotherText", {"T37.2", "T37.2 "}, {}, Shows("T37.2 ", "Rosso", "da 2 MHz a 30 MHz", "micro")},
    Row{"SizeAloneIsNoCore", {"FT23.68", "T37"}, {}, Shows("T37", "Ferrite 68", "da 80 MHz a 180 MHz", "micro")},
    Row{"FirstLetterAloneSetsTheUnit", {"T37.2", "Fx"}, {}, Shows("Fx", "Rosso", "da 2 MHz a 30 MHz", "milli")}),
    ::testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(Inputs, Presses, ::testing::Values(
    Row{"TypicalUse", {"T37.2"}, "10", {"Label1=50"}}, Row{"Ferrite", {"FT37.43"}, "1", {"Label1=49"}},
    Row{"HalfRoundsDownToEven", {"T12.1"}, "0.75", {"Label1=12"}}, Row{"HalfRoundsUpToEven", {"T12.1"}, "6.75", {"Label1=38"}},
    Row{"SmallRoundsToZero", {"T12.1"}, "0.0001", {"Label1=0"}}, Row{"ZeroOnceSingle", {"T12.1"}, "1e-50", {"Label1=0"}},
    Row{"UnknownTextKeepsTheCore", {"T37.2", "t37.2"}, "10", {"Label1=50"}},
    Row{"LargestOnFerrite", {"FT23.68"}, "4294.8", {"Label1=32767"}}, Row{"LargestOnIron", {"T12.0"}, "322112", {"Label1=32767"}},
    Row{"LargestOnTheLargestAl", {"T400A.26"}, "2.7916e8", {"Label1=32767"}},
    // Regression row: in single precision the quotient and root give 102.
    Row{"QuotientAndRootInDouble", {"T12.1"}, "50.43", {"Label1=103"}},
    // Refusals; what the number reader makes of the text is its own table's.
    Row{"Zero", {"T12.1"}, "0", kChoose}, Row{"Negative", {"T12.1"}, "-3", kChoose}, Row{"Letters", {"T12.1"}, "abc", kChoose},
    Row{"CoreButtonPressedWithNothingChosen", {""}, "10", kChoose},
    // Regression rows: what cannot be held is refused, never wrapped; a value of no use is
    // refused as such, however large.
    Row{"TurnsBeyond16BitsOnFerrite", {"FT23.68"}, "4295", kTooLarge},
    Row{"TurnsBeyond16BitsOnIron", {"T12.0"}, "322113", kTooLarge},
    Row{"TurnsBeyond16BitsOnTheLargestAl", {"T400A.26"}, "2.79165e8", kTooLarge},
    Row{"LargestSingle", {"T12.1"}, "3.4e38", kTooLarge}, Row{"BeyondSingle", {"T12.1"}, "3.5e38", kTooLarge},
    Row{"BeyondDouble", {"T12.1"}, "1e400", kTooLarge}, Row{"HugeWithoutACore", {}, "1e400", kChoose},
    Row{"HugeAndNegative", {"T12.1"}, "-1e400", kChoose}),
    ::testing::PrintToStringParamName());
// clang-format on

} // namespace
} // namespace spirex
