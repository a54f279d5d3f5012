#include "reading/ReadingOpen.h"

#include "input/FormCopy.h"
#include "input/ReadingFile.h"

namespace velloran {

OpenOutcome CheckAndCalculate(const FormInput& values, bool converterPresent,
                              const PositionsSource& source) {
    OpenOutcome outcome;
    if (auto failure = ValidateInput(values, converterPresent)) {
        outcome.status = OpenStatus::Invalid;
        outcome.failure = std::move(failure);
        return outcome;
    }
    Calculation done = Calculate(BirthFromForm(values), source);
    if (!done.reading) {
        outcome.status = OpenStatus::Failed;
        outcome.error = std::move(done.error);
        return outcome;
    }
    outcome.status = OpenStatus::Calculated;
    outcome.reading = std::move(done.reading);
    return outcome;
}

OpenOutcome OpenAndCalculate(std::string_view bytes, ReadingForm& form, bool converterPresent,
                             const PositionsSource& source) {
    const auto lines = ReadReadingFile(bytes);
    if (!lines) return {};
    FormInput opened = form.values();
    if (!ApplyReadingToForm(*lines, opened)) return {};
    form.show(opened);
    return CheckAndCalculate(form.values(), converterPresent, source);
}

}  // namespace velloran
