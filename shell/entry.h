#pragma once
// The game's entry: names, start-up, the one scene, the main loop. Returns 0,
// or kStartUpFailedStatus when the game could not start or go on (start-up
// failed, a picture no game can be played without did not load, or there was
// no memory for the island maps).
inline constexpr int kStartUpFailedStatus = 1;

int GameEntry(void* instance, const char* commandLine, int showCommand);
