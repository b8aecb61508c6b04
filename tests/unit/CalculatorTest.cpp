// The calculator library: the number reader, and the two operations on a window without widgets.
#include "calculator/Calculator.h"

#include "calculator/ParseLeadingNumber.h"
#include "support/FakeControls.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace spirex {
namespace {

// Names each row of a table of cases after its first field.
constexpr auto kRowName = [](const auto& row) { return std::string(row.param.name); };

struct Reading {
    const char* name;
    std::string text;
    double value;
};

class ParseLeadingNumberReads : public ::testing::TestWithParam<Reading> {};

TEST_P(ParseLeadingNumberReads, Value) {
    EXPECT_EQ(ParseLeadingNumber(GetParam().text), GetParam().value);
}

// Only whether a reading is positive, and how large, reaches the user: a negative zero, or a
// negative value out of range, is refused as any other value that is not positive.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Numbers, ParseLeadingNumberReads, ::testing::ValuesIn(std::vector<Reading>{
    {"Decimal", "0.75", 0.75}, {"LeadingPoint", ".5", 0.5}, {"TrailingPoint", "5.", 5}, {"PlusSign", "+4", 4},
    {"MinusSign", "-3", -3}, {"Exponent", "25e-1", 2.5}, {"UpperCaseExponent", "2.5E+2", 250},
    {"BlanksTabsLineFeedsDropped", " 1\t0\n5", 105}, {"BlankInsideExponent", "1 e 2", 100},
    {"CorrectlyRounded", "0.1", 0.1}, {"SmallestNormal", "2.2250738585072014e-308", 2.2250738585072014e-308},
    // Text after the number
    {"CommaIsNotADecimalPoint", "2,5", 2}, {"Unit", "5 mH", 5}, {"SecondPoint", "1.2.3", 1.2},
    {"ExponentWithoutDigits", "1e", 1}, {"ExponentSignWithoutDigits", "1e+", 1}, {"SecondExponentLetter", "1d2", 1},
    {"HexadecimalPrefix", "0x10", 0}, {"CarriageReturn", "1\r2", 1}, {"NonBreakingSpace", "1\xC2\xA0" "5", 1},
    // No number
    {"Empty", "", 0}, {"LonePoint", ".", 0}, {"LoneSign", "+", 0}, {"LoneExponent", "e5", 0},
    {"VisualBasicHexPrefix", "&H10", 0}, {"DoubleSign", "--1", 0}, {"EmbeddedNul", std::string("\0" "1", 2), 0},
    // Out of range, and what only looks so
    {"OverflowByDigits", std::string(400, '9'), HUGE_VAL}, {"OverflowByHugeExponent", "1e99999999999999999999999", HUGE_VAL},
    {"UnderflowByHugeExponent", "1e-99999999999999999999999", 0}, {"ZeroWithHugeExponent", "0e99999999999999", 0},
    {"LeadingZerosDoNotOverflow", "0.0000000001e310", 1e300}, {"SubnormalIsKept", "1e-310", 1e-310},
    {"ManyFractionDigitsDoNotUnderflow", "0." + std::string(400, '0') + "1e402", 10}}),
    kRowName);
// clang-format on

using testing::Log;

// What choosing a core shows and announces; no unit leaves the prompt as it was.
Log Shows(const std::string& core, const std::string& material, const std::string& range,
          const std::string& unit, const std::string& announced) {
    Log log{"Label1=", "input=", "Label8=" + core, "Label5=Nucleo: " + material,
            "Label7=Freq: " + range};
    if (!unit.empty()) {
        log.push_back("Label3=Inserire valore " + unit + " Henry");
    }
    log.insert(log.end(), {"focus", "polite=" + announced});
    return log;
}
Log Turns(const std::string& turns) {
    return {"Label1=" + turns, "polite=Numero di spire: " + turns};
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
    testing::FakeControls window;
    Log shown;
    for (const std::string& core : row.cores) {
        shown = window.Press(SelectCore, core);
        window.Press(CalculateTurns, "10");
    }
    EXPECT_EQ(row.typed ? window.Press(CalculateTurns, *row.typed) : shown, row.shown);
}

