// Many readings in a bounded window: every index prepared, worked and delivered once, in order,
// with never more than the window between the one prepared and the one delivered.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <stdexcept>
#include <vector>

#include "reading/ManyReadings.h"

namespace velloran {
namespace {

// Runs a test's body on a thread of its own; a body that has not finished in a minute (a run
// whose threads wait for each other for good) fails the whole program with the reason, since
// its threads cannot be taken back.
void WithDeadline(const std::function<void()>& body) {
    auto done = std::async(std::launch::async, body);
    if (done.wait_for(std::chrono::minutes(1)) == std::future_status::ready) return done.get();
    std::fprintf(stderr, "the run did not finish within a minute: its threads wait for good\n");
    std::abort();
}

TEST(ForEachReadingInOrder, DeliversInOrderWithinTheWindow) {
    WithDeadline([] {
        for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{5000}}) {
            constexpr std::size_t kWindow = 300;
            std::vector<int> worked(count, 0);
            std::size_t prepared = 0, delivered = 0, widest = 0;
            bool ordered = true;
            const bool done = ForEachReadingInOrder(
                count, PositionsChoice{}, kWindow,
                [&](std::size_t i) {
                    ordered = ordered && i == prepared;
                    ++prepared;
                    widest = std::max(widest, prepared - delivered);
                },
                [&](std::size_t i, const PositionsSource&) { ++worked[i]; },
                [&](std::size_t i) {
                    ordered = ordered && i == delivered && worked[i] == 1;
                    ++delivered;
                    return true;
                });
            EXPECT_TRUE(done) << count;
            EXPECT_TRUE(ordered) << count;
            EXPECT_EQ(prepared, count);
            EXPECT_EQ(delivered, count);
            EXPECT_LE(widest, kWindow) << count;
            EXPECT_EQ(std::count(worked.begin(), worked.end(), 1), static_cast<long>(count));
        }
    });
}

TEST(ForEachReadingInOrder, StopsWhenDeliveringFailsOrWorkThrows) {
    WithDeadline([] {
        std::atomic<std::size_t> worked{0};
        std::size_t delivered = 0;
        EXPECT_FALSE(ForEachReadingInOrder(
            5000, PositionsChoice{}, 256, [](std::size_t) {},
            [&](std::size_t, const PositionsSource&) { ++worked; },
            [&](std::size_t i) {
                ++delivered;
                return i < 10;
            }));
        EXPECT_EQ(delivered, 11u);
        EXPECT_LE(worked.load(), 11u + 256u);

        // A worker's exception reaches the caller once every worker has stopped.
        EXPECT_THROW(ForEachReadingInOrder(
                         5000, PositionsChoice{}, 256, [](std::size_t) {},
                         [](std::size_t i, const PositionsSource&) {
                             if (i == 1234) throw std::runtime_error("no memory");
                         },
                         [](std::size_t) { return true; }),
                     std::runtime_error);
        EXPECT_THROW(ForEachReading(5000, PositionsChoice{},
                                    [](std::size_t i, const PositionsSource&) {
                                        if (i == 4321) throw std::runtime_error("no memory");
                                    }),
                     std::runtime_error);
    });
}

}  // namespace
}  // namespace velloran
