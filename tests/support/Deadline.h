#pragma once
// Runs work that could block (an open of a pipe, a scan, a join) on a thread of its own and waits
// for it only so long, so a test that would hang fails with a reason instead.

#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace velloran::test {

// True when work ended within limit. When it did not, unblock is called (it must make work end,
// as a writer for the pipe it waits on does) before the thread is joined.
inline bool FinishesWithin(std::chrono::milliseconds limit, const std::function<void()>& work,
                           const std::function<void()>& unblock) {
    std::promise<void> ended;
    std::future<void> done = ended.get_future();
    std::thread worker([&] {
        work();
        ended.set_value();
    });
    const bool inTime = done.wait_for(limit) == std::future_status::ready;
    if (!inTime) unblock();
    worker.join();
    return inTime;
}

}  // namespace velloran::test
