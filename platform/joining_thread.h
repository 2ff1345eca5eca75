#pragma once
// A thread with one owner, who lets it go only once it has ended (like
// std::jthread): whoever starts it says how to tell it to end, and the
// owner's going (destruction, a move onto it, Stop) tells it, then waits for
// it. A thread that waits for events therefore cannot outlive what it
// touches, nor keep its owner's destruction waiting for ever.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/kernel.h"

namespace plat {

class JoiningThread {
public:
    using Proc = std::function<void()>;

    // No thread.
    JoiningThread() noexcept = default;
    // Runs run on a new thread at once, at the given priority. stop (which
    // may be empty, for a thread that ends by itself) must make run return;
    // it is called on the owner's thread and may be called after run has
    // returned. Empty (false) when no thread can be had.
    JoiningThread(Proc run, Proc stop, ThreadPriority priority);
    ~JoiningThread() { Stop(); }
    JoiningThread(JoiningThread&& other) noexcept;
    // Stops and joins the thread this one held, then takes the other's.
    JoiningThread& operator=(JoiningThread&& other) noexcept;
    JoiningThread(const JoiningThread&) = delete;
    JoiningThread& operator=(const JoiningThread&) = delete;

    // Whether a thread is held (started and not yet stopped).
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    // A number that names the thread, 0 for none.
    uint32_t Id() const noexcept { return id_; }
    // Tells the thread to end, waits until it has, and holds nothing after.
    // Not to be called on the thread itself.
    void Stop() noexcept;

private:
    struct Procs {
        Proc run;
        Proc stop;
    };
    ThreadHandle handle_ = nullptr;
    uint32_t id_ = 0;
    std::unique_ptr<Procs> procs_;  // outlives the thread, which runs procs_->run
};

}  // namespace plat
