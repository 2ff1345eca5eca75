#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/failure.h"

namespace plat {

FileLock::FileLock(const std::string& path) {
    const std::string name = path + ".lock";
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        Fail(name + ": " + std::strerror(errno));
        return;
    }
    int result;
    do {
        result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        Fail(name + ": " + std::strerror(errno));
        ::close(fd);
        return;
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    // Closing the last descriptor of the lock file releases the lock.
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace plat
