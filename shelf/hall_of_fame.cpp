#include "shelf/hall_of_fame.h"

#include <cstring>

#include "game/high_score_table.h"

std::vector<HallOfFameRow> ReadHallOfFame(const char* file, const std::string& currentName) {
    HighScoreTable table;
    table.Create(HighScoreTable::kGameEntries);
    table.Load(file);
    std::vector<HallOfFameRow> rows;
    for (int32_t i = 0; i < table.count; ++i) {
        const HighScoreEntry& entry = table.entries[i];
        // A foreign file may fill the whole field without a terminator.
        const char* end = static_cast<const char*>(std::memchr(entry.name, '\0', sizeof entry.name));
        std::string name(entry.name, end != nullptr ? end : entry.name + sizeof entry.name);
        name = name.substr(0, name.find(':'));
        const bool current = !currentName.empty() && name == currentName;
        rows.push_back({std::move(name), entry.score, current});
    }
    return rows;
}
