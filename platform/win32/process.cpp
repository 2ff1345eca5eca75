// Starting another program through the Windows shell's "open" verb.
#include "platform/process.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/paths.h"

namespace plat {

std::string ProgramFolder() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    if (length == 0 || length >= std::size(path)) return {};
    return std::filesystem::path(path).parent_path().string();
}

bool ShellOpen(const char* file, const char* parameters, const char* workingDirectory) {
    if (file == nullptr) return false;
    std::error_code ec;
    std::filesystem::path program = std::filesystem::absolute(ResolvePath(file), ec);
    // A program named without its extension is found as the shell finds it.
    if (!ec && !program.has_extension() && !std::filesystem::exists(program, ec)) program += ".exe";
    if (ec || !std::filesystem::is_regular_file(program, ec)) return false;
    std::string folder;
    if (workingDirectory != nullptr && *workingDirectory != '\0') {
        folder = std::filesystem::absolute(ResolvePath(workingDirectory), ec).string();
        if (ec) return false;
    }
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // Returns once the program has started, rather than leaving the start to
    // a shell thread that our exit could cut short.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    const std::string programPath = program.string();
    info.lpFile = programPath.c_str();
    info.lpParameters = parameters != nullptr && *parameters != '\0' ? parameters : nullptr;
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&info) != FALSE;
}

}  // namespace plat
