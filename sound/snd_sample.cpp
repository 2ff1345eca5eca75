// Playback controls of one sample: play with volume and pan (arming the end
// event when a successor is chained), stop, pause and resume, status, and the
// duplication that lets a sound overlap itself.
#include "sound/snd_sample.h"

#include "sound/qv_sound.h"
#include "sound/sound_lock.h"

void SNDSample::Reset() {
    const plat::PositionNotify keep = m_EndNotify;
    *this = SNDSample{};
    m_EndNotify = keep;
}

SNDSample* SNDSample::DupeSample() {
    SoundLock lock;
    if (m_lpBuffer == nullptr) return nullptr;
    SNDSample* copy = QVSound::AllocSample();
    if (copy == nullptr) return nullptr;
    if (plat::SoundFailed(
            QVSound::g_lpDSound->DuplicateSoundBuffer(m_lpBuffer, &copy->m_lpBuffer))) {
        QVSound::ClearSample(copy);
        return nullptr;
    }
    copy->m_nID = m_nID;
    copy->m_nDataBytes = m_nDataBytes;
    copy->m_nSamplesPerSec = m_nSamplesPerSec;
    copy->m_nBitsPerSample = m_nBitsPerSample;
    copy->m_nChannels = m_nChannels;
    copy->m_pNext = nullptr;
    // The duplicate plays once even when its source loops.
    copy->m_nFlags |= SND_DUPE;
    if (m_nFlags & SND_LOOP) {
        copy->m_nLoopStart = m_nLoopStart;
        copy->m_nLoopEnd = m_nLoopEnd;
    }
    return copy;
}

SNDSample* SNDSample::ChainSample(SNDSample* first, SNDSample* next) {
    SoundLock lock;
    if (next == nullptr) return nullptr;
    if (first == nullptr) return next;
    SNDSample* last = first;
    while (last->m_pNext != nullptr) last = last->m_pNext;
    last->m_pNext = next;
    return first;
}

int SNDSample::PlaySample(int32_t volume, int32_t pan) {
    SoundLock lock;
    if (g_Sound.m_bSFXEnabled == 0) {
        m_nFlags &= ~SND_RESERVED;
        return 1;
    }
    if (m_lpBuffer == nullptr) return 0;
    SetPan(pan);
    SetVolume(volume);
    // A sample still armed from a playing whose end has not been handled keeps
    // its entry; arming again would leave that entry lent for ever.
    if (m_pNext != nullptr && !(m_nFlags & SND_EVENTARMED)) {
        _SNDEvent* entry = QVSound::AllocSoundEvent();
        plat::SoundNotify* notify = m_lpBuffer->QueryNotify();
        if (entry != nullptr && notify != nullptr) {
            entry->pSample = this;
            m_EndNotify.dwOffset = plat::kNotifyOffsetStop;
            m_EndNotify.hEventNotify = entry->hEvent;
            m_nFlags |= SND_EVENTARMED;
            notify->SetNotificationPositions(1, &m_EndNotify);
        }
    }
    m_nFlags &= ~SND_RESERVED;
    return StartBuffer();
}

int SNDSample::StartBuffer() {
    const uint32_t flags = (m_nFlags & SND_LOOP) ? plat::kPlayLooping : 0;
    return plat::SoundFailed(m_lpBuffer->Play(flags)) ? 0 : 1;
}

int SNDSample::StopSample() {
    SoundLock lock;
    if (m_lpBuffer == nullptr) return 0;
    if (plat::SoundFailed(m_lpBuffer->Stop())) return 0;
    m_lpBuffer->SetCurrentPosition(0);
    return 1;
}

int SNDSample::PauseSample() {
    SoundLock lock;
    if (m_lpBuffer == nullptr) return 0;
    if (plat::SoundFailed(m_lpBuffer->Stop())) return 0;
    uint32_t position = 0;
    if (plat::SoundFailed(m_lpBuffer->GetCurrentPosition(&position, nullptr))) return 0;
    m_nSavedPos = static_cast<int32_t>(position);
    m_nFlags |= SND_PAUSED;
    return 1;
}

int SNDSample::UnPauseSample() {
    SoundLock lock;
    if (m_lpBuffer == nullptr || !(m_nFlags & SND_PAUSED)) return 0;
    if (plat::SoundFailed(m_lpBuffer->SetCurrentPosition(static_cast<uint32_t>(m_nSavedPos)))) {
        return 0;
    }
    m_nFlags &= ~SND_PAUSED;
    return StartBuffer();
}

int32_t SNDSample::GetSampleStatus() {
    SoundLock lock;
    uint32_t status = 0;
    if (m_lpBuffer == nullptr || plat::SoundFailed(m_lpBuffer->GetStatus(&status))) {
        return plat::kSoundErrInvalidParam;
    }
    return static_cast<int32_t>(status);
}

int SNDSample::SamplePlaying() {
    const int32_t status = GetSampleStatus();
    if (status == plat::kSoundErrInvalidParam) return 0;
    return (status & plat::kStatusPlaying) ? 1 : 0;
}

int SNDSample::SetVolume(int32_t volume) {
    SoundLock lock;
    if (m_lpBuffer == nullptr) return 0;
    m_nVolume = volume;
    return plat::SoundFailed(m_lpBuffer->SetVolume(QVSound::MapVolume(volume))) ? 0 : 1;
}

int SNDSample::SetPan(int32_t pan) {
    SoundLock lock;
    if (m_lpBuffer == nullptr) return 0;
    m_nPan = pan;
    return plat::SoundFailed(m_lpBuffer->SetPan(QVSound::MapPan(pan))) ? 0 : 1;
}

int SNDSample::SetPitch(int32_t frequency) {
    SoundLock lock;
    if (m_lpBuffer == nullptr) return 0;
    m_nPitch = frequency;
    return plat::SoundFailed(m_lpBuffer->SetFrequency(static_cast<uint32_t>(frequency))) ? 0 : 1;
}
