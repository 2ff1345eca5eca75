#include <tuple>

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
    // A 3-byte chunk whose forgotten pad byte would shift the next header.
    const std::string file =
        wav::Riff(wav::Fmt(2, 22050, 16) + wav::Chunk("junk", "abc") + wav::Chunk("data", pcm));
    ASSERT_EQ(Load("odd.wav", file, 1), 1);
    SNDSample* s = g_Sound.FindSampleID(1);
    EXPECT_EQ(std::make_tuple(s->m_nChannels, s->m_nBitsPerSample, s->m_nSamplesPerSec, s->m_nDataBytes),
              std::make_tuple(2, 16, 22050, 8u));
    EXPECT_TRUE(s->m_nFlags & SND_FORMAT);
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
    // A size that wraps round to the chunk's own header ends the walk.
    const std::string wrapping = "junk" + wav::U32(0xFFFFFFF8);
    EXPECT_EQ(Load("wrap.wav", wav::Riff(wav::Fmt(1, 22050, 16) + wrapping + data), 8), 0);
    EXPECT_EQ(SlotsInUse(), 0);
}

// A format payload of 16 bytes with any channel count and bit depth.
std::string RawFmt(uint16_t channels, uint16_t bits, uint16_t tag = 1) {
    return wav::Chunk("fmt ", wav::U16(tag) + wav::U16(channels) + wav::U32(22050) +
                                  wav::U32(88200) + wav::U16(4) + wav::U16(bits));
}

TEST_F(WavTest, FormatsNoBufferCanPlayAreRefusedBeforeAnyArithmetic) {
    // Loop points shift by the bytes per sample (256 bits: by 32); 65535 x 65535 overflows.
    const std::string rest = wav::Smpl(1, 10, 20000) + wav::Chunk("data", std::string(64, '\x10'));
    const uint16_t formats[][2] = {{0, 16}, {3, 16}, {65535, 65535}, {1, 0}, {2, 24}, {1, 256}, {2, 32}};
    uint32_t id = 1;
    for (const auto& f : formats) {
        EXPECT_EQ(Load("odd.wav", wav::Riff(RawFmt(f[0], f[1]) + rest), id), 0) << f[0] << " " << f[1];
        EXPECT_EQ(g_Sound.LoadStream("odd.wav", id++), 0);
    }
    EXPECT_EQ(SlotsInUse(), 0);
}

TEST_F(WavTest, ADataSizeTheFileCannotHoldIsRefusedBeforeAnythingIsMade) {
    // 64 bytes that ask for 256 MB: refused by the header, so no buffer is asked for.
    const std::string huge =
        wav::Riff(wav::Fmt(2, 22050, 16) + "data" + wav::U32(0x0FFFFFF0) + std::string(16, '\0'));
    dir_.Write("huge.wav", huge);
    SNDSample sample{};
    plat::FileHandle file = plat::OpenFileForReading("huge.wav");
    ASSERT_NE(file, plat::InvalidFileHandle());
    EXPECT_EQ(sample.IsWavFile(file).Why(), "data chunk larger than the file");
    plat::CloseFileHandle(file);
    EXPECT_TRUE(g_Sound.LoadSample("huge.wav", 1) == 0 && g_Sound.LoadStream("huge.wav", 2) == 0 && SlotsInUse() == 0);
    // Exactly what the file holds is fine, odd chunk size and all.
    EXPECT_EQ(Load("exact.wav", wav::Riff(wav::Fmt(1, 22050, 8) + wav::Chunk("data", "abcde")), 3), 1);
}

TEST_F(WavTest, DataBeforeASixteenByteFormatChunkLastInTheFileLoads) {
    const std::string pcm(40, '\x22');
    ASSERT_EQ(Load("last.wav", wav::Riff(wav::Chunk("data", pcm) + RawFmt(2, 16)), 1), 1);
    SNDSample* s = g_Sound.FindSampleID(1);
    EXPECT_EQ(std::make_pair(s->m_nChannels, s->m_nSamplesPerSec), std::make_pair(2, 22050));
    EXPECT_EQ(BufferBytes(s), pcm);
    // Fewer than 16 bytes of format are not a format.
    const std::string shortFmt = wav::Chunk("fmt ", wav::U16(1) + wav::U16(1) + wav::U32(22050));
    EXPECT_EQ(Load("short.wav", wav::Riff(wav::Chunk("data", pcm) + shortFmt), 2), 0);
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
    EXPECT_EQ(std::make_tuple(s->m_nLoopStart, s->m_nLoopEnd, s->m_nLoopCount), std::make_tuple(400, 4400, 3));
}

TEST_F(WavTest, IdAllOnesLoadsTheDataAndLeavesIdZero) {
    dir_.Write("a.wav", wav::Tone(50));
    SNDSample* slot = QVSound::AllocSample();
    ASSERT_TRUE(slot->LoadSample("a.wav", 0xFFFFFFFF));
    EXPECT_EQ(std::make_pair(slot->m_nID, slot->m_nDataBytes), std::make_pair(0u, 100u));
    EXPECT_NE(slot->m_lpBuffer, nullptr);
}

}  // namespace
