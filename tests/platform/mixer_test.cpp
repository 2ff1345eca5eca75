#include "platform/mixer.h"
#include "platform/sound_device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A voice over its own bytes; the mixer keeps a pointer, so it must not move.
std::unique_ptr<plat::MixVoice> MakeVoice(std::vector<uint8_t> bytes, uint32_t rate,
                                          uint16_t channels, uint16_t bits) {
    auto voice = std::make_unique<plat::MixVoice>();
    voice->data = std::make_shared<std::vector<uint8_t>>(std::move(bytes));
    voice->format = {rate, channels, bits};
    return voice;
}

// 16-bit frames of one value, or (ramp) each one more than the last from 1.
std::vector<uint8_t> Pcm16(size_t frames, int16_t value, bool ramp = false) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < frames; ++i) {
        const uint16_t v = ramp ? uint16_t(i + 1) : uint16_t(value);
        bytes.push_back(uint8_t(v & 0xFF));
        bytes.push_back(uint8_t(v >> 8));
    }
    return bytes;
}

class MixerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(mixer_.SetOutputFormat({22050, 1, 16})); }
    void TearDown() override {
        for (auto& v : voices_) mixer_.RemoveVoice(v.get());
    }
    plat::MixVoice& Add(std::unique_ptr<plat::MixVoice> voice) {
        EXPECT_TRUE(mixer_.AddVoice(voice.get()));
        voices_.push_back(std::move(voice));
        return *voices_.back();
    }
    std::vector<int16_t> Render(uint32_t frames) {
        std::vector<int16_t> out(frames * mixer_.OutputFormat().channels, -1);
        mixer_.Render(out.data(), frames);
        return out;
    }
    plat::Mixer mixer_;
    std::vector<std::unique_ptr<plat::MixVoice>> voices_;
};

TEST_F(MixerTest, VoicesAreSummedExactlyAndEndAfterTheirData) {
    plat::MixVoice& a = Add(MakeVoice(Pcm16(100, 1000), 22050, 1, 16));
    plat::MixVoice& b = Add(MakeVoice(Pcm16(300, -20000), 22050, 1, 16));
    plat::MixVoice& idle = Add(MakeVoice(Pcm16(300, 5000), 22050, 1, 16));
    mixer_.Play(a, false);
    mixer_.Play(b, false);
    std::vector<int16_t> out = Render(400);
    // Under the limiter's ceiling, untouched; from frame 100 a has ended.
    EXPECT_EQ(std::vector<int16_t>({out[0], out[99], out[100], out[299], out[300]}),
              std::vector<int16_t>({-19000, -19000, -20000, -20000, 0}));
    // A finished buffer starts again from the top.
    EXPECT_TRUE(mixer_.Status(a) == 0u && mixer_.Position(a) == 0u && mixer_.Status(idle) == 0u);
}

TEST_F(MixerTest, RenderSaysWhetherAVoiceSoundedAndOnlyAStartCallsThePlayListener) {
    int starts = 0;
    mixer_.SetPlayListener([](void* count) { ++*static_cast<int*>(count); }, &starts);
    plat::MixVoice& a = Add(MakeVoice(Pcm16(100, 0), 22050, 1, 16));
    int16_t out[100];
    EXPECT_FALSE(mixer_.Render(out, 100));
    mixer_.Play(a, false);
    mixer_.Play(a, false);  // already playing: no start
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(mixer_.Render(out, 100));  // silent samples still sound
    // The voice ends within a block or two (the converter's tail), then all is silence.
    int renders = 0;
    while (mixer_.Render(out, 100) && ++renders < 10) {
    }
    EXPECT_LT(renders, 10);
    EXPECT_FALSE(mixer_.Render(out, 100));
    mixer_.SetPlayListener(nullptr, nullptr);
    mixer_.Play(a, false);
    EXPECT_EQ(starts, 1);
}

TEST_F(MixerTest, ManyLoudVoicesStayUnderTheCeilingAndTheGainComesBackAfterThem) {
    ASSERT_TRUE(mixer_.SetOutputFormat({22050, 2, 16}));
    plat::MixVoice& quiet = Add(MakeVoice(Pcm16(22050, 1000), 22050, 2, 16));
    mixer_.Play(quiet, true);
    for (int16_t sign : {1, -1}) {
        // Louder on the left: the gain follows the louder channel.
        for (int i = 0; i < 40; ++i) {
            plat::MixVoice& loud = Add(MakeVoice(Pcm16(200, int16_t(sign * 32000)), 22050, 1, 16));
            mixer_.SetGains(loud, 1.0f, 0.5f);
            mixer_.Play(loud, false);
        }
        const std::vector<int16_t> out = Render(22050);
        for (size_t i = 0; i < 400; ++i) {
            ASSERT_LE(std::abs(out[i]), int(plat::PeakLimiter::kCeiling)) << i;
            ASSERT_EQ(out[i] > 0, sign > 0) << i;  // never wrapped round
        }
        EXPECT_GE(std::abs(out[100]), int(plat::PeakLimiter::kCeiling) - 1);
        // Held down a moment after them, the quiet voice is back at its own level soon after.
        EXPECT_LT(out[2 * 300], 1000);
        EXPECT_EQ(std::make_pair(out[2 * 11025], out[2 * 22049 + 1]), std::make_pair(int16_t{1000}, int16_t{1000}));
    }
}

