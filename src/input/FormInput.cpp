#include "input/FormInput.h"

#include <string>

namespace velloran {

namespace {

// Text of the entry at position in a list of consecutive numbers first..last.
std::string NumberListText(int position, int first, int last) {
    if (position < 0 || position > last - first) return {};
    return std::to_string(first + position);
}

}  // namespace

std::string DayListText(int position) { return NumberListText(position, 1, 31); }
std::string YearListText(int position) { return NumberListText(position, kFirstYear, kLastYear); }
std::string HourListText(int position) { return NumberListText(position, 0, 23); }
std::string MinuteListText(int position) { return NumberListText(position, 0, 59); }

}  // namespace velloran
