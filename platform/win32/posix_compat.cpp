// The POSIX calls of platform/win32/include/unistd.h.
#include <unistd.h>

#include <direct.h>
#include <io.h>

#include <cerrno>
#include <climits>
#include <cstring>

ssize_t write(int fd, const void* data, std::size_t size) {
    // The C runtime writes at most INT_MAX bytes a call; the callers go on
    // after a short write.
    const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
    return _write(fd, data, chunk);
}

int lstat(const char* path, struct stat* info) { return stat(path, info); }

char* mkdtemp(char* pattern) {
    const std::size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return nullptr;
    }
    if (_mktemp_s(pattern, length + 1) != 0 || _mkdir(pattern) != 0) return nullptr;
    return pattern;
}
