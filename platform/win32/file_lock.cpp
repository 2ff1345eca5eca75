// The lock on "NAME.lock" as Windows keeps it: a byte-range lock over the
// whole lock file, released when its handle closes.
#include "platform/file_lock.h"

#include <io.h>
#include <windows.h>

#include "platform/win32/windows_error.h"

namespace plat {

FileLock::FileLock(const std::string& path) {
    const std::string name = path + ".lock";
    // A link put where the lock file should be is opened as itself, not followed.
    const HANDLE file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        FailWithLastError(name);
        return;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        FailWithLastError(name);
        CloseHandle(file);
        return;
    }
    fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
    if (fd_ < 0) CloseHandle(file);
}

FileLock::~FileLock() {
    // Closing the lock file's handle releases the lock.
    if (fd_ >= 0) _close(fd_);
}

}  // namespace plat
