#include "platform/kernel.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "platform/paths.h"

namespace plat {

#ifndef __EMSCRIPTEN__
// The browser build's events and threads are tasks on the page's one thread
// (platform/web/web_tasks.cpp).

// ---- Events ---------------------------------------------------------------
// All events share one mutex and condition variable: a wait on several events
// then needs no registration with each of them, and every hold is a few
// instructions long, so the audio callback may signal without delay.

struct Event {
    bool signalled = false;
};

namespace {
// Never destroyed: a library thread may still be waiting when the process
// exits, and destroying a condition variable with a waiter blocks for ever.
std::mutex& g_eventMutex = *new std::mutex;
std::condition_variable& g_eventChanged = *new std::condition_variable;
}  // namespace

EventHandle CreateAutoResetEvent() { return new (std::nothrow) Event; }

void CloseEvent(EventHandle event) { delete event; }

void SignalEvent(EventHandle event) {
    if (event == nullptr) return;
    {
        std::lock_guard lock(g_eventMutex);
        event->signalled = true;
    }
    g_eventChanged.notify_all();
}

int WaitForAnyEvent(int count, const EventHandle* events) {
    if (count < 1 || count > kMaxWaitObjects || events == nullptr) return kWaitFailed;
    for (int i = 0; i < count; ++i) {
        if (events[i] == nullptr) return kWaitFailed;
    }
    std::unique_lock lock(g_eventMutex);
    for (;;) {
        for (int i = 0; i < count; ++i) {
            if (events[i]->signalled) {
                events[i]->signalled = false;
                return i;
            }
        }
        g_eventChanged.wait(lock);
    }
}

// ---- Threads --------------------------------------------------------------

struct Thread {
    std::thread thread;
    std::shared_ptr<std::atomic<uint32_t>> result;
};

namespace {
std::atomic<uint32_t> g_nextThreadId{1};

void LowerOwnPriority() {
    // Linux applies a nice value to the calling thread alone; raising it needs
    // no privilege. A refusal leaves the thread at normal priority, as does a
    // system without thread ids.
#ifdef SYS_gettid
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
#endif
}
}  // namespace

ThreadHandle StartThread(ThreadProc proc, void* argument, ThreadPriority priority,
                         uint32_t* id) {
    if (proc == nullptr) return nullptr;
    auto* handle = new (std::nothrow) Thread;
    if (handle == nullptr) return nullptr;
    try {
        handle->result = std::make_shared<std::atomic<uint32_t>>(0);
        handle->thread = std::thread([result = handle->result, proc, argument, priority] {
            if (priority == ThreadPriority::Lowest) LowerOwnPriority();
            result->store(proc(argument));
        });
    } catch (const std::exception&) {
        delete handle;
        return nullptr;
    }
    if (id != nullptr) *id = g_nextThreadId.fetch_add(1);
    return handle;
}

uint32_t JoinThread(ThreadHandle thread) {
    if (thread == nullptr) return 0;
    if (thread->thread.joinable()) thread->thread.join();
    uint32_t result = thread->result->load();
    delete thread;
    return result;
}


#endif  // __EMSCRIPTEN__

// ---- Files ----------------------------------------------------------------

struct File {
    std::FILE* stream;
};

FileHandle OpenFileForReading(const char* path) {
    if (path == nullptr) return InvalidFileHandle();
    std::FILE* stream = OpenFile(path, "rb");
    if (stream == nullptr) return InvalidFileHandle();
    auto* file = new (std::nothrow) File{stream};
    if (file == nullptr) {
        std::fclose(stream);
        return InvalidFileHandle();
    }
    return file;
}

bool CloseFileHandle(FileHandle file) {
    if (file == nullptr || file == InvalidFileHandle()) return false;
    bool closed = std::fclose(file->stream) == 0;
    delete file;
    return closed;
}

bool ReadFileBytes(FileHandle file, void* buffer, uint32_t bytes, uint32_t* read) {
    if (read != nullptr) *read = 0;
    if (file == nullptr || file == InvalidFileHandle()) return false;
    size_t got = std::fread(buffer, 1, bytes, file->stream);
    if (read != nullptr) *read = static_cast<uint32_t>(got);
    return got == bytes || !std::ferror(file->stream);
}

uint32_t SeekFile(FileHandle file, int32_t distance, SeekFrom from) {
    if (file == nullptr || file == InvalidFileHandle()) return kSeekFailed;
    int whence = from == SeekFrom::Begin ? SEEK_SET : from == SeekFrom::Current ? SEEK_CUR : SEEK_END;
    if (std::fseek(file->stream, distance, whence) != 0) return kSeekFailed;
    long position = std::ftell(file->stream);
    return position < 0 ? kSeekFailed : static_cast<uint32_t>(position);
}

// ---- Memory ---------------------------------------------------------------

void* AllocZeroedBlock(size_t bytes) { return std::calloc(bytes == 0 ? 1 : bytes, 1); }

bool FreeBlock(void* block) {
    std::free(block);
    return true;
}

}  // namespace plat
