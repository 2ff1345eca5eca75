// kernel.h's events and threads in the browser: threads are tasks on the page's
// one thread (web_tasks.h), switched only where one waits, so nothing runs
// beside anything else and a lock is never contended.
#include "platform/web/web_tasks.h"

#include <emscripten.h>
#include <emscripten/fiber.h>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "platform/failure.h"
#include "platform/kernel.h"

// The browser's turn as a task of its own, queued behind what is waiting
// (input, a paint, the network): a message to ourselves, which browsers do
// not hold back as they hold back a chain of zero-delay timers (4 ms each).
EM_ASYNC_JS(void, reef_browser_turn, (), {
    await new Promise((resolve) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => resolve();
        channel.port2.postMessage(null);
    });
});

namespace plat {

struct Event {
    bool signalled = false;
};

struct Thread {
    emscripten_fiber_t fiber;
    std::unique_ptr<char[]> stack;
    std::unique_ptr<char[]> unwound;  // where ASYNCIFY keeps its calls while it waits
    ThreadProc proc = nullptr;
    void* argument = nullptr;
    uint32_t result = 0;
    bool finished = false;
    // What it waits for: one of these events, or else the page's clock.
    int waitCount = 0;
    const EventHandle* waitEvents = nullptr;
    double wakeAt = 0;
};

namespace {
// The music's fill and the MP3 decoder read and decode a chunk at a time.
constexpr size_t kTaskStackBytes = 256 * 1024;
constexpr size_t kUnwoundBytes = 64 * 1024;
// Rounds of running the ready tasks per yield: a task's signal readies
// another, which then runs in the same yield.
constexpr int kRounds = 8;
// The longest the page's program holds the thread in one piece where it can
// give it back (YieldIfHeldLong): browsers count a task over 50 ms as
// blocking, on phones about four times slower than a desktop, and a busy
// machine stretches a piece further; a turn costs the browser well under a
// millisecond.
constexpr double kLongestHoldMs = 4;

emscripten_fiber_t g_page;
char g_pageUnwound[kUnwoundBytes];
bool g_pageKnown = false;
std::vector<Thread*> g_tasks;
Thread* g_running = nullptr;
void (*g_wakeHook)() = nullptr;
double g_programBackAt = 0;  // when the page's program last had the thread back

bool Ready(const Thread& task) {
    if (task.finished) return false;
    if (task.waitEvents == nullptr) return emscripten_get_now() >= task.wakeAt;
    for (int i = 0; i < task.waitCount; ++i) {
        if (task.waitEvents[i]->signalled) return true;
    }
    return false;
}

void RunTask(void* argument) {
    auto* task = static_cast<Thread*>(argument);
    task->result = task->proc(task->argument);
    task->finished = true;
    emscripten_fiber_swap(&task->fiber, &g_page);  // never resumed
}

// On a task: the page's program goes on from where it ran this task.
void SwitchToPage() { emscripten_fiber_swap(&g_running->fiber, &g_page); }

void Forget(Thread* task) {
    g_tasks.erase(std::find(g_tasks.begin(), g_tasks.end(), task));
    delete task;
}

// On the page's program only: runs each task that can go on until it waits
// again or ends.
void RunReadyTasks() {
    if (g_running != nullptr || g_tasks.empty()) return;
    if (!g_pageKnown) {
        emscripten_fiber_init_from_current_context(&g_page, g_pageUnwound, sizeof g_pageUnwound);
        g_pageKnown = true;
    }
    for (int round = 0; round < kRounds; ++round) {
        bool ran = false;
        // By index: a task may start another.
        for (size_t i = 0; i < g_tasks.size(); ++i) {
            Thread* task = g_tasks[i];
            if (!Ready(*task)) continue;
            g_running = task;
            emscripten_fiber_swap(&g_page, &task->fiber);
            g_running = nullptr;
            ran = true;
        }
        if (!ran) return;
    }
}

// A sleep that Module.reefWake ends early: the timer's end or the wake,
// whichever comes first, resumes the program.
EM_ASYNC_JS(void, SleepUntilWoken, (double ms), {
    await new Promise((resolve) => {
        const done = () => {
            clearTimeout(timer);
            Module.reefWake = null;
            resolve();
        };
        const timer = setTimeout(done, ms);
        Module.reefWake = done;
    });
});

// Until the next round of ready tasks: a task hands the thread back, the
// page's program gives the browser its time.
void WaitAWhile() {
    if (g_running != nullptr) {
        g_running->wakeAt = 0;
        SwitchToPage();
    } else {
        YieldToBrowser(1);
    }
}

// The page's program has the thread back from the browser.
void ProgramBack() {
    g_programBackAt = emscripten_get_now();
    if (g_wakeHook != nullptr) g_wakeHook();
    // What the browser signalled meanwhile (the sound's positions) is served
    // before the program goes on.
    RunReadyTasks();
}
}  // namespace

void YieldToBrowser(uint32_t ms) {
    if (g_running != nullptr) {
        g_running->wakeAt = emscripten_get_now() + ms;
        SwitchToPage();
        return;
    }
    RunReadyTasks();
    emscripten_sleep(ms);
    ProgramBack();
}

void YieldUntilInput(uint32_t ms) {
    if (g_running != nullptr) {
        YieldToBrowser(ms);
        return;
    }
    RunReadyTasks();
    SleepUntilWoken(ms);
    ProgramBack();
}

void WakeForInput() {
    EM_ASM({
        if (Module.reefWake) Module.reefWake();
    });
}

void YieldIfHeldLong() {
    if (g_running != nullptr || emscripten_get_now() - g_programBackAt < kLongestHoldMs) return;
    reef_browser_turn();
    g_programBackAt = emscripten_get_now();
}

void SetWakeHook(void (*hook)()) { g_wakeHook = hook; }

// ---- Events ---------------------------------------------------------------

EventHandle CreateAutoResetEvent() { return new (std::nothrow) Event; }

void CloseEvent(EventHandle event) { delete event; }

void SignalEvent(EventHandle event) {
    if (event != nullptr) event->signalled = true;
}

int WaitForAnyEvent(int count, const EventHandle* events) {
    if (count < 1 || count > kMaxWaitObjects || events == nullptr) return kWaitFailed;
    for (int i = 0; i < count; ++i) {
        if (events[i] == nullptr) return kWaitFailed;
    }
    for (;;) {
        for (int i = 0; i < count; ++i) {
            if (events[i]->signalled) {
                events[i]->signalled = false;
                return i;
            }
        }
        if (g_running != nullptr) {
            g_running->waitCount = count;
            g_running->waitEvents = events;
            SwitchToPage();
            g_running->waitEvents = nullptr;
        } else {
            YieldToBrowser(1);
        }
    }
}

// ---- Threads --------------------------------------------------------------

ThreadHandle StartThread(ThreadProc proc, void* argument, ThreadPriority, uint32_t* id) {
    static uint32_t nextId = 1;
    if (proc == nullptr) return nullptr;
    auto* task = new (std::nothrow) Thread;
    if (task == nullptr) return nullptr;
    task->stack.reset(new (std::nothrow) char[kTaskStackBytes]);
    task->unwound.reset(new (std::nothrow) char[kUnwoundBytes]);
    if (!task->stack || !task->unwound) {
        delete task;
        Fail("no memory for a task's stack");
        return nullptr;
    }
    emscripten_fiber_init(&task->fiber, RunTask, task, task->stack.get(), kTaskStackBytes, task->unwound.get(),
                          kUnwoundBytes);
    task->proc = proc;
    task->argument = argument;
    g_tasks.push_back(task);
    if (id != nullptr) *id = nextId++;
    return task;
}

uint32_t JoinThread(ThreadHandle thread) {
    if (thread == nullptr) return 0;
    while (!thread->finished) WaitAWhile();
    const uint32_t result = thread->result;
    Forget(thread);
    return result;
}

}  // namespace plat
