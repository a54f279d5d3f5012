#pragma once
// The charts of a calculated reading as readable text and as JSON.

#include <string>

#include "chart/ChartFill.h"
#include "chart/ChartModel.h"
#include "chart/Contacts.h"
#include "input/FormInput.h"
#include "input/ReadingState.h"

namespace velloran {

// state after CalculateReading (the charts, names and marks the calculation and the fills
// recorded there); form holds the zone index.
std::string ShowText(const ReadingState& state, const FormInput& form, const MonthNames& months);
// Includes the contacts of the default settings.
std::string ShowJson(const ReadingState& state, const FormInput& form);

// The contacts of a calculated reading: a heading line with the settings, then one aligned line
// per contact, smallest orb first.
std::string ContactsText(const ReadingState& state, const ContactSettings& settings);
// The same as one JSON array of objects with the keys draconic, natal (names as in the text
// export), aspect and orb (degrees); each object on a line of its own indented by indent blanks,
// the closing bracket by indent - 2.
std::string ContactsJson(const ReadingState& state, const ContactSettings& settings,
                         int indent = 2);

}  // namespace velloran
