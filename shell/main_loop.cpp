#include "shell/main_loop.h"

#include <cstdio>
#include <cstring>

#include "display/dirty_rect_manager.h"
#include "platform/messages.h"
#include "platform/qv.h"
#include "platform/qv_font.h"
#include "platform/window.h"
#include "runtime/message_pump.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "scene/scene.h"
#include "shell/splash.h"

namespace {
// How long an inactive window waits for input before looking again: the
// window does nothing then, and must not spin a core doing it.
constexpr uint32_t kInactiveWaitMs = 10;
// Where the frame-rate text goes.
constexpr int32_t kFpsX = 580;
constexpr int32_t kFpsY = 0;
}  // namespace

bool MainLoop() {
    for (;;) {
        if (PumpMessages() == 1) {
            if (plat::IsWindow(g_Shell.window)) plat::DestroyWindow(g_Shell.window);
            return false;
        }
        if (g_Shell.active == 0) {
            QVAcquireMouse(0);
            plat::WaitForInput(kInactiveWaitMs);
            continue;
        }
        QVAcquireMouse(1);
        g_Shell.fps = QVGetFPS();
        if (g_Shell.fpsOverlay) {
            char text[32];
            std::snprintf(text, sizeof text, "%5.2f", g_Shell.fps);
            QVPrintString(text, kFpsX, kFpsY);
            // Like anything drawn on the page, the text is restored away from
            // the background two frames later, so it goes once F1 turns it off.
            const int32_t width = static_cast<int32_t>(std::strlen(text)) * qvfont::kCellWidth;
            g_Shell.page.dirtyRects->AddRectFlags(kFpsX, kFpsY, width, qvfont::kCellHeight,
                                                  DirtyRect::kOneShot, DirtyRect::kFromBackground);
        }
        if (g_Application.RunFrame(g_Shell.active) == Scene::kQuit) {
            ShowCredits();
            plat::DestroyWindow(g_Shell.window);
            return false;
        }
    }
}
