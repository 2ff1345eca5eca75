#include "shell/window_proc.h"

#include "input/input_recorder.h"
#include "input/mouse.h"
#include "platform/debug_log.h"
#include "platform/mci.h"
#include "platform/qv.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "shell/start_up.h"
#include "shell/window_config.h"
#include "sound/sound_manager.h"

namespace {

void OnActivate(plat::WindowHandle window, uintptr_t wParam) {
    // The high word says whether the window is minimised; the low word is the state.
    const uintptr_t state = static_cast<uintptr_t>(plat::LowWord(static_cast<intptr_t>(wParam)));
    if (state == plat::WA_INACTIVE) {
        plat::MciSendString("pause music", window);
        QVAcquireMouse(0);
        g_Shell.active = 0;
    } else if (state == plat::WA_ACTIVE) {
        plat::MciSendString("resume music", window);
        QVAcquireMouse(1);
        g_Shell.active = 1;
        plat::SetFocus(window);
    }
}

}  // namespace

void RunShutdownSequence() {
    if (const Status saved = SaveWindowSettings(); !saved) {
        DebugLog("the window's place and size were not saved: %s\n", saved.Why().c_str());
    }
    FrameTimer::Stop();
    g_Application.LeaveAllScenes();
    g_Mouse.Release();
    QVAcquireMouse(0);
    QVFreeFont();
    QVFreeDirectInput();
    CloseDisplayPages();
    g_SoundManager.Exit();
    g_Shell.active = 0;
    plat::PostQuitMessage(0);
}

intptr_t WindowProc(plat::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    g_InputRecorder.Note(message, wParam, lParam, FrameTimer::Now());
    // 0: the scene took the message as its own (Escape going back a page).
    const int unhandled = g_Application.ForwardMessage(window, message, wParam, lParam);
    switch (message) {
        case plat::WM_DESTROY:
            RunShutdownSequence();
            break;
        case plat::WM_MOVE:
            if (plat::IsWindow(window)) {
                int32_t x = 0, y = 0;
                plat::ClientToScreen(window, &x, &y);
                QVSetWindowXY(x, y);
            }
            break;
        // The backend keeps the picture fitted to the window and sends mouse
        // positions in picture pixels, so a new size needs nothing here.
        case plat::WM_ACTIVATE:
            OnActivate(window, wParam);
            break;
        case plat::WM_CLOSE:
            plat::DestroyWindow(window);
            break;
        case plat::WM_ACTIVATEAPP:
            g_Shell.active = wParam != 0 ? 1 : 0;
            break;
        case plat::WM_KEYUP:
            if (wParam == plat::VK_ESCAPE && unhandled != 0) {
                // The recording already holds the key; the close is its answer.
                g_InputRecorder.SkipNextClose();
                plat::PostMessage(window, plat::WM_CLOSE, 0, 0);
            }
            if (wParam == plat::VK_F1) g_Shell.fpsOverlay = !g_Shell.fpsOverlay;
            break;
        case plat::WM_SYSCOMMAND:
            // Alt alone would open the window's keyboard menu: swallow it.
            if ((wParam & 0xFFF0) == plat::SC_KEYMENU) return 0;
            break;
        case plat::WM_MOUSEMOVE:
            // Signed: a point on the bars beside the picture lies outside it.
            if (g_Shell.active) {
                g_Mouse.SetPosition(static_cast<int16_t>(plat::LowWord(lParam)),
                                    static_cast<int16_t>(plat::HighWord(lParam)));
            }
            break;
        case plat::WM_LBUTTONDOWN: g_Mouse.SetLeftButton(1); break;
        case plat::WM_LBUTTONUP: g_Mouse.SetLeftButton(0); break;
        case plat::WM_RBUTTONDOWN: g_Mouse.SetRightButton(1); break;
        case plat::WM_RBUTTONUP: g_Mouse.SetRightButton(0); break;
        case plat::MM_MCINOTIFY:
            // The MP3 ended: open it again and play it from the start.
            plat::MciSendString("close music", nullptr);
            plat::MciSendString("open .\\sounds\\music.mp3 alias music", nullptr);
            plat::MciSendString("play music notify", window);
            break;
        default:
            break;
    }
    return plat::DefWindowProc(window, message, wParam, lParam);
}
