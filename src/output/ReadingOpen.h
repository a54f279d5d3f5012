#pragma once
// Opening a saved reading: the file's bytes are read, put into the birth-data form, checked as
// typed values are, and calculated. The program's open command and the command-line tool both
// open readings through OpenAndCalculate.

#include <optional>
#include <string_view>
#include <utility>

#include "chart/ChartFill.h"
#include "chart/ChartModel.h"
#include "input/FormInput.h"
#include "input/ReadingState.h"
#include "input/Validation.h"
#include "reading/Driver.h"

namespace velloran {

// The birth-data form a reading is opened into. The checks and the calculation read the values
// the form holds once the reading is in it: a window's boxes may hold a value differently from
// how it was put (a coordinate box keeps three characters).
class ReadingForm {
public:
    virtual ~ReadingForm() = default;
    virtual FormInput values() const = 0;
    virtual void show(const FormInput& values) = 0;
};

// A form that holds its values exactly as they are put (the command-line tool's).
class PlainForm final : public ReadingForm {
public:
    explicit PlainForm(FormInput values = {}) : m_values(std::move(values)) {}
    FormInput values() const override { return m_values; }
    void show(const FormInput& values) override { m_values = values; }

private:
    FormInput m_values;
};

// What opening gave. Damaged: the bytes are no reading, or hold a value no list of the form
// shows, and the form was not touched. Invalid: the
// reading is in the form but failed the check in failure; state and window are unchanged.
// Calculated: state holds the calculated reading and window the new chart window's model.
enum class OpenStatus { Damaged, Invalid, Calculated };
struct OpenOutcome {
    OpenStatus status = OpenStatus::Damaged;
    std::optional<ValidationFailure> failure;  // Invalid only
};

// The open command after the file is read: ReadReadingFile, ApplyReadingToForm onto the values
// the form holds, show them in the form, ValidateInput on what the form then holds, and
// CalculateReading into state and window with the positions of source. converterPresent as for
// ValidateInput.
OpenOutcome OpenAndCalculate(std::string_view bytes, ReadingForm& form, bool converterPresent,
                             const MonthNames& months, ReadingState& state,
                             ChartWindowModel& window, const PositionsSource& source = {});

}  // namespace velloran
