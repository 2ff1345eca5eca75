#pragma once
// A sound library started on the headless backend in a fresh working folder,
// shut down after each test, with helpers to move audio time and to wait for
// another thread.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/backend.h"
#include "platform/headless/virtual_clock.h"
#include "sound/qv_sound.h"
#include "sound/snd_sample.h"
#include "temp_dir.h"
#include "wav_bytes.h"

inline plat::WindowHandle TestWindow() {
    static int window;
    return reinterpret_cast<plat::WindowHandle>(&window);
}

// Moves virtual time, which drives the headless mixer in 10 ms steps.
inline void AdvanceAudio(uint32_t ms) { plat::HeadlessClock().Advance(ms); }

// Moves virtual time in 10 ms steps until the condition holds, so that what
// another thread starts on the way is not carried further than one step.
template <typename Condition>
bool AdvanceAudioUntil(Condition condition) {
    for (int step = 0; step < 1000; ++step) {
        if (condition()) return true;
        AdvanceAudio(10);
    }
    return condition();
}

// Waits for another thread's effect; the bound only stops a broken test.
template <typename Condition>
bool WaitUntil(Condition condition) {
    for (int i = 0; i < 10000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

inline int SlotsInUse() {
    int count = 0;
    for (SNDSample* s = QVSound::g_SampleList; s < QVSound::g_pEndSample; ++s) {
        if (s->m_nFlags & SND_INUSE) ++count;
    }
    return count;
}

class SoundTest : public testing::Test {
protected:
    void SetUp() override {
        plat::UseBackend(plat::Backend::Headless);
        ASSERT_EQ(g_Sound.Init(TestWindow(), Slots()), 1);
    }
    void TearDown() override { g_Sound.Exit(); }
    virtual int Slots() const { return 200; }

    // Writes a file and loads it under id.
    int Load(const std::string& name, const std::string& bytes, uint32_t id) {
        dir_.Write(name, bytes);
        return g_Sound.LoadSample(name.c_str(), id);
    }

    TempDir dir_;
};
