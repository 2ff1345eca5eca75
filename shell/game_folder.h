#pragma once
// The game names its files relative to its own folder ("islands.dat",
// ".\sounds\music.mp3", "hiscore.dat"), so the program works in that folder
// wherever it was started from.
#include "base/status.h"

struct CommandLine;

// Moves into the game's folder: the one --data names (taken as it is), else the working
// folder when it holds the game's files (a build or a test's copy) and is the
// player's own, writable by nobody else; else the program's own folder or its
// game/ folder (a build's launcher), else
// the installed <prefix>/share/games/reefhoard beside <prefix>/games. File names given on the command line are made absolute first,
// so they still mean what they meant where the program was started. When the
// game's folder cannot be written, the player's own folder takes the files the
// game writes. Failed when no game folder is found.
Status EnterGameFolder(CommandLine& line);
