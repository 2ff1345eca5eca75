// MP3 music through the command interface on the headless output: a long
// song plays to its end once, starts again on a new play, and falls silent
// when the sound device closes first; a pipe in the
// song's place is refused; time waits for a player's thread kept from running.
#include <sys/stat.h>

#include <mpg123.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "../sound/recording.h"
#include "mp3_bytes.h"
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/headless/virtual_clock.h"
#include "platform/mci.h"
#include "platform/mp3_player.h"
#include "platform/messages.h"
#include "platform/sound_device.h"
#include "platform/window.h"

namespace {

constexpr int kFramesPerSecond = 44100 / 1152;  // whole MP3 frames

class Mp3Music : public testing::Test {
protected:
    void SetUp() override {
        plat::UseBackend(plat::Backend::Headless);
        plat::ClearMessageQueue();
        plat::RegisterWindowClass({"mp3", 0, plat::DefWindowProc});
        window_ = plat::CreateWindow("mp3", "mp3", 0, 0, 0, 100, 100);
        ASSERT_NE(window_, nullptr);
        OpenDevice();
    }
    void TearDown() override {
        plat::MciSendString("close music", nullptr);
        CloseDevice();
        plat::DestroyWindow(window_);
    }
    void OpenDevice(const plat::WaveFormat* output = nullptr) {
        ASSERT_EQ(plat::CreateSoundDevice(&device_), plat::kSoundOk);
        device_->SetCooperativeLevel(window_, plat::kCoopExclusive);
        plat::BufferDesc desc = {sizeof desc, plat::kBufferPrimary, 0, 0, nullptr};
        ASSERT_EQ(device_->CreateSoundBuffer(&desc, &primary_), plat::kSoundOk);
        if (output != nullptr) {
            ASSERT_EQ(primary_->SetFormat(output), plat::kSoundOk);
        }
        ASSERT_EQ(primary_->Play(plat::kPlayLooping), plat::kSoundOk);
    }
    void CloseDevice() {
        if (device_ == nullptr) return;
        primary_->Release();
        device_->Release();
        device_ = nullptr;
    }
    // Whether the end of the song has been announced, and takes it.
    bool Ended() {
        plat::Message m;
        bool ended = false;
        while (plat::PeekMessage(&m)) ended = ended || m.message == plat::MM_MCINOTIFY;
        return ended;
    }
    // Moves audio time in steps of 10 ms until the song ends or maxMs pass;
    // the audio time it took, 0 if it never ended. The end is told as time
    // moves, never while it stands still, so that a program reading its
    // messages between two steps hears of it at the same step in every run.
    uint32_t PlayUntilEnd(uint32_t maxMs) {
        for (uint32_t ms = 10; ms <= maxMs; ms += 10) {
            plat::HeadlessClock().Advance(10);
            if (Ended()) return ms;
            std::this_thread::sleep_for(std::chrono::microseconds(200));  // the player's thread's chance
            if (Ended()) {
                ADD_FAILURE() << "the end was told while time stood still, after " << ms << " ms";
                return ms;
            }
        }
        return 0;
    }
    // Writes a silent song of that many frames, opens it and plays it with notification.
    void PlaySong(int frames) {
        dir_.Write("song.mp3", SilentMp3(frames));
        ASSERT_EQ(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
        ASSERT_EQ(plat::MciSendString("play music notify", window_), 0);
    }
    // Moves audio time in steps of 250 ms, giving the player's thread a moment at each.
    static void Advance250(int steps) {
        for (int i = 0; i < steps; ++i) {
            plat::HeadlessClock().Advance(250);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    TempDir dir_;
    plat::WindowHandle window_ = nullptr;
    plat::SoundDevice* device_ = nullptr;
    plat::SoundBuffer* primary_ = nullptr;
};

TEST_F(Mp3Music, ASongLongerThanTheRingEndsOnceAfterItHasPlayedAndPlaysAgain) {
    PlaySong(10 * kFramesPerSecond);  // about ten seconds
    // Not before the song's end: ten seconds, well past the two of the ring.
    EXPECT_GE(PlayUntilEnd(12000), 9750u);
    EXPECT_FALSE(Ended());  // once
    // A play after the end starts from the beginning.
    ASSERT_EQ(plat::MciSendString("play music notify", window_), 0);
    EXPECT_GE(PlayUntilEnd(12000), 9750u);
}

TEST_F(Mp3Music, CommandWordsStandBetweenAnyBlanks) {
    dir_.Write("song.mp3", SilentMp3(kFramesPerSecond));
    ASSERT_EQ(plat::MciSendString("  open\tsong.mp3   alias\r\nmusic ", nullptr), 0);
    EXPECT_NE(plat::MciSendString("open song.mp3 alias music", nullptr), 0);  // the alias is taken
    EXPECT_EQ(plat::MciSendString("close music", nullptr), 0);
    // Without an alias the device is named by its file.
    ASSERT_EQ(plat::MciSendString("open song.mp3", nullptr), 0);
    EXPECT_EQ(plat::MciSendString("close song.mp3", nullptr), 0);
}

TEST_F(Mp3Music, APipeInPlaceOfTheSongIsRefused) {
    ASSERT_EQ(mkfifo("song.mp3", 0644), 0);
    alarm(10);  // a player waiting on the pipe ends the test rather than hanging it
    EXPECT_NE(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
    alarm(0);
}

TEST_F(Mp3Music, TheSongFallsSilentWhenTheDeviceClosesFirst) {
    PlaySong(20 * kFramesPerSecond);
    Advance250(12);
    CloseDevice();  // while the player's thread refills its ring
    EXPECT_NE(plat::MciSendString("pause music", nullptr), 0);
    EXPECT_NE(plat::MciSendString("resume music", nullptr), 0);
    EXPECT_NE(plat::MciSendString("play music notify", window_), 0);
    EXPECT_FALSE(Ended());
    EXPECT_EQ(plat::MciSendString("close music", nullptr), 0);
    // Without a device nothing opens; with a new one the song does.
    EXPECT_NE(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
    OpenDevice();
    EXPECT_EQ(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
    EXPECT_EQ(plat::MciSendString("play music", nullptr), 0);
}

// The file's samples as the player decodes them: 16-bit mono at 44.1 kHz.
std::vector<int16_t> Decoded(const char* path) {
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    std::vector<int16_t> pcm(44100 * 10);
    size_t bytes = 0;
    if (mpg123_open(decoder, path) == MPG123_OK) {
        mpg123_format_none(decoder);
        mpg123_format(decoder, 44100, 1, MPG123_ENC_SIGNED_16);
        int result = MPG123_NEW_FORMAT;
        size_t done = 0;
        while (result == MPG123_NEW_FORMAT || (result == MPG123_OK && done > 0)) {
            result = mpg123_read(decoder, reinterpret_cast<unsigned char*>(pcm.data()) + bytes,
                                 pcm.size() * 2 - bytes, &done);
            bytes += done;
        }
        mpg123_close(decoder);
    }
    mpg123_delete(decoder);
    pcm.resize(bytes / 2);
    return pcm;
}

std::vector<int16_t> FromFirstSound(const std::vector<int16_t>& pcm) {
    auto first = pcm.begin();
    while (first != pcm.end() && *first == 0) ++first;
    return {first, pcm.end()};
}

TEST_F(Mp3Music, TimeWaitsForThePlayersThreadKeptFromRunning) {
    // The output in the song's own format, so that what it records is the
    // decoded song unchanged.
    CloseDevice();
    plat::SetAudioCaptureFile("out.wav");
    const plat::WaveFormat mono = {plat::kWaveFormatPcm, 1, 44100, 88200, 2, 16, 0};
    OpenDevice(&mono);
    dir_.Write("song.mp3", ChangingLayerOneMp3(4 * 44100 / 384));  // four seconds
    plat::Mp3Player player;
    ASSERT_TRUE(player.Open("song.mp3"));
    ASSERT_TRUE(player.Play(nullptr));
    // Another thread holds the player for a while (as a busy machine keeps
    // its thread from running) while this one moves three seconds of audio,
    // more than the ring holds, without waiting for anything.
    std::atomic<bool> held{false};
    std::thread busy([&] {
        const auto hold = player.HoldForTest();
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    });
    while (!held) std::this_thread::yield();
    for (int step = 0; step < 300; ++step) plat::HeadlessClock().Advance(10);
    busy.join();
    CloseDevice();  // ends the recording
    plat::SetAudioCaptureFile("");

    const std::vector<int16_t> heard = FromFirstSound(ReadRecording("out.wav").samples);
    const std::vector<int16_t> song = FromFirstSound(Decoded("song.mp3"));
    ASSERT_GE(heard.size(), 44100u * 3 - 1000);
    ASSERT_GE(song.size(), heard.size());
    size_t wrong = 0;
    for (size_t i = 0; i < heard.size(); ++i) wrong += heard[i] != song[i];
    EXPECT_EQ(wrong, 0u);
}

}  // namespace
