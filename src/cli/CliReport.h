#pragma once
// The charts of a calculated reading as readable text and as JSON.

#include <optional>
#include <string>

#include "domain/Bodies.h"
#include "reading/Against.h"
#include "reading/Contacts.h"
#include "reading/Reading.h"

namespace velloran {

// A calculated reading as the report shows it.
std::string ShowText(const Reading& reading, const MonthNames& months);
// Includes the contacts of the default settings.
std::string ShowJson(const Reading& reading);
// One body of a chart as ShowJson's bodies array has it, on one line: body, wheelName, label,
// longitude (the draconic chart also rawLongitude), position (the draconic chart also
// compactPosition), sign, house and retrograde. k in ChartBody order, below the chart's count.
std::string BodyJson(const Reading& reading, ChartKind kind, int k);

// The contacts of a calculated reading: a heading line with the settings, then one aligned line
// per contact, smallest orb first.
std::string ContactsText(const Reading& reading, const ContactSettings& settings);
// The same as one JSON array of objects with the keys draconic, natal (names as in the text
// export), aspect and orb (degrees); each object on a line of its own indented by indent blanks,
// the closing bracket by indent - 2.
std::string ContactsJson(const Reading& reading, const ContactSettings& settings, int indent = 2);

// A group of contacts against another chart: its title and the settings, then one aligned line
// per contact in the group's column order.
std::string GroupText(const ContactGroup& group, const ContactSettings& settings);
// The group as a JSON array, one object a line: draconic (the reading's draconic body), aspect
// and orb (degrees), and the other chart's body under otherKey ("natal" for another reading,
// "sky" for the sky), with "other": otherName when that is given.
std::string GroupJson(const ContactGroup& group, const std::string& otherKey,
                      const std::optional<std::string>& otherName);

}  // namespace velloran
