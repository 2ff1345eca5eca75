#include "sound/qv_sound.h"

#include <atomic>
#include <cstring>
#include <string>

#include "platform/debug_log.h"
#include "sound/snd_sample.h"
#include "sound/sound_lock.h"

QVSound g_Sound;

plat::SoundDevice* QVSound::g_lpDSound = nullptr;
plat::SoundBuffer* QVSound::g_lpSoundBuffer = nullptr;
plat::DeviceCaps QVSound::g_DSCaps = {};
int QVSound::g_nMaxSampleCount = 0;
int QVSound::g_nMaxEventCount = 0;
void* QVSound::g_MemHandle = nullptr;
plat::EventHandle* QVSound::g_CallBackHandles = nullptr;
_SNDEvent* QVSound::g_EventList = nullptr;
SNDSample* QVSound::g_SampleList = nullptr;
SNDSample* QVSound::g_pLastSample = nullptr;
SNDSample* QVSound::g_pEndSample = nullptr;
// Files open through the platform until a caller installs its own hooks, so
// a load tried without a sound device fails cleanly instead of calling null.
QVSound::OpenFileFunc QVSound::g_pOpenFile = QVSound::DefaultOpenFile;
QVSound::CloseFileFunc QVSound::g_pCloseFile = QVSound::DefaultCloseFile;

QVSound::QVSound(plat::WindowHandle window, int maxSamples) { Init(window, maxSamples); }

int QVSound::Init(plat::WindowHandle window, int maxSamples) {
    {
        SoundLock lock;
        // Once only: a second start would lose the running device, pool and thread.
        if (g_lpDSound != nullptr || g_MemHandle != nullptr) return 0;
        m_nMusicVolume = 32768;
        m_bMusicEnabled = 1;
        m_bSFXEnabled = 1;
        g_nMaxSampleCount = maxSamples;
        if (!AllocSampleBuffers()) return 0;
        if (plat::SoundFailed(plat::CreateSoundDevice(&g_lpDSound))) {
            g_lpDSound = nullptr;
            free_sample_buffers();
            return 0;
        }
        if (plat::SoundFailed(g_lpDSound->SetCooperativeLevel(window, plat::kCoopExclusive))) {
            g_lpDSound->Release();
            g_lpDSound = nullptr;
            free_sample_buffers();
            return 0;
        }
        std::memset(&g_DSCaps, 0, sizeof g_DSCaps);
        g_DSCaps.dwSize = sizeof g_DSCaps;
        if (!plat::SoundFailed(g_lpDSound->GetCaps(&g_DSCaps))) debug_dsound_caps(&g_DSCaps);
        if (!CreateMainBuffer()) {
            // The device is released too, so that a later Init can open it again.
            g_lpDSound->Release();
            g_lpDSound = nullptr;
            free_sample_buffers();
            return 0;
        }
        SetFileOpenFunc(nullptr);
        SetFileCloseFunc(nullptr);
    }
    setup_callback();
    return 1;
}

int QVSound::CreateMainBuffer() {
    plat::BufferDesc desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = plat::kBufferPrimary;
    if (plat::SoundFailed(g_lpDSound->CreateSoundBuffer(&desc, &g_lpSoundBuffer))) {
        g_lpSoundBuffer = nullptr;
        return 0;
    }
    plat::WaveFormat format{};
    format.wFormatTag = plat::kWaveFormatPcm;
    format.nSamplesPerSec = 22050;
    format.nChannels = (g_DSCaps.dwFlags & plat::kCapsPrimaryStereo) ? 2 : 1;
    format.wBitsPerSample = (g_DSCaps.dwFlags & plat::kCapsPrimary16Bit) ? 16 : 8;
    format.nBlockAlign = static_cast<uint16_t>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    g_lpSoundBuffer->SetFormat(&format);
    // The primary buffer plays for the library's lifetime: it keeps the output running.
    if (plat::SoundFailed(g_lpSoundBuffer->Play(plat::kPlayLooping))) {
        g_lpSoundBuffer->Release();
        g_lpSoundBuffer = nullptr;
        return 0;
    }
    return 1;
}

void QVSound::debug_dsound_caps(plat::DeviceCaps*) {}

void QVSound::Exit() {
    // Every stream, played or not and whatever the music switch, so that no
    // fill thread outlives the device.
    shut_streams();
    close_callback();
    SoundLock lock;
    if (g_SampleList != nullptr) {
        for (SNDSample* s = g_SampleList; s < g_pLastSample; ++s) {
            if (s->m_nFlags & SND_INUSE) FreeSample(s);
        }
    }
    free_sample_buffers();
    if (g_lpSoundBuffer != nullptr) {
        g_lpSoundBuffer->Stop();
        g_lpSoundBuffer->Release();
        g_lpSoundBuffer = nullptr;
    }
    if (g_lpDSound != nullptr) {
        g_lpDSound->Release();
        g_lpDSound = nullptr;
    }
}

int QVSound::alloc_sample_buffers(int slots) {
    g_nMaxEventCount = slots + 1 > plat::kMaxWaitObjects ? plat::kMaxWaitObjects : slots + 1;
    if (slots < 0) return 0;
    const size_t bytes = g_nMaxEventCount * (sizeof(plat::EventHandle) + sizeof(_SNDEvent)) +
                         static_cast<size_t>(slots) * sizeof(SNDSample);
    g_MemHandle = plat::AllocZeroedBlock(bytes);
    if (g_MemHandle == nullptr) return 0;
    // Handles, then event entries, then slots; each part's size keeps the
    // next one aligned for its pointers.
    auto* block = static_cast<unsigned char*>(g_MemHandle);
    g_CallBackHandles = reinterpret_cast<plat::EventHandle*>(block);
    g_EventList = reinterpret_cast<_SNDEvent*>(g_CallBackHandles + g_nMaxEventCount);
    g_SampleList = reinterpret_cast<SNDSample*>(g_EventList + g_nMaxEventCount);
    return 1;
}

