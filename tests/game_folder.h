#pragma once
// A game folder for a test: the build's generated pictures, sounds and maps
// linked (or copied) into a scratch folder, leaving out the files a test names.
#include <algorithm>
#include <vector>

#include "temp_dir.h"

inline void LinkGameFolder(const std::filesystem::path& to, const std::vector<std::string>& omitted) {
    namespace fs = std::filesystem;
    const fs::path from(REEF_GAME_FOLDER);
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        if (!entry.is_regular_file()) continue;
        const std::string ext = entry.path().extension().string();
        const std::string name = entry.path().filename().string();
        if (ext != ".bmp" && ext != ".wav" && ext != ".dat" && name != "setup.ini") continue;
        if (name == "hiscore.dat") continue;  // a table some run of the game left there
        if (std::find(omitted.begin(), omitted.end(), name) != omitted.end()) continue;
        const fs::path target = to / fs::relative(entry.path(), from);
        fs::create_directories(target.parent_path());
        LinkOrCopy(entry.path(), target);
    }
}
