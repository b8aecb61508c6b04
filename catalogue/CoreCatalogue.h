// The built-in catalogue of Amidon toroidal cores: every core the user can choose, with its AL
// value, its turns scale and its material, and the frequency range that each material suits.
//
// The data is written below as the two manufacturer matrices (size by mix for iron powder, size by
// material for ferrite) and expanded at compile time into the ordered catalogue, so that a reader
// can check any value against a data sheet at a glance while the program iterates a flat table.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace spirex {

// The material text shown for a core: the colour code of an iron-powder mix ("Rosso",
// "Giallo/Bianco") or the name of a ferrite material ("Ferrite 43").
using MaterialLabel = std::string_view;

// The frequency range that a material suits, as shown to the user ("da 500 KHz a 5 MHz").
using FrequencyRange = std::string_view;

struct CoreEntry {
    std::string_view designation; // "T37.2", "FT50B.43"
    float alValue;                // uH per 100 turns (iron powder), mH per 1000 turns (ferrite)
    std::int16_t turnsScale;      // 100 for iron powder, 1000 for ferrite
    MaterialLabel materialLabel;
};

namespace catalogue_data {

// A blank cell: the manufacturer makes no core of that size in that mix.
inline constexpr float _ = 0.0F;

struct Mix {
    std::string_view suffix; // what follows the size in a designation
    MaterialLabel label;
};

template <std::size_t Columns>
struct SizeRow {
    std::string_view size;
    std::array<float, Columns> al;
};

inline constexpr std::array<Mix, 11> kIronMixes{{
    {".0", "Marrone"},
    {".1", "Blu"},
    {".2", "Rosso"},
    {".3", "Grigio"},
    {".6", "Giallo"},
    {".7", "Bianco"},
    {".10", "Nero"},
    {".12", "Verde/Bianco"},
    {".15", "Rosso/Bianco"},
    {".17", "Blu/Giallo"},
    {".26", "Giallo/Bianco"},
}};

// AL in microhenry per 100 turns.
// clang-format off
inline constexpr std::array<SizeRow<11>, 25> kIronPowder{{
    //              .0     .1     .2     .3     .6     .7    .10    .12    .15    .17    .26
    {"T12",   {     3,    48,    20,    60,    17,    18,    12,  7.5F,    50,  7.5F,     _}},
    {"T16",   {     3,    44,    22,    61,    19,     _,    13,     8,    55,     8,   145}},
    {"T20",   {  3.5F,    52,    27,    76,    22,    24,    16,    10,    65,    10,   180}},
    {"T25",   {  4.5F,    70,    34,   100,    27,    29,    19,    12,    85,    12,   235}},
    {"T30",   {     6,    85,    43,   140,    36,    37,    25,    16,    93,    16,   325}},
    {"T37",   {  4.9F,    80,    40,   120,    30,    32,    25,    15,    90,    15,   275}},
    {"T44",   {  6.5F,   105,    52,   180,    42,    46,    33,    19,   160,    19,   360}},
    {"T50",   {  6.4F,   100,    49,   175,    40,    43,    31,    18,   135,    18,   320}},
    {"T60",   {     _,     _,    65,     _,    55,     _,     _,     _,     _,     _,     _}},
    {"T68",   {  7.5F,   115,    57,   195,    47,    52,    32,    21,   180,    21,   420}},
    {"T80",   {  8.5F,   115,    55,   180,    45,    50,    32,    22,   170,    22,   450}},
    {"T94",   { 10.6F,   160,    84,   248,    70,     _,    58,    32,   200,     _,   590}},
    {"T106",  {    19,   325,   135,   450,   116,   133,     _,     _,   345,     _,   900}},
    {"T130",  {    15,   200,   110,   350,    96,   103,     _,     _,   250,     _,   785}},
    {"T157",  {     _,   320,   140,   420,   115,     _,     _,     _,   360,     _,   870}},
    {"T184",  {     _,   500,   240,   720,   195,     _,     _,     _,     _,     _,  1640}},
    {"T200",  {     _,   250,   120,   425,   100,   105,     _,     _,     _,     _,   895}},
    {"T200A", {     _,     _,   218,   760,   180,     _,     _,     _,     _,     _,  1550}},
    {"T225",  {     _,     _,   120,   424,   100,     _,     _,     _,     _,     _,   950}},
    {"T225A", {     _,     _,   215,     _,     _,     _,     _,     _,     _,     _,  1600}},
    {"T300",  {     _,     _,   114,     _,     _,     _,     _,     _,     _,     _,   800}},
    {"T300A", {     _,     _,   228,     _,     _,     _,     _,     _,     _,     _,  1600}},
    {"T400",  {     _,     _,   185,     _,     _,     _,     _,     _,     _,     _,  1300}},
    {"T400A", {     _,     _,   360,     _,     _,     _,     _,     _,     _,     _,  2600}},
    {"T520",  {     _,     _,   207,     _,     _,     _,     _,     _,     _,     _,  1460}},}};
// clang-format on

inline constexpr std::array<Mix, 7> kFerriteMaterials{{
    {".68", "Ferrite 68"},
    {".63", "Ferrite 63 equiv.67"},
    {".67", "Ferrite 63 equiv.67"},
    {".61", "Ferrite 61"},
    {".43", "Ferrite 43"},
    {".72", "Ferrite 72 equiv.77"},
    {".75", "Ferrite 75"},
}};

// AL in millihenry per 1000 turns.
// clang-format off
inline constexpr std::array<SizeRow<7>, 10> kFerrite{{
    //              .68    .63    .67    .61    .43    .72    .75
    {"FT23",   {     4,  7.9F,     _, 24.8F,   188,   396,   990}},
    {"FT37",   {  8.8F, 17.7F,     _, 55.3F,   420,   884,  2210}},
    {"FT50",   {    11,    22,     _,    68,   523,  1100,  2750}},
    {"FT50A",  {    12,    24,     _,    75,   570,  1200,  2990}},
    {"FT50B",  {     _,    48,     _,   150,  1140,  2400,  5990}},
    {"FT82",   { 11.7F, 22.4F,     _, 73.3F,   557,  1172,  2930}},
    {"FT114",  { 12.7F, 25.4F,     _, 79.3F,   603,  1268,  3170}},
    {"FT114A", {     _,     _,     _,   101,     _,  1610,     _}},
    {"FT140",  {     _,     _,    45,   140,   952,  2240,     _}},
    {"FT240",  {     _,     _,    53,   171,  1239,  3133,     _}},}};
// clang-format on

inline constexpr std::int16_t kIronTurnsScale = 100;
inline constexpr std::int16_t kFerriteTurnsScale = 1000;

struct MaterialRange {
    MaterialLabel label;
    FrequencyRange range;
};

inline constexpr std::array<MaterialRange, 17> kMaterialRanges{{
    {"Marrone", "da 100 MHz a 300 MHz"},
    {"Blu", "da 500 KHz a 5 MHz"},
    {"Rosso", "da 2 MHz a 30 MHz"},
    {"Grigio", "da 50 KHz a 500 KHz"},
    {"Giallo", "da 10 MHz a 50 MHz"},
    {"Bianco", "da 3 MHz a 35 MHz"},
    {"Nero", "da 30 MHz a 100 MHz"},
    {"Verde/Bianco", "da 50 MHz a 200 MHz"},
    {"Rosso/Bianco", "da 100 KHz a 2 MHz"},
    {"Blu/Giallo", "da 40 MHz a 180 MHz"},
    {"Giallo/Bianco", "dalla CC a 1 MHz"},
    {"Ferrite 63 equiv.67", "da 15 MHz a 25 MHz"},
    {"Ferrite 61", "da 200 KHz a 15 MHz"},
    {"Ferrite 43", "da 10 KHz a 1 MHz"},
    {"Ferrite 72 equiv.77", "da 1 KHz a 1 MHz"},
    {"Ferrite 75", "da 1 KHz a 1 MHz"},
    {"Ferrite 68", "da 80 MHz a 180 MHz"},
}};

// --- Expansion of the matrices into the ordered catalogue -------------------------------------

template <std::size_t Columns, std::size_t Rows>
constexpr std::size_t CountCells(const std::array<SizeRow<Columns>, Rows>& matrix) {
    std::size_t count = 0;
    for (const auto& row : matrix) {
        count += static_cast<std::size_t>(
            std::count_if(row.al.begin(), row.al.end(), [](float al) { return al != _; }));
    }
    return count;
}

inline constexpr std::size_t kIronCount = CountCells(kIronPowder);
inline constexpr std::size_t kFerriteCount = CountCells(kFerrite);
inline constexpr std::size_t kCoreCount = kIronCount + kFerriteCount;

// Longest designation ("FT114A.61") with room to spare; checked below.
inline constexpr std::size_t kMaxDesignation = 12;

// One expanded cell. The designation text is built here from its two halves (the row's size and
// the column's suffix); the catalogue's string_views point into this storage.
struct ExpandedCell {
    std::array<char, kMaxDesignation> name{};
    std::size_t length = 0;
    float al = 0.0F;
    std::int16_t scale = 0;
    MaterialLabel label;
};

struct Expansion {
    std::array<ExpandedCell, kCoreCount> cells{};
    bool fits = true; // every designation fitted its storage
};

template <std::size_t Columns, std::size_t Rows>
constexpr void ExpandFamily(Expansion& out, std::size_t& next,
                            const std::array<SizeRow<Columns>, Rows>& matrix,
                            const std::array<Mix, Columns>& columns, std::int16_t scale) {
    for (const auto& row : matrix) {
        for (std::size_t c = 0; c < Columns; ++c) {
            if (row.al[c] == _) {
                continue;
            }
            ExpandedCell& cell = out.cells[next++];
            for (std::string_view part : {row.size, columns[c].suffix}) {
                for (char ch : part) {
                    if (cell.length == kMaxDesignation) {
                        out.fits = false;
                        break;
                    }
                    cell.name[cell.length++] = ch;
                }
            }
            cell.al = row.al[c];
            cell.scale = scale;
            cell.label = columns[c].label;
        }
    }
}

constexpr Expansion Expand() {
    Expansion out;
    std::size_t next = 0;
    ExpandFamily(out, next, kIronPowder, kIronMixes, kIronTurnsScale);
    ExpandFamily(out, next, kFerrite, kFerriteMaterials, kFerriteTurnsScale);
    return out;
}

inline constexpr Expansion kExpansion = Expand();
static_assert(kExpansion.fits, "a designation is longer than its storage");

constexpr std::array<CoreEntry, kCoreCount> BuildCatalogue() {
    std::array<CoreEntry, kCoreCount> entries{};
    for (std::size_t i = 0; i < kCoreCount; ++i) {
        const ExpandedCell& cell = kExpansion.cells[i];
        entries[i] = CoreEntry{std::string_view(cell.name.data(), cell.length), cell.al, cell.scale,
                               cell.label};
    }
    return entries;
}

} // namespace catalogue_data

