#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace sg8 {

/// Runs one job at a time on a thread of its own and hands its result back on the
/// window thread. Destroying the worker waits for a running job and drops its
/// result: nothing of a job reaches the windows after that.
class Worker {
public:
    Worker();
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    /// Whether a job has started and its result has not yet been handed back.
    bool running() const;

    /// Runs `work` on the worker thread, then `done` with its result on the window
    /// thread. Refused (false) while a job runs. `work` must touch no control.
    template <typename Result>
    bool start(std::function<Result()> work, std::function<void(Result)> done)
    {
        auto result = std::make_shared<std::optional<Result>>();
        return startJob([result, work = std::move(work)] { result->emplace(work()); },
                        [result, done = std::move(done)] { done(std::move(**result)); });
    }

    struct Impl;

private:
    bool startJob(std::function<void()> work, std::function<void()> done);
    std::unique_ptr<Impl> impl_;
};

}  // namespace sg8
