// The music stream on the headless mixer, checked against what the output recorded.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "recording.h"
#include "sound/sound_manager.h"
#include "sound_fixture.h"

namespace {

// Stereo 16-bit frames that are never silent and do not repeat within a file.
std::vector<int16_t> Pattern(uint32_t frames) {
    std::vector<int16_t> pcm(frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        pcm[2 * i] = int16_t(1 + i % 30011);
        pcm[2 * i + 1] = int16_t(-1 - (i * 7) % 29989);
    }
    return pcm;
}

std::string StereoFile(const std::vector<int16_t>& pcm) {
    std::string bytes(pcm.size() * 2, '\0');
    std::memcpy(bytes.data(), pcm.data(), bytes.size());
    return wav::Riff(wav::Fmt(2, 22050, 16) + wav::Chunk("data", bytes));
}

// 8-bit mono at 22050 Hz.
std::string ByteFile(const std::string& pcm) {
    return wav::Riff(wav::Fmt(1, 22050, 8) + wav::Chunk("data", pcm));
}

_SNDStream StreamCopy() {
    QVSound::LockStreamInfo();
    _SNDStream copy = *QVSound::GetStreamInfoPtr();
    QVSound::UnlockStreamInfo();
    return copy;
}

// The fill thread has done what the cursor asks of it: every chunk that has
// played is refilled, or the stream is gone.
bool FillThreadIsIdle() {
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
void PlayFor(uint32_t ms) {
    AdvanceAudio(ms);
    ASSERT_TRUE(WaitUntil(FillThreadIsIdle));
}

// The recorded frames from the first that is not silent on, as stereo pairs.
std::vector<int16_t> FromFirstSound(const Recording& r) {
    size_t first = 0;
    while (first < r.samples.size() && r.samples[first] == 0) ++first;
    first -= first % 2;
    return {r.samples.begin() + long(first), r.samples.end()};
}

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
        EXPECT_EQ(QVSound::g_FillThread, nullptr);
        plat::SetAudioCaptureFile("");
    }
    int LoadStream(const std::string& name, const std::string& bytes, uint32_t id) {
        dir_.Write(name, bytes);
        return g_Sound.LoadStream(name.c_str(), id);
    }
    // Ends the library, which closes the recording, and reads it.
    Recording Recorded() {
        g_Sound.Exit();
        return ReadRecording((dir_.Path() / "out.wav").string());
    }
};

TEST_F(StreamTest, TheRingIsEightQuarterSecondsOfWholeFrames) {
    struct Case { uint16_t channels; uint32_t rate; uint16_t bits; uint32_t chunk; };
    const Case cases[] = {{2, 22050, 16, 22052}, {2, 44100, 16, 44100}, {1, 22050, 8, 5512}};
    for (const Case& c : cases) {
        const uint32_t dataBytes = c.chunk * 8 + 1000 * c.channels * c.bits / 8;
        const std::string file =
            wav::Riff(wav::Fmt(c.channels, c.rate, c.bits) + wav::Chunk("data", std::string(dataBytes, '\x11')));
        ASSERT_EQ(LoadStream("ring.wav", file, 5), 1) << c.rate;
        const _SNDStream s = StreamCopy();
        EXPECT_EQ(s.dwChunkBytes, c.chunk);
        EXPECT_EQ(s.dwBufferBytes, 8 * c.chunk);
        EXPECT_EQ(s.dwRemaining, dataBytes - 8 * c.chunk);
        EXPECT_EQ(s.dwFlags, STREAM_LOADED | STREAM_FILLING);
        EXPECT_EQ(QVSound::GetStreamID(), 5u);
        g_Sound.PlayStream(0);
        g_Sound.StopStream();
        EXPECT_EQ(QVSound::GetStreamID(), 0u);
        EXPECT_EQ(SlotsInUse(), 0);
    }
}

