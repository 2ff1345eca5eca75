// The parts of replacing a file whole that are the same on every system: the
// new file's random name, drawing names until one is free, and writing all of
// the contents. Creating, flushing and renaming the new file is each system's
// own (file_replacement_posix.cpp, win32/file_replacement.cpp).
#include "platform/file_replacement.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/failure.h"

namespace plat {

namespace {

// Twelve letters and digits: about 71 bits, drawn from the system's source.
std::string RandomSuffix() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string suffix(12, ' ');
    for (char& c : suffix) c = kAlphabet[pick(source)];
    return suffix;
}

}  // namespace

TemporarySuffixFunction g_TemporarySuffix = RandomSuffix;

bool FileReplacement::Begin(const std::string& target) {
    Abandon();
    // A name that is taken is never opened: another is drawn instead.
    constexpr int kAttempts = 100;
    for (int i = 0; i < kAttempts; ++i) {
        const std::string name = target + ".tmp." + g_TemporarySuffix();
        const int fd = CreateNew(name);
        if (fd >= 0) {
            target_ = target;
            temporary_ = name;
            fd_ = fd;
            return true;
        }
        if (errno != EEXIST) return FailWithErrno(errno);
    }
    return FailWithErrno(EEXIST);
}

bool FileReplacement::FailWithErrno(int error) {
    Fail(std::strerror(error));
    errno = error;
    return false;
}

bool ReplaceFile(const std::string& target, const void* data, std::size_t size) {
    FileReplacement replacement;
    if (!replacement.Begin(target)) return false;
    if (!WriteAll(replacement.Descriptor(), data, size, ::write)) {
        const int error = errno;
        Fail(std::strerror(error));
        errno = error;
        return false;
    }
    return replacement.Commit();
}

bool WriteAll(int fd, const void* data, std::size_t size, WriteFunction write) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace plat
