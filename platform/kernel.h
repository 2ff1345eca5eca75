#pragma once
// The small set of operating-system services the sound library relies on:
// auto-reset events with a wait on any of several, threads with a priority
// hint (owned through plat::JoiningThread), read-only file handles with read
// and seek, one zero-filled memory block, and the millisecond tick count
// (plat::TickCount in platform/clock.h).
#include <cstddef>
#include <cstdint>

#include "platform/clock.h"

namespace plat {

// ---- Events ---------------------------------------------------------------

struct Event;
using EventHandle = Event*;

// An unnamed auto-reset event, initially not signalled; null when out of memory.
EventHandle CreateAutoResetEvent();
void CloseEvent(EventHandle event);
// Signals the event; one waiter (or the next wait) consumes the signal.
void SignalEvent(EventHandle event);

constexpr int kMaxWaitObjects = 64;
constexpr int kWaitFailed = -1;
// Blocks until one of the events is signalled, consumes that signal and
// returns its index (the lowest index when several are signalled). Returns
// kWaitFailed for a count outside 1..kMaxWaitObjects or a null handle.
int WaitForAnyEvent(int count, const EventHandle* events);

// ---- Threads --------------------------------------------------------------

struct Thread;
using ThreadHandle = Thread*;
using ThreadProc = uint32_t (*)(void* argument);

enum class ThreadPriority { Normal, Lowest };

// The primitives plat::JoiningThread (platform/joining_thread.h) is built on;
// everything else owns its threads through that.
// Starts proc(argument) on a new thread at once; null when it cannot start.
// *id, when given, receives a number that identifies the thread.
ThreadHandle StartThread(ThreadProc proc, void* argument, ThreadPriority priority,
                         uint32_t* id = nullptr);
// Waits for the thread to finish, frees the handle and returns the thread's
// result. A thread cannot join itself.
uint32_t JoinThread(ThreadHandle thread);

// ---- Files ----------------------------------------------------------------

struct File;
using FileHandle = File*;
// The failure value of an open, like INVALID_HANDLE_VALUE.
inline FileHandle InvalidFileHandle() { return reinterpret_cast<FileHandle>(intptr_t{-1}); }

// Opens an existing file for reading; the path is Windows-style and resolved
// like plat::OpenFile. InvalidFileHandle() when it cannot be opened.
FileHandle OpenFileForReading(const char* path);
bool CloseFileHandle(FileHandle file);
// Reads up to bytes into buffer; *read receives how many arrived (fewer at the
// end of the file). False only when the read itself failed.
bool ReadFileBytes(FileHandle file, void* buffer, uint32_t bytes, uint32_t* read);

enum class SeekFrom { Begin, Current, End };
constexpr uint32_t kSeekFailed = 0xFFFFFFFF;
// Moves the file position; returns the new position from the file start, or
// kSeekFailed.
uint32_t SeekFile(FileHandle file, int32_t distance, SeekFrom from);

// ---- Memory ---------------------------------------------------------------

// One block of zero-filled memory, suitably aligned for any type; null when
// out of memory. FreeBlock(null) succeeds.
void* AllocZeroedBlock(size_t bytes);
bool FreeBlock(void* block);

}  // namespace plat
