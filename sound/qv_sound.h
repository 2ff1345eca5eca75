#pragma once
// The sound library: the sound device, a fixed pool of sample slots addressed
// by the caller's IDs, WAV loading, overlapping playback through duplicated
// slots, chained samples started by an end-of-sample thread, and the music
// stream's entry points. Nearly all state is class-wide; the program keeps one
// instance, g_Sound, whose three fields are the music level and the two
// switches.
#include <array>
#include <cstdint>

#include "platform/joining_thread.h"
#include "platform/kernel.h"
#include "platform/sound_device.h"
#include "platform/window_handle.h"
#include "sound/sound_records.h"

class SNDSample;

class QVSound {
public:
    using OpenFileFunc = plat::FileHandle (*)(const char* path);
    using CloseFileFunc = int (*)(plat::FileHandle file);

    // Leaves the fields as they are (g_Sound starts zeroed).
    QVSound() = default;
    // Calls Init and ignores its result.
    QVSound(plat::WindowHandle window, int maxSamples);
    QVSound& operator=(const QVSound&) = default;

    // ---- Device and pool ----
    int Init(plat::WindowHandle window, int maxSamples);
    void Exit();
    int AllocSampleBuffers();
    static plat::SoundDevice* GetDSObject();
    static plat::SoundBuffer* GetDSPrimaryBuffer();
    // Null restores the default hook.
    static void SetFileOpenFunc(OpenFileFunc open);
    static void SetFileCloseFunc(CloseFileFunc close);
    static SNDSample* AllocSample();
    static void ClearSample(SNDSample* sample);
    static void ClearSampleList();
    int LoadSample(const char* path, uint32_t id);
    SNDSample* FindSampleID(uint32_t id);
    void FreeSample(uint32_t id);
    void FreeSample(SNDSample* sample);
    void FlushSamples();
    void MemCleanup();
    uint32_t GetLIBVersion();
    const char* GetLIBDate();

    // ---- Playback ----
    // A slot ready to play the sound, marked SND_RESERVED: an idle slot with
    // the ID, or a new duplicate of a busy one. Collects idle duplicates of
    // other sounds on the way.
    SNDSample* FindSample(uint32_t id);
    SNDSample* PlaySample(int32_t id, int32_t volume, int32_t pan);
    int PlaySampleIDOnce(int32_t id, int32_t volume, int32_t pan);
    SNDSample* StopSample(int32_t id);
    SNDSample* PauseSample(int32_t id);
    // Caller units (0..65535) to hundredths of a decibel.
    static int MapVolume(int volume);
    static int MapPan(int pan);
    static _SNDEvent* AllocSoundEvent();
    static void FreeSoundEvent(_SNDEvent* entry);
    static uint32_t CallBack(void* unused);
    void EnableSFX(int on);

    // ---- Music stream ----
    // Opens the WAV file as the one stream, fills the ring and starts its
    // fill thread; 0 with music off, while another stream is loaded, or when
    // the file, its format or the device refuses.
    int LoadStream(const char* path, uint32_t id);
    // Starts a loaded stream; flags may add STREAM_LOOP. Always 1.
    int PlayStream(int flags);
    // Ends a playing (or paused) stream and returns once it has been torn
    // down and its next-stream function has returned. Always 1; does nothing
    // with music off.
    int StopStream();
    // Pauses a playing stream, or resumes a paused one where it stopped.
    int PauseStream();
    // On the stream's fill thread: tears the stream down, then calls the
    // next-stream function with its ID. Elsewhere: ends the stream as
    // StopStream does, whatever the music switch. Always 1.
    static int CleanupStream();
    static uint32_t FillStream(void* unused);
    static void SetStreamVolume(int volume);
    static int GetStreamVolume();
    static uint32_t GetStreamID();
    static _SNDStream* GetStreamInfoPtr();
    // g_StreamInfo is shared with the fill thread: hold this lock to read it
    // whole. The fill thread cannot refill while it is held.
    static void LockStreamInfo();
    static void UnlockStreamInfo();
    StreamNextFunc SetStreamNextFunc(StreamNextFunc next);
    StreamNextFunc GetStreamNextFunc();
    static void ClearStreamNextStreamFunc();
    void EnableMusic(int on);
    // Moves the stream's volume from one level to another over the time
    // given, on the caller's thread, sleeping a little between steps.
    void FadeMusic(int from, int to, uint32_t milliseconds);
    void FadeMusicIn(uint32_t milliseconds);
    void FadeMusicOut(uint32_t milliseconds);

    int32_t m_nMusicVolume;
    int32_t m_bMusicEnabled;
    int32_t m_bSFXEnabled;

    static plat::SoundDevice* g_lpDSound;
    static plat::SoundBuffer* g_lpSoundBuffer;
    static plat::DeviceCaps g_DSCaps;
    static int g_nMaxSampleCount;
    static int g_nMaxEventCount;
    static void* g_MemHandle;
    static plat::EventHandle* g_CallBackHandles;
    static _SNDEvent* g_EventList;
    static SNDSample* g_SampleList;
    static SNDSample* g_pLastSample;
    static SNDSample* g_pEndSample;
    static OpenFileFunc g_pOpenFile;
    static CloseFileFunc g_pCloseFile;
    // The library's threads, each stopped and joined when its owner lets it
    // go: the end-of-sample thread by close_callback, the fill thread by
    // whoever ends its stream (Exit at the latest).
    static plat::JoiningThread g_CallBackThread;
    static int g_nCallBackThreadActive;
    static plat::JoiningThread g_FillThread;
    static uint32_t g_FillThreadID;
    static _SNDStream g_StreamInfo;
    static plat::EventHandle g_NotifyEvents[kStreamEvents];
    static const std::array<int16_t, 16384> g_VolumeTable;

protected:
    int alloc_sample_buffers(int slots);
    int free_sample_buffers();
    int CreateMainBuffer();
    void debug_dsound_caps(plat::DeviceCaps* caps);
    static plat::FileHandle DefaultOpenFile(const char* path);
    static int DefaultCloseFile(plat::FileHandle file);
    void setup_callback();
    void close_callback();
    // Fills the whole ring from the start of the data.
    void init_stream_buffer();

private:
    int MusicEnabled();
    static void fill_stream_chunk(uint32_t chunk);
    static void refill_played_chunks();
    static bool stream_has_ended();
    // Asks the fill thread to end the stream (a stream never played too,
    // when asked) and waits until it has.
    static void end_stream(bool evenUnplayed);
    // Ends every stream and waits for every fill thread, letting no
    // next-stream function start another: for Exit.
    static void shut_streams();
};

extern QVSound g_Sound;
