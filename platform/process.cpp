#include "platform/process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/paths.h"

extern char** environ;

namespace plat {

namespace {

// An absolute form of the path, so that entering another working directory
// does not change what it names; empty when it cannot be made.
std::string Absolute(const std::string& path) {
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? std::string() : absolute.lexically_normal().string();
}

// Tells the waiting parent why the program could not be started.
[[noreturn]] void FailStart(int statusPipe) {
    const int error = errno;
    ssize_t ignored = write(statusPipe, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

}  // namespace

std::string ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : program.parent_path().string();
}

bool ShellOpen(const char* file, const char* parameters, const char* workingDirectory) {
    if (file == nullptr) return false;
    const std::string resolved = ResolvePath(file);
    struct stat info{};
    if (stat(resolved.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::string program = Absolute(resolved);
    std::string folder;
    if (workingDirectory != nullptr && *workingDirectory != '\0') {
        folder = Absolute(ResolvePath(workingDirectory));
        if (folder.empty()) return false;
    }
    if (program.empty()) return false;
    std::string argument = parameters ? parameters : "";
    char* argv[] = {program.data(), argument.empty() ? nullptr : argument.data(), nullptr};

    // The program is started by a child that leaves at once, so that it
    // belongs to the system rather than to us and is reaped when it ends,
    // however long we run after it. A pipe closed by the exec tells whether
    // it started. Between fork and exec only async-signal-safe calls are made.
    int statusPipe[2];
    if (pipe2(statusPipe, O_CLOEXEC) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        close(statusPipe[0]);
        const pid_t launched = fork();
        if (launched == 0) {
            if (!folder.empty() && chdir(folder.c_str()) != 0) FailStart(statusPipe[1]);
            execve(program.c_str(), argv, environ);
            FailStart(statusPipe[1]);
        }
        if (launched < 0) FailStart(statusPipe[1]);
        _exit(0);
    }
    close(statusPipe[1]);
    bool started = false;
    if (child > 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t got;
        while ((got = read(statusPipe[0], &error, sizeof error)) < 0 && errno == EINTR) {
        }
        started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
    }
    close(statusPipe[0]);
    return started;
}

}  // namespace plat
