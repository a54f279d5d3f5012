#pragma once
// The calculation driver: copy the form into the state, run the natal and draconic passes and
// fill the chart window.

#include <exception>

#include "astro/PassState.h"
#include "chart/ChartFill.h"
#include "chart/ChartModel.h"
#include "input/FormCopy.h"
#include "input/FormInput.h"
#include "input/ReadingState.h"

namespace velloran {

namespace ephemeris {
class SwissEphemeris;
}

// Where a reading's positions come from: the choice, and for the precise positions the
// program's one Swiss Ephemeris (the caller keeps it alive and calls from one thread). Without
// one, a precise calculation opens the library for the call.
struct PositionsSource {
    PositionsChoice choice;
    ephemeris::SwissEphemeris* ephemeris = nullptr;
};

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

// Resets BodyNames, BodyLabels and Retrograde, then marks each retrograde planet: its flag, and
// the mark appended to its entries; judged on the local birth date of state.Birth.
void MarkRetrogrades(PassState& state);

// One engine pass of the given kind: pass flag, ascendant, Moon, planets and nodes, marks.
void RunPass(PassState& state, ChartKind kind);

// Steps after a passed validation: zone tables, copy, the chart window's load, natal pass and
// fill, draconic pass and fill. The window model is created anew (the window is loaded). With
// the precise positions both charts hold the modern bodies, state.Positions and the window's
// positions line name the choice, and state.PositionsNote says when the ephemeris files were
// missing.
void CalculateReading(const FormInput& form, ReadingState& state, const MonthNames& months,
                      ChartWindowModel& window, const PositionsSource& source = {});

// Views of the main window's chart buttons. Natal and Draconic rerun one pass from state.Birth.
void ShowNatalView(ReadingState& state, ChartWindowModel& window);
void ShowDraconicView(ReadingState& state, ChartWindowModel& window);
void ShowComparisonView(ReadingState& state, ChartWindowModel& window);

}  // namespace velloran
