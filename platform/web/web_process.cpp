// Starting another program in the page. The page's one module holds both of
// the desktop's programs, the launcher and the game, and runs one of them per
// load of the page, as the page's address says (pre.js). Starting the other
// asks the page to load it once the running one has ended: each program then
// begins afresh, as a process does, with the files the last one wrote.
#include <emscripten.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/paths.h"
#include "platform/process.h"

namespace plat {

// The page places its programs where an installed build has them: the launcher
// in its folder, the game in the game's folder (pre.js names the running one).
std::string ProgramFolder() {
    char program[256] = "";
    EM_ASM({ stringToUTF8(Module.thisProgram || "", $0, $1); }, program, sizeof program);
    return std::filesystem::path(program).parent_path().string();
}

// The page gives each program the command line the other gives it on the
// desktop and runs it in the game's folder, so the parameters and working
// folder asked for are those already.
bool ShellOpen(const char* file, const char*, const char*) {
    if (file == nullptr) return false;
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::absolute(ResolvePath(file), ec).lexically_normal();
    if (ec) return false;
    return EM_ASM_INT({ return Module.reefStartNext(UTF8ToString($0)) ? 1 : 0; }, program.c_str()) != 0;
}

}  // namespace plat
