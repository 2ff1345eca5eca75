#include "game/player_store.h"

#include <cstdio>

#include "platform/debug_log.h"
#include "platform/profile.h"

PlayerStore g_PlayerStore;

namespace {
// The longest description: three fields of 63 characters, the one-character
// send flag, three colons and the terminator.
constexpr int kDescriptionSize = 3 * 63 + 1 + 3 + 1;
static_assert(kDescriptionSize == sizeof(PlayerRecord));
}  // namespace

void PlayerStore::SetPath(const char* path) {
    if (path != nullptr) std::snprintf(iniPath, sizeof iniPath, "%s", path);
}

int32_t PlayerStore::ReadPlayerId() {
    if (iniPath[0] == '\0') {
        playerId = 0;
        return 0;
    }
    char value[32];
    plat::GetProfileString("setup", "playerid", "0", value, sizeof value, iniPath);
    int32_t id = plat::LeadingInt(value);
    // The id indexes the eight records, so nothing else may come through.
    if (id < 0 || id >= kPlayers) {
        DebugLog("playerid %d names none of players 0 to 7; using player 0\n", id);
        id = 0;
    }
    playerId = id;
    return id;
}

void PlayerStore::LoadPlayer(int32_t index) {
    if (iniPath[0] == '\0' || index < 0 || index >= kPlayers) return;
    char section[16];
    std::snprintf(section, sizeof section, "Player%d", index + 1);
    PlayerRecord& r = records[index];
    plat::GetProfileString(section, "name", section, r.name, sizeof r.name, iniPath);
    plat::GetProfileString(section, "address", "", r.address, sizeof r.address, iniPath);
    plat::GetProfileString(section, "email", "", r.email, sizeof r.email, iniPath);
    plat::GetProfileString(section, "send", "Y", r.send, sizeof r.send, iniPath);
}

void PlayerStore::Describe(int32_t index, char* out) {
    if (index < 0 || index >= kPlayers) index = 0;
    LoadPlayer(index);
    // Each field is read no further than its array, terminated or not.
    const PlayerRecord& r = records[index];
    std::snprintf(out, kDescriptionSize, "%.*s:%.*s:%.*s:%.*s", int(sizeof r.name - 1), r.name,
                  int(sizeof r.address - 1), r.address, int(sizeof r.email - 1), r.email,
                  int(sizeof r.send - 1), r.send);
}
