#include "shelf/shelf_entry.h"

#include "game/player_store.h"
#include "game/run_report.h"
#include "platform/window.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "shelf/shelf_scene.h"
#include "shelf/shelf_switches.h"
#include "shell/entry.h"
#include "shell/main_loop.h"
#include "shell/start_up.h"
#include "shell/window_config.h"

int ShelfEntry(const CommandLine&) {
    SetGameName("GameShelf");
    SetDisplayTitle("Reef Hoard");
    // A file that cannot be written now is said so at the first change.
    (void)CompleteOptionsFile();
    if (!OpenProgramWindow(nullptr, 0)) {
        if (plat::IsWindow(g_Shell.window)) plat::DestroyWindow(g_Shell.window);
        return kStartUpFailedStatus;
    }
    g_Application.SetDisplay(g_Shell.directDraw, &g_Shell.page);
    g_Application.AddScene(&g_ShelfScene);
    g_Application.SelectScene("shelf");
    MainLoop();
    return 0;
}

Status WriteShelfReport(const std::string& path, int exitStatus) {
    g_PlayerStore.SetPath(kOptionsFile);
    const int32_t player = g_PlayerStore.ReadPlayerId();
    g_PlayerStore.LoadPlayer(player);
    const std::string text = std::string("screen=") + PageName(g_ShelfScene.CurrentPage()) +
                             "\nplayer=" + std::to_string(player) + "\nname=" + g_PlayerStore.records[player].name +
                             "\nmusic=" + (ReadSwitch(ShelfSwitch::Music) ? "Y" : "N") +
                             "\nsfx=" + (ReadSwitch(ShelfSwitch::Effects) ? "Y" : "N") +
                             "\nlaunched=" + g_ShelfScene.Launched() + "\nexit=" + std::to_string(exitStatus) + "\n";
    return WriteReportFile(path, text.data(), text.size());
}
