// Choosing and playing samples by ID, the volume and pan curves, the event
// entries and the end-of-sample thread that starts chained samples.
#include <atomic>

#include "sound/qv_sound.h"
#include "sound/snd_sample.h"
#include "sound/sound_lock.h"

plat::JoiningThread QVSound::g_CallBackThread;
int QVSound::g_nCallBackThreadActive = 0;

namespace {
// Takes the sample's end event back from its buffer once the entry it pointed
// at has been handled, so that a later stop cannot signal an entry that has
// since been lent to another sample.
void DisarmEndEvent(SNDSample* sample) {
    if (sample->m_lpBuffer != nullptr) {
        if (plat::SoundNotify* notify = sample->m_lpBuffer->QueryNotify()) {
            notify->SetNotificationPositions(0, nullptr);
        }
    }
    sample->m_nFlags &= ~SND_EVENTARMED;
}
}  // namespace

SNDSample* QVSound::FindSample(uint32_t id) {
    SoundLock lock;
    if (g_SampleList == nullptr) return nullptr;
    SNDSample* found = nullptr;
    SNDSample* source = nullptr;
    for (SNDSample* s = g_SampleList; s < g_pLastSample; ++s) {
        const uint32_t flags = s->m_nFlags;
        if (flags & SND_STREAM) continue;  // the music's ring is never played as a sample
        if ((flags & SND_INUSE) && s->m_nID == id) {
            if (!(flags & SND_RESERVED) && !s->SamplePlaying()) {
                found = s;
                break;
            }
            if (source == nullptr && !(flags & SND_DUPE)) source = s;
        } else if ((flags & SND_DUPE) && !(flags & SND_RESERVED) && !s->SamplePlaying()) {
            FreeSample(s);  // an idle duplicate of another sound goes back to the pool
        }
    }
    if (found == nullptr && source != nullptr) found = source->DupeSample();
    if (found != nullptr) found->m_nFlags |= SND_RESERVED;
    return found;
}

SNDSample* QVSound::PlaySample(int32_t id, int32_t volume, int32_t pan) {
    SoundLock lock;
    SNDSample* sample = FindSample(static_cast<uint32_t>(id));
    if (sample != nullptr) sample->PlaySample(volume, pan);
    return sample;
}

int QVSound::PlaySampleIDOnce(int32_t id, int32_t volume, int32_t pan) {
    SoundLock lock;
    if (m_bSFXEnabled == 0) return 1;
    SNDSample* sample = FindSampleID(static_cast<uint32_t>(id));
    if (sample == nullptr || sample->m_lpBuffer == nullptr || sample->SamplePlaying()) return 0;
    sample->SetPan(pan);
    sample->SetVolume(volume);
    sample->m_nFlags &= ~SND_RESERVED;
    return sample->StartBuffer();
}

SNDSample* QVSound::StopSample(int32_t id) {
    SoundLock lock;
    SNDSample* sample = FindSampleID(static_cast<uint32_t>(id));
    if (sample != nullptr) sample->StopSample();
    return sample;
}

SNDSample* QVSound::PauseSample(int32_t id) {
    SoundLock lock;
    SNDSample* sample = FindSampleID(static_cast<uint32_t>(id));
    if (sample != nullptr) sample->PauseSample();
    return sample;
}

int QVSound::MapVolume(int volume) {
    int index = volume > 65535 ? 16383 : volume < 0 ? 0 : volume >> 2;
    return g_VolumeTable[index];
}

int QVSound::MapPan(int pan) {
    // Positive results quieten the left channel, negative the right; the far
    // side follows the volume curve.
    if (pan > 65535) return -10000;
    if (pan >= 32768) return g_VolumeTable[16383 - (((pan - 32768) >> 1) & 0x3FFF)];
    if (pan > 0) return -g_VolumeTable[(pan >> 1) & 0x3FFF];
    return 10000;
}

_SNDEvent* QVSound::AllocSoundEvent() {
    SoundLock lock;
    if (g_EventList == nullptr) return nullptr;
    for (int i = 1; i < g_nMaxEventCount; ++i) {
        if (g_EventList[i].pSample == nullptr) return &g_EventList[i];
    }
    return nullptr;
}

void QVSound::FreeSoundEvent(_SNDEvent* entry) {
    SoundLock lock;
    if (entry != nullptr) entry->pSample = nullptr;
}

void QVSound::setup_callback() {
    {
        SoundLock lock;
        for (int i = 0; i < g_nMaxEventCount; ++i) {
            plat::EventHandle event = plat::CreateAutoResetEvent();
            g_EventList[i].hEvent = event;
            g_CallBackHandles[i] = event;
        }
    }
    // Event 0 is the thread's quit signal; the events stay open until the
    // thread has been joined.
    g_CallBackThread = plat::JoiningThread([] { CallBack(nullptr); },
                                           [] { plat::SignalEvent(g_CallBackHandles[0]); },
                                           plat::ThreadPriority::Normal);
}

uint32_t QVSound::CallBack(void*) {
    std::atomic_ref<int>(g_nCallBackThreadActive).store(1);
    uint32_t result = 0;
    for (;;) {
        // The handles stay fixed while this thread runs: they are made before
        // it starts and closed after it has ended.
        const int signalled = plat::WaitForAnyEvent(g_nMaxEventCount, g_CallBackHandles);
        if (signalled == 0) break;
        if (signalled == plat::kWaitFailed) {
            result = 1;
            break;
        }
        SoundLock lock;
        _SNDEvent& entry = g_EventList[signalled];
        SNDSample* ended = entry.pSample;
        if (ended == nullptr) continue;
        FreeSoundEvent(&entry);
        // A sample played again since has armed a new entry; leave that one be.
        if (ended->m_EndNotify.hEventNotify == entry.hEvent) DisarmEndEvent(ended);
        if (ended->m_pNext != nullptr) ended->m_pNext->PlaySample(ended->m_nVolume, ended->m_nPan);
    }
    std::atomic_ref<int>(g_nCallBackThreadActive).store(0);
    return result;
}

void QVSound::close_callback() {
    // Decided by the owned thread, not by the thread's own flag: a thread
    // that has not reached its first line yet must be stopped all the same.
    g_CallBackThread.Stop();
    SoundLock lock;
    if (g_CallBackHandles == nullptr) return;
    for (int i = 0; i < g_nMaxEventCount; ++i) {
        if (g_CallBackHandles[i] == nullptr) continue;
        // A buffer still armed with this event must not signal it once closed.
        if (g_EventList[i].pSample != nullptr) DisarmEndEvent(g_EventList[i].pSample);
        plat::CloseEvent(g_CallBackHandles[i]);
        g_CallBackHandles[i] = nullptr;
        g_EventList[i].hEvent = nullptr;
        g_EventList[i].pSample = nullptr;
    }
}

void QVSound::EnableSFX(int on) {
    SoundLock lock;
    m_bSFXEnabled = on;
}
