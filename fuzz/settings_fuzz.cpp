// Settings: ".\setup.ini" and the options file shared with the launcher,
// "..\options.ini", read key by key as start-up and the game read them. The
// input holds both files, the first before a line "----", the second after.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "game/player_store.h"
#include "platform/profile.h"
#include "shell/window_config.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::Halves files = fuzz::Split(data, size);
    fuzz::WriteInput("setup.ini", reinterpret_cast<const uint8_t*>(files.first.data()), files.first.size());
    fuzz::WriteInput("..\\options.ini", reinterpret_cast<const uint8_t*>(files.second.data()), files.second.size());

    for (const char* key : {"fullscreen", "x", "y", "w", "h", "nowindow", "ontop"}) ReadSetupNumber(key, "-1");
    char value[256];
    plat::GetProfileString("default", "Reefhoards", "2", value, sizeof value, kSetupFile);
    plat::LeadingInt(value);
    plat::GetProfileString("default", "gametime", "200", value, sizeof value, kSetupFile);
    plat::LeadingInt(value);
    ReadOptionSwitch("music");
    ReadOptionSwitch("SFX");

    PlayerStore store;
    store.SetPath(kOptionsFile);
    const int32_t player = store.ReadPlayerId();
    store.LoadPlayer(player);
    char description[256];
    store.Describe(player, description);
    return 0;
}
