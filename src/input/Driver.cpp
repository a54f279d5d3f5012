#include "input/Driver.h"

#include "astro/Engine.h"
#include "retro/Retrogrades.h"

namespace velloran {

void RunPass(ReadingState& state, ChartKind kind) {
    state.DraconicPass = kind == ChartKind::Draconic;
    SkipOnFailure([&] { PrepareChartInput(state); });
    SkipOnFailure([&] { RunEphemeris(state); });
    SkipOnFailure([&] { RunPlanetPositions(state); });
    SkipOnFailure([&] { MarkRetrogrades(state); });
}

void CalculateReading(const FormInput& form, ReadingState& state, const MonthNames& months,
                      ChartWindowModel& window) {
    CopyFormToState(form, state);
    window = ChartWindowModel{};
    LoadChartWindow(state.Birth, months, window);
    RunPass(state, ChartKind::Natal);
    SkipOnFailure([&] { FillNatalChart(state, window); });
    RunPass(state, ChartKind::Draconic);
    SkipOnFailure([&] { FillDraconicChart(state, window); });
}

}  // namespace velloran
