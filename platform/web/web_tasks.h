#pragma once
// The browser build has one thread, the page's: what the desktop runs on
// threads of its own (the music's fill thread, the MP3 feeder, the sound
// library's callback thread) runs here as tasks on that thread, each with a
// stack of its own (Emscripten's fibers over ASYNCIFY). A task runs until it
// waits (kernel.h's WaitForAnyEvent, a join, a sleep); the tasks that can go on
// run whenever the page's program gives the browser its time, before and after
// the wait, so the page needs no shared memory and no cross-origin isolation.
#include <cstdint>

namespace plat {

// Gives the browser the page's thread for ms milliseconds, running the ready
// tasks first and after; on a task, lets the page's program and the other
// tasks run for that time instead.
void YieldToBrowser(uint32_t ms);

// YieldToBrowser for the page's program that WakeForInput ends early: the
// browser wakes the page once, when either comes, instead of at every
// display frame while nothing is shown.
void YieldUntilInput(uint32_t ms);

// Ends a YieldUntilInput in progress (input has arrived); nothing otherwise.
void WakeForInput();

// Gives the browser its turn (a paint, the input, the sound) when the page's
// program has held the thread for a while since it last waited: a long run
// of work, such as a scene loading its pictures, then comes in pieces short
// enough to keep the page responsive. Nothing else of the program runs
// meanwhile. Does nothing on a task.
void YieldIfHeldLong();

// Called each time the page's program has its thread back from the browser,
// before it goes on (the web clock's timers); null for none.
void SetWakeHook(void (*hook)());

}  // namespace plat
