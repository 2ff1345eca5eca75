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

// The resolved path opened for reading in mode ("r" or "rb"): a regular
// file only (platform/regular_file.h); null with the reason noted otherwise.
std::FILE* OpenFile(const std::string& windowsPath, const char* mode);

// A folder of the player's own for the files the game writes, used when the
// game's folder (the working folder) cannot be written, as when the game is
// installed for everyone. While one is set, ResolvePath looks there first and
// falls back to the game's folder; ResolveWritePath sends new files there.
// An empty folder turns this off.
void SetUserFolder(const std::string& folder);
const std::string& UserFolder();
// Where a file the game writes goes: where it already is in the player's
// folder, else in the game's folder when that can be written, else in the
// player's folder (made when missing).
std::string ResolveWritePath(const std::string& windowsPath);

// Where this player's files go when the game's folder is shared: on Linux
// $XDG_DATA_HOME/reefhoard, else $HOME/.local/share/reefhoard; on Windows
// %APPDATA%\ReefHoard. Empty when the system names no such place.
std::string PlayerDataFolder();
// Whether a new file can be made in the folder.
bool CanWriteIn(const std::string& folder);
// Whether only the player (or the system) can have put files in the folder,
// so that what lies there can be trusted as the player's own.
bool OnlyPlayerWrites(const std::string& folder);

}  // namespace plat
