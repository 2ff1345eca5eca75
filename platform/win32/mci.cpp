// Music through Windows' own MCI: the command strings go to mciSendString as
// they are, with the notify window's own window, which hears MM_MCINOTIFY
// when a play with notify ends. The headless backend has no sound device, so
// there a file never opens.
#include "platform/mci.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include "platform/backend.h"
#include "platform/win32/win32_window.h"

namespace plat {

namespace {
constexpr int kMciErrorCannotOpen = 3;

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}
}  // namespace

int MciSendString(const char* command, WindowHandle notifyWindow) {
    if (command == nullptr) return kMciErrorCannotOpen;
    Log().emplace_back(command);
    if (CurrentBackend() == Backend::Headless) return kMciErrorCannotOpen;
    return static_cast<int>(mciSendStringA(command, nullptr, 0, static_cast<HWND>(NativeWindow(notifyWindow))));
}

const std::vector<std::string>& MciCommandLog() { return Log(); }
void ClearMciCommandLog() { Log().clear(); }

}  // namespace plat
