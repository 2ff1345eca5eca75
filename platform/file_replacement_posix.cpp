// Replacing a file whole on POSIX systems: the new file is made with
// O_EXCL | O_NOFOLLOW, flushed with fsync, renamed over the target, and the
// folder flushed too.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/failure.h"
#include "platform/file_replacement.h"

namespace plat {

namespace {

// Makes a rename in the file's folder durable. Not every file system can
// flush a folder; the rename has happened either way, so a failure is ignored.
void SyncFolder(const std::string& filePath) {
    const std::size_t slash = filePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : filePath.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int FileReplacement::CreateNew(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

bool FileReplacement::Commit() {
    if (fd_ < 0) return Fail("no file is being written");
    bool ok = ::fsync(fd_) == 0;
    int error = errno;
    if (::close(fd_) != 0 && ok) {
        ok = false;
        error = errno;
    }
    fd_ = -1;
    if (ok && std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return FailWithErrno(error);
    }
    temporary_.clear();
    SyncFolder(target_);
    return true;
}

void FileReplacement::Abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace plat
