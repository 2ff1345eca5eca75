// The music stream's controls while it plays: stop, pause, volume, the
// next-stream function, and fades (qv_sound_stream.cpp loads and feeds it).
#include <algorithm>
#include <cstdint>
#include <utility>

#include "sound/qv_sound.h"
#include "sound/snd_sample.h"
#include "sound/sound_lock.h"
#include "sound/stream_lock.h"

using qvstream::HasRing;
using qvstream::StreamLock;

namespace {
// A fade changes the volume at least this often, and sleeps in between.
constexpr uint32_t kFadeStepMs = 10;
}  // namespace

int QVSound::StopStream() {
    if (MusicEnabled() == 0) return 1;
    end_stream(false);
    return 1;
}

int QVSound::PauseStream() {
    StreamLock lock;
    _SNDStream& s = g_StreamInfo;
    if (!HasRing(s) || !(s.dwFlags & STREAM_PLAYING) || (s.dwFlags & STREAM_ENDING)) return 1;
    SNDSample* sample = s.pSample;
    if (s.dwFlags & STREAM_PAUSED) {
        s.dwFlags &= ~STREAM_PAUSED;
        sample->m_lpBuffer->SetCurrentPosition(static_cast<uint32_t>(sample->m_nSavedPos));
        sample->m_lpBuffer->Play(plat::kPlayLooping);
    } else {
        // Flagged before the stop, whose notification the fill thread then
        // takes for a pause.
        s.dwFlags |= STREAM_PAUSED;
        uint32_t position = 0;
        sample->m_lpBuffer->GetCurrentPosition(&position, nullptr);
        sample->m_nSavedPos = static_cast<int32_t>(position);
        sample->m_lpBuffer->Stop();
    }
    return 1;
}

void QVSound::SetStreamVolume(int volume) {
    StreamLock lock;
    if (HasRing(g_StreamInfo)) g_StreamInfo.pSample->SetVolume(volume);
}

int QVSound::GetStreamVolume() {
    StreamLock lock;
    return HasRing(g_StreamInfo) ? g_StreamInfo.pSample->m_nVolume : 0;
}

uint32_t QVSound::GetStreamID() {
    StreamLock lock;
    const _SNDStream& s = g_StreamInfo;
    return (s.dwFlags & STREAM_LOADED) && s.pSample != nullptr ? s.pSample->m_nID : 0;
}

_SNDStream* QVSound::GetStreamInfoPtr() { return &g_StreamInfo; }

StreamNextFunc QVSound::SetStreamNextFunc(StreamNextFunc next) {
    StreamLock lock;
    return std::exchange(g_StreamInfo.pNextFunc, next);
}

StreamNextFunc QVSound::GetStreamNextFunc() {
    StreamLock lock;
    return g_StreamInfo.pNextFunc;
}

void QVSound::ClearStreamNextStreamFunc() {
    StreamLock lock;
    g_StreamInfo.pNextFunc = nullptr;
}

void QVSound::EnableMusic(int on) {
    if (on == 0) StopStream();  // while music is still on, so that it acts
    SoundLock lock;
    m_bMusicEnabled = on;
}

void QVSound::FadeMusic(int from, int to, uint32_t milliseconds) {
    const uint32_t start = plat::TickCount();
    // Elapsed time by 32-bit difference, so that the tick count may wrap;
    // the step is worked out in 64 bits, so that long fades cannot overflow.
    for (uint32_t elapsed = 0; elapsed < milliseconds; elapsed = plat::TickCount() - start) {
        const int64_t step = int64_t{elapsed} * (int64_t{to} - from) / milliseconds;
        SetStreamVolume(static_cast<int>(from + step));
        // Sleeping gives the time back (and moves the headless clock, which
        // otherwise stands still while nobody advances it).
        plat::SleepMs(std::min(kFadeStepMs, milliseconds - elapsed));
    }
    SetStreamVolume(to);
}

void QVSound::FadeMusicIn(uint32_t milliseconds) { FadeMusic(0, m_nMusicVolume, milliseconds); }

void QVSound::FadeMusicOut(uint32_t milliseconds) { FadeMusic(m_nMusicVolume, 0, milliseconds); }
