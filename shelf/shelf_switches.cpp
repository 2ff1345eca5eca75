#include "shelf/shelf_switches.h"

#include "game/player_store.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "shell/window_config.h"

namespace {
struct SwitchKey {
    const char* file;
    const char* key;
    const char* on;
    const char* off;
};

SwitchKey KeyOf(ShelfSwitch which) {
    switch (which) {
        case ShelfSwitch::Music: return {kOptionsFile, "music", "Y", "N"};
        case ShelfSwitch::Effects: return {kOptionsFile, "SFX", "Y", "N"};
        case ShelfSwitch::FullScreen: return {kSetupFile, "fullscreen", "1", "0"};
        case ShelfSwitch::SharpScaling: break;
    }
    return {kSetupFile, "scale", "sharp", "smooth"};
}
}  // namespace

bool ReadSwitch(ShelfSwitch which) {
    switch (which) {
        case ShelfSwitch::Music: return ReadOptionSwitch("music");
        case ShelfSwitch::Effects: return ReadOptionSwitch("SFX");
        case ShelfSwitch::FullScreen: return ReadSetupNumber("fullscreen", "0") == 1;
        case ShelfSwitch::SharpScaling: break;
    }
    return ReadSharpScaling();
}

Status WriteSwitch(ShelfSwitch which, bool on) {
    const SwitchKey key = KeyOf(which);
    return plat::StatusOf(plat::WriteProfileString("setup", key.key, on ? key.on : key.off, key.file));
}

Status CompleteOptionsFile() {
    std::vector<plat::ProfileEntry> entries = PlayerStore::MissingKeyDefaults();
    for (ShelfSwitch which : {ShelfSwitch::Music, ShelfSwitch::Effects}) {
        const SwitchKey key = KeyOf(which);
        entries.push_back({"setup", key.key, key.on, true});
    }
    return plat::StatusOf(plat::WriteProfileStrings(entries, kOptionsFile));
}
