#pragma once
// One MP3 file played through the open sound device, decoded as it plays: a
// ring of eight quarter-second chunks that a thread of the player refills from
// the decoder as the play cursor leaves each one, so that a long song neither
// delays its start nor is held in memory whole. It plays from where it
// stands (from the start again after it has ended), pauses and resumes; when
// it plays to its end with a notify window, that window receives
// MM_MCINOTIFY. When the sound device closes first, the player falls silent
// and its commands fail. Under a clock that moves only when the program moves
// it, time waits for the thread to refill what has played, and the end is told
// between two steps of time, so that what is heard, and when the program hears
// of the end, do not depend on how threads were scheduled. In the browser
// build the page plays the file itself instead (same commands, same notify).
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/joining_thread.h"
#include "platform/kernel.h"
#include "platform/sound_device.h"
#include "platform/window_handle.h"

struct mpg123_handle_struct;

namespace plat {

class Mp3Player {
public:
    Mp3Player() = default;
    ~Mp3Player();
    Mp3Player(const Mp3Player&) = delete;
    Mp3Player& operator=(const Mp3Player&) = delete;

    // Opens the file and decodes its first ring's worth into a sound buffer
    // of the open device; false when the file cannot be decoded or there is
    // no sound device.
    bool Open(const std::string& path);
    // Plays from the current position; notifyWindow (or null) hears of the end.
    bool Play(WindowHandle notifyWindow);
    bool Pause();
    bool Resume();

    // MM_MCINOTIFY's wParam for a play that ran to its end.
    static constexpr uintptr_t kNotifySuccessful = 1;

#ifdef __EMSCRIPTEN__
private:
    // The page's player (web/web_mp3_player.cpp): the browser plays the song
    // on the page's audio context, beside the mixer, as the system's service
    // played it outside the program's sound. The song's state is the page's.
    friend void TellEnd(Mp3Player& player);
    static void DeviceClosing(void* player);
    void Close();

    bool open_ = false;
    bool paused_ = false;
    WindowHandle notifyWindow_ = nullptr;
#else
    static constexpr int kChunks = 8;

    // Test control: holds the player's lock, as a busy machine keeps the
    // player's thread from refilling the ring.
    std::unique_lock<std::mutex> HoldForTest() { return std::unique_lock(mutex_); }

private:
    static constexpr int kStopEvent = kChunks;
    static constexpr int kQuitEvent = kChunks + 1;
    static constexpr int kEvents = kChunks + 2;
    static constexpr uint32_t kNoChunk = 0xFFFFFFFF;

    // The player's thread: refills the chunks that have played and notices
    // the end.
    void Feed();
    static void DeviceClosing(void* player);
    // The clock's catch-up while the player is open: waits for the thread,
    // then tells of an end it has seen.
    static void CatchUpWithFeeder(void* player);
    // With mutex_ held. FillChunk returns the bytes of song it decoded into
    // the chunk; Rewind refills the whole ring from the start of the song.
    uint32_t FillChunk(uint32_t chunk);
    void RefillPlayed();
    uint32_t Rewind();
    bool FeederHasCaughtUp();
    // Stops the thread and lets go of the buffer and the decoder.
    void Silence();

    std::mutex mutex_;  // guards what follows against the thread and the device's release
    mpg123_handle_struct* decoder_ = nullptr;
    SoundBuffer* buffer_ = nullptr;
    uint32_t chunkBytes_ = 0;
    uint32_t nextChunk_ = 0;          // the chunk to refill once it has played
    uint32_t lastChunk_ = kNoChunk;   // the chunk that holds the end of the song
    bool decodedAll_ = false;
    bool paused_ = false;
    bool ending_ = false;  // stopped after the last chunk; the stop is the end
    bool ended_ = false;
    WindowHandle notifyWindow_ = nullptr;
    bool endToldAtCatchUp_ = false;           // by the clock's catch-up, not the thread
    std::atomic<bool> feederGivenUp_{false};  // the last catch-up ran out waiting
    EventHandle events_[kEvents] = {};  // chunk starts, stop, quit
    // Its stop signals the quit event; last, so it has ended before anything
    // it touches goes.
    JoiningThread feeder_;
#endif
};

}  // namespace plat