TEST_F(MixerTest, ALoopingVoiceWrapsAndSignalsItsOffsets) {
    plat::MixVoice& v = Add(MakeVoice(Pcm16(1000, 100), 22050, 1, 16));
    plat::EventHandle events[3] = {plat::CreateAutoResetEvent(), plat::CreateAutoResetEvent(),
                                   plat::CreateAutoResetEvent()};
    mixer_.SetNotifications(v, {{0, events[0]}, {1000, events[1]}, {plat::kNotifyOffsetStop, events[2]}});
    mixer_.Play(v, true);
    EXPECT_EQ(mixer_.Status(v), plat::kStatusPlaying | plat::kStatusLooping);
    std::vector<int16_t> out = Render(1500);
    EXPECT_EQ(out[1499], 100);  // still sounding after the wrap
    EXPECT_EQ(plat::WaitForAnyEvent(3, events), 0);  // wrapped to offset 0
    EXPECT_EQ(plat::WaitForAnyEvent(3, events), 1);  // passed byte 1000
    mixer_.Stop(v);
    EXPECT_EQ(plat::WaitForAnyEvent(3, events), 2);
    for (auto e : events) plat::CloseEvent(e);
}

TEST_F(MixerTest, OtherRatesChannelsAndBitsAreConvertedAndGainsScaleEachChannel) {
    // 1000 frames at 11025 Hz last as long as 2000 output frames.
    plat::MixVoice& v = Add(MakeVoice(Pcm16(1000, 4000), 11025, 1, 16));
    mixer_.Play(v, false);
    std::vector<int16_t> out = Render(3000);
    size_t sounding = 0;
    for (int16_t s : out) sounding += s > 2000 ? 1 : 0;
    EXPECT_NEAR(double(sounding), 2000.0, 40.0);
    // Eight-bit data is unsigned around half: 0x80 is silence.
    mixer_.Play(Add(MakeVoice(std::vector<uint8_t>(100, 0x80), 22050, 1, 8)), false);
    EXPECT_EQ(Render(100), std::vector<int16_t>(100, 0));
    mixer_.Play(Add(MakeVoice(std::vector<uint8_t>(100, 0xC0), 22050, 1, 8)), false);
    EXPECT_NEAR(Render(50)[10], 16384, 256);

    ASSERT_TRUE(mixer_.SetOutputFormat({22050, 2, 16}));
    plat::MixVoice& stereo = Add(MakeVoice(Pcm16(200, 3000), 22050, 2, 16));
    mixer_.Play(stereo, false);
    // A mono voice with its gains on a stereo output: each channel scaled.
    plat::MixVoice& mono = Add(MakeVoice(Pcm16(100, 10000), 22050, 1, 16));
    mixer_.SetGains(mono, 0.0f, 0.5f);
    mixer_.Play(mono, false);
    out = Render(50);
    EXPECT_TRUE(std::abs(out[20] - 3000) <= 2 && std::abs(out[21] - 8000) <= 2) << out[20] << " " << out[21];
}

TEST_F(MixerTest, AStopAndAPlayGoOnWithoutLosingAFrameButAfterTheEndStartAfresh) {
    plat::MixVoice& v = Add(MakeVoice(Pcm16(3000, 0, true), 22050, 1, 16));
    mixer_.Play(v, false);
    std::vector<int16_t> heard = Render(300);  // the converter has taken more than it gave
    mixer_.Stop(v);
    EXPECT_GT(mixer_.Position(v), 300u * 2);
    EXPECT_EQ(Render(100), std::vector<int16_t>(100, 0));
    // Resumed at the position it stands at, as a pause does.
    mixer_.SetPosition(v, mixer_.Position(v));
    mixer_.Play(v, false);
    for (int16_t s : Render(700)) heard.push_back(s);
    for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], int16_t(i + 1)) << i;

    // Moved elsewhere, it plays from there: what the converter held is gone.
    mixer_.Stop(v);
    mixer_.SetPosition(v, 2000 * 2);
    mixer_.Play(v, false);
    EXPECT_EQ(Render(1)[0], 2001);
    // Stopped while its end drains (the whole buffer is in the converter but
    // its last frames are not out yet), it starts afresh, not with the old tail.
    Render(990);
    EXPECT_EQ(mixer_.Status(v), 0u);
    mixer_.Stop(v);
    mixer_.Play(v, false);
    EXPECT_EQ(Render(1)[0], 1);
}

}  // namespace
