#include "output/ReadingOpen.h"

#include "output/ReadingFile.h"
#include "reading/Driver.h"

namespace velloran {

OpenOutcome OpenAndCalculate(std::string_view bytes, ReadingForm& form, bool converterPresent,
                             const MonthNames& months, ReadingState& state,
                             ChartWindowModel& window, const PositionsSource& source) {
    const auto lines = ReadReadingFile(bytes);
    if (!lines) return {OpenStatus::Damaged, std::nullopt};
    FormInput opened = form.values();
    if (!ApplyReadingToForm(*lines, opened)) return {OpenStatus::Damaged, std::nullopt};
    form.show(opened);
    const FormInput held = form.values();
    if (auto failure = ValidateInput(held, converterPresent)) {
        return {OpenStatus::Invalid, std::move(failure)};
    }
    CalculateReading(held, state, months, window, source);
    return {OpenStatus::Calculated, std::nullopt};
}

}  // namespace velloran
