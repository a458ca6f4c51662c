#include "toolkit/worker.h"

#include "data/fatal.h"
#include "toolkit/application.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace sg8 {

namespace {

std::atomic<bool> threadsFail{false};

}  // namespace

struct Worker::Impl {
    std::thread thread;
    bool running = false;
};

Worker::Worker() : impl_(std::make_shared<Impl>()) {}

Worker::~Worker()
{
    // A result posted but not yet handed back finds the worker gone and is dropped.
    if (impl_->thread.joinable()) impl_->thread.join();
}

bool Worker::running() const { return impl_->running; }

Worker::Start Worker::startJob(std::function<void()> work, std::function<void()> done)
{
    if (impl_->running) return Start::Busy;
    if (impl_->thread.joinable()) impl_->thread.join();
    std::weak_ptr<Impl> owner = impl_;
    try {
        if (threadsFail) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        impl_->thread = std::thread([owner, work = std::move(work), done = std::move(done)]() mutable {
            dieOnOutOfMemory([&] { work(); });
            postToWindowThread([owner, done = std::move(done)] {
                const std::shared_ptr<Impl> impl = owner.lock();
                if (!impl) return;
                impl->thread.join();
                impl->running = false;
                dieOnOutOfMemory([&] { done(); });
            });
        });
    } catch (const std::system_error&) {
        return Start::NoThread;
    }
    impl_->running = true;
    return Start::Started;
}

void setWorkerThreadsFail(bool fail) { threadsFail = fail; }

}  // namespace sg8