TEST_F(StreamTest, WhatTheDataDoesNotFillIsSilenceInTheRingsFormat) {
    // A new buffer is all zero bytes, the loudest value of unsigned 8-bit data.
    auto ringBytes = [] {
        QVSound::LockStreamInfo();
        const _SNDStream& s = *QVSound::GetStreamInfoPtr();
        void* region = nullptr;
        uint32_t bytes = 0;
        s.pSample->m_lpBuffer->Lock(0, s.dwBufferBytes, &region, &bytes, nullptr, nullptr, 0);
        std::string ring(static_cast<const char*>(region), bytes);
        QVSound::UnlockStreamInfo();
        return ring;
    };
    ASSERT_EQ(LoadStream("byte.wav", ByteFile(std::string(7000, '\xC0')), 1), 1);
    EXPECT_EQ(ringBytes(), std::string(7000, '\xC0') + std::string(44096 - 7000, '\x80'));
    g_Sound.Exit();
    ASSERT_EQ(g_Sound.Init(TestWindow(), 10), 1);
    ASSERT_EQ(LoadStream("word.wav", StereoFile(std::vector<int16_t>(2000, -1)), 2), 1);
    EXPECT_EQ(ringBytes(), std::string(4000, '\xFF') + std::string(176416 - 4000, '\0'));
}

TEST_F(StreamTest, ALoopingStreamIsSeamlessWhileTheFillThreadLagsAtRandom) {
    // 1.36 s of data: not whole chunks and shorter than the ring, so chunk 0
    // must be refilled after its first playing like every other chunk.
    const std::vector<int16_t> pcm = Pattern(30011);
    ASSERT_EQ(LoadStream("loop.wav", StereoFile(pcm), 3), 1);
    QVSound::SetStreamVolume(65535);  // 0 dB: the recording holds the data itself
    g_Sound.PlayStream(STREAM_LOOP);
    const uint32_t dataBytes = uint32_t(pcm.size() * 2);
    EXPECT_EQ(StreamCopy().dwRemaining, dataBytes - (176416 - dataBytes));
    std::mt19937 random(14);
    uint32_t played = 0;
    while (played < 14000) {
        // Locked, the fill thread cannot refill: up to six notifications pile up.
        const uint32_t ms = 10 * std::uniform_int_distribution<uint32_t>(1, 150)(random);
        QVSound::LockStreamInfo();
        AdvanceAudio(ms);
        QVSound::UnlockStreamInfo();
        ASSERT_TRUE(WaitUntil(FillThreadIsIdle));
        played += ms;
    }
    EXPECT_TRUE(StreamCopy().dwFlags & STREAM_PRIMED);
    g_Sound.StopStream();

    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    ASSERT_GE(heard.size(), 22050u * 2 * 13);
    for (size_t i = 0; i < 22050u * 2 * 13; ++i) ASSERT_EQ(heard[i], pcm[i % pcm.size()]) << i / pcm.size();
}

TEST_F(StreamTest, AFileShorterThanAChunkLoopsSeamlesslyToo) {
    const std::vector<int16_t> pcm = Pattern(1001);  // a fifth of a chunk
    ASSERT_EQ(LoadStream("tiny.wav", StereoFile(pcm), 6), 1);
    QVSound::SetStreamVolume(65535);
    g_Sound.PlayStream(STREAM_LOOP);
    for (int i = 0; i < 12; ++i) PlayFor(250);
    g_Sound.StopStream();
    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    ASSERT_GE(heard.size(), 22050u * 2 * 3 - 1000);
    for (size_t i = 0; i < 22050u * 2 * 3 - 1000; ++i) ASSERT_EQ(heard[i], pcm[i % pcm.size()]) << i;
}

