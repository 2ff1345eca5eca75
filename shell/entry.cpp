#include "shell/entry.h"

#include <string>

#include "game/board_scene.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "shell/main_loop.h"
#include "shell/start_up.h"

int GameEntry(void* instance, const char* commandLine, int showCommand) {
    SetGameName("Reefhoard");
    SetLauncherDir(commandLine);
    SetDisplayTitle("Reef Hoard");
    // A start-up that failed has said why; its exit status tells scripts and
    // launchers so too.
    if (!StartUp(instance, nullptr, commandLine, showCommand)) {
        return StartUpFailed() ? kStartUpFailedStatus : 0;
    }
    g_Application.SetDisplay(g_Shell.directDraw, g_Shell.backBuffer);
    g_Application.AddScene(&g_BoardScene);
    g_Application.SelectScene("treasure");
    if (const char* missing = g_BoardScene.MissingPicture()) {
        const std::string text = std::string("The picture ") + missing +
                                 " is missing or damaged; without it no game can be started.";
        plat::ShowStopMessage(text.c_str());
        plat::DestroyWindow(g_Shell.window);
        return kStartUpFailedStatus;
    }
    MainLoop();
    return 0;
}
