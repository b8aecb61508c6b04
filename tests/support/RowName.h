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

// Prints a row as its name, in place of GoogleTest's dump of its bytes, so that
// ::testing::PrintToStringParamName() names each row of a table after it. A test brings it in
// with `using spirex::testing::operator<<;` in the namespace of its rows.
template <NamedRow Row>
std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

} // namespace spirex::testing
