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

using ReadingWork = std::function<void(std::size_t index, const PositionsSource& source)>;
using ReadingProgress = std::function<void(std::size_t done)>;

// Calls work(index, source) once for every index below count on ReadingThreads(choice, count)
// threads. source holds choice and, for the precise positions, the calling thread's own Swiss
// Ephemeris (kept for the whole run). While they work, the calling thread calls progress with
// the number of finished indexes every few tenths of a second, when progress is given.
// Unless the library keeps its state per thread, no other SwissEphemeris may be alive meanwhile.
// An exception from work stops the run and is thrown again here once every worker has stopped.
void ForEachReading(std::size_t count, const PositionsChoice& choice, const ReadingWork& work,
                    const ReadingProgress& progress = {});

// As ForEachReading, with at most `window` indexes in flight, so a run of any length holds a
// bounded number of results: the calling thread calls prepare(index) for every index, in order,
// before a worker may take it, and deliver(index) for every index, in order, once it and every
// index before it are done. An index's slot may be index % window. deliver returning false stops
// the run (false then); an exception from prepare, work or deliver stops it and is thrown again
// here once every worker has stopped.
bool ForEachReadingInOrder(std::size_t count, const PositionsChoice& choice, std::size_t window,
                           const std::function<void(std::size_t index)>& prepare,
                           const ReadingWork& work,
                           const std::function<bool(std::size_t index)>& deliver,
                           const ReadingProgress& progress = {});

}  // namespace velloran
