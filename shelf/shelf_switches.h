#pragma once
// The four switches of the options page: music and effects in the options
// file the game shares with its launcher ("music" and "SFX", Y or N), full
// screen and sharp scaling in the game's own "setup.ini".
#include "base/status.h"

enum class ShelfSwitch { Music, Effects, FullScreen, SharpScaling };
inline constexpr ShelfSwitch kShelfSwitches[] = {ShelfSwitch::Music, ShelfSwitch::Effects,
                                                 ShelfSwitch::FullScreen, ShelfSwitch::SharpScaling};

// As the game reads it at start-up.
bool ReadSwitch(ShelfSwitch which);
// Writes the one key; every other line of the file stays. Failed when the
// file could not be written (one that is there but cannot be read is never
// written over).
Status WriteSwitch(ShelfSwitch which, bool on);

// The launcher owns the options file: every key the game reads from it
// ("playerid", "music", "SFX" and the eight profiles) that is missing is
// written with the value it reads as, so a player can see and edit them all.
// Keys that are there, and every other line, stay as they are; nothing is
// written when none is missing. Failed when the file could not be written.
Status CompleteOptionsFile();
