// The game and the launcher are window programs: started from the Start menu
// or a folder, no console window opens beside them. Started from a console,
// they write what they print (--help, --version, a bad option, a failure) to
// it as a console program would; output sent to a file or a pipe goes there
// as it is. This runs as the program starts, before anything is printed.
#include <windows.h>

#include <cstdio>

namespace {

bool HasHandle(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

struct ParentConsole {
    ParentConsole() {
        const bool output = HasHandle(STD_OUTPUT_HANDLE), errors = HasHandle(STD_ERROR_HANDLE);
        if (output && errors) return;
        // No console started the program: there is nowhere to write.
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
        if (!output) std::freopen("CONOUT$", "w", stdout);
        if (!errors) std::freopen("CONOUT$", "w", stderr);
        // The console goes on with its own work (it does not wait for a
        // window program): Control+C typed there later is not for the game.
        SetConsoleCtrlHandler(nullptr, TRUE);
    }
};

const ParentConsole parentConsole;

}  // namespace
