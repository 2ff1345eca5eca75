#include "game/high_score_table.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "game/high_score_write.h"
#include "platform/paths.h"

HighScoreWriteFunction g_HighScoreWrite = ::write;

namespace {

constexpr size_t kNameBytes = sizeof(HighScoreEntry::name);
constexpr size_t kEntryBytes = kNameBytes + 4;  // name field and score as stored

uint32_t ReadLE32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void WriteLE32(unsigned char* p, uint32_t value) {
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
    p[2] = static_cast<unsigned char>(value >> 16);
    p[3] = static_cast<unsigned char>(value >> 24);
}

// Writes all of data, going on after short writes and interruptions.
bool WriteAll(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = g_HighScoreWrite(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Makes the rename in folder durable. Not every file system can sync a
// folder; the rename has happened either way, so a failure here is ignored.
void SyncFolder(const std::string& filePath) {
    const size_t slash = filePath.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : filePath.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

HighScoreTable::~HighScoreTable() { Free(); }

void HighScoreTable::Create(int32_t n) {
    Free();
    if (n <= 0) return;
    entries = new HighScoreEntry[n]();
    count = n;
}

void HighScoreTable::Free() {
    delete[] entries;
    entries = nullptr;
    count = 0;
}

int HighScoreTable::Insert(const char* name, int32_t score) {
    int32_t place = 0;
    while (place < count && entries[place].score >= score) ++place;
    if (place == count) return 0;
    // Whole name fields move: a name read from a file need not end in a NUL.
    for (int32_t j = count - 1; j > place; --j) {
        std::memcpy(entries[j].name, entries[j - 1].name, kNameBytes);
        entries[j].score = entries[j - 1].score;
    }
    // The rest of the field is cleared so a saved file holds no stale bytes.
    HighScoreEntry& entry = entries[place];
    const size_t length = name != nullptr ? strnlen(name, kNameBytes - 1) : 0;
    std::memset(entry.name, 0, kNameBytes);
    if (length > 0) std::memcpy(entry.name, name, length);
    entry.score = score;
    return 1;
}

int32_t HighScoreTable::TopScore() const { return count > 0 ? entries[0].score : 0; }

int HighScoreTable::Load(const char* fileName) {
    std::FILE* file = plat::OpenFile(fileName, "rb");
    if (file == nullptr) return 0;
    unsigned char header[4];
    std::vector<unsigned char> body;
    bool ok = std::fread(header, 1, sizeof header, file) == sizeof header &&
              ReadLE32(header) == static_cast<uint32_t>(count);
    if (ok) {
        // The whole table is read before any of it is taken, so a short file
        // changes nothing. Bytes after the table are not looked at. The size
        // is the table's own, never one the file states.
        try {
            body.resize(kEntryBytes * static_cast<size_t>(count));
            ok = std::fread(body.data(), 1, body.size(), file) == body.size();
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    std::fclose(file);
    if (!ok) return 0;
    for (int32_t i = 0; i < count; ++i) {
        const unsigned char* p = body.data() + kEntryBytes * static_cast<size_t>(i);
        std::memcpy(entries[i].name, p, kNameBytes);
        entries[i].score = static_cast<int32_t>(ReadLE32(p + kNameBytes));
    }
    return 1;
}

int HighScoreTable::Save(const char* fileName) {
    std::vector<unsigned char> data(4 + kEntryBytes * static_cast<size_t>(count));
    WriteLE32(data.data(), static_cast<uint32_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        unsigned char* p = data.data() + 4 + kEntryBytes * static_cast<size_t>(i);
        std::memcpy(p, entries[i].name, kNameBytes);
        WriteLE32(p + kNameBytes, static_cast<uint32_t>(entries[i].score));
    }

    // The table goes to a temporary file beside the target, which replaces
    // the target only once it is wholly on disk: at any moment the file
    // holds either the old table or the new one.
    const std::string target = plat::ResolveWritePath(fileName);
    const std::string temporary = target + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return 0;
    bool ok = WriteAll(fd, data.data(), data.size()) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int error = errno;  // the reason, for the caller to report
        ::unlink(temporary.c_str());
        errno = error;
        return 0;
    }
    SyncFolder(target);
    return 1;
}
