// Opening a file for reading on Windows: a file on a disk only, never a
// folder, pipe or device.
#include "platform/regular_file.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/failure.h"

namespace plat {

namespace {
int Refuse(int fd, int error, const char* why) {
    if (fd >= 0) _close(fd);
    Fail(why);
    errno = error;
    return -1;
}
}  // namespace

int OpenRegularFile(const std::string& path) {
    const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        // The C runtime refuses a folder with EACCES; POSIX says EISDIR.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return Refuse(-1, EINVAL, "not a regular file");
        }
        return Refuse(-1, errno, std::strerror(errno));
    }
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (GetFileType(handle) != FILE_TYPE_DISK) return Refuse(fd, EINVAL, "not a regular file");
    return fd;
}

std::FILE* OpenRegularStream(const std::string& path, const char* mode) {
    const int fd = OpenRegularFile(path);
    if (fd < 0) return nullptr;
    std::FILE* stream = _fdopen(fd, mode);
    if (stream == nullptr) Refuse(fd, errno, std::strerror(errno));
    return stream;
}

}  // namespace plat
