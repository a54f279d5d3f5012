#pragma once
// Calculating many readings at once: the indexes of a run are shared out in chunks to worker
// threads, each with a positions source of its own, so the caller's results stay in input order
// (each index writes only its own slot).

#include <cstddef>
#include <functional>

#include "reading/Reading.h"

namespace velloran {

// How many threads a run of count readings with this choice takes: every core for the classic
// positions, and for the precise ones when the Swiss Ephemeris keeps its state per thread; one
// thread for precise positions otherwise (the library's state is then the process's).
unsigned ReadingThreads(const PositionsChoice& choice, std::size_t count);

// Calls work(index, source) once for every index below count on ReadingThreads(choice, count)
// threads. source holds choice and, for the precise positions, the calling thread's own Swiss
// Ephemeris (kept for the whole run). While they work, the calling thread calls progress with
// the number of finished indexes every few tenths of a second, when progress is given.
// Unless the library keeps its state per thread, no other SwissEphemeris may be alive meanwhile.
void ForEachReading(
    std::size_t count, const PositionsChoice& choice,
    const std::function<void(std::size_t index, const PositionsSource& source)>& work,
    const std::function<void(std::size_t done)>& progress = {});

}  // namespace velloran
