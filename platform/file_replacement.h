#pragma once
// Replacing a file whole. The new contents go to a new file in the target's
// folder under a unique name nobody can guess, created only where nothing has
// that name yet, so a link planted beside the target is never followed. The
// new file is flushed to the disk, renamed over the target, and the folder
// flushed too: at every moment the target holds its old contents or the new.
#include <sys/types.h>

#include <cstddef>
#include <string>

namespace plat {

class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement() { Abandon(); }
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the new file; false with the reason noted (plat::Fail).
    bool Begin(const std::string& target);
    // Where the new contents are written: -1 before Begin and after Commit
    // or Abandon.
    int Descriptor() const { return fd_; }
    // Flushes the new file and puts it in the target's place. False with the
    // reason noted; the target is then as it was and the new file gone.
    bool Commit();
    // Removes the new file; the target stays as it was.
    void Abandon();

private:
    // Creates the file at path only where nothing has that name, for
    // writing; its descriptor, or -1 with errno set. Each system's own.
    static int CreateNew(const std::string& path);
    // Notes the reason for error and leaves it in errno; returns false.
    static bool FailWithErrno(int error);

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
};

// Replaces target with size bytes of data, as above; false with the reason
// noted.
bool ReplaceFile(const std::string& target, const void* data, std::size_t size);

// Writes all of data to fd through write, going on after short writes and
// interruptions; false with errno set.
using WriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);
bool WriteAll(int fd, const void* data, std::size_t size, WriteFunction write);

// The random part of the next new file's name. Tests replace it to learn the
// name in advance and plant something there.
using TemporarySuffixFunction = std::string (*)();
extern TemporarySuffixFunction g_TemporarySuffix;

}  // namespace plat
