#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/failure.h"

namespace plat {

namespace {
int Refuse(int fd, int error, const char* why) {
    if (fd >= 0) ::close(fd);
    Fail(why);
    errno = error;
    return -1;
}
}  // namespace

int OpenRegularFile(const std::string& path) {
    // Without waiting: opening a pipe that nobody writes would otherwise block
    // before the file's type can be looked at.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Refuse(-1, errno, std::strerror(errno));
    struct stat info{};
    if (::fstat(fd, &info) != 0) return Refuse(fd, errno, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return Refuse(fd, EINVAL, "not a regular file");
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return Refuse(fd, errno, std::strerror(errno));
    }
    return fd;
}

std::FILE* OpenRegularStream(const std::string& path, const char* mode) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) return nullptr;
    std::FILE* stream = ::fdopen(fd, mode);
    if (stream == nullptr) Refuse(fd, errno, std::strerror(errno));
    return stream;
}

}  // namespace plat
