#include "sound/sound_manager.h"

#include <cstring>
#include <new>

#include "sound/qv_sound.h"

SoundManager g_SoundManager;

namespace {
constexpr uint32_t kFirstId = 10;  // 0 is the music stream's
}

bool SoundManager::Init(plat::WindowHandle window, int maxSamples) {
    if (soundList == nullptr) soundList = new PtrList<SoundEntry>(1);
    return g_Sound.Init(window, maxSamples) != 0;
}

void SoundManager::FreeSlotsOf(uint32_t id) {
    while (g_Sound.FindSampleID(id) != nullptr) g_Sound.FreeSample(id);
}

bool SoundManager::IdInUse(uint32_t id) const {
    for (int32_t i = 0; i < soundList->Count(); ++i) {
        if (soundList->Get(i)->id == id) return true;
    }
    return false;
}

SoundEntry* SoundManager::Load(const char* path, const char* name) {
    if (soundList == nullptr || name == nullptr) return nullptr;
    // Count plus 10, as long as no entry holds it: after a single Free the
    // count can fall back onto a live entry's ID, which would otherwise make
    // the library report the new sound as already loaded.
    uint32_t id = static_cast<uint32_t>(soundList->Count()) + kFirstId;
    while (IdInUse(id)) ++id;
    if (!g_Sound.LoadSample(path, id)) return nullptr;
    auto* entry = new (std::nothrow) SoundEntry{};
    if (entry == nullptr) return nullptr;
    entry->id = id;
    std::strncpy(entry->name, name, sizeof entry->name - 1);
    return soundList->Add(entry);
}

SoundEntry* SoundManager::Find(const char* name) {
    if (soundList == nullptr || name == nullptr) return nullptr;
    for (int32_t i = 0; i < soundList->Count(); ++i) {
        SoundEntry* entry = soundList->Get(i);
        if (std::strcmp(entry->name, name) == 0) return entry;
    }
    return nullptr;
}

void SoundManager::Play(const char* name, int32_t volume, int32_t pan) {
    if (SoundEntry* entry = Find(name)) PlayEntry(entry, volume, pan);
}

SNDSample* SoundManager::PlayEntry(SoundEntry* entry, int32_t volume, int32_t pan) {
    return g_Sound.PlaySample(static_cast<int32_t>(entry->id), volume, pan);
}

SNDSample* SoundManager::PlayIndex(int32_t index, int32_t volume, int32_t pan) {
    if (soundList == nullptr || index < 0 || index >= soundList->Count()) return nullptr;
    return PlayEntry(soundList->Get(index), volume, pan);
}

void SoundManager::Stop(const char* name) {
    if (SoundEntry* entry = Find(name)) g_Sound.StopSample(static_cast<int32_t>(entry->id));
}

SNDSample* SoundManager::StopID(uint32_t id) { return g_Sound.StopSample(static_cast<int32_t>(id)); }

SNDSample* SoundManager::Pause(const char* name) {
    SoundEntry* entry = Find(name);
    return entry != nullptr ? g_Sound.PauseSample(static_cast<int32_t>(entry->id)) : nullptr;
}

SNDSample* SoundManager::PauseID(uint32_t id) {
    return g_Sound.PauseSample(static_cast<int32_t>(id));
}

void SoundManager::Free(const char* name) {
    SoundEntry* entry = Find(name);
    if (entry == nullptr) return;
    // Duplicates too: one left in the table would keep the ID loaded, and a
    // later Load that chose the same ID would be given the old sound.
    FreeSlotsOf(entry->id);
    soundList->Remove(entry);
    delete entry;
}

void SoundManager::FreeAll() {
    if (soundList == nullptr) return;
    for (int32_t i = 0; i < soundList->Count(); ++i) {
        // Duplicates included: the table is cleared below, and a duplicate
        // left in it would keep its buffer for ever.
        FreeSlotsOf(soundList->Get(i)->id);
    }
    soundList->DeleteAll();
    g_Sound.StopStream();
    QVSound::ClearSampleList();
}

void SoundManager::Exit() {
    if (soundList != nullptr) {
        FreeAll();
        delete soundList;
        soundList = nullptr;
    }
    g_Sound.Exit();
}

void SoundManager::EnableMusic(int on) { g_Sound.EnableMusic(on); }

void SoundManager::EnableSFX(int on) { g_Sound.EnableSFX(on); }
