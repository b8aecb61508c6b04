#pragma once

#include <ostream>

namespace spirex::testing {

// Prints a row of a table of cases as its name, in place of GoogleTest's dump of its bytes, so
// that ::testing::PrintToStringParamName() names each row after it. A test brings it in with
// `using spirex::testing::operator<<;` in the namespace of its rows.
template <typename Row, typename = decltype(Row::name)>
std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.name;
}

} // namespace spirex::testing
