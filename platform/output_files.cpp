#include "platform/output_files.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/failure.h"
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
    if (IsRegularOrMissing(path)) {
        if (ReplaceFile(path, data, size)) return true;
        *why = LastFailure();
        return false;
    }
    // A device or a pipe: there is nothing to replace, only to write to.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        *why = std::strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, data, size, ::write);
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) *why = std::strerror(error);
    return ok;
}

bool OutputFile::Open(const std::string& path) {
    Discard();
    if (!IsRegularOrMissing(path)) {
        stream_ = std::fopen(path.c_str(), "wb");
        return stream_ != nullptr || Fail(std::strerror(errno));
    }
    if (!replacement_.Begin(path)) return false;
    // The stream writes through a descriptor of its own, so the replacement
    // keeps its descriptor for the flush to the disk when the file is closed.
    const int fd = ::dup(replacement_.Descriptor());
    stream_ = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (stream_ == nullptr) {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        replacement_.Abandon();
        return Fail(std::strerror(error));
    }
    return true;
}

bool OutputFile::Close() {
    if (stream_ == nullptr) return Fail("the file is not open");
    std::FILE* stream = stream_;
    stream_ = nullptr;
    const bool written = !std::ferror(stream);
    if (std::fclose(stream) != 0 || !written) {
        const int error = written ? errno : EIO;
        replacement_.Abandon();
        return Fail(std::strerror(error));
    }
    return replacement_.Descriptor() < 0 || replacement_.Commit();
}

void OutputFile::Discard() {
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    replacement_.Abandon();
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
