#include "reading/ManyReadings.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "ephemeris/SwissEphemeris.h"

namespace velloran {

namespace {

// Indexes a worker takes at a time: large enough that taking them costs nothing, small enough
// that the threads finish together.
constexpr std::size_t kChunk = 256;

}  // namespace

unsigned ReadingThreads(const PositionsChoice& choice, std::size_t count) {
    if (choice.precise() && !ephemeris::StatePerThread()) return 1;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t chunks = (count + kChunk - 1) / kChunk;
    return static_cast<unsigned>(std::clamp<std::size_t>(chunks, 1, cores));
}

void ForEachReading(
    std::size_t count, const PositionsChoice& choice,
    const std::function<void(std::size_t index, const PositionsSource& source)>& work,
    const std::function<void(std::size_t done)>& progress) {
    std::atomic<std::size_t> next{0}, done{0};
    const auto worker = [&] {
        std::unique_ptr<ephemeris::SwissEphemeris> swiss;
        if (choice.precise()) swiss = std::make_unique<ephemeris::SwissEphemeris>();
        const PositionsSource source{choice, swiss.get()};
        while (true) {
            const std::size_t from = next.fetch_add(kChunk);
            if (from >= count) return;
            const std::size_t to = std::min(count, from + kChunk);
            for (std::size_t i = from; i < to; ++i) work(i, source);
            done.fetch_add(to - from);
        }
    };
    std::vector<std::thread> threads;
    const unsigned wanted = ReadingThreads(choice, count);
    for (unsigned t = 0; t < wanted; ++t) threads.emplace_back(worker);
    if (progress) {
        while (done.load() < count) {
            progress(done.load());
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        progress(count);
    }
    for (std::thread& t : threads) t.join();
}

}  // namespace velloran
