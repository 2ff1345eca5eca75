#pragma once
// One MP3 file played through the open sound device: decoded whole when it is
// first opened, played once from where it stands, paused and resumed; when it
// plays to its end with a notify window, that window receives MM_MCINOTIFY.
// When the sound device closes first, the player falls silent and its
// commands fail.
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/kernel.h"
#include "platform/sound_device.h"
#include "platform/window_handle.h"

namespace plat {

class Mp3Player {
public:
    Mp3Player() = default;
    ~Mp3Player();
    Mp3Player(const Mp3Player&) = delete;
    Mp3Player& operator=(const Mp3Player&) = delete;

    // Decodes the file into a sound buffer of the open device; false when the
    // file cannot be decoded or there is no sound device.
    bool Open(const std::string& path);
    // Plays from the current position; notifyWindow (or null) hears of the end.
    bool Play(WindowHandle notifyWindow);
    bool Pause();
    bool Resume();

    // MM_MCINOTIFY's wParam for a play that ran to its end.
    static constexpr uintptr_t kNotifySuccessful = 1;

private:
    static uint32_t WatchForEnd(void* player);
    // The buffer exists and its sound device is still the one open.
    bool Usable() const;
    void Close();

    SoundBuffer* buffer_ = nullptr;
    uint32_t generation_ = 0;  // the sound device's, when the buffer was made
    EventHandle stopped_ = nullptr;
    ThreadHandle watcher_ = nullptr;
    std::atomic<WindowHandle> notifyWindow_{nullptr};
    std::atomic<bool> paused_{false};
    std::atomic<bool> closing_{false};
};

}  // namespace plat