TEST_F(StreamTest, AStreamThatDoesNotLoopEndsAfterItsLastDataAndCallsTheNextFunction) {
    static std::atomic<uint32_t> endedId{0};
    static std::atomic<int> ends{0};
    endedId = 0, ends = 0;
    g_Sound.SetStreamNextFunc([](uint32_t id) {
        endedId = id;
        ++ends;
    });
    // 8-bit: 3.1 s, so that the end arrives while the ring is being refilled.
    std::string pcm;
    for (int i = 0; i < 68355; ++i) pcm += char(0x81 + i % 97);
    ASSERT_EQ(LoadStream("once.wav", ByteFile(pcm), 77), 1);
    QVSound::SetStreamVolume(65535);
    g_Sound.PlayStream(0);
    for (int step = 0; step < 40 && ends == 0; ++step) PlayFor(250);
    ASSERT_TRUE(WaitUntil([] { return ends == 1; }));
    EXPECT_EQ(endedId, 77u);
    EXPECT_EQ(QVSound::GetStreamID(), 0u);
    EXPECT_EQ(SlotsInUse(), 0);
    PlayFor(500);

    // Every byte once, in order, then silence: nothing stale, no 0x00 padding.
    const Recording r = Recorded();
    const std::vector<int16_t> heard = FromFirstSound(r);
    ASSERT_GE(heard.size(), pcm.size() * 2);
    for (size_t i = 0; i < pcm.size(); ++i) {
        const int expected = (uint8_t(pcm[i]) - 0x80) * 256;
        ASSERT_NEAR(heard[2 * i], expected, 2) << i;
        ASSERT_EQ(heard[2 * i + 1], heard[2 * i]) << i;
    }
    for (size_t i = pcm.size() * 2; i < heard.size(); ++i) ASSERT_EQ(heard[i], 0) << i;
    // The end was noticed within a step of the loop above, not a ring later.
    EXPECT_LE(r.samples.size() / 2, pcm.size() + 22050u * 3 / 2);
}

std::atomic<int> g_nextCalls{0};
std::atomic<uint32_t> g_lastEnded{0};

void PlayTheSecondStream(uint32_t id) {
    g_lastEnded = id;
    ++g_nextCalls;
    // Runs on the first stream's fill thread, after its teardown.
    if (id == 1 && g_Sound.LoadStream("second.wav", 2) == 1) {
        QVSound::SetStreamVolume(65535);
        g_Sound.PlayStream(STREAM_LOOP);
    }
}

TEST_F(StreamTest, ANextStreamFunctionStartsAnotherStreamOnTheOldFillThread) {
    g_nextCalls = 0;
    const std::vector<int16_t> first(2 * 8000, 1000);
    const std::vector<int16_t> second(2 * 9000, -2000);
    dir_.Write("second.wav", StereoFile(second));
    EXPECT_EQ(g_Sound.SetStreamNextFunc(PlayTheSecondStream), nullptr);
    ASSERT_EQ(LoadStream("first.wav", StereoFile(first), 1), 1);
    QVSound::SetStreamVolume(65535);
    g_Sound.PlayStream(0);
    // The second stream plays once the function has returned.
    auto secondPlays = [] {
        const _SNDStream s = StreamCopy();
        return (s.dwFlags & STREAM_PLAYING) && s.pSample->m_nID == 2;
    };
    for (int step = 0; step < 40 && !secondPlays(); ++step) {
        AdvanceAudio(250);
        WaitUntil([&] { return secondPlays() || (g_nextCalls == 0 && FillThreadIsIdle()); });
    }
    ASSERT_TRUE(secondPlays());
    EXPECT_EQ(g_nextCalls, 1);
    PlayFor(3000);
    EXPECT_EQ(StreamCopy().dwFlags & (STREAM_LOADED | STREAM_PLAYING | STREAM_LOOP),
              STREAM_LOADED | STREAM_PLAYING | STREAM_LOOP);
    // Stopping the second calls the function with its ID; it starts nothing.
    g_Sound.StopStream();
    EXPECT_EQ(g_nextCalls, 2);
    EXPECT_EQ(g_lastEnded, 2u);
    EXPECT_EQ(QVSound::GetStreamID(), 0u);
    EXPECT_EQ(SlotsInUse(), 0);

    // The first stream's frames, then the second's, with only silence between.
    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    size_t i = 0, seconds = 0;
    while (i < heard.size() && heard[i] == 1000) ++i;
    EXPECT_EQ(i, first.size());
    while (i < heard.size() && heard[i] == 0) ++i;
    while (i < heard.size() && heard[i] == -2000) ++i, ++seconds;
    while (i < heard.size() && heard[i] == 0) ++i;
    EXPECT_GE(seconds, 22050u * 2 * 3);
    EXPECT_EQ(i, heard.size());
}

