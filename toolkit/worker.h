#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace sg8 {

/// Runs one job at a time on a thread of its own and hands its result back on the
/// window thread. Destroying the worker waits for a running job and drops its
/// result: nothing of a job reaches the windows after that.
class Worker {
public:
    /// Whether a job was started; when not, why.
    enum class Start {
        Started,
        Busy,         ///< a job is running
        NoThread,     ///< the system gave no thread; the worker stays usable
    };

    Worker();
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    /// Whether a job has started and its result has not yet been handed back.
    bool running() const;

    /// Runs `work` on the worker thread, then `done` with its result on the window
    /// thread. Refused while a job runs. `work` must touch no control.
    template <typename Result>
    Start start(std::function<Result()> work, std::function<void(Result)> done)
    {
        auto result = std::make_shared<std::optional<Result>>();
        return startJob([result, work = std::move(work)] { result->emplace(work()); },
                        [result, done = std::move(done)] { done(std::move(**result)); });
    }

    struct Impl;

private:
    Start startJob(std::function<void()> work, std::function<void()> done);
    std::shared_ptr<Impl> impl_;
};

/// Test hook: while set, starting a worker's thread fails as when the system has none left.
void setWorkerThreadsFail(bool fail);

}  // namespace sg8
