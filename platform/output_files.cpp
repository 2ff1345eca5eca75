#include "platform/output_files.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl_handles.h"
#include "platform/surface.h"

namespace plat {

namespace {

std::atomic<int> g_outputFailures{0};

bool IsRegularOrMissing(const std::string& path) {
    struct stat info{};
    if (stat(path.c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

// Writes all of data to fd, going on after short writes and interruptions.
bool WriteAll(int fd, const uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value);
    Put16(at + 2, value >> 16);
}

}  // namespace

void ReportWriteFailure(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "reefhoard: %s could not be written: %s\n", path.c_str(), why.c_str());
}

void NoteOutputFailure() { ++g_outputFailures; }

bool OutputFailed() { return g_outputFailures.load() != 0; }

void ForgetOutputFailures() { g_outputFailures = 0; }

void RemovePartialFile(const std::string& path) {
    struct stat info{};
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path.c_str());
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t size, std::string* why) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (!IsRegularOrMissing(path)) {
        // A device or a pipe: there is nothing to replace, only to write to.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            *why = std::strerror(errno);
            return false;
        }
        bool ok = WriteAll(fd, bytes, size);
        int error = errno;
        if (::close(fd) != 0 && ok) {
            ok = false;
            error = errno;
        }
        if (!ok) *why = std::strerror(error);
        return ok;
    }
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        *why = std::strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes, size) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        *why = std::strerror(error);
    }
    return ok;
}

std::vector<uint8_t> EncodeBmp(const Surface& surface) {
    const SdlSurfacePtr bgr(SDL_ConvertSurfaceFormat(surface.Sdl(), SDL_PIXELFORMAT_BGR24, 0));
    if (bgr == nullptr) return {};
    constexpr uint32_t kHeaderBytes = 14 + 40;
    const auto width = static_cast<uint32_t>(bgr->w), height = static_cast<uint32_t>(bgr->h);
    const uint32_t rowBytes = (width * 3 + 3) & ~3u;  // rows are padded to four bytes
    const uint32_t pixelBytes = rowBytes * height;
    std::vector<uint8_t> file(kHeaderBytes + pixelBytes, 0);
    uint8_t* h = file.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, kHeaderBytes + pixelBytes);
    Put32(h + 10, kHeaderBytes);
    Put32(h + 14, 40);
    Put32(h + 18, width);
    Put32(h + 22, height);  // positive: the bottom row comes first
    Put16(h + 26, 1);
    Put16(h + 28, 24);
    Put32(h + 34, pixelBytes);
    Put32(h + 38, 2835);  // 72 dots per inch
    Put32(h + 42, 2835);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(bgr->pixels) + static_cast<std::size_t>(bgr->pitch) * y;
        std::memcpy(file.data() + kHeaderBytes + static_cast<std::size_t>(rowBytes) * (height - 1 - y), row,
                    width * 3);
    }
    return file;
}

}  // namespace plat
