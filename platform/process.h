#pragma once
// Starting another program the way the Windows shell's "open" does: the file
// with its parameters in the given working directory, without waiting for it.
namespace plat {
// False when the program could not be started (a missing program among them).
bool ShellOpen(const char* file, const char* parameters, const char* workingDirectory);
}
