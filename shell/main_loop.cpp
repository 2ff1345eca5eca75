#include "shell/main_loop.h"

#include <cstdio>

#include "platform/messages.h"
#include "platform/qv.h"
#include "platform/window.h"
#include "shell/application.h"
#include "shell/shell_state.h"
#include "shell/splash.h"

namespace {
// How long an inactive window waits for input before looking again: the
// window does nothing then, and must not spin a core doing it.
constexpr uint32_t kInactiveWaitMs = 10;
constexpr int kQuitCode = 7;
}  // namespace

int PumpMessages() {
    plat::Message message;
    while (plat::PeekMessage(&message)) {
        if (message.message == plat::WM_QUIT) {
            plat::PostQuitMessage(static_cast<int>(message.wParam));
            return 1;
        }
        plat::TranslateMessage(message);
        plat::DispatchMessage(message);
    }
    return 0;
}

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
            QVPrintString(text, 580, 0);
        }
        if (g_Application.RunFrame(g_Shell.active) == kQuitCode) {
            ShowCredits();
            plat::DestroyWindow(g_Shell.window);
            return false;
        }
    }
}
