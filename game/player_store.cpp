#include "game/player_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "platform/debug_log.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/utf8.h"

PlayerStore g_PlayerStore;

namespace {
// The longest description: three fields of 63 characters, the one-character
// send flag, three colons and the terminator.
constexpr int kDescriptionSize = 3 * 63 + 1 + 3 + 1;
static_assert(kDescriptionSize == sizeof(PlayerRecord));

struct SectionName {
    explicit SectionName(int32_t index) { std::snprintf(text, sizeof text, "Player%d", index + 1); }
    char text[24];  // room for any int
};

// The field as it may be written: terminated or not, never past its array.
template <std::size_t N>
std::string Cleaned(const char (&field)[N]) {
    return plat::utf8::Clean(std::string_view(field, strnlen(field, N)), N - 1);
}

template <std::size_t N>
void CopyField(char (&field)[N], std::string_view value) {
    const std::size_t length = std::min(value.size(), N - 1);
    std::memcpy(field, value.data(), length);
    field[length] = '\0';
}

bool Valid(int32_t index) { return index >= 0 && index < PlayerStore::kPlayers; }

// Why a write to the options file at path cannot even start; empty when it can.
std::string CannotWrite(const char* path, int32_t index) {
    if (path[0] == '\0') return "no options file is set";
    if (!Valid(index)) return "there is no player " + std::to_string(index);
    return "";
}
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
    if (!Valid(id)) {
        DebugLog("playerid %d names none of players 0 to 7; using player 0\n", id);
        id = 0;
    }
    playerId = id;
    return id;
}

void PlayerStore::LoadPlayer(int32_t index) {
    if (iniPath[0] == '\0' || !Valid(index)) return;
    const SectionName section(index);
    PlayerRecord& r = records[index];
    plat::GetProfileString(section.text, "name", section.text, r.name, sizeof r.name, iniPath);
    plat::GetProfileString(section.text, "address", "", r.address, sizeof r.address, iniPath);
    plat::GetProfileString(section.text, "email", "", r.email, sizeof r.email, iniPath);
    plat::GetProfileString(section.text, "send", "Y", r.send, sizeof r.send, iniPath);
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

Status PlayerStore::WritePlayerId(int32_t id) {
    if (std::string why = CannotWrite(iniPath, id); !why.empty()) return Status::Failed(why);
    return plat::StatusOf(plat::WriteProfileString("setup", "playerid", std::to_string(id).c_str(), iniPath));
}

Status PlayerStore::WritePlayer(int32_t index, const PlayerRecord& record) {
    if (std::string why = CannotWrite(iniPath, index); !why.empty()) return Status::Failed(why);
    const std::string section = SectionName(index).text;
    const std::string name = Cleaned(record.name), address = Cleaned(record.address),
                      email = Cleaned(record.email), send = Cleaned(record.send);
    PlayerRecord& r = records[index];
    CopyField(r.name, name);
    CopyField(r.address, address);
    CopyField(r.email, email);
    CopyField(r.send, send);
    // One replacement of the file: a profile is never left half written.
    return plat::StatusOf(plat::WriteProfileStrings(
        {{section, "name", name}, {section, "address", address}, {section, "email", email}, {section, "send", send}},
        iniPath));
}

std::vector<plat::ProfileEntry> PlayerStore::MissingKeyDefaults() {
    std::vector<plat::ProfileEntry> entries = {{"setup", "playerid", "0", true}};
    for (int32_t index = 0; index < kPlayers; ++index) {
        const std::string section = SectionName(index).text;
        const std::pair<const char*, std::string> keys[] = {
            {"name", section}, {"address", ""}, {"email", ""}, {"send", "Y"}};
        for (const auto& [key, value] : keys) entries.push_back({section, key, value, true});
    }
    return entries;
}

Status PlayerStore::ClearPlayer(int32_t index) {
    PlayerRecord defaults{};
    CopyField(defaults.name, SectionName(index).text);
    CopyField(defaults.send, "Y");
    return WritePlayer(index, defaults);
}
