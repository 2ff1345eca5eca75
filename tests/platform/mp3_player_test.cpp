// MP3 music through the command interface on the headless output: a long
// song plays to its end once, starts again on a new play, pauses without
// ending, and falls silent when the sound device closes first; a pipe in the
// song's place is refused.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "mp3_bytes.h"
#include "platform/backend.h"
#include "platform/headless/virtual_clock.h"
#include "platform/mci.h"
#include "platform/messages.h"
#include "platform/sound_device.h"
#include "platform/window.h"
#include "temp_dir.h"

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
    void OpenDevice() {
        ASSERT_EQ(plat::CreateSoundDevice(&device_), plat::kSoundOk);
        device_->SetCooperativeLevel(window_, plat::kCoopExclusive);
        plat::BufferDesc desc = {sizeof desc, plat::kBufferPrimary, 0, 0, nullptr};
        ASSERT_EQ(device_->CreateSoundBuffer(&desc, &primary_), plat::kSoundOk);
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
    // Moves audio time in quarter seconds, with a moment of real time after each,
    // until the song ends or maxMs pass; the audio time it took, 0 if it never ended.
    uint32_t PlayUntilEnd(uint32_t maxMs) {
        uint32_t ms = 0;
        while (ms < maxMs) {
            plat::HeadlessClock().Advance(250);
            ms += 250;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (Ended()) return ms;
        }
        // Real time for a thread that is slow to see the end.
        for (int i = 0; i < 2000; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (Ended()) return ms;
        }
        return 0;
    }
    TempDir dir_;
    plat::WindowHandle window_ = nullptr;
    plat::SoundDevice* device_ = nullptr;
    plat::SoundBuffer* primary_ = nullptr;
};

TEST_F(Mp3Music, ASongLongerThanTheRingEndsOnceAfterItHasPlayedAndPlaysAgain) {
    dir_.Write("song.mp3", SilentMp3(10 * kFramesPerSecond));  // about ten seconds
    ASSERT_EQ(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
    ASSERT_EQ(plat::MciSendString("play music notify", window_), 0);
    // Not before the song's end: ten seconds, well past the two of the ring.
    EXPECT_GE(PlayUntilEnd(12000), 9750u);
    EXPECT_FALSE(Ended());  // once
    // A play after the end starts from the beginning.
    ASSERT_EQ(plat::MciSendString("play music notify", window_), 0);
    EXPECT_GE(PlayUntilEnd(12000), 9750u);
}

TEST_F(Mp3Music, APipeInPlaceOfTheSongIsRefused) {
    ASSERT_EQ(mkfifo("song.mp3", 0644), 0);
    alarm(10);  // a player waiting on the pipe ends the test rather than hanging it
    EXPECT_NE(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
    alarm(0);
}

TEST_F(Mp3Music, APauseIsNotAnEnd) {
    dir_.Write("song.mp3", SilentMp3(3 * kFramesPerSecond));
    ASSERT_EQ(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
    ASSERT_EQ(plat::MciSendString("play music notify", window_), 0);
    plat::HeadlessClock().Advance(1000);
    EXPECT_EQ(plat::MciSendString("pause music", nullptr), 0);
    for (int i = 0; i < 20; ++i) {
        plat::HeadlessClock().Advance(250);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(Ended());
    EXPECT_EQ(plat::MciSendString("resume music", nullptr), 0);
    EXPECT_GE(PlayUntilEnd(4000), 1750u);  // the two seconds that were left
}

TEST_F(Mp3Music, TheSongFallsSilentWhenTheDeviceClosesFirst) {
    dir_.Write("song.mp3", SilentMp3(20 * kFramesPerSecond));
    ASSERT_EQ(plat::MciSendString("open song.mp3 alias music", nullptr), 0);
    ASSERT_EQ(plat::MciSendString("play music notify", window_), 0);
    for (int i = 0; i < 12; ++i) {
        plat::HeadlessClock().Advance(250);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
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

}  // namespace
