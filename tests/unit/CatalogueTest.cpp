#include "TranscribedCatalogue.h"
#include "catalogue/CoreCatalogue.h"

#include <gtest/gtest.h>
#include <iterator>

namespace spirex {
namespace {

// Every core against the transcription of the manufacturer's tables: order, designation, AL,
// material and frequency range, and each designation finds its own entry. The turns scale of each
// family is proven by the calculator's rows on an iron-powder and a ferrite core.
TEST(CoreCatalogue, MatchesTheTranscribedTables) {
    ASSERT_EQ(std::size(kTranscribedCatalogue), CoreCatalogue.size());
    for (std::size_t i = 0; i < CoreCatalogue.size(); ++i) {
        const auto& [designation, al, material, range] = kTranscribedCatalogue[i];
        SCOPED_TRACE(designation);
        const CoreEntry& entry = CoreCatalogue[i];
        EXPECT_EQ(entry.designation, designation);
        EXPECT_EQ(entry.alValue, al);
        EXPECT_EQ(entry.materialLabel, material);
        EXPECT_EQ(FrequencyRangeFor(material), range);
        EXPECT_EQ(FindCore(designation), &entry);
    }
}

} // namespace
} // namespace spirex
