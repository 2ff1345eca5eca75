#pragma once
// Starting another program the way the Windows shell's "open" does: the file
// with its parameters in the given working directory, without waiting for it.
// The program does not become our child: it runs on after we end and leaves
// nothing behind for us to reap.
#include <string>

namespace plat {
// The folder the running program was loaded from; empty when unknown.
std::string ProgramFolder();

// Relative paths are taken from our working directory. False when the
// program could not be started (a missing program among them).
bool ShellOpen(const char* file, const char* parameters, const char* workingDirectory);
}
