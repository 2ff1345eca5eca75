#include "platform/mp3_player.h"

#include <mpg123.h>

#include <cstring>
#include <vector>

#include "platform/messages.h"
#include "platform/paths.h"

namespace plat {

namespace {

struct DecodedSound {
    long rate = 0;
    int channels = 0;
    std::vector<uint8_t> pcm;  // 16-bit signed, native order
};

bool Decode(const std::string& path, DecodedSound* out) {
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (handle == nullptr) return false;
    bool ok = mpg123_open(handle, path.c_str()) == MPG123_OK;
    int encoding = 0;
    if (ok) ok = mpg123_getformat(handle, &out->rate, &out->channels, &encoding) == MPG123_OK;
    if (ok) {
        // Keep the file's rate and channels, but always as 16-bit samples.
        mpg123_format_none(handle);
        ok = mpg123_format(handle, out->rate, out->channels, MPG123_ENC_SIGNED_16) == MPG123_OK;
    }
    unsigned char chunk[16384];
    while (ok) {
        size_t done = 0;
        const int result = mpg123_read(handle, chunk, sizeof chunk, &done);
        out->pcm.insert(out->pcm.end(), chunk, chunk + done);
        if (result == MPG123_DONE) break;
        ok = result == MPG123_OK || result == MPG123_NEW_FORMAT;
    }
    mpg123_close(handle);
    mpg123_delete(handle);
    const size_t frame = static_cast<size_t>(out->channels) * 2;
    return ok && frame > 0 && out->pcm.size() >= frame;
}

// The music is closed, opened and played again at every loop: decoding it once
// keeps those loops from stalling the game. GUI thread only.
const DecodedSound* DecodeOnce(const std::string& path) {
    static std::string decodedPath;
    static DecodedSound decoded;
    if (path != decodedPath) {
        DecodedSound fresh;
        if (!Decode(path, &fresh)) return nullptr;
        decoded = std::move(fresh);
        decodedPath = path;
    }
    return &decoded;
}

}  // namespace

Mp3Player::~Mp3Player() { Close(); }

bool Mp3Player::Usable() const {
    return buffer_ != nullptr && generation_ == SoundDeviceGeneration();
}

bool Mp3Player::Open(const std::string& path) {
    Close();
    SoundDevice* device = OpenSoundDevice();
    if (device == nullptr) return false;
    const DecodedSound* decoded = DecodeOnce(ResolvePath(path));
    if (decoded == nullptr) return false;
    const DecodedSound& sound = *decoded;
    generation_ = SoundDeviceGeneration();

    const uint16_t blockAlign = static_cast<uint16_t>(sound.channels * 2);
    const WaveFormat format{kWaveFormatPcm, static_cast<uint16_t>(sound.channels),
                            static_cast<uint32_t>(sound.rate),
                            static_cast<uint32_t>(sound.rate) * blockAlign, blockAlign, 16, 0};
    const uint32_t bytes = static_cast<uint32_t>(sound.pcm.size() / blockAlign * blockAlign);
    const BufferDesc desc{sizeof(BufferDesc), kBufferCtrlVolume | kBufferCtrlPositionNotify, bytes,
                          0, &format};
    if (SoundFailed(device->CreateSoundBuffer(&desc, &buffer_))) return false;
    void* audio = nullptr;
    uint32_t audioBytes = 0;
    if (!SoundFailed(buffer_->Lock(0, bytes, &audio, &audioBytes, nullptr, nullptr, kLockEntireBuffer))) {
        std::memcpy(audio, sound.pcm.data(), audioBytes);
        buffer_->Unlock(audio, audioBytes, nullptr, 0);
    }
    stopped_ = CreateAutoResetEvent();
    const PositionNotify atStop{kNotifyOffsetStop, stopped_};
    if (stopped_ == nullptr || SoundFailed(buffer_->QueryNotify()->SetNotificationPositions(1, &atStop))) {
        Close();
        return false;
    }
    closing_ = false;
    watcher_ = StartThread(WatchForEnd, this, ThreadPriority::Normal);
    if (watcher_ == nullptr) {
        Close();
        return false;
    }
    return true;
}

bool Mp3Player::Play(WindowHandle notifyWindow) {
    if (!Usable()) return false;
    notifyWindow_ = notifyWindow;
    paused_ = false;
    return !SoundFailed(buffer_->Play(0));
}

bool Mp3Player::Pause() {
    if (!Usable()) return false;
    paused_ = true;  // before the stop, so the watcher takes it for a pause
    return !SoundFailed(buffer_->Stop());
}

bool Mp3Player::Resume() {
    if (!Usable() || !paused_) return false;
    paused_ = false;
    return !SoundFailed(buffer_->Play(0));
}

uint32_t Mp3Player::WatchForEnd(void* argument) {
    auto* player = static_cast<Mp3Player*>(argument);
    for (;;) {
        WaitForAnyEvent(1, &player->stopped_);
        if (player->closing_) return 0;
        if (!player->Usable()) continue;
        // A pause stops the buffer too; by the time that stop is seen here
        // the music may already be playing again.
        uint32_t status = 0;
        player->buffer_->GetStatus(&status);
        if (player->paused_ || (status & kStatusPlaying) != 0) continue;
        // Played to the end: tell the window once.
        if (WindowHandle window = player->notifyWindow_.exchange(nullptr)) {
            PostMessage(window, MM_MCINOTIFY, kNotifySuccessful, 0);
        }
    }
}

void Mp3Player::Close() {
    // The watcher looks at the buffer: stop it before the buffer goes.
    closing_ = true;
    if (watcher_ != nullptr) {
        SignalEvent(stopped_);
        JoinThread(watcher_);
        watcher_ = nullptr;
    }
    // A buffer whose device is gone went with the device's mixer; only its
    // record is left, and nothing may be asked of it.
    if (Usable()) {
        buffer_->QueryNotify()->SetNotificationPositions(0, nullptr);
        buffer_->Release();
    }
    buffer_ = nullptr;
    if (stopped_ != nullptr) CloseEvent(stopped_);
    stopped_ = nullptr;
}

}  // namespace plat
