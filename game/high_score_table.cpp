#include "game/high_score_table.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "game/high_score_write.h"
#include "platform/debug_log.h"
#include "platform/failure.h"
#include "platform/file_lock.h"
#include "platform/file_replacement.h"
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

// A line on standard error and in the debug log.
void Say(const std::string& text) {
    std::fprintf(stderr, "reefhoard: %s\n", text.c_str());
    DebugLog("%s\n", text.c_str());
}

}  // namespace

HighScoreTable::~HighScoreTable() { Free(); }

void HighScoreTable::Create(int32_t n) {
    Free();
    if (n <= 0) return;
    entries = std::make_unique<HighScoreEntry[]>(static_cast<size_t>(n));
    count = n;
}

void HighScoreTable::Free() {
    entries.reset();
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

int HighScoreTable::Load(const char* fileName) { return Read(fileName) == FileState::Whole ? 1 : 0; }

HighScoreTable::FileState HighScoreTable::Read(const char* fileName) {
    std::FILE* file = plat::OpenFile(fileName, "rb");
    if (file == nullptr) return errno == ENOENT ? FileState::Missing : FileState::Damaged;
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
    if (!ok) return FileState::Damaged;
    for (int32_t i = 0; i < count; ++i) {
        const unsigned char* p = body.data() + kEntryBytes * static_cast<size_t>(i);
        std::memcpy(entries[i].name, p, kNameBytes);
        entries[i].score = static_cast<int32_t>(ReadLE32(p + kNameBytes));
    }
    return FileState::Whole;
}

Status HighScoreTable::Write(const char* fileName) {
    std::vector<unsigned char> data(4 + kEntryBytes * static_cast<size_t>(count));
    WriteLE32(data.data(), static_cast<uint32_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        unsigned char* p = data.data() + 4 + kEntryBytes * static_cast<size_t>(i);
        std::memcpy(p, entries[i].name, kNameBytes);
        WriteLE32(p + kNameBytes, static_cast<uint32_t>(entries[i].score));
    }
    plat::FileReplacement replacement;
    if (!replacement.Begin(plat::ResolveWritePath(fileName))) return plat::StatusOf(false);
    if (!plat::WriteAll(replacement.Descriptor(), data.data(), data.size(), g_HighScoreWrite)) {
        return Status::Failed(std::strerror(errno));
    }
    return plat::StatusOf(replacement.Commit());
}

int HighScoreTable::Offer(const char* fileName, const char* name, int32_t score) {
    const std::string target = plat::ResolveWritePath(fileName);
    // Other games in the same folder may be ending now: the table is read
    // again under the lock, so that no score another one saved is lost.
    const plat::FileLock lock(target);
    if (!lock.Held()) DebugLog("%s offered without a lock (%s)\n", target.c_str(), plat::LastFailure().c_str());
    Create(count);
    const FileState state = Read(fileName);
    if (Insert(name, score) == 0) return 0;
    struct stat info{};
    if (state == FileState::Damaged && ::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        // Not a table this game can read: kept for whoever wants it back.
        const std::string kept = target + ".bad";
        if (std::rename(target.c_str(), kept.c_str()) == 0) {
            Say(target + " was not a whole high-score table; it is kept as " + kept);
        } else {
            Say(target + " was not a whole high-score table and could not be kept as " + kept + " (" +
                std::strerror(errno) + ")");
        }
    }
    if (const Status saved = Write(fileName); !saved) {
        Say(target + " could not be saved (" + saved.Why() + "); it keeps the table it had");
    }
    return 1;
}
