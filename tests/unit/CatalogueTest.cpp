#include "catalogue/CoreCatalogue.h"
#include "support/RowName.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace spirex {
namespace {

using spirex::testing::operator<<;

TEST(CoreCatalogue, EveryDesignationFindsItsOwnEntry) {
    for (const CoreEntry& entry : CoreCatalogue) {
        EXPECT_EQ(FindCore(entry.designation), &entry) << entry.designation;
    }
}

TEST(CoreCatalogue, IronPowderFirstThenFerrite) {
    ASSERT_EQ(CoreCatalogue.size(), 223U);
    EXPECT_EQ(CoreCatalogue[0].designation, "T12.0");
    EXPECT_EQ(CoreCatalogue[10].designation, "T16.0");
    EXPECT_EQ(CoreCatalogue[171].designation, "T520.26");
    EXPECT_EQ(CoreCatalogue[172].designation, "FT23.68");
    EXPECT_EQ(CoreCatalogue[222].designation, "FT240.72");
}

TEST(CoreCatalogue, ScaleAndValuesByFamily) {
    for (const CoreEntry& entry : CoreCatalogue) {
        const bool ferrite = entry.designation.starts_with("FT");
        EXPECT_TRUE(ferrite || entry.designation.starts_with("T")) << entry.designation;
        EXPECT_EQ(entry.turnsScale, ferrite ? 1000 : 100) << entry.designation;
        EXPECT_EQ(entry.materialLabel.starts_with("Ferrite "), ferrite) << entry.designation;
        EXPECT_GT(entry.alValue, 0.0F) << entry.designation;
        EXPECT_EQ(entry.designation.find(' '), std::string_view::npos) << entry.designation;
    }
}

TEST(CoreCatalogue, LabelsAndRanges) {
    std::set<std::string_view> labels;
    std::set<std::string_view> ranges;
    for (const CoreEntry& entry : CoreCatalogue) {
        labels.insert(entry.materialLabel);
        const auto range = FrequencyRangeFor(entry.materialLabel);
        ASSERT_TRUE(range.has_value()) << entry.materialLabel;
        ranges.insert(*range);
    }
    EXPECT_EQ(labels.size(), 17U);
    EXPECT_EQ(ranges.size(), 16U);
}

struct LookupRow {
    const char* name;
    std::string_view designation;
    float alValue;
    int turnsScale;
    std::string_view label;
    std::string_view range;
};

class FindCoreFinds : public ::testing::TestWithParam<LookupRow> {};

TEST_P(FindCoreFinds, ValuesLabelAndRange) {
    const LookupRow& row = GetParam();
    const CoreEntry* entry = FindCore(row.designation);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->designation, row.designation);
    EXPECT_EQ(entry->alValue, row.alValue);
    EXPECT_EQ(entry->turnsScale, row.turnsScale);
    EXPECT_EQ(entry->materialLabel, row.label);
    EXPECT_EQ(FrequencyRangeFor(entry->materialLabel), row.range);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FindCoreFinds,
    ::testing::Values(
        LookupRow{"FirstEntry", "T12.0", 3, 100, "Marrone", "da 100 MHz a 300 MHz"},
        LookupRow{"EleventhEntry", "T16.0", 3, 100, "Marrone", "da 100 MHz a 300 MHz"},
        LookupRow{"SharedFerriteLabel", "FT140.67", 45, 1000, "Ferrite 63 equiv.67",
                  "da 15 MHz a 25 MHz"},
        LookupRow{"FractionalFerrite", "FT37.68", 8.8F, 1000, "Ferrite 68", "da 80 MHz a 180 MHz"},
        LookupRow{"Mix26", "T68.26", 420, 100, "Giallo/Bianco", "dalla CC a 1 MHz"},
        LookupRow{"SuffixA", "T200A.3", 760, 100, "Grigio", "da 50 KHz a 500 KHz"},
        LookupRow{"SuffixB", "FT50B.43", 1140, 1000, "Ferrite 43", "da 10 KHz a 1 MHz"},
        LookupRow{"Ferrite72", "FT114A.72", 1610, 1000, "Ferrite 72 equiv.77", "da 1 KHz a 1 MHz"},
        LookupRow{"Ferrite75", "FT23.75", 990, 1000, "Ferrite 75", "da 1 KHz a 1 MHz"},
        LookupRow{"LastEntry", "FT240.72", 3133, 1000, "Ferrite 72 equiv.77", "da 1 KHz a 1 MHz"},
        // Regression rows: values mended against the manufacturer's data.
        LookupRow{"T30Mix6HasItsPublishedAL", "T30.6", 36, 100, "Giallo", "da 10 MHz a 50 MHz"},
        LookupRow{"T68Mix17IsBlueYellowLikeEveryMix17", "T68.17", 21, 100, "Blu/Giallo",
                  "da 40 MHz a 180 MHz"},
        LookupRow{"OtherMix17", "T80.17", 22, 100, "Blu/Giallo", "da 40 MHz a 180 MHz"},
        LookupRow{"T300Mix26IsHalfTheT300A", "T300.26", 800, 100, "Giallo/Bianco",
                  "dalla CC a 1 MHz"},
        LookupRow{"T300AMix26", "T300A.26", 1600, 100, "Giallo/Bianco", "dalla CC a 1 MHz"}),
    testing::RowName());

struct MissRow {
    const char* name;
    std::string_view designation;
};

class FindCoreMisses : public ::testing::TestWithParam<MissRow> {};

TEST_P(FindCoreMisses, GivesNothing) {
    EXPECT_EQ(FindCore(GetParam().designation), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FindCoreMisses,
    ::testing::Values(MissRow{"Empty", ""}, MissRow{"LowerCase", "t12.0"},
                      MissRow{"TrailingBlank", "T12.0 "}, MissRow{"LeadingBlank", " T12.0"},
                      MissRow{"SizeOnly", "T12"},
                      MissRow{"TrailingNul", std::string_view("T12.0\0", 6)},
                      MissRow{"T12HasNoMix26", "T12.26"}, MissRow{"T16HasNoMix7", "T16.7"},
                      MissRow{"T60HasNoMix0", "T60.0"}, MissRow{"FT50BHasNo68", "FT50B.68"},
                      MissRow{"FT114AHasNo43", "FT114A.43"}, MissRow{"FT140HasNo63", "FT140.63"},
                      MissRow{"FT240HasNo75", "FT240.75"}, MissRow{"IronMixOnFerrite", "FT23.2"}),
    testing::RowName());

TEST(FrequencyRangeFor, MatchesWholeTextOnly) {
    EXPECT_EQ(FrequencyRangeFor("Ferrite 75"), "da 1 KHz a 1 MHz");
    EXPECT_EQ(FrequencyRangeFor("Ferrite 72 equiv.77"), "da 1 KHz a 1 MHz");
    EXPECT_EQ(FrequencyRangeFor(""), std::nullopt);
    EXPECT_EQ(FrequencyRangeFor("blu"), std::nullopt);
    EXPECT_EQ(FrequencyRangeFor("Blu "), std::nullopt);
    EXPECT_EQ(FrequencyRangeFor("Ferrite 63"), std::nullopt);
}

} // namespace
} // namespace spirex
