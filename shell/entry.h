#pragma once
// The game's entry: names, start-up, the one scene, the main loop. Returns 0.
int GameEntry(void* instance, const char* commandLine, int showCommand);
