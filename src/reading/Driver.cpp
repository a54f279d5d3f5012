#include "reading/Driver.h"

#include "astro/Engine.h"
#include "input/FormCopy.h"
#include "retro/Retrogrades.h"

namespace velloran {

void MarkRetrogrades(PassState& state) {
    const BirthData& birth = state.Birth;
    const std::array<bool, kBodyCount> retrograde =
        RetrogradeBodies(birth.Year, birth.Month, birth.Day);
    state.BodyNames = {};
    state.BodyLabels = {};
    for (int k = 0; k < kBodyCount; ++k) {
        state.BodyNames[k] = kBodyNames[k];
        state.BodyLabels[k] = kBodyLabels[k];
        if (retrograde[k]) {
            state.BodyNames[k] += kRetrogradeMark;
            state.BodyLabels[k] += kRetrogradeMark;
        }
    }
    state.Retrograde = {};
    for (int k = 0; k < kBodyCount; ++k) state.Retrograde[k] = retrograde[k];
}

void RunPass(PassState& state, ChartKind kind) {
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
