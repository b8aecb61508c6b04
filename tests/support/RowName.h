#pragma once

#include <concepts>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace spirex::testing {

// A row of a table of cases: any struct whose `name` says what the row checks.
template <typename Row>
concept NamedRow = requires(const Row& row) {
    { row.name } -> std::convertible_to<const char*>;
};

// Names each row of a parameterized table after its `name` field, so that a failure names the case.
struct RowName {
    template <NamedRow Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

// Prints a row as its name, in place of GoogleTest's dump of its bytes. A test brings it in with
// `using spirex::testing::operator<<;` in the namespace of its rows.
template <NamedRow Row>
std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

} // namespace spirex::testing