// All cores in the order the core list shows them: iron powder, then ferrite; by size in matrix
// row order; within a size by mix or material in matrix column order.
inline constexpr std::array<CoreEntry, catalogue_data::kCoreCount> CoreCatalogue =
    catalogue_data::BuildCatalogue();

// The core whose designation is exactly `designation` (whole text, case-sensitive), or nullptr.
constexpr const CoreEntry* FindCore(std::string_view designation) noexcept {
    for (const CoreEntry& entry : CoreCatalogue) {
        if (entry.designation == designation) {
            return &entry;
        }
    }
    return nullptr;
}

// The frequency range of exactly `label`, or nothing for a text the table does not hold.
constexpr std::optional<FrequencyRange> FrequencyRangeFor(std::string_view label) noexcept {
    for (const auto& row : catalogue_data::kMaterialRanges) {
        if (row.label == label) {
            return row.range;
        }
    }
    return std::nullopt;
}

// --- Compile-time checks of the data ------------------------------------------------------------

namespace catalogue_data {

// Whether no two rows share a key.
template <typename Rows, typename Key>
constexpr bool AllUnique(const Rows& rows, Key key) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            if (key(rows[i]) == key(rows[j])) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool EveryLabelHasARange() {
    return std::all_of(CoreCatalogue.begin(), CoreCatalogue.end(), [](const CoreEntry& e) {
        return FrequencyRangeFor(e.materialLabel).has_value();
    });
}

template <std::size_t Columns, std::size_t Rows>
constexpr std::size_t CellsInRow(const std::array<SizeRow<Columns>, Rows>& matrix,
                                 std::string_view size) {
    for (const auto& row : matrix) {
        if (row.size == size) {
            return static_cast<std::size_t>(
                std::count_if(row.al.begin(), row.al.end(), [](float al) { return al != _; }));
        }
    }
    return 0;
}

struct SizeCount {
    std::string_view size;
    std::size_t cores;
};

// The number of cores the manufacturer lists in each size, checked against the matrices so that
// a slip while editing a row cannot go unnoticed.
// clang-format off
inline constexpr std::array<SizeCount, 35> kCoresPerSize{{
    {"T12", 10}, {"T16", 10}, {"T20", 11}, {"T25", 11}, {"T30", 11}, {"T37", 11}, {"T44", 11},
    {"T50", 11}, {"T60", 2}, {"T68", 11}, {"T80", 11}, {"T94", 9}, {"T106", 8}, {"T130", 8},
    {"T157", 6}, {"T184", 5}, {"T200", 6}, {"T200A", 4}, {"T225", 4}, {"T225A", 2}, {"T300", 2},
    {"T300A", 2}, {"T400", 2}, {"T400A", 2}, {"T520", 2},
    {"FT23", 6}, {"FT37", 6}, {"FT50", 6}, {"FT50A", 6}, {"FT50B", 5}, {"FT82", 6}, {"FT114", 6},
    {"FT114A", 2}, {"FT140", 4}, {"FT240", 4},
}};
// clang-format on

constexpr bool CountsPerSizeMatch() {
    return std::all_of(kCoresPerSize.begin(), kCoresPerSize.end(), [](const SizeCount& s) {
        return CellsInRow(kIronPowder, s.size) + CellsInRow(kFerrite, s.size) == s.cores;
    });
}

static_assert(kIronCount == 172 && kFerriteCount == 51 && kCoreCount == 223);
static_assert(CoreCatalogue.front().designation == "T12.0");
static_assert(CoreCatalogue[kIronCount].designation == "FT23.68");
static_assert(CoreCatalogue.back().designation == "FT240.72");
static_assert(AllUnique(CoreCatalogue, [](const CoreEntry& e) { return e.designation; }),
              "two cores share a designation");
static_assert(AllUnique(kMaterialRanges, [](const MaterialRange& m) { return m.label; }),
              "a material label has two ranges");
static_assert(EveryLabelHasARange(), "a core's material has no frequency range");
static_assert(CountsPerSizeMatch(), "a size row holds the wrong number of cores");

} // namespace catalogue_data

} // namespace spirex
