#include "toolkit/worker.h"

#include "data/fatal.h"

#include <QObject>

#include <thread>

namespace sg8 {

struct Worker::Impl {
    std::thread thread;
    bool running = false;
    // Lives on the window thread; results are posted to it. Deleting it drops a
    // result that has not been handed back yet.
    std::unique_ptr<QObject> context = std::make_unique<QObject>();
};

Worker::Worker() : impl_(std::make_unique<Impl>()) {}

Worker::~Worker()
{
    if (impl_->thread.joinable()) impl_->thread.join();
    impl_->context.reset();
}

bool Worker::running() const { return impl_->running; }

bool Worker::startJob(std::function<void()> work, std::function<void()> done)
{
    if (impl_->running) return false;
    if (impl_->thread.joinable()) impl_->thread.join();
    impl_->running = true;
    Impl* impl = impl_.get();
    impl_->thread = std::thread([impl, work = std::move(work), done = std::move(done)]() mutable {
        dieOnOutOfMemory([&] { work(); });
        QMetaObject::invokeMethod(impl->context.get(), [impl, done = std::move(done)] {
            impl->thread.join();
            impl->running = false;
            dieOnOutOfMemory([&] { done(); });
        }, Qt::QueuedConnection);
    });
    return true;
}

}  // namespace sg8
