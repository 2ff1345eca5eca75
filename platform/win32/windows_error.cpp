#include "platform/win32/windows_error.h"

#include "platform/failure.h"

namespace plat {

std::string WindowsErrorText(DWORD error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        error, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    return message.empty() ? "Windows error " + std::to_string(error) : message;
}

bool FailWithLastError(const std::string& what) {
    const std::string why = WindowsErrorText(GetLastError());
    return Fail(what.empty() ? why : what + ": " + why);
}

}  // namespace plat
