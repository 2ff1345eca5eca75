// The sound library's system services over Windows' own: auto-reset event
// objects and WaitForMultipleObjects, threads with SetThreadPriority, file
// handles read with ReadFile, and the process heap.
#include "platform/kernel.h"

#include <process.h>
#include <windows.h>

#include <new>

#include "platform/paths.h"

namespace plat {

namespace {
HANDLE Native(EventHandle event) { return reinterpret_cast<HANDLE>(event); }
}  // namespace

// ---- Events ---------------------------------------------------------------

EventHandle CreateAutoResetEvent() { return reinterpret_cast<EventHandle>(CreateEventA(nullptr, FALSE, FALSE, nullptr)); }

void CloseEvent(EventHandle event) {
    if (event != nullptr) CloseHandle(Native(event));
}

void SignalEvent(EventHandle event) {
    if (event != nullptr) SetEvent(Native(event));
}

int WaitForAnyEvent(int count, const EventHandle* events) {
    static_assert(kMaxWaitObjects == MAXIMUM_WAIT_OBJECTS);
    if (count < 1 || count > kMaxWaitObjects || events == nullptr) return kWaitFailed;
    HANDLE handles[kMaxWaitObjects];
    for (int i = 0; i < count; ++i) {
        if (events[i] == nullptr) return kWaitFailed;
        handles[i] = Native(events[i]);
    }
    // Of several signalled events Windows names (and consumes) the lowest.
    const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(count), handles, FALSE, INFINITE);
    if (result >= WAIT_OBJECT_0 + static_cast<DWORD>(count)) return kWaitFailed;
    return static_cast<int>(result - WAIT_OBJECT_0);
}

// ---- Threads --------------------------------------------------------------

struct Thread {
    HANDLE handle;
};

namespace {
struct ThreadStart {
    ThreadProc proc;
    void* argument;
};

unsigned __stdcall RunThread(void* start) {
    const ThreadStart what = *static_cast<ThreadStart*>(start);
    delete static_cast<ThreadStart*>(start);
    return what.proc(what.argument);
}
}  // namespace

ThreadHandle StartThread(ThreadProc proc, void* argument, ThreadPriority priority, uint32_t* id) {
    if (proc == nullptr) return nullptr;
    auto* start = new (std::nothrow) ThreadStart{proc, argument};
    auto* thread = new (std::nothrow) Thread{};
    if (start == nullptr || thread == nullptr) {
        delete start;
        delete thread;
        return nullptr;
    }
    // Made suspended, so that its priority is set before it runs.
    unsigned threadId = 0;
    thread->handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, RunThread, start, CREATE_SUSPENDED, &threadId));
    if (thread->handle == nullptr) {
        delete start;
        delete thread;
        return nullptr;
    }
    if (priority == ThreadPriority::Lowest) SetThreadPriority(thread->handle, THREAD_PRIORITY_LOWEST);
    ResumeThread(thread->handle);
    if (id != nullptr) *id = threadId;
    return thread;
}

uint32_t JoinThread(ThreadHandle thread) {
    if (thread == nullptr) return 0;
    WaitForSingleObject(thread->handle, INFINITE);
    DWORD result = 0;
    GetExitCodeThread(thread->handle, &result);
    CloseHandle(thread->handle);
    delete thread;
    return result;
}


// ---- Files ----------------------------------------------------------------

namespace {
HANDLE Native(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
bool Usable(FileHandle file) { return file != nullptr && file != InvalidFileHandle(); }
}  // namespace

FileHandle OpenFileForReading(const char* path) {
    if (path == nullptr) return InvalidFileHandle();
    const HANDLE file = CreateFileA(ResolvePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return InvalidFileHandle();
    // A file on a disk only: a pipe or device could keep a read waiting.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return InvalidFileHandle();
    }
    return reinterpret_cast<FileHandle>(file);
}

bool CloseFileHandle(FileHandle file) { return Usable(file) && CloseHandle(Native(file)) != FALSE; }

bool ReadFileBytes(FileHandle file, void* buffer, uint32_t bytes, uint32_t* read) {
    if (read != nullptr) *read = 0;
    if (!Usable(file)) return false;
    DWORD got = 0;
    const bool ok = ReadFile(Native(file), buffer, bytes, &got, nullptr) != FALSE;
    if (read != nullptr) *read = got;
    return ok;
}

uint32_t SeekFile(FileHandle file, int32_t distance, SeekFrom from) {
    if (!Usable(file)) return kSeekFailed;
    const DWORD method = from == SeekFrom::Begin ? FILE_BEGIN : from == SeekFrom::Current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER position{};
    LARGE_INTEGER move{};
    move.QuadPart = distance;
    if (!SetFilePointerEx(Native(file), move, &position, method) ||
        position.QuadPart >= kSeekFailed) {
        return kSeekFailed;
    }
    return static_cast<uint32_t>(position.QuadPart);
}

// ---- Memory ---------------------------------------------------------------

void* AllocZeroedBlock(size_t bytes) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes == 0 ? 1 : bytes); }

bool FreeBlock(void* block) { return block == nullptr || HeapFree(GetProcessHeap(), 0, block) != FALSE; }

}  // namespace plat
