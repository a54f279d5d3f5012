#include "input/Driver.h"

#include <exception>

#include "astro/Engine.h"
#include "retro/Retrogrades.h"

namespace velloran {

namespace {

// A step that fails is abandoned and the sequence goes on with the next one.
template <typename Step>
void Guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

void RunPass(ReadingState& state, ChartKind kind) {
    state.DraconicPass = kind == ChartKind::Draconic;
    Guarded([&] { PrepareChartInput(state); });
    Guarded([&] { RunEphemeris(state); });
    Guarded([&] { RunPlanetPositions(state); });
    Guarded([&] { MarkRetrogrades(state); });
}

void CalculateReading(const FormInput& form, ReadingState& state, const MonthNames& months,
                      ChartWindowModel& window) {
    CopyFormToState(form, state);
    window = ChartWindowModel{};
    LoadChartWindow(state.Birth, months, window);
    RunPass(state, ChartKind::Natal);
    Guarded([&] { FillNatalChart(state, window); });
    RunPass(state, ChartKind::Draconic);
    Guarded([&] { FillDraconicChart(state, window); });
}

}  // namespace velloran
