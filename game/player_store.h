#pragma once
// The player profiles kept by the launcher in the shared options file: which
// of the eight players is current, and each player's name, address, e-mail
// and send flag. The game only reads them; the launcher also writes them.
#include <cstdint>
#include <vector>

#include "base/status.h"
#include "platform/profile.h"

struct PlayerRecord {
    char name[64];
    char address[64];
    char email[64];
    char send[2];
};
static_assert(sizeof(PlayerRecord) == 194);

class PlayerStore {
public:
    static constexpr int32_t kPlayers = 8;

    // Copies the path when it is not null; an empty path makes every
    // operation do nothing.
    void SetPath(const char* path);
    // Reads "playerid" from section "setup"; an index outside 0 to 7 is
    // taken as player 0 (and logged). 0 without a path.
    int32_t ReadPlayerId();
    // Reads section "Player<i + 1>" into records[i]; nothing for an index
    // outside the eight records.
    void LoadPlayer(int32_t index);
    // LoadPlayer, then "name:address:email:send" into out (at least 194
    // characters; the game passes 256).
    void Describe(int32_t index, char* out);

    // The launcher's writes, each one replacement of the file: failed
    // without a path, for an index outside the eight, or when the file cannot
    // be written; every other line of the file stays. The current player's id:
    Status WritePlayerId(int32_t id);
    // Player index's four keys, each value its field's well-formed, printable
    // characters cut to whole ones within the field (63 bytes, the send flag
    // one); records[index] then holds what was written.
    Status WritePlayer(int32_t index, const PlayerRecord& record);
    // Writes the defaults a missing key reads as: the section's name, empty
    // address and e-mail, send "Y".
    Status ClearPlayer(int32_t index);
    // "playerid" and the eight profiles' keys, each with the value it reads
    // as when missing, marked to be written only where it is missing.
    static std::vector<plat::ProfileEntry> MissingKeyDefaults();

    int32_t playerId = 0;
    PlayerRecord records[kPlayers] = {};
    char iniPath[64] = "";
};

extern PlayerStore g_PlayerStore;