TEST_F(StreamTest, PauseAndResumeGoOnWhereTheyStopped) {
    const std::vector<int16_t> pcm = Pattern(40000);
    ASSERT_EQ(LoadStream("pause.wav", StereoFile(pcm), 4), 1);
    QVSound::SetStreamVolume(65535);
    g_Sound.PlayStream(STREAM_LOOP);
    PlayFor(730);
    g_Sound.PauseStream();
    PlayFor(1000);  // the pause's stop is reported like any other

    EXPECT_EQ(QVSound::GetStreamID(), 4u);
    EXPECT_TRUE(StreamCopy().dwFlags & STREAM_PAUSED);
    g_Sound.PauseStream();
    PlayFor(1200);
    // Paused and resumed at once: the stream goes on whenever the stop is seen.
    g_Sound.PauseStream();
    g_Sound.PauseStream();
    PlayFor(1500);
    g_Sound.PauseStream();
    PlayFor(300);
    g_Sound.StopStream();  // a paused stream stops like a playing one
    EXPECT_EQ(QVSound::GetStreamID(), 0u);
    EXPECT_EQ(SlotsInUse(), 0);

    // Leaving out the silence of the pauses, the data runs on unbroken.
    std::vector<int16_t> heard;
    for (int16_t v : FromFirstSound(Recorded())) if (v != 0) heard.push_back(v);
    EXPECT_NEAR(double(heard.size()) / 2, 22050 * (0.73 + 1.2 + 1.5), 22050 * 0.02);
    for (size_t i = 0; i < heard.size(); ++i) ASSERT_EQ(heard[i], pcm[i % pcm.size()]) << i;
}

TEST_F(StreamTest, RefusedStreamsLeaveNothingBehind) {
    const std::string data = wav::Chunk("data", std::string(100000, '\x20'));
    // A sampler loop of 5000 8-bit frames counts 10000 bytes, over a 5512-byte chunk; 2000 do not.
    EXPECT_EQ(LoadStream("short.wav", wav::Riff(wav::Fmt(1, 22050, 8) + wav::Smpl(1, 0, 2000) + data), 1), 0);
    EXPECT_EQ(g_Sound.LoadStream("none.wav", 1), 0);
    EXPECT_EQ(LoadStream("empty.wav", wav::Riff(wav::Fmt(1, 22050, 8) + wav::Chunk("data", "")), 1), 0);
    EXPECT_EQ(LoadStream("fast.wav", wav::Riff(wav::Fmt(2, 400000, 16) + data), 1), 0);
    EXPECT_EQ(SlotsInUse(), 0);
    EXPECT_EQ(StreamCopy().dwFlags, 0u);
    QVSound::SetStreamVolume(1000);  // without a stream nothing answers
    EXPECT_EQ(QVSound::GetStreamVolume(), 0);
    EXPECT_EQ(QVSound::GetStreamID(), 0u);
    EXPECT_EQ(g_Sound.PlayStream(STREAM_LOOP), 1);
    EXPECT_EQ(g_Sound.PauseStream(), 1);
    EXPECT_EQ(g_Sound.StopStream(), 1);

    ASSERT_EQ(LoadStream("long.wav", wav::Riff(wav::Fmt(1, 22050, 8) + wav::Smpl(1, 0, 5000) + data), 1), 1);
    EXPECT_EQ(LoadStream("other.wav", ByteFile(std::string(9000, '\x90')), 2), 0);  // one at a time
    EXPECT_EQ(QVSound::GetStreamID(), 1u);
}

TEST_F(StreamTest, TheRingIsNoSampleToTheSampleCalls) {
    ASSERT_EQ(LoadStream("music.wav", StereoFile(Pattern(30000)), 0), 1);
    g_Sound.PlayStream(STREAM_LOOP);
    // ID 0 is the stream's, yet the sample calls do not see its slot.
    EXPECT_EQ(g_Sound.FindSampleID(0), nullptr);
    EXPECT_EQ(g_Sound.PlaySample(0, 65535, 0), nullptr);
    g_Sound.FreeSample(uint32_t{0});
    QVSound::ClearSampleList();
    PlayFor(2500);
    EXPECT_EQ(StreamCopy().dwFlags & STREAM_PLAYING, STREAM_PLAYING);
    ASSERT_EQ(Load("effect.wav", wav::Tone(100), 10), 1);
    EXPECT_EQ(SlotsInUse(), 2);
}

