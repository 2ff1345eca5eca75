#include "platform/sound_device.h"

#include <gtest/gtest.h>

#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/headless/virtual_clock.h"
#include "wav_file.h"

namespace {

const plat::WaveFormat kMono16 = {plat::kWaveFormatPcm, 1, 22050, 44100, 2, 16, 0};

class SoundDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        plat::UseBackend(plat::Backend::Headless);
        ASSERT_EQ(plat::CreateSoundDevice(&device_), plat::kSoundOk);
        static int window;  // any handle will do
        ASSERT_EQ(device_->SetCooperativeLevel(reinterpret_cast<plat::WindowHandle>(&window), plat::kCoopExclusive),
                  plat::kSoundOk);
    }
    void TearDown() override {
        if (primary_ != nullptr) primary_->Release();
        device_->Release();
    }
    // Starts the output, which runs on the headless clock.
    void StartOutput(uint16_t channels = 1) {
        plat::BufferDesc desc = {sizeof desc, plat::kBufferPrimary, 0, 0, nullptr};
        ASSERT_EQ(device_->CreateSoundBuffer(&desc, &primary_), plat::kSoundOk);
        plat::WaveFormat format = {plat::kWaveFormatPcm, channels, 22050,
                                   22050u * channels * 2, uint16_t(channels * 2), 16, 0};
        ASSERT_EQ(primary_->SetFormat(&format), plat::kSoundOk);
        ASSERT_EQ(primary_->Play(plat::kPlayLooping), plat::kSoundOk);
    }
    plat::SoundBuffer* MakeBuffer(uint32_t bytes, uint32_t flags = plat::kBufferCtrlPositionNotify,
                                  int16_t value = 1000) {
        plat::BufferDesc desc = {sizeof desc, flags, bytes, 0, &kMono16};
        plat::SoundBuffer* buffer = nullptr;
        EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer), plat::kSoundOk);
        void* region = nullptr;
        uint32_t size = 0;
        EXPECT_EQ(buffer->Lock(0, bytes, &region, &size, nullptr, nullptr, 0), plat::kSoundOk);
        for (uint32_t i = 0; i < size / 2; ++i) static_cast<int16_t*>(region)[i] = value;
        buffer->Unlock(region, size, nullptr, 0);
        return buffer;
    }
    plat::SoundDevice* device_ = nullptr;
    plat::SoundBuffer* primary_ = nullptr;
};

TEST_F(SoundDeviceTest, OneDeviceAndBuffersOnlyOfPlayableFormatsAndControlsTheyHave) {
    plat::SoundDevice* second = nullptr;
    EXPECT_EQ(plat::CreateSoundDevice(&second), plat::kSoundErrAllocated);
    plat::WaveFormat floatFormat = kMono16;
    floatFormat.wFormatTag = 3;
    plat::BufferDesc desc = {sizeof desc, 0, 100, 0, &floatFormat};
    plat::SoundBuffer* buffer = nullptr;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer), plat::kSoundErrInvalidParam);
    desc.lpwfxFormat = &kMono16;
    desc.dwBufferBytes = 0;
    EXPECT_EQ(device_->CreateSoundBuffer(&desc, &buffer), plat::kSoundErrInvalidParam);

    // Pan and frequency need their capabilities; volume does not.
    plat::SoundBuffer* plain = MakeBuffer(100);
    EXPECT_EQ(plain->SetPan(10000), plat::kSoundErrControlUnavail);
    EXPECT_EQ(plain->SetFrequency(44100), plat::kSoundErrControlUnavail);
    EXPECT_EQ(plain->SetVolume(-1000), plat::kSoundOk);
    EXPECT_EQ(plain->SetVolume(1), plat::kSoundErrInvalidParam);
    plain->Release();
    plat::SoundBuffer* able = MakeBuffer(100, plat::kBufferCtrlPan | plat::kBufferCtrlFrequency);
    EXPECT_EQ(able->QueryNotify(), nullptr);
    EXPECT_EQ(able->SetPan(10001), plat::kSoundErrInvalidParam);
    EXPECT_EQ(able->SetFrequency(44100), plat::kSoundOk);
    EXPECT_EQ(able->SetFrequency(50), plat::kSoundErrInvalidParam);
    able->Release();
}

