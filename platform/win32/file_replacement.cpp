// Replacing a file whole on Windows: the new file is made only where nothing
// has its name (a link planted there makes the creation fail rather than be
// followed), flushed with _commit, and moved over the target by MoveFileEx,
// which replaces it in one step and returns once the move is on the disk.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/failure.h"
#include "platform/file_replacement.h"
#include "platform/win32/windows_error.h"

namespace plat {

int FileReplacement::CreateNew(const std::string& path) {
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

bool FileReplacement::Commit() {
    if (fd_ < 0) return Fail("no file is being written");
    bool ok = _commit(fd_) == 0;
    int error = errno;
    if (_close(fd_) != 0 && ok) {
        ok = false;
        error = errno;
    }
    fd_ = -1;
    if (!ok) {
        _unlink(temporary_.c_str());
        temporary_.clear();
        return FailWithErrno(error);
    }
    if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FailWithLastError(target_);
        _unlink(temporary_.c_str());
        temporary_.clear();
        errno = EACCES;
        return false;
    }
    temporary_.clear();
    return true;
}

void FileReplacement::Abandon() {
    if (fd_ >= 0) _close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) _unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace plat
