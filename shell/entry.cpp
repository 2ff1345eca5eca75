#include "shell/entry.h"

#include <string>

#include "game/board_scene.h"
#include "game/game.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "shell/main_loop.h"
#include "shell/start_up.h"

namespace {
// Says why no game can go on, closes the window if it is still there, and
// gives the status of a game that could not run.
int StopGame(const std::string& why) {
    plat::ShowStopMessage(why.c_str());
    if (plat::IsWindow(g_Shell.window)) plat::DestroyWindow(g_Shell.window);
    return kStartUpFailedStatus;
}
}  // namespace

int GameEntry(void* instance, const char* commandLine, int showCommand) {
    SetGameName("Reefhoard");
    SetLauncherDir(commandLine);
    SetDisplayTitle("Reef Hoard");
    // The maps are the game's one big block of memory: made first, before
    // threads' stacks and pictures take the room.
    if (!g_Game.AllocateMaps()) return StopGame(g_Game.failure.Why());
    // A start-up that failed has said why; its exit status tells scripts and
    // launchers so too.
    if (!StartUp(instance, nullptr, commandLine, showCommand)) {
        return StartUpFailed() ? kStartUpFailedStatus : 0;
    }
    g_Application.SetDisplay(g_Shell.directDraw, &g_Shell.page);
    g_Application.AddScene(&g_BoardScene);
    g_Application.SelectScene("treasure");
    if (!g_Game.failure.Ok()) return StopGame(g_Game.failure.Why());
    if (const Status& missing = g_BoardScene.MissingPicture(); !missing.Ok()) return StopGame(missing.Why());
    MainLoop();
    return g_Game.failure.Ok() ? 0 : StopGame(g_Game.failure.Why());
}
