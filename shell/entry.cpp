#include "shell/entry.h"

#include "game/board_scene.h"
#include "shell/application.h"
#include "shell/main_loop.h"
#include "shell/shell_state.h"
#include "shell/start_up.h"

int GameEntry(void* instance, const char* commandLine, int showCommand) {
    SetGameName("Reefhoard");
    SetLauncherDir(commandLine);
    SetDisplayTitle("Reef Hoard");
    if (!StartUp(instance, nullptr, commandLine, showCommand)) return 0;
    g_Application.SetDisplay(g_Shell.directDraw, g_Shell.backBuffer);
    g_Application.AddScene(&g_BoardScene);
    g_Application.SelectScene("treasure");
    MainLoop();
    return 0;
}
