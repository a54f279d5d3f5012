#pragma once
// Opening a saved reading: the file's bytes are read, put into the birth-data form, checked as
// typed values are, and calculated. The program's open command and the command-line tool both
// open readings through OpenAndCalculate.

#include <optional>
#include <string_view>
#include <utility>

#include <string>

#include "input/FormInput.h"
#include "input/Validation.h"
#include "reading/Reading.h"

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
// shows, and the form was not touched. Invalid: the reading is in the form but failed the check in
// failure. Failed: the form's values passed the checks but the calculation refused them (error
// says why). Calculated: reading holds the calculated reading.
enum class OpenStatus { Damaged, Invalid, Failed, Calculated };
struct OpenOutcome {
    OpenStatus status = OpenStatus::Damaged;
    std::optional<ValidationFailure> failure;  // Invalid only
    std::optional<Reading> reading;            // Calculated only
    std::string error;                         // Failed only
};

// The open command after the file is read: ReadReadingFile, ApplyReadingToForm onto the values
// the form holds, show them in the form, ValidateInput on what the form then holds, and
// Calculate with the positions of source. converterPresent as for ValidateInput.
OpenOutcome OpenAndCalculate(std::string_view bytes, ReadingForm& form, bool converterPresent,
                             const PositionsSource& source = {});

// The checks and the calculation of a form's values, as the calculate button runs them.
OpenOutcome CheckAndCalculate(const FormInput& values, bool converterPresent,
                              const PositionsSource& source = {});

}  // namespace velloran