int QVSound::free_sample_buffers() {
    if (g_MemHandle != nullptr && !plat::FreeBlock(g_MemHandle)) return 0;
    g_MemHandle = nullptr;
    g_CallBackHandles = nullptr;
    g_EventList = nullptr;
    g_SampleList = nullptr;
    return 1;
}

int QVSound::AllocSampleBuffers() {
    SoundLock lock;
    free_sample_buffers();
    if (!alloc_sample_buffers(g_nMaxSampleCount)) return 0;
    g_pLastSample = g_SampleList;
    g_pEndSample = g_SampleList + g_nMaxSampleCount;
    return 1;
}

plat::SoundDevice* QVSound::GetDSObject() { return g_lpDSound; }
plat::SoundBuffer* QVSound::GetDSPrimaryBuffer() { return g_lpSoundBuffer; }

void QVSound::SetFileOpenFunc(OpenFileFunc open) {
    SoundLock lock;
    g_pOpenFile = open != nullptr ? open : DefaultOpenFile;
}

void QVSound::SetFileCloseFunc(CloseFileFunc close) {
    SoundLock lock;
    g_pCloseFile = close != nullptr ? close : DefaultCloseFile;
}

plat::FileHandle QVSound::DefaultOpenFile(const char* path) {
    return plat::OpenFileForReading(path);
}

int QVSound::DefaultCloseFile(plat::FileHandle file) { return plat::CloseFileHandle(file) ? 1 : 0; }

SNDSample* QVSound::AllocSample() {
    SoundLock lock;
    if (g_SampleList == nullptr) return nullptr;
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) {
        if (s->m_nFlags & SND_INUSE) continue;
        if (s >= g_pLastSample) g_pLastSample = s + 1;
        s->m_nFlags |= SND_INUSE;
        return s;
    }
    return nullptr;
}

void QVSound::ClearSample(SNDSample* sample) {
    SoundLock lock;
    if (g_SampleList == nullptr || sample == nullptr) return;
    sample->Reset();
    // A slot in use above the cleared one keeps the scan end just past it.
    for (SNDSample* s = g_pLastSample; s > sample; --s) {
        if (s[-1].m_nFlags & SND_INUSE) {
            g_pLastSample = s;
            return;
        }
    }
}

void QVSound::ClearSampleList() {
    SoundLock lock;
    if (g_SampleList == nullptr) return;
    // The music stream's slot belongs to its fill thread, which clears it.
    SNDSample* kept = nullptr;
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) {
        if ((s->m_nFlags & (SND_INUSE | SND_STREAM)) == (SND_INUSE | SND_STREAM)) {
            kept = s;
            continue;
        }
        ClearSample(s);
    }
    g_pLastSample = kept != nullptr ? kept + 1 : g_SampleList;
    g_pEndSample = g_SampleList + g_nMaxSampleCount;
}

int QVSound::LoadSample(const char* path, uint32_t id) {
    SoundLock lock;
    if (FindSampleID(id) != nullptr) return 1;
    SNDSample* slot = AllocSample();
    if (slot == nullptr) {
        NoteLeftOut(Status::Failed(std::string(path != nullptr ? path : "(no file)") + ": no free sample slot"));
        return 0;
    }
    const Status loaded = slot->LoadSample(path, id);
    if (loaded) return 1;
    ClearSample(slot);
    NoteLeftOut(loaded);
    return 0;
}

SNDSample* QVSound::FindSampleID(uint32_t id) {
    SoundLock lock;
    if (g_SampleList == nullptr) return nullptr;
    for (SNDSample* s = g_SampleList; s < g_pLastSample; ++s) {
        if (s->m_nID == id && (s->m_nFlags & (SND_INUSE | SND_STREAM)) == SND_INUSE) return s;
    }
    return nullptr;
}

void QVSound::FreeSample(uint32_t id) { FreeSample(FindSampleID(id)); }

void QVSound::FreeSample(SNDSample* sample) {
    SoundLock lock;
    if (sample == nullptr) return;
    if (sample->m_lpBuffer != nullptr) {
        uint32_t status = 0;
        if (!plat::SoundFailed(sample->m_lpBuffer->GetStatus(&status)) &&
            (status & plat::kStatusPlaying)) {
            sample->m_lpBuffer->Stop();
        }
        sample->m_lpBuffer->Release();
    }
    ClearSample(sample);
}

void QVSound::FlushSamples() {
    SoundLock lock;
    if (g_SampleList == nullptr) return;
    for (SNDSample* s = g_SampleList; s < g_pEndSample; ++s) {
        const uint32_t flags = s->m_nFlags;
        if ((flags & SND_INUSE) && !(flags & SND_RESERVED) && (flags & SND_DUPE) &&
            !s->SamplePlaying()) {
            FreeSample(s);
        }
    }
}

void QVSound::MemCleanup() {
    SoundLock lock;
    if (g_lpDSound != nullptr) g_lpDSound->Compact();
}

uint32_t QVSound::GetLIBVersion() { return 1; }

const char* QVSound::GetLIBDate() { return "Tue Jan  8 15:57:20 2002"; }
