#pragma once
// Runs the game program itself headless in a folder, for the tests that play
// whole games through it, and reads the report it leaves.
#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "temp_dir.h"

struct ProgramRun {
    int status = -1;  // the exit status; -1 when a signal ended it
    std::string errors;
};

// The shell command that runs the program (the build's, unless another copy
// is named) headless in folder, after the commands in before (a limit, say, or
// a wrapper such as timeout), with its output in out.txt and its errors in
// err.txt there.
inline std::string ProgramCommand(const std::filesystem::path& folder, const std::string& arguments,
                                  const std::string& before = "", const std::string& program = REEF_PROGRAM) {
    return "cd '" + folder.string() + "' && " + before + "'" + program + "' --headless " + arguments +
           " >out.txt 2>err.txt";
}

inline ProgramRun RunProgram(const std::filesystem::path& folder, const std::string& arguments,
                             const std::string& before = "", const std::string& program = REEF_PROGRAM) {
    const int raw = std::system(ProgramCommand(folder, arguments, before, program).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(folder / "err.txt")};
}

// The name=value lines of a report.
inline std::map<std::string, std::string> ReadReport(const std::filesystem::path& path) {
    std::map<std::string, std::string> values;
    std::istringstream lines(ReadText(path));
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}