TEST_F(SoundDeviceTest, ABufferSignalsItsOffsetsThenItsEndAndAStopOnlyWhenItWasPlaying) {
    StartOutput();
    plat::SoundBuffer* buffer = MakeBuffer(4410);  // 100 ms
    // Event 0 for the stop, event 1 for byte 2000; a wait finds the lowest signalled.
    plat::EventHandle events[2] = {plat::CreateAutoResetEvent(), plat::CreateAutoResetEvent()};
    plat::PositionNotify positions[2] = {{plat::kNotifyOffsetStop, events[0]}, {2000, events[1]}};
    ASSERT_EQ(buffer->QueryNotify()->SetNotificationPositions(2, positions), plat::kSoundOk);
    ASSERT_EQ(buffer->Play(0), plat::kSoundOk);
    plat::HeadlessClock().Advance(30);
    uint32_t play = 0, write = 0;
    buffer->GetCurrentPosition(&play, &write);
    EXPECT_TRUE(play > 0u && write > play);
    const auto status = [&] {
        uint32_t bits = 1;
        buffer->GetStatus(&bits);
        return bits;
    };
    plat::HeadlessClock().Advance(100);
    EXPECT_EQ(plat::WaitForAnyEvent(2, events), 0);
    EXPECT_EQ(plat::WaitForAnyEvent(2, events), 1);
    EXPECT_EQ(status(), 0u);

    ASSERT_EQ(buffer->Play(plat::kPlayLooping), plat::kSoundOk);
    EXPECT_EQ(status(), plat::kStatusPlaying | plat::kStatusLooping);
    ASSERT_EQ(buffer->Stop(), plat::kSoundOk);
    EXPECT_EQ(plat::WaitForAnyEvent(2, events), 0);
    EXPECT_EQ(status(), 0u);
    buffer->Stop();  // not playing: no signal, so the other event is the one found
    plat::SignalEvent(events[1]);
    EXPECT_EQ(plat::WaitForAnyEvent(2, events), 1);
    buffer->Play(0);
    buffer->Release();  // released while playing: it stops, and says so
    EXPECT_EQ(plat::WaitForAnyEvent(2, events), 0);
    for (auto e : events) plat::CloseEvent(e);
}

TEST_F(SoundDeviceTest, LockWrapsIntoASecondRegionAndADuplicateSharesTheBytesButNotTheState) {
    plat::SoundBuffer* original = MakeBuffer(100);
    void *a1 = nullptr, *a2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    EXPECT_EQ(original->Lock(90, 20, &a1, &n1, nullptr, nullptr, 0), plat::kSoundErrInvalidParam);
    ASSERT_EQ(original->Lock(90, 20, &a1, &n1, &a2, &n2, 0), plat::kSoundOk);
    EXPECT_EQ(std::make_pair(n1, n2), std::make_pair(10u, 10u));
    EXPECT_EQ(static_cast<char*>(a1) - static_cast<char*>(a2), 90);
    EXPECT_EQ(original->Lock(100, 1, &a1, &n1, &a2, &n2, 0), plat::kSoundErrInvalidParam);
    EXPECT_EQ(original->SetCurrentPosition(100), plat::kSoundErrInvalidParam);
    ASSERT_EQ(original->SetCurrentPosition(51), plat::kSoundOk);
    uint32_t play = 0;
    original->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 50u);  // whole frames

    plat::SoundBuffer* copy = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(original, &copy), plat::kSoundOk);
    std::memcpy(a2, "abcd", 4);  // bytes 0 to 3
    original->Play(plat::kPlayLooping);
    uint32_t status = 1;
    copy->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    original->Release();
    // The bytes live on with the duplicate.
    ASSERT_EQ(copy->Lock(0, 4, &a1, &n1, nullptr, nullptr, 0), plat::kSoundOk);
    EXPECT_EQ(std::memcmp(a1, "abcd", 4), 0);
    copy->Release();
}

TEST_F(SoundDeviceTest, PanSilencesTheFarSideInTheRecording) {
    TempDir dir;
    plat::SetAudioCaptureFile((dir.Path() / "pan.wav").string());
    StartOutput(2);
    plat::SoundBuffer* buffer = MakeBuffer(4410, plat::kBufferCtrlPan, 6000);
    buffer->SetPan(plat::kPanRight);
    buffer->Play(0);
    plat::HeadlessClock().Advance(50);
    primary_->Stop();
    plat::SetAudioCaptureFile("");
    buffer->Release();

    const std::vector<int16_t> samples = ReadWav(dir.Path() / "pan.wav").samples;
    ASSERT_GT(samples.size(), 201u);
    EXPECT_EQ(samples[200], 0);            // left
    EXPECT_NEAR(samples[201], 6000, 2);    // right
}

}  // namespace
