#pragma once
// Windows-style relative paths ("sounds\02.wav", ".\Title\TovaliSplash.bmp",
// "..\options.ini") on a case-sensitive file system.
#include <cstdio>
#include <string>

namespace plat {

// Backslashes become separators; each component that does not exist exactly
// is matched without regard to case in its parent folder. Components that
// match nothing are kept as written, so a new file can still be created.
std::string ResolvePath(const std::string& windowsPath);

// fopen of the resolved path.
std::FILE* OpenFile(const std::string& windowsPath, const char* mode);

}  // namespace plat
