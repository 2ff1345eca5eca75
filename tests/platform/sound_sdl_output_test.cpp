// The sdl backend's output, run through SDL's "disk" audio driver, which
// writes whatever the callback mixes to a file instead of a speaker, and
// through its ALSA driver to a device that is not there.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backend.h"
#include "platform/sound_device.h"
#include "temp_dir.h"

namespace {

// The device's primary buffer, for a window of no consequence.
plat::SoundBuffer* Primary(plat::SoundDevice* device) {
    static int window;
    device->SetCooperativeLevel(reinterpret_cast<plat::WindowHandle>(&window), plat::kCoopExclusive);
    plat::BufferDesc desc = {sizeof desc, plat::kBufferPrimary, 0, 0, nullptr};
    plat::SoundBuffer* primary = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&desc, &primary), plat::kSoundOk);
    return primary;
}

TEST(SdlSoundOutput, TheCallbackMixesAPlayingBufferAndEndsIt) {
    TempDir dir;
    const std::string raw = (dir.Path() / "sdl.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    plat::UseBackend(plat::Backend::Real);

    plat::SoundDevice* device = nullptr;
    ASSERT_EQ(plat::CreateSoundDevice(&device), plat::kSoundOk);
    plat::SoundBuffer* primary = Primary(device);
    ASSERT_NE(primary, nullptr);
    const plat::WaveFormat mono16 = {plat::kWaveFormatPcm, 1, 22050, 44100, 2, 16, 0};
    ASSERT_EQ(primary->SetFormat(&mono16), plat::kSoundOk);
    ASSERT_EQ(primary->Play(plat::kPlayLooping), plat::kSoundOk);

    plat::BufferDesc desc = {sizeof desc, plat::kBufferCtrlPositionNotify, 2205 * 2, 0, &mono16};
    plat::SoundBuffer* buffer = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &buffer), plat::kSoundOk);
    void* region = nullptr;
    uint32_t bytes = 0;
    buffer->Lock(0, 0, &region, &bytes, nullptr, nullptr, plat::kLockEntireBuffer);
    for (uint32_t i = 0; i < bytes / 2; ++i) static_cast<int16_t*>(region)[i] = 7000;
    plat::EventHandle stopped = plat::CreateAutoResetEvent();
    plat::PositionNotify stop = {plat::kNotifyOffsetStop, stopped};
    buffer->QueryNotify()->SetNotificationPositions(1, &stop);
    ASSERT_EQ(buffer->Play(0), plat::kSoundOk);
    EXPECT_EQ(plat::WaitForAnyEvent(1, &stopped), 0);  // the callback reached its end

    buffer->Release();
    primary->Release();
    device->Release();
    plat::CloseEvent(stopped);
    plat::UseBackend(plat::Backend::Headless);

    const std::string data = ReadText(raw);
    size_t loud = 0;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        int16_t s = int16_t(uint8_t(data[i]) | uint8_t(data[i + 1]) << 8);
        if (s > 6000) ++loud;
    }
    EXPECT_GT(loud, 2000u);
}

TEST(SdlSoundOutput, AnAlsaDeviceThatIsNotThereFailsWithoutPrinting) {
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "no-such-device", 1);
    plat::UseBackend(plat::Backend::Real);
    testing::internal::CaptureStderr();
    plat::SoundDevice* device = nullptr;
    if (plat::CreateSoundDevice(&device) == plat::kSoundOk) {
        plat::SoundBuffer* primary = Primary(device);
        ASSERT_NE(primary, nullptr);
        EXPECT_NE(primary->Play(plat::kPlayLooping), plat::kSoundOk);
        primary->Release();
        device->Release();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    plat::UseBackend(plat::Backend::Headless);
}

}  // namespace