TEST_F(StreamTest, TheMusicSwitchAndExitEndStreamsInAnyState) {
    ASSERT_EQ(LoadStream("music.wav", StereoFile(Pattern(30000)), 9), 1);
    g_Sound.PlayStream(STREAM_LOOP);
    PlayFor(500);
    // Stopping with music off does nothing; switching music off tears it down.
    g_Sound.m_bMusicEnabled = 0;
    EXPECT_EQ(g_Sound.StopStream(), 1);
    EXPECT_EQ(QVSound::GetStreamID(), 9u);
    g_Sound.m_bMusicEnabled = 1;
    g_Sound.EnableMusic(0);
    EXPECT_EQ(QVSound::GetStreamID(), 0u);
    EXPECT_EQ(SlotsInUse(), 0);
    EXPECT_EQ(LoadStream("music.wav", StereoFile(Pattern(30000)), 9), 0);
    // On again: nothing restarts by itself, and a load works.
    g_Sound.EnableMusic(1);
    EXPECT_EQ(StreamCopy().dwFlags, 0u);
    ASSERT_EQ(LoadStream("music.wav", StereoFile(Pattern(30000)), 1), 1);
    // Loaded, never played: StopStream leaves it, Exit does not.
    g_Sound.StopStream();
    EXPECT_EQ(QVSound::GetStreamID(), 1u);
    g_Sound.Exit();
    EXPECT_EQ(StreamCopy().dwFlags, 0u);

    ASSERT_EQ(g_Sound.Init(TestWindow(), 10), 1);
    ASSERT_EQ(LoadStream("a.wav", StereoFile(Pattern(30000)), 1), 1);
    g_Sound.PlayStream(STREAM_LOOP);
    PlayFor(300);
    g_Sound.PauseStream();
    g_Sound.m_bMusicEnabled = 0;  // paused with music off: Exit ends it all the same
    g_Sound.Exit();
    EXPECT_EQ(StreamCopy().dwFlags, 0u);
}

TEST_F(StreamTest, FadesTakeTheirTimeOnTheClockAndEndAtTheirVolume) {
    ASSERT_EQ(LoadStream("music.wav", StereoFile(std::vector<int16_t>(2 * 60000, 10000)), 0), 1);
    g_Sound.PlayStream(STREAM_LOOP);
    uint32_t start = plat::TickCount();
    g_Sound.FadeMusic(0, 32768, 300);
    EXPECT_NEAR(plat::TickCount() - start, 305u, 5u);
    EXPECT_EQ(QVSound::GetStreamVolume(), 32768);
    PlayFor(500);

    start = plat::TickCount();
    g_Sound.FadeMusic(32768, 1000, 0);
    EXPECT_EQ(plat::TickCount(), start);
    EXPECT_EQ(QVSound::GetStreamVolume(), 1000);

    g_Sound.m_nMusicVolume = 65535;
    g_Sound.FadeMusicIn(200);
    EXPECT_EQ(QVSound::GetStreamVolume(), 65535);
    g_Sound.FadeMusicOut(200);
    EXPECT_EQ(QVSound::GetStreamVolume(), 0);
    g_Sound.StopStream();

    // The first fade rises step by step to -10 dB, never falling on the way.
    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    ASSERT_GT(heard.size(), 22050u * 2 * 3 / 10);
    int16_t previous = 0;
    for (size_t i = 0; i < 22050u * 2 * 3 / 10; i += 2) {
        ASSERT_GE(heard[i], previous) << i;
        previous = heard[i];
    }
    EXPECT_NEAR(heard[22050 * 2 * 6 / 10], 10000 * 0.3162, 3);
}

}  // namespace
