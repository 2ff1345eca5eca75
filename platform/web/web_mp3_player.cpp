// The MP3 player of the web build: the browser decodes the whole file when it
// is opened (decodeAudioData, at the mixer's rate) and plays it as a buffer
// source on the page's music context, straight to the speakers at full level
// as the desktop's player mixes it. The mixer, and the page's thread, have
// nothing to do while only the music plays. The song's position and its
// source live on the page (Module.reefSongs, by player); the source's end
// event tells the program. The last file decoded is kept: the music is closed
// and opened again at every loop, and decoding it anew would stall the game
// for half a second.
#include <emscripten.h>
#include <sys/stat.h>

#include <string>
#include <utility>

#include "platform/messages.h"
#include "platform/mp3_player.h"
#include "platform/paths.h"
#include "platform/sound_device.h"
#include "platform/web/web_tasks.h"

namespace {

// The mixer's rate, which the page's audio contexts run at: the song, decoded
// at it, plays with no further conversion.
constexpr int kDecodeRate = 22050;

// Decodes the file (or takes the kept song when key, its path, size and time
// of change, matches) for the player; 0 when it cannot be read or decoded or
// holds no sound. The wait for the decoder yields to the browser.
EM_ASYNC_JS(int, reef_mp3_open, (const void* player, const char* path, const char* key, int rate), {
    try {
        const name = UTF8ToString(key);
        let buffer = Module.reefKeptSong && Module.reefKeptSong.key === name ? Module.reefKeptSong.buffer : null;
        if (!buffer) {
            const bytes = FS.readFile(UTF8ToString(path));
            buffer = await new OfflineAudioContext(2, 1, rate).decodeAudioData(bytes.slice().buffer);
            if (name) Module.reefKeptSong = {key: name, buffer: buffer};
        }
        if (buffer.length === 0) return 0;
        Module.reefSongs = Module.reefSongs || {};
        Module.reefSongs[player] = {buffer: buffer, source: null, at: 0, startedAt: 0, playing: false, ended: false};
        return 1;
    } catch (e) {
        return 0;
    }
});

// 0 plays from where the song stands (from the start once it has ended), 1
// resumes (nothing once it has ended), 2 pauses, 3 closes.
EM_JS(void, reef_mp3_command, (const void* player, int command), {
    const song = Module.reefSongs && Module.reefSongs[player];
    if (!song) return;
    const start = () => {
        const sound = Module.reefSound;
        if (!song.playing || song.source || !sound) return;  // no sound at all: silence
        const context = sound.musicContext;
        if (!context) {
            sound.whenOpen.push(start);  // before the player's first gesture
            return;
        }
        const source = context.createBufferSource();
        source.buffer = song.buffer;
        source.connect(context.destination);
        source.onended = () => {
            if (song.source !== source) return;
            source.disconnect();
            song.source = null;
            song.playing = false;
            song.ended = true;
            Module._reef_web_mp3_ended(player);
        };
        song.startedAt = context.currentTime - song.at;
        source.start(0, song.at);
        song.source = source;
    };
    const stop = () => {
        song.playing = false;
        if (!song.source) return;
        const context = song.source.context;
        song.at = Math.min(song.buffer.duration, Math.max(0, context.currentTime - song.startedAt));
        song.source.onended = null;
        song.source.stop();
        song.source.disconnect();
        song.source = null;
    };
    if (command === 0 && song.ended) {
        song.ended = false;
        song.at = 0;
    }
    if (command <= 1) {
        if (song.ended) return;
        song.playing = true;
        start();
    } else {
        stop();
        if (command === 3) delete Module.reefSongs[player];
    }
});

constexpr int kPlay = 0;
constexpr int kResume = 1;
constexpr int kPause = 2;
constexpr int kClose = 3;

// The kept song's key: the file's path, size and time of change; empty when
// the file is not there.
std::string SongKey(const std::string& file) {
    struct stat status = {};
    if (stat(file.c_str(), &status) != 0) return {};
    return file + '|' + std::to_string(status.st_size) + '|' + std::to_string(status.st_mtim.tv_sec) + '.' +
           std::to_string(status.st_mtim.tv_nsec);
}

}  // namespace

namespace plat {

// On the page's thread, from the song's end event.
void TellEnd(Mp3Player& player) {
    WindowHandle tell = std::exchange(player.notifyWindow_, nullptr);
    if (tell == nullptr) return;
    PostMessage(tell, MM_MCINOTIFY, Mp3Player::kNotifySuccessful, 0);
    WakeForInput();
}

Mp3Player::~Mp3Player() { Close(); }

bool Mp3Player::Open(const std::string& path) {
    Close();
    if (OpenSoundDevice() == nullptr) return false;
    const uint32_t device = SoundDeviceGeneration();
    AddDeviceClosingCallback(DeviceClosing, this);
    const std::string file = ResolvePath(path);
    // The device may close while the browser decodes.
    if (reef_mp3_open(this, file.c_str(), SongKey(file).c_str(), kDecodeRate) == 0 ||
        SoundDeviceGeneration() != device || OpenSoundDevice() == nullptr) {
        Close();
        return false;
    }
    open_ = true;
    return true;
}

bool Mp3Player::Play(WindowHandle notifyWindow) {
    if (!open_) return false;
    notifyWindow_ = notifyWindow;
    paused_ = false;
    reef_mp3_command(this, kPlay);
    return true;
}

bool Mp3Player::Pause() {
    if (!open_) return false;
    paused_ = true;
    reef_mp3_command(this, kPause);
    return true;
}

bool Mp3Player::Resume() {
    if (!open_ || !paused_) return false;
    paused_ = false;
    reef_mp3_command(this, kResume);
    return true;
}

void Mp3Player::DeviceClosing(void* player) { static_cast<Mp3Player*>(player)->Close(); }

void Mp3Player::Close() {
    RemoveDeviceClosingCallback(DeviceClosing, this);
    reef_mp3_command(this, kClose);
    open_ = paused_ = false;
    notifyWindow_ = nullptr;
}

}  // namespace plat

extern "C" EMSCRIPTEN_KEEPALIVE void reef_web_mp3_ended(plat::Mp3Player* player) { plat::TellEnd(*player); }
