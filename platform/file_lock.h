#pragma once
// An advisory lock that copies of the program running at once take before
// they read, change and write back a file they share. It is held on a lock
// file beside the shared one ("NAME.lock", left in place: removing it would
// let two copies lock two different files) from construction to destruction.
#include <string>

namespace plat {

class FileLock {
public:
    // Waits until the lock on path is had. Without it (the lock file cannot
    // be made) Held is false and the reason noted (plat::Fail).
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace plat
