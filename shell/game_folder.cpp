#include "shell/game_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/process.h"
#include "shell/command_line.h"

namespace fs = std::filesystem;

namespace {

// Every game folder holds the board's background picture. The island maps
// are no marker: without them the game plays on open sea.
constexpr const char* kMarkerFile = "background.bmp";

bool HoldsGame(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kMarkerFile, ec);
}

void MakeAbsolute(std::string& path) {
    if (path.empty()) return;
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    if (!ec) path = absolute.string();
}

// The folder to work in, or empty when there is none.
fs::path FindGameFolder(const std::string& dataOption) {
    // A folder named on the command line is taken as it is, so that a game
    // folder with files missing meets the game's own fallbacks.
    if (!dataOption.empty()) {
        std::error_code ec;
        return fs::is_directory(dataOption, ec) ? fs::path(dataOption) : fs::path();
    }
    if (HoldsGame(".") && plat::OnlyPlayerWrites(".")) return ".";
    const fs::path program = plat::ProgramFolder();
    if (!program.empty()) {
        if (HoldsGame(program)) return program;
        // The launcher of a build lies one folder above the game's.
        if (HoldsGame(program / "game")) return program / "game";
        const fs::path installed = program.parent_path() / "share" / "games" / "reefhoard";
        if (HoldsGame(installed)) return installed;
    }
    return {};
}

Status NoGameFolder(const std::string& dataOption) {
    if (!dataOption.empty()) return Status::Failed("--data " + dataOption + ": no such folder");
    return Status::Failed(std::string("the game's files were not found (no ") + kMarkerFile +
                          " in a working folder only this player can write, beside the program or in its"
                          " ../share/games/reefhoard); name their folder with --data");
}

}  // namespace

Status EnterGameFolder(CommandLine& line) {
    const fs::path folder = FindGameFolder(line.data);
    if (folder.empty()) return NoGameFolder(line.data);
    for (std::string* path : {&line.audioOut, &line.screenshot, &line.record, &line.replay, &line.report,
                              &line.launcherDir}) {
        MakeAbsolute(*path);
    }
    std::error_code ec;
    fs::current_path(folder, ec);
    if (ec) return Status::Failed("cannot work in the game's folder " + folder.string() + ": " + ec.message());
    // An installed game's folder belongs to the system: each player's scores
    // and settings then live in that player's own folder.
    if (!plat::CanWriteIn(".")) plat::SetUserFolder(plat::PlayerDataFolder());
    return Status();
}
