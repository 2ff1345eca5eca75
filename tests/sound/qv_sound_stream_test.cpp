// The music stream on the headless mixer, checked against what the output
// recorded: the ring's size, seamless loops while the fill thread lags
// behind, time that waits for a starved fill thread, the end of a stream that does not loop and next-stream functions.
#include <atomic>
#include <random>
#include <tuple>

#include "stream_fixture.h"

namespace {

TEST_F(StreamTest, TheRingIsEightQuarterSecondsOfWholeFrames) {
    struct Case {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        uint32_t chunk;
    } cases[] = {{2, 22050, 16, 22052}, {2, 44100, 16, 44100}, {1, 22050, 8, 5512}};
    for (const Case& c : cases) {
        const uint32_t dataBytes = c.chunk * 8 + 1000 * c.channels * c.bits / 8;
        const std::string file =
            wav::Riff(wav::Fmt(c.channels, c.rate, c.bits) + wav::Chunk("data", std::string(dataBytes, '\x11')));
        ASSERT_EQ(LoadStream("ring.wav", file, 5), 1) << c.rate;
        const _SNDStream s = StreamCopy();
        EXPECT_EQ(std::make_tuple(s.dwChunkBytes, s.dwBufferBytes, s.dwRemaining),
                  std::make_tuple(c.chunk, 8 * c.chunk, dataBytes - 8 * c.chunk));
        EXPECT_TRUE(s.dwFlags == (STREAM_LOADED | STREAM_FILLING) && QVSound::GetStreamID() == 5u) << s.dwFlags;
        g_Sound.PlayStream(0);
        g_Sound.StopStream();
        EXPECT_TRUE(NoStreamLeft());
    }
}

TEST_F(StreamTest, WhatTheDataDoesNotFillIsSilenceInTheRingsFormat) {
    // A new sound buffer is all zero bytes, which is the loudest value of
    // unsigned 8-bit data.
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
    // 1.36 s of data: not a whole number of chunks, and shorter than the ring,
    // so the ring starts with the data's start again and chunk 0 must be
    // refilled after its first playing like every other chunk.
    const std::vector<int16_t> pcm = Pattern(30011);
    StartStream("loop.wav", StereoFile(pcm), 3, STREAM_LOOP);
    // The ring holds the whole data and then its start again.
    const uint32_t dataBytes = uint32_t(pcm.size() * 2);
    EXPECT_EQ(StreamCopy().dwRemaining, dataBytes - (176416 - dataBytes));
    std::mt19937 random(14);
    uint32_t played = 0;
    while (played < 14000) {
        // The fill thread cannot refill while the stream is locked: the
        // notifications of up to six chunks pile up, a wrap among them.
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
    for (size_t i = 0; i < 22050u * 2 * 13; ++i) ASSERT_EQ(heard[i], pcm[i % pcm.size()]) << "loop " << i / pcm.size();
}

TEST_F(StreamTest, TimeWaitsForAFillThreadKeptFromRunning) {
    // Another thread holds the stream's record for a while (as a busy machine
    // keeps a low-priority thread from running) while this one moves three
    // seconds of audio, more than the ring holds, without waiting for anything.
    const std::vector<int16_t> pcm = Pattern(30011);
    StartStream("loop.wav", StereoFile(pcm), 3, STREAM_LOOP);
    std::atomic<bool> held{false};
    std::thread busy([&held] {
        QVSound::LockStreamInfo();
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QVSound::UnlockStreamInfo();
    });
    while (!held) std::this_thread::yield();
    for (int step = 0; step < 300; ++step) AdvanceAudio(10);
    busy.join();
    g_Sound.StopStream();

    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    ASSERT_GE(heard.size(), 22050u * 2 * 3 - 2 * 256);
    for (size_t i = 0; i < heard.size() - 2 * 256; ++i) ASSERT_EQ(heard[i], pcm[i % pcm.size()]) << i;
}

TEST_F(StreamTest, AFileShorterThanAChunkLoopsSeamlesslyToo) {
    const std::vector<int16_t> pcm = Pattern(1001);  // a fifth of a chunk
    StartStream("tiny.wav", StereoFile(pcm), 6, STREAM_LOOP);
    for (int i = 0; i < 12; ++i) PlayFor(250);
    g_Sound.StopStream();
    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    ASSERT_GE(heard.size(), 22050u * 2 * 3 - 1000);
    for (size_t i = 0; i < 22050u * 2 * 3 - 1000; ++i) ASSERT_EQ(heard[i], pcm[i % pcm.size()]) << i;
}

TEST_F(StreamTest, AStreamThatDoesNotLoopEndsAfterItsLastDataAndCallsTheNextFunction) {
    static std::atomic<uint32_t> endedId{0};
    static std::atomic<int> ends{0};
    endedId = 0;
    ends = 0;
    g_Sound.SetStreamNextFunc([](uint32_t id) { endedId = id, ++ends; });
    // 8-bit: 3.1 s, so that the end arrives while the ring is being refilled.
    std::string pcm;
    for (int i = 0; i < 68355; ++i) pcm += char(0x81 + i % 97);
    StartStream("once.wav", ByteFile(pcm), 77, 0);
    // The next function comes on the fill thread after the teardown, maybe
    // later than the teardown itself: no more steps once the stream is gone.
    for (int step = 0; step < 40 && (StreamCopy().dwFlags & STREAM_LOADED); ++step) PlayFor(250);
    ASSERT_TRUE(WaitUntil([] { return ends == 1; }));
    EXPECT_EQ(endedId, 77u);
    EXPECT_TRUE(NoStreamLeft());
    PlayFor(500);

    // Every byte of data once, in order, then silence: nothing stale from the
    // ring, and no zero bytes (full scale in 8-bit) as padding.
    const Recording r = Recorded();
    const std::vector<int16_t> heard = FromFirstSound(r);
    ASSERT_GE(heard.size(), pcm.size() * 2);
    for (size_t i = 0; i < pcm.size(); ++i) {
        // Neighbouring bytes of the ramp lie 256 apart once converted.
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
    EXPECT_EQ(g_Sound.GetStreamNextFunc(), PlayTheSecondStream);
    StartStream("first.wav", StereoFile(first), 1, 0);
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
    // Stopping the second stream calls the function with its ID, and it
    // starts nothing more.
    g_Sound.StopStream();
    EXPECT_TRUE(g_nextCalls == 2 && g_lastEnded == 2u && NoStreamLeft());

    // The first stream's frames, then the second's, with only silence between.
    const std::vector<int16_t> heard = FromFirstSound(Recorded());
    size_t i = 0;
    while (i < heard.size() && heard[i] == 1000) ++i;
    EXPECT_EQ(i, first.size());
    while (i < heard.size() && heard[i] == 0) ++i;
    size_t seconds = 0;
    while (i < heard.size() && heard[i] == -2000) ++i, ++seconds;
    EXPECT_GE(seconds, 22050u * 2 * 3);
    while (i < heard.size() && heard[i] == 0) ++i;
    EXPECT_EQ(i, heard.size());
}

}  // namespace
