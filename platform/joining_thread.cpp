#include "platform/joining_thread.h"

#include <new>
#include <utility>

namespace plat {

JoiningThread::JoiningThread(Proc run, Proc stop, ThreadPriority priority) {
    std::unique_ptr<Procs> procs(new (std::nothrow) Procs);
    if (procs == nullptr || !run) return;
    procs->run = std::move(run);
    procs->stop = std::move(stop);
    auto start = [](void* argument) -> uint32_t {
        static_cast<Procs*>(argument)->run();
        return 0;
    };
    handle_ = StartThread(start, procs.get(), priority, &id_);
    if (handle_ != nullptr) procs_ = std::move(procs);
}

JoiningThread::JoiningThread(JoiningThread&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      procs_(std::move(other.procs_)) {}

JoiningThread& JoiningThread::operator=(JoiningThread&& other) noexcept {
    if (this != &other) {
        Stop();
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
        procs_ = std::move(other.procs_);
    }
    return *this;
}

void JoiningThread::Stop() noexcept {
    if (handle_ == nullptr) return;
    if (procs_->stop) procs_->stop();
    JoinThread(std::exchange(handle_, nullptr));
    id_ = 0;
    procs_.reset();
}

}  // namespace plat
