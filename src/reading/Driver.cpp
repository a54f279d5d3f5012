#include "reading/Driver.h"

#include <memory>

#include "astro/Engine.h"
#include "ephemeris/SwissEphemeris.h"
#include "input/FormCopy.h"
#include "reading/Precise.h"
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
                      ChartWindowModel& window, const PositionsSource& source) {
    CopyFormToState(form, state);
    window = ChartWindowModel{};
    LoadChartWindow(state.Birth, months, window);
    state.Positions = source.choice;
    state.PositionsNote.clear();
    if (source.choice.precise()) {
        std::unique_ptr<ephemeris::SwissEphemeris> own;
        ephemeris::SwissEphemeris* swiss = source.ephemeris;
        if (swiss == nullptr) swiss = (own = std::make_unique<ephemeris::SwissEphemeris>()).get();
        SkipOnFailure([&] { RunPrecisePositions(state, *swiss, source.choice.node); });
        window.positionsLine = PositionsLine(source.choice);
        window.positionsNote = state.PositionsNote;
        SkipOnFailure([&] { FillNatalChart(state, window); });
        SkipOnFailure([&] { FillDraconicChart(state, window); });
        return;
    }
    state.NatalChart.bodyCount = kBodyCount;
    state.DraconicChart.bodyCount = kBodyCount;
    RunPass(state, ChartKind::Natal);
    SkipOnFailure([&] { FillNatalChart(state, window); });
    RunPass(state, ChartKind::Draconic);
    SkipOnFailure([&] { FillDraconicChart(state, window); });
}

}  // namespace velloran
