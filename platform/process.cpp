#include "platform/process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/paths.h"

extern char** environ;

namespace plat {

bool ShellOpen(const char* file, const char* parameters, const char* workingDirectory) {
    if (file == nullptr) return false;
    std::string program = ResolvePath(file);
    struct stat info{};
    if (stat(program.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (program.find('/') == std::string::npos) program = "./" + program;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (workingDirectory != nullptr && *workingDirectory != '\0') {
        posix_spawn_file_actions_addchdir_np(&actions, ResolvePath(workingDirectory).c_str());
    }
    std::string argument = parameters ? parameters : "";
    char* argv[] = {program.data(), argument.empty() ? nullptr : argument.data(), nullptr};
    pid_t pid = 0;
    int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0;
}

}  // namespace plat
