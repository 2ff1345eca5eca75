#include <gtest/gtest.h>

#include <cstring>

#include "sound_fixture.h"

namespace {

class WavTest : public SoundTest {
protected:
    // The bytes of the loaded sample's buffer.
    std::string BufferBytes(SNDSample* s) {
        void* region = nullptr;
        uint32_t bytes = 0;
        EXPECT_EQ(s->m_lpBuffer->Lock(0, s->m_nDataBytes, &region, &bytes, nullptr, nullptr, 0),
                  plat::kSoundOk);
        return std::string(static_cast<const char*>(region), bytes);
    }
};

TEST_F(WavTest, AnOddChunkIsSteppedOverWithItsPadByte) {
    const std::string pcm = "\x01\x02\x03\x04\x05\x06\x07\x08";
    // A 3-byte chunk whose pad byte would read as part of the next header if
    // the walk forgot it.
    const std::string file =
        wav::Riff(wav::Fmt(2, 22050, 16) + wav::Chunk("junk", "abc") + wav::Chunk("data", pcm));
    ASSERT_EQ(Load("odd.wav", file, 1), 1);
    SNDSample* s = g_Sound.FindSampleID(1);
    EXPECT_EQ(s->m_nChannels, 2);
    EXPECT_EQ(s->m_nBitsPerSample, 16);
    EXPECT_EQ(s->m_nSamplesPerSec, 22050);
    EXPECT_EQ(s->m_nDataBytes, 8u);
    EXPECT_TRUE(s->m_nFlags & SND_FORMAT);
    EXPECT_EQ(BufferBytes(s), pcm);
}

TEST_F(WavTest, DataBeforeFmtLoads) {
    const std::string pcm(64, '\x40');
    ASSERT_EQ(Load("late.wav", wav::Riff(wav::Chunk("data", pcm) + wav::Fmt(1, 11025, 8)), 1), 1);
    SNDSample* s = g_Sound.FindSampleID(1);
    EXPECT_EQ(s->m_nSamplesPerSec, 11025);
    EXPECT_EQ(BufferBytes(s), pcm);
}

TEST_F(WavTest, BrokenFilesAreRefusedAndLeaveTheSlotFree) {
    const std::string data = wav::Chunk("data", wav::ConstantPcm16(100, 1));
    // Says 400 bytes, holds 200.
    const std::string shortData = "data" + wav::U32(400) + wav::ConstantPcm16(100, 1);
    EXPECT_EQ(Load("float.wav", wav::Riff(wav::Fmt(1, 22050, 32, 3) + data), 1), 0);
    EXPECT_EQ(Load("short.wav", wav::Riff(wav::Fmt(1, 22050, 16) + shortData), 2), 0);
    EXPECT_EQ(Load("nodata.wav", wav::Riff(wav::Fmt(1, 22050, 16)), 3), 0);
    EXPECT_EQ(Load("nofmt.wav", wav::Riff(data), 4), 0);
    EXPECT_EQ(Load("notriff.wav", "RIFX" + wav::Riff(data).substr(4), 5), 0);
    EXPECT_EQ(Load("tiny.wav", "RIFF", 6), 0);
    EXPECT_EQ(g_Sound.LoadSample("missing.wav", 7), 0);
    // A size that wraps round to the chunk's own header must end the walk,
    // not loop on it.
    const std::string wrapping = "junk" + wav::U32(0xFFFFFFF8);
    EXPECT_EQ(Load("wrap.wav", wav::Riff(wav::Fmt(1, 22050, 16) + wrapping + data), 8), 0);
    EXPECT_EQ(SlotsInUse(), 0);
}

TEST_F(WavTest, SamplerLoopsAreReadOnlyWhenThereIsOne) {
    const std::string data = wav::Chunk("data", wav::ConstantPcm16(2000, 1));
    ASSERT_EQ(Load("none.wav", wav::Riff(wav::Fmt(1, 22050, 16) + wav::Smpl(0) + data), 1), 1);
    EXPECT_FALSE(g_Sound.FindSampleID(1)->m_nFlags & SND_LOOP);

    ASSERT_EQ(Load("one.wav",
                   wav::Riff(wav::Fmt(2, 22050, 16) + data + wav::Smpl(1, 100, 1100, 3)), 2),
              1);
    SNDSample* s = g_Sound.FindSampleID(2);
    EXPECT_TRUE(s->m_nFlags & SND_LOOP);
    EXPECT_EQ(s->m_nLoopStart, 400);
    EXPECT_EQ(s->m_nLoopEnd, 4400);
    EXPECT_EQ(s->m_nLoopCount, 3);
}

TEST_F(WavTest, IdAllOnesLoadsTheDataAndLeavesIdZero) {
    dir_.Write("a.wav", wav::Tone(50));
    SNDSample* slot = QVSound::AllocSample();
    ASSERT_EQ(slot->LoadSample("a.wav", 0xFFFFFFFF), 1);
    EXPECT_EQ(slot->m_nID, 0u);
    EXPECT_EQ(slot->m_nDataBytes, 100u);
    EXPECT_NE(slot->m_lpBuffer, nullptr);
}

}  // namespace
