#pragma once
// Test rows print as their name in test listings (instead of their raw bytes).

#include <ostream>

namespace velloran::test {

template <typename Row>
requires requires(const Row& row) { row.rowName; }
void PrintTo(const Row& row, std::ostream* os) { *os << row.rowName; }

}  // namespace velloran::test
