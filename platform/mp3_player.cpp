#include "platform/mp3_player.h"

#include <mpg123.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

namespace plat {

namespace {
// On a player's thread, which must never wait for itself.
thread_local bool t_feeding = false;
}  // namespace

Mp3Player::~Mp3Player() { Silence(); }

bool Mp3Player::Open(const std::string& path) {
    Silence();
    SoundDevice* device = OpenSoundDevice();
    if (device == nullptr) return false;
    // Before the player's lock, which the device's release takes after the
    // callbacks' lock.
    AddDeviceClosingCallback(DeviceClosing, this);
    std::unique_lock lock(mutex_);
    auto fail = [&] {
        lock.unlock();
        Silence();
        return false;
    };
    decoder_ = mpg123_new(nullptr, nullptr);
    if (decoder_ == nullptr) return fail();
    mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);  // no notes on stderr
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    // Only a regular file goes to the decoder: on a pipe it would wait for ever.
    const std::string file = ResolvePath(path);
    const int checked = OpenRegularFile(file);
    if (checked < 0) return fail();
    ::close(checked);
    if (mpg123_open(decoder_, file.c_str()) != MPG123_OK ||
        mpg123_getformat(decoder_, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        (channels != 1 && channels != 2)) {
        return fail();
    }
    // Keep the file's rate and channels, but always as 16-bit samples.
    mpg123_format_none(decoder_);
    if (mpg123_format(decoder_, rate, channels, MPG123_ENC_SIGNED_16) != MPG123_OK) return fail();

    // Eight quarter seconds in whole frames, as the WAV music streams.
    const uint32_t frame = static_cast<uint32_t>(channels) * 2;
    chunkBytes_ = static_cast<uint32_t>(rate) * frame / 4;
    chunkBytes_ += (frame - chunkBytes_ % frame) % frame;
    const WaveFormat format{kWaveFormatPcm, static_cast<uint16_t>(channels),
                            static_cast<uint32_t>(rate), static_cast<uint32_t>(rate) * frame,
                            static_cast<uint16_t>(frame), 16, 0};
    const BufferDesc desc{sizeof(BufferDesc), kBufferCtrlVolume | kBufferCtrlPositionNotify,
                          chunkBytes_ * kChunks, 0, &format};
    if (SoundFailed(device->CreateSoundBuffer(&desc, &buffer_))) {
        buffer_ = nullptr;
        return fail();
    }
    PositionNotify positions[kChunks + 1];
    for (int i = 0; i < kEvents; ++i) {
        events_[i] = CreateAutoResetEvent();
        if (events_[i] == nullptr) return fail();
        if (i <= kStopEvent) {
            positions[i] = {i == kStopEvent ? kNotifyOffsetStop : i * chunkBytes_, events_[i]};
        }
    }
    if (SoundFailed(buffer_->QueryNotify()->SetNotificationPositions(kChunks + 1, positions))) {
        return fail();
    }
    if (Rewind() == 0) return fail();  // not one sample: not a song
    feeder_ = JoiningThread([this] { Feed(); }, [this] { SignalEvent(events_[kQuitEvent]); },
                            ThreadPriority::Lowest);
    if (!feeder_) return fail();
    endToldAtCatchUp_ = Clock().AddCatchUp(CatchUpWithFeeder, this);
    return true;
}

uint32_t Mp3Player::Rewind() {
    mpg123_seek(decoder_, 0, SEEK_SET);
    decodedAll_ = false;
    ending_ = false;
    ended_ = false;
    nextChunk_ = 0;
    lastChunk_ = kNoChunk;
    uint32_t decoded = 0;
    for (uint32_t chunk = 0; chunk < kChunks; ++chunk) decoded += FillChunk(chunk);
    buffer_->SetCurrentPosition(0);
    return decoded;
}

uint32_t Mp3Player::FillChunk(uint32_t chunk) {
    void* region = nullptr;
    uint32_t bytes = 0;
    if (SoundFailed(buffer_->Lock(chunk * chunkBytes_, chunkBytes_, &region, &bytes, nullptr,
                                  nullptr, 0))) {
        return 0;
    }
    auto* out = static_cast<unsigned char*>(region);
    size_t left = bytes;
    bool holdsSong = false;  // a byte of the song, not only silence
    while (left > 0 && !decodedAll_) {
        size_t done = 0;
        const int result = mpg123_read(decoder_, out, left, &done);
        out += done;
        left -= done;
        holdsSong = holdsSong || done > 0;
        // The end, an error, or a read that brings nothing ends the song.
        if (result == MPG123_DONE || (result != MPG123_OK && result != MPG123_NEW_FORMAT) ||
            (done == 0 && result != MPG123_NEW_FORMAT)) {
            decodedAll_ = true;
        }
    }
    std::memset(out, 0, left);
    buffer_->Unlock(region, bytes, nullptr, 0);
    if (decodedAll_ && lastChunk_ == kNoChunk) {
        lastChunk_ = holdsSong ? chunk : (chunk + kChunks - 1) % kChunks;
    }
    return static_cast<uint32_t>(bytes - left);
}

void Mp3Player::RefillPlayed() {
    if (ending_ || ended_) return;
    uint32_t cursor = 0;
    if (SoundFailed(buffer_->GetCurrentPosition(&cursor, nullptr))) return;
    // Every chunk before the cursor's has played: refill them in ring order.
    const uint32_t playing = std::min<uint32_t>(cursor / chunkBytes_, kChunks - 1);
    while (nextChunk_ != playing) {
        if (nextChunk_ == lastChunk_) {
            ending_ = true;  // the end of the song has played
            buffer_->Stop();
            return;
        }
        FillChunk(nextChunk_);
        nextChunk_ = (nextChunk_ + 1) % kChunks;
    }
}

bool Mp3Player::Play(WindowHandle notifyWindow) {
    std::lock_guard lock(mutex_);
    if (buffer_ == nullptr) return false;
    if (ending_ || ended_) Rewind();  // a play after the end starts again
    notifyWindow_ = notifyWindow;
    paused_ = false;
    return !SoundFailed(buffer_->Play(kPlayLooping));
}

bool Mp3Player::Pause() {
    std::lock_guard lock(mutex_);
    if (buffer_ == nullptr) return false;
    paused_ = true;
    return !SoundFailed(buffer_->Stop());
}

bool Mp3Player::Resume() {
    std::lock_guard lock(mutex_);
    if (buffer_ == nullptr || !paused_) return false;
    paused_ = false;
    if (ending_ || ended_) return true;  // nothing is left to play
    return !SoundFailed(buffer_->Play(kPlayLooping));
}

bool Mp3Player::FeederHasCaughtUp() {
    if (ending_) return false;  // the end has played; the thread has not seen the stop yet
    if (buffer_ == nullptr || paused_ || ended_) return true;
    uint32_t cursor = 0;
    if (SoundFailed(buffer_->GetCurrentPosition(&cursor, nullptr))) return true;
    return nextChunk_ == std::min<uint32_t>(cursor / chunkBytes_, kChunks - 1);
}

// Not on the player's thread, which would wait for itself. Nothing moves time
// while holding the player's lock (the player's own sections do not), so no
// caller waits for a lock it holds.
void Mp3Player::CatchUpWithFeeder(void* argument) {
    if (t_feeding) return;
    auto* player = static_cast<Mp3Player*>(argument);
    WaitToCatchUp(
        [player] {
            std::lock_guard lock(player->mutex_);
            return player->FeederHasCaughtUp();
        },
        player->feederGivenUp_);
    WindowHandle tell = nullptr;
    {
        std::lock_guard lock(player->mutex_);
        if (player->ended_) tell = std::exchange(player->notifyWindow_, nullptr);
    }
    if (tell != nullptr) PostMessage(tell, MM_MCINOTIFY, kNotifySuccessful, 0);
}

void Mp3Player::Feed() {
    t_feeding = true;
    for (;;) {
        const int signalled = WaitForAnyEvent(kEvents, events_);
        if (signalled == kQuitEvent || signalled == kWaitFailed) return;
        WindowHandle tell = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (signalled < kChunks) {
                RefillPlayed();
                continue;
            }
            // Every stop is reported, a pause's too; only the stop after the
            // last chunk is the end.
            if (!ending_) continue;
            ending_ = false;
            ended_ = true;
            // Under a clock that waits for the player its catch-up tells of
            // the end, between two steps of time: the program, reading its
            // messages meanwhile, hears of it at the same moment in every run.
            if (!endToldAtCatchUp_) tell = std::exchange(notifyWindow_, nullptr);
        }
        if (tell != nullptr) PostMessage(tell, MM_MCINOTIFY, kNotifySuccessful, 0);
    }
}

void Mp3Player::DeviceClosing(void* argument) {
    auto* player = static_cast<Mp3Player*>(argument);
    player->Silence();
}

void Mp3Player::Silence() {
    // Each waits for a call of this player that is running already.
    RemoveDeviceClosingCallback(DeviceClosing, this);
    Clock().RemoveCatchUp(CatchUpWithFeeder, this);
    JoiningThread feeder;
    {
        std::lock_guard lock(mutex_);
        feeder = std::move(feeder_);
    }
    feeder.Stop();  // outside the lock, which the thread takes
    std::lock_guard lock(mutex_);
    if (buffer_ != nullptr) {
        buffer_->QueryNotify()->SetNotificationPositions(0, nullptr);
        buffer_->Release();
        buffer_ = nullptr;
    }
    for (EventHandle& event : events_) {
        if (event != nullptr) CloseEvent(event);
        event = nullptr;
    }
    if (decoder_ != nullptr) {
        mpg123_close(decoder_);
        mpg123_delete(decoder_);
        decoder_ = nullptr;
    }
    paused_ = ending_ = ended_ = false;
    notifyWindow_ = nullptr;
}

}  // namespace plat
