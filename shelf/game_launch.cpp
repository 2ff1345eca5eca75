#include "shelf/game_launch.h"

#include <filesystem>
#include <system_error>

#include "platform/process.h"

std::string LaunchGame() {
    const std::string launcherFolder = plat::ProgramFolder();
    std::error_code ec;
    const std::filesystem::path gameFolder = std::filesystem::current_path(ec);
    if (launcherFolder.empty() || ec) return "";
    // A build keeps the game in its game folder; installed, both programs lie in games/.
    for (const std::filesystem::path& program :
         {gameFolder / "reefhoard", std::filesystem::path(launcherFolder) / "reefhoard"}) {
        if (plat::ShellOpen(program.string().c_str(), launcherFolder.c_str(), gameFolder.string().c_str())) {
            return program.string() + " " + launcherFolder;
        }
    }
    return "";
}
