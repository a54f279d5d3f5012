#include "reading/ManyReadings.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "ephemeris/SwissEphemeris.h"

namespace velloran {

namespace {

// Indexes a worker takes at a time: large enough that taking them costs nothing, small enough
// that the threads finish together.
constexpr std::size_t kChunk = 256;
// How often the calling thread reports progress.
constexpr auto kProgressEvery = std::chrono::milliseconds(200);

// What the calling thread and the workers of one run share, under one lock. Chunks are taken,
// finished and delivered in a ring of `ring` chunks; a chunk may be taken once it is prepared.
class ChunkRing {
public:
    ChunkRing(std::size_t count, std::size_t chunk, std::size_t ring)
        : m_count(count),
          m_chunk(chunk),
          m_chunks((count + chunk - 1) / chunk),
          m_finished(ring, 0) {}

    std::size_t Chunks() const { return m_chunks; }
    std::size_t Ring() const { return m_finished.size(); }
    std::size_t First(std::size_t chunk) const { return chunk * m_chunk; }
    std::size_t End(std::size_t chunk) const { return std::min(m_count, (chunk + 1) * m_chunk); }

    // The worker's next chunk, or nothing once the run is over or stopped.
    std::optional<std::size_t> Take() {
        std::unique_lock lock(m_mutex);
        m_workers.wait(lock, [&] { return m_stop || m_taken < m_prepared || m_taken >= m_chunks; });
        if (m_stop || m_taken >= m_chunks) return std::nullopt;
        return m_taken++;
    }
    void Finished(std::size_t chunk) {
        {
            std::lock_guard lock(m_mutex);
            m_finished[chunk % Ring()] = 1;
            m_done += End(chunk) - First(chunk);
        }
        m_caller.notify_one();
    }
    void Prepared() {
        {
            std::lock_guard lock(m_mutex);
            ++m_prepared;
        }
        m_workers.notify_all();
    }
    // Waits up to `wait` for the chunk to be finished; true when it is (its slot then free).
    bool WaitFinished(std::size_t chunk, std::chrono::milliseconds wait) {
        std::unique_lock lock(m_mutex);
        const bool finished = m_caller.wait_for(
            lock, wait, [&] { return m_stop || m_finished[chunk % Ring()] != 0; });
        if (!finished || m_stop) return false;
        m_finished[chunk % Ring()] = 0;
        return true;
    }
    // Stops the run; the first failure is kept to be thrown on the calling thread.
    void Stop(std::exception_ptr failure = nullptr) {
        {
            std::lock_guard lock(m_mutex);
            if (failure && !m_failure) m_failure = failure;
            m_stop = true;
        }
        m_workers.notify_all();
        m_caller.notify_all();
    }
    std::exception_ptr Failure() {
        std::lock_guard lock(m_mutex);
        return m_failure;
    }
    std::size_t Done() {
        std::lock_guard lock(m_mutex);
        return m_done;
    }

private:
    const std::size_t m_count, m_chunk, m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_workers, m_caller;
    std::vector<char> m_finished;
    std::size_t m_prepared = 0, m_taken = 0, m_done = 0;
    bool m_stop = false;
    std::exception_ptr m_failure;
};

}  // namespace

unsigned ReadingThreads(const PositionsChoice& choice, std::size_t count) {
    if (choice.precise() && !ephemeris::StatePerThread()) return 1;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t chunks = (count + kChunk - 1) / kChunk;
    return static_cast<unsigned>(std::clamp<std::size_t>(chunks, 1, cores));
}

void ForEachReading(std::size_t count, const PositionsChoice& choice, const ReadingWork& work,
                    const ReadingProgress& progress) {
    // Every chunk may be in flight at once: nothing waits to be delivered.
    const std::size_t all = std::max<std::size_t>(1, (count + kChunk - 1) / kChunk) * kChunk;
    ForEachReadingInOrder(
        count, choice, all, [](std::size_t) {}, work, [](std::size_t) { return true; }, progress);
}

bool ForEachReadingInOrder(std::size_t count, const PositionsChoice& choice, std::size_t window,
                           const std::function<void(std::size_t index)>& prepare,
                           const ReadingWork& work,
                           const std::function<bool(std::size_t index)>& deliver,
                           const ReadingProgress& progress) {
    if (count == 0) {
        if (progress) progress(0);
        return true;
    }
    // Whole chunks in flight never span more than window indexes; the window holds a few
    // chunks for each thread, so none waits for another's to be delivered.
    const unsigned wanted = ReadingThreads(choice, count);
    const std::size_t chunk = std::clamp<std::size_t>(window / (4 * wanted), 1, kChunk);
    ChunkRing ring(count, chunk, std::max<std::size_t>(1, window / chunk));
    const auto worker = [&] {
        try {
            std::unique_ptr<ephemeris::SwissEphemeris> swiss;
            if (choice.precise()) swiss = std::make_unique<ephemeris::SwissEphemeris>();
            const PositionsSource source{choice, swiss.get()};
            while (const auto taken = ring.Take()) {
                for (std::size_t i = ring.First(*taken); i < ring.End(*taken); ++i) work(i, source);
                ring.Finished(*taken);
            }
        } catch (...) {
            ring.Stop(std::current_exception());
        }
    };
    std::vector<std::thread> threads;
    const auto joinAll = [&threads] {
        for (std::thread& t : threads)
            if (t.joinable()) t.join();
    };
    bool delivered = true;
    try {
        for (unsigned t = 0; t < wanted; ++t) {
            // Short of memory for another thread's stack, the run goes on with those it has.
            try {
                threads.emplace_back(worker);
            } catch (const std::system_error&) {
                if (threads.empty()) throw;
                break;
            }
        }
        std::size_t prepared = 0;
        auto reported = std::chrono::steady_clock::now();
        for (std::size_t next = 0; next < ring.Chunks() && delivered;) {
            for (; prepared < ring.Chunks() && prepared < next + ring.Ring(); ++prepared) {
                for (std::size_t i = ring.First(prepared); i < ring.End(prepared); ++i) prepare(i);
                ring.Prepared();
            }
            const bool finished = ring.WaitFinished(next, kProgressEvery);
            if (ring.Failure()) break;
            if (finished) {
                for (std::size_t i = ring.First(next); i < ring.End(next) && delivered; ++i)
                    delivered = deliver(i);
                ++next;
            }
            const auto now = std::chrono::steady_clock::now();
            if (progress && now - reported >= kProgressEvery) {
                progress(ring.Done());
                reported = now;
            }
        }
    } catch (...) {
        ring.Stop();
        joinAll();
        throw;
    }
    ring.Stop();
    joinAll();
    if (const std::exception_ptr failure = ring.Failure()) std::rethrow_exception(failure);
    if (progress && delivered) progress(count);
    return delivered;
}

}  // namespace velloran
