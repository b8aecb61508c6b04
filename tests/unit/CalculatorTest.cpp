#include "calculator/Calculator.h"

#include "support/FakeControls.h"
#include "support/RowName.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace spirex {
namespace {

using spirex::testing::operator<<;

using testing::FakeControls;

// A window whose user has chosen `designation` and pressed the core button.
struct Session {
    CalcState state;
    FakeControls window;

    void Choose(std::string designation) {
        window.list = std::move(designation);
        SelectCore(state, window);
    }
    void Enter(std::string text) {
        window.input = std::move(text);
        window.log.clear();
        CalculateTurns(state, window);
    }
};

// --- Core selection --------------------------------------------------------------------------

struct SelectRow {
    const char* name;
    std::string designation;
    float alValue;
    int turnsScale;
    std::string label5;
    std::string label7;
    std::string label3;
};

class SelectCoreShows : public ::testing::TestWithParam<SelectRow> {};

TEST_P(SelectCoreShows, CoreFieldsAndCaptions) {
    const SelectRow& row = GetParam();
    Session s;
    s.window.input = "stale";
    s.Choose(row.designation);

    EXPECT_EQ(s.state.designation, row.designation);
    EXPECT_EQ(s.state.alValue, row.alValue);
    EXPECT_EQ(s.state.turnsScale, row.turnsScale);
    EXPECT_EQ("Nucleo: " + s.state.materialLabel, row.label5);
    EXPECT_EQ("Freq: " + s.state.frequencyRange, row.label7);
    EXPECT_EQ(s.state.firstLetter, row.designation.substr(0, 1));

    const std::vector<std::string> expected{"Label1=",
                                            "input=",
                                            "Label8=" + row.designation,
                                            "Label5=" + row.label5,
                                            "Label7=" + row.label7,
                                            "Label3=" + row.label3,
                                            "focus"};
    EXPECT_EQ(s.window.log, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cores, SelectCoreShows,
    ::testing::Values(
        SelectRow{"IronPowderAsksForMicrohenry", "T37.2", 40, 100, "Nucleo: Rosso",
                  "Freq: da 2 MHz a 30 MHz", "Inserire valore micro Henry"},
        SelectRow{"FerriteAsksForMillihenry", "FT82.43", 557, 1000, "Nucleo: Ferrite 43",
                  "Freq: da 10 KHz a 1 MHz", "Inserire valore milli Henry"},
        SelectRow{"SharedFerriteLabel", "FT240.67", 53, 1000, "Nucleo: Ferrite 63 equiv.67",
                  "Freq: da 15 MHz a 25 MHz", "Inserire valore milli Henry"},
        SelectRow{"T68Mix17ShowsTheMix17Band", "T68.17", 21, 100, "Nucleo: Blu/Giallo",
                  "Freq: da 40 MHz a 180 MHz", "Inserire valore micro Henry"}),
    testing::RowName());

TEST(SelectCore, BeforeAnyChoiceShowsEmptyCoreAndKeepsThePrompt) {
    Session s;
    s.Choose("");
    EXPECT_EQ(s.window.Text(Caption::Label8), "");
    EXPECT_EQ(s.window.Text(Caption::Label5), "Nucleo: ");
    EXPECT_EQ(s.window.Text(Caption::Label7), "Freq: ");
    EXPECT_EQ(s.window.Text(Caption::Label3), "<unset>");
    EXPECT_EQ(s.window.log.back(), "focus");
    EXPECT_EQ(s.state.alValue, 0.0F);
    EXPECT_EQ(s.state.turnsScale, 0);
    EXPECT_EQ(s.state.firstLetter, "");
}

TEST(SelectCore, UnknownDesignationKeepsThePreviousCore) {
    Session s;
    s.Choose("T37.2");
    s.window.captions.clear();
    for (const std::string unknown : {"", "t37.2", "Tx", "X1", "\xC3\xA9"}) {
        s.Choose(unknown);
        EXPECT_EQ(s.state.alValue, 40.0F) << unknown;
        EXPECT_EQ(s.state.turnsScale, 100) << unknown;
        EXPECT_EQ(s.window.Text(Caption::Label8), unknown);
        EXPECT_EQ(s.window.Text(Caption::Label5), "Nucleo: Rosso") << unknown;
        EXPECT_EQ(s.window.Text(Caption::Label7), "Freq: da 2 MHz a 30 MHz") << unknown;
    }
    // Only an exact "T" or "F" changes the prompt; a two-byte first character is kept whole.
    EXPECT_EQ(s.window.Text(Caption::Label3), "Inserire valore micro Henry");
    EXPECT_EQ(s.state.firstLetter, "\xC3\xA9");
}

TEST(SelectCore, AnotherCoreReplacesEveryCoreFieldAndKeepsTheLastCalculation) {
    Session s;
    s.Choose("T12.1");
    s.Enter("10");
    s.Choose("FT23.68");
    EXPECT_EQ(s.state.alValue, 4.0F);
    EXPECT_EQ(s.state.turnsScale, 1000);
    EXPECT_EQ(s.state.materialLabel, "Ferrite 68");
    EXPECT_EQ(s.state.frequencyRange, "da 80 MHz a 180 MHz");
    EXPECT_EQ(s.window.Text(Caption::Label3), "Inserire valore milli Henry");
    EXPECT_EQ(s.window.Text(Caption::Label1), "");
    EXPECT_EQ(s.window.input, "");
    EXPECT_EQ(s.state.turns, 46);
    EXPECT_EQ(s.state.inductance, 10.0F);
    EXPECT_EQ(s.state.enteredText, "10");
}

// --- Turns calculation -----------------------------------------------------------------------

struct TurnsRow {
    const char* name;
    std::string core;
    std::string text;
    std::string label1;
};

class CalculateTurnsShows : public ::testing::TestWithParam<TurnsRow> {};

TEST_P(CalculateTurnsShows, Result) {
    const TurnsRow& row = GetParam();
    Session s;
    s.Choose(row.core);
    s.Enter(row.text);
    EXPECT_EQ(s.window.log, std::vector<std::string>{"Label1=" + row.label1});
    EXPECT_EQ(std::to_string(s.state.turns), row.label1);
    EXPECT_EQ(s.state.enteredText, row.text);
    EXPECT_EQ(s.window.input, row.text) << "a result leaves the input in place";
}

INSTANTIATE_TEST_SUITE_P(Results, CalculateTurnsShows,
                         ::testing::Values(TurnsRow{"TypicalUse", "T37.2", "10", "50"},
                                           TurnsRow{"Iron", "T12.1", "10", "46"},
                                           TurnsRow{"BlanksRemoved", "T12.1", " 1 0", "46"},
                                           TurnsRow{"HalfRoundsDownToEven", "T12.1", "0.75", "12"},
                                           TurnsRow{"HalfRoundsUpToEven", "T12.1", "6.75", "38"},
                                           TurnsRow{"CommaEndsTheNumber", "T12.1", "2,5", "20"},
                                           TurnsRow{"SmallRoundsToZero", "T12.1", "0.0001", "0"},
                                           TurnsRow{"ZeroAsSingle", "T12.1", "1e-50", "0"},
                                           TurnsRow{"Ferrite", "FT37.43", "1", "49"},
                                           TurnsRow{"SmallestFerriteAL", "FT23.68", "1", "500"},
                                           TurnsRow{"LargestOnFerrite", "FT23.68", "4294.8",
                                                    "32767"},
                                           TurnsRow{"LargestOnIron", "T12.0", "322112", "32767"},
                                           TurnsRow{"T30Mix6", "T30.6", "36", "100"},
                                           TurnsRow{"T300Mix26", "T300.26", "800", "100"}),
                         testing::RowName());

struct RefusalRow {
    const char* name;
    std::string core; // empty: no core chosen
    std::string text;
    std::string_view prompt;
};

class CalculateTurnsRefuses : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(CalculateTurnsRefuses, BeepsPromptsAndClears) {
    const RefusalRow& row = GetParam();
    Session s;
    if (!row.core.empty()) {
        s.Choose(row.core);
        s.Enter("10"); // an earlier result, which a refusal leaves on show
    }
    const CalcState before = s.state;
    s.Enter(row.text);
    // The beep comes first, then the prompt, then the input is cleared; Label1 is not touched.
    EXPECT_EQ(s.window.log,
              (std::vector<std::string>{"beep", "Label7=" + std::string(row.prompt), "input="}));
    EXPECT_EQ(s.state.enteredText, row.text);
    EXPECT_EQ(s.state.turns, before.turns);
    EXPECT_EQ(s.state.inductance, before.inductance);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, CalculateTurnsRefuses,
    ::testing::Values(RefusalRow{"Empty", "T12.1", "", kPromptChooseCore},
                      RefusalRow{"BlanksOnly", "T12.1", "   ", kPromptChooseCore},
                      RefusalRow{"Zero", "T12.1", "0", kPromptChooseCore},
                      RefusalRow{"Negative", "T12.1", "-3", kPromptChooseCore},
                      RefusalRow{"Letters", "T12.1", "abc", kPromptChooseCore},
                      RefusalRow{"LonePoint", "T12.1", ".", kPromptChooseCore},
                      RefusalRow{"TooSmallForADouble", "T12.1", "1e-400", kPromptChooseCore},
                      RefusalRow{"NoCoreChosen", "", "10", kPromptChooseCore},
                      // Regression rows: results that cannot be held are refused, never wrapped.
                      RefusalRow{"TurnsBeyond16BitsOnFerrite", "FT23.68", "4295", kPromptTooLarge},
                      RefusalRow{"TurnsBeyond16BitsOnIron", "T12.0", "322113", kPromptTooLarge},
                      RefusalRow{"FiniteSingleButTurnsTooMany", "T12.1", "3.4e38", kPromptTooLarge},
                      RefusalRow{"BeyondSinglePrecision", "T12.1", "3.5e38", kPromptTooLarge},
                      RefusalRow{"BeyondDoublePrecision", "T12.1", "1e400", kPromptTooLarge}),
    testing::RowName());

TEST(CalculateTurns, RefusalLeavesThePromptInPlaceAfterALaterResult) {
    Session s;
    s.Choose("T12.1");
    s.Enter("0");
    s.Enter("10");
    EXPECT_EQ(s.window.Text(Caption::Label7), kPromptChooseCore);
    EXPECT_EQ(s.window.Text(Caption::Label1), "46");
}

TEST(ComputeTurns, SingleValuesWidenedNotRounded) {
    // 24.8 is held as 24.799999237...; the quotient is taken on that value.
    EXPECT_EQ(ComputeTurns(10.0F, 24.8F, 1000), 635);
    EXPECT_EQ(ComputeTurns(2.5F, 0.0F, 100), std::nullopt) << "infinite";
    EXPECT_EQ(ComputeTurns(2.5F, -1.0F, 100), std::nullopt) << "not a number";
}

} // namespace
} // namespace spirex
