#pragma once
// The music stream tests' fixture: patterned WAV files, a look at the stream's
// record and its fill thread, and the recording of what the output played.
#include <algorithm>

#include "platform/audio_output.h"
#include "recording.h"
#include "sound/sound_manager.h"
#include "sound_fixture.h"

// Stereo 16-bit frames that are never silent and do not repeat within a file,
// all well under the mixer's limiter, so the recording holds them unchanged:
// each channel counts through its range, its upper half folded below zero.
inline std::vector<int16_t> Pattern(uint32_t frames) {
    auto fold = [](uint32_t count, uint32_t half) { return int16_t(count < half ? 1 + int(count) : half - 1 - int(count)); };
    std::vector<int16_t> pcm(frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        pcm[2 * i] = fold(i % 30011, 15006);
        pcm[2 * i + 1] = int16_t(-fold((i * 7) % 29989, 14995));
    }
    return pcm;
}

inline std::string Bytes(const std::vector<int16_t>& pcm) {
    std::string bytes(pcm.size() * 2, '\0');
    std::memcpy(bytes.data(), pcm.data(), bytes.size());
    return bytes;
}

inline std::string StereoFile(const std::vector<int16_t>& pcm) {
    return wav::Riff(wav::Fmt(2, 22050, 16) + wav::Chunk("data", Bytes(pcm)));
}

// 8-bit mono at 22050 Hz.
inline std::string ByteFile(const std::string& pcm) {
    return wav::Riff(wav::Fmt(1, 22050, 8) + wav::Chunk("data", pcm));
}

inline _SNDStream StreamCopy() {
    QVSound::LockStreamInfo();
    _SNDStream copy = *QVSound::GetStreamInfoPtr();
    QVSound::UnlockStreamInfo();
    return copy;
}

// The fill thread has done what the cursor asks of it: every chunk that has
// played is refilled, or the stream is gone.
inline bool FillThreadIsIdle() {
    QVSound::LockStreamInfo();
    const _SNDStream& s = *QVSound::GetStreamInfoPtr();
    bool idle = !(s.dwFlags & STREAM_LOADED);
    if (!idle && !(s.dwFlags & STREAM_ENDING)) {
        uint32_t cursor = 0;
        s.pSample->m_lpBuffer->GetCurrentPosition(&cursor, nullptr);
        idle = s.dwNextChunk == std::min<uint32_t>(cursor / s.dwChunkBytes, 7);
    }
    QVSound::UnlockStreamInfo();
    return idle;
}

// Moves audio time, then lets the fill thread catch up.
inline void PlayFor(uint32_t ms) {
    AdvanceAudio(ms);
    ASSERT_TRUE(WaitUntil(FillThreadIsIdle));
}

// The recorded frames from the first that is not silent on, as stereo pairs.
inline std::vector<int16_t> FromFirstSound(const Recording& r) {
    size_t first = 0;
    while (first < r.samples.size() && r.samples[first] == 0) ++first;
    first -= first % 2;
    return {r.samples.begin() + long(first), r.samples.end()};
}

// No stream is left: no ID and no slot in use.
inline bool NoStreamLeft() { return QVSound::GetStreamID() == 0 && SlotsInUse() == 0; }

class StreamTest : public SoundTest {
protected:
    void SetUp() override {
        plat::SetAudioCaptureFile((dir_.Path() / "out.wav").string());
        SoundTest::SetUp();
        QVSound::ClearStreamNextStreamFunc();
    }
    void TearDown() override {
        SoundTest::TearDown();
        EXPECT_EQ(StreamCopy().dwFlags, 0u);
        EXPECT_FALSE(QVSound::g_FillThread);
        plat::SetAudioCaptureFile("");
    }
    int LoadStream(const std::string& name, const std::string& bytes, uint32_t id) {
        dir_.Write(name, bytes);
        return g_Sound.LoadStream(name.c_str(), id);
    }
    // Loads and plays a stream at 0 dB, so that the recording holds the data itself.
    void StartStream(const std::string& name, const std::string& bytes, uint32_t id, uint32_t flags) {
        ASSERT_EQ(LoadStream(name, bytes, id), 1);
        QVSound::SetStreamVolume(65535);
        g_Sound.PlayStream(flags);
    }
    // Ends the library, which closes the recording, and reads it.
    Recording Recorded() {
        g_Sound.Exit();
        return ReadRecording((dir_.Path() / "out.wav").string());
    }
};
