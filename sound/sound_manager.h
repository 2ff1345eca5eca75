#pragma once
// The game's registry of named sounds: it starts and stops the sound library,
// loads each effect from a WAV file under a short name with an ID of its own
// choosing, and plays, stops or pauses effects by that name.
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/window_handle.h"
#include "sound/snd_sample.h"

struct SoundEntry {
    uint32_t id;    // the library's sample ID
    char name[32];  // at most 31 characters; longer names are cut
};

class SoundManager {
public:
    // Makes the list, then starts the library; false when the library did not
    // start (no sound device), which leaves every later call without effect.
    bool Init(plat::WindowHandle window, int maxSamples);
    // Loads the file under the next free ID from 10 up; null when it does not load.
    SoundEntry* Load(const char* path, const char* name);
    // The first entry loaded under the name (exact, case-sensitive).
    SoundEntry* Find(const char* name);
    void Play(const char* name, int32_t volume, int32_t pan);
    SNDSample* PlayEntry(SoundEntry* entry, int32_t volume, int32_t pan);
    SNDSample* PlayIndex(int32_t index, int32_t volume, int32_t pan);
    void Stop(const char* name);
    SNDSample* StopID(uint32_t id);
    SNDSample* Pause(const char* name);
    SNDSample* PauseID(uint32_t id);
    void Free(const char* name);
    // Frees every sound and stops the music; later Loads start again at ID 10.
    void FreeAll();
    // FreeAll, drop the list, shut the library down.
    void Exit();
    void EnableMusic(int on);
    void EnableSFX(int on);

    PtrList<SoundEntry>* soundList = nullptr;

private:
    bool IdInUse(uint32_t id) const;
    // Frees every slot that holds the ID, the sound's duplicates included.
    static void FreeSlotsOf(uint32_t id);
};

extern SoundManager g_SoundManager;