const Log kChoose{"beep", "Label7=Scegliere il nucleo ed inserire l'induttanza",
                  "input=", "assertive=Scegliere il nucleo ed inserire l'induttanza"};
const Log kTooLarge{"beep", "Label7=Induttanza troppo grande per il nucleo",
                    "input=", "assertive=Induttanza troppo grande per il nucleo"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cores, Presses, ::testing::ValuesIn(std::vector<Row>{
    {"AnotherCoreReplacesEveryField", {"T12.1", "FT23.68"}, {}, Shows("FT23.68", "Ferrite 68", "da 80 MHz a 180 MHz", "milli",
        "Nucleo: Ferrite 68. Freq: da 80 MHz a 180 MHz. Inserire valore milli Henry")},
    {"NothingChosenYet", {""}, {}, Shows("", "", "", "", "Nucleo:. Freq:")},
    {"UnknownTextKeepsTheCore", {"T37.2", "t37.2"}, {}, Shows("t37.2", "Rosso", "da 2 MHz a 30 MHz", "",
        "Nucleo: Rosso. Freq: da 2 MHz a 30 MHz")},
    // The iron-powder core's own fields and unit, shown again for a text that names no core.
    {"TrailingBlankIsAnotherText", {"T37.2", "T37.2 "}, {}, Shows("T37.2 ", "Rosso", "da 2 MHz a 30 MHz", "micro",
        "Nucleo: Rosso. Freq: da 2 MHz a 30 MHz. Inserire valore micro Henry")},
    {"SizeAloneIsNoCore", {"FT23.68", "T37"}, {}, Shows("T37", "Ferrite 68", "da 80 MHz a 180 MHz", "micro",
        "Nucleo: Ferrite 68. Freq: da 80 MHz a 180 MHz. Inserire valore micro Henry")},
    {"FirstLetterAloneSetsTheUnit", {"T37.2", "Fx"}, {}, Shows("Fx", "Rosso", "da 2 MHz a 30 MHz", "milli",
        "Nucleo: Rosso. Freq: da 2 MHz a 30 MHz. Inserire valore milli Henry")}}),
    kRowName);

INSTANTIATE_TEST_SUITE_P(Inputs, Presses, ::testing::ValuesIn(std::vector<Row>{
    {"TypicalUse", {"T37.2"}, "10", Turns("50")}, {"Ferrite", {"FT37.43"}, "1", Turns("49")},
    {"HalfRoundsDownToEven", {"T12.1"}, "0.75", Turns("12")}, {"HalfRoundsUpToEven", {"T12.1"}, "6.75", Turns("38")},
    {"ZeroOnceSingle", {"T12.1"}, "1e-50", Turns("0")}, {"UnknownTextKeepsTheCore", {"T37.2", "t37.2"}, "10", Turns("50")},
    {"LargestOnFerrite", {"FT23.68"}, "4294.8", Turns("32767")},
    {"LargestOnTheLargestAl", {"T400A.26"}, "2.7916e8", Turns("32767")},
    // Regression row: in single precision the quotient and root give 102.
    {"QuotientAndRootInDouble", {"T12.1"}, "50.43", Turns("103")},
    // Refusals; what the number reader makes of the text is its own table's.
    {"Zero", {"T12.1"}, "0", kChoose}, {"Negative", {"T12.1"}, "-3", kChoose}, {"NothingChosen", {""}, "10", kChoose},
    // Regression rows: what cannot be held is refused, never wrapped; a value of no use is
    // refused as such, however large.
    {"TurnsBeyond16BitsOnFerrite", {"FT23.68"}, "4295", kTooLarge},
    {"TurnsBeyond16BitsOnTheLargestAl", {"T400A.26"}, "2.79165e8", kTooLarge},
    {"BeyondSingle", {"T12.1"}, "3.5e38", kTooLarge}, {"BeyondDouble", {"T12.1"}, "1e400", kTooLarge},
    {"HugeWithoutACore", {}, "1e400", kChoose}, {"HugeAndNegative", {"T12.1"}, "-1e400", kChoose}}),
    kRowName);
// clang-format on

} // namespace
} // namespace spirex
