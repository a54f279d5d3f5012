#pragma once
// The calculation driver: copy the form into the state and run the natal and draconic passes.

#include <exception>

#include "chart/ChartFill.h"
#include "chart/ChartModel.h"
#include "input/FormInput.h"
#include "input/ReadingState.h"

namespace velloran {

// Runs one step of a calculation. A step that fails is abandoned at the point of failure, without
// a message, and the caller goes on with its next step: what the step had already written stays.
// The driver and the chart views guard every engine call and fill with it.
template <typename Step>
void SkipOnFailure(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

// Copies the form's values into state.Birth and the zone texts, in the fixed order. A text that
// does not convert leaves its field as it was.
void CopyFormToState(const FormInput& form, ReadingState& state);

// One engine pass of the given kind: pass flag, ascendant, Moon, planets and nodes, marks.
void RunPass(ReadingState& state, ChartKind kind);

// Steps after a passed validation: zone tables, copy, the chart window's load, natal pass and
// fill, draconic pass and fill. The window model is created anew (the window is loaded).
void CalculateReading(const FormInput& form, ReadingState& state, const MonthNames& months,
                      ChartWindowModel& window);

}  // namespace velloran
