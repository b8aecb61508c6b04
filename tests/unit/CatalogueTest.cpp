#include "CatalogueText.h"
#include "catalogue/CoreCatalogue.h"

#include <charconv>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace spirex {
namespace {

// Every core against the transcription of the manufacturer's tables: order, designation, AL,
// material and frequency range, and each designation finds its own entry.
TEST(CoreCatalogue, MatchesTheTranscribedTables) {
    std::istringstream text{std::string(kCatalogueText)};
    std::size_t index = 0;
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string designation, al, label, range;
        std::getline(std::getline(std::getline(std::getline(fields, designation, '\t'), al, '\t'),
                                  label, '\t'),
                     range);
        float alValue = 0;
        std::from_chars(al.data(), al.data() + al.size(), alValue);

        ASSERT_LT(index, CoreCatalogue.size()) << line;
        const CoreEntry& entry = CoreCatalogue[index++];
        EXPECT_EQ(entry.designation, designation) << line;
        EXPECT_EQ(entry.alValue, alValue) << line;
        EXPECT_EQ(entry.turnsScale, designation.starts_with("FT") ? 1000 : 100) << line;
        EXPECT_EQ(entry.materialLabel, label) << line;
        EXPECT_EQ(FrequencyRangeFor(label), range) << line;
        EXPECT_EQ(FindCore(designation), &entry) << line;
    }
    EXPECT_EQ(index, CoreCatalogue.size());
}

} // namespace
} // namespace spirex
