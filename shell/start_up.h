#pragma once
// Start-up: checks the machine and brings up window, display, clock, sound,
// music and input in a fixed order; false when the game cannot run.
// Everything but the music and the splash: the machine checked, then window,
// display, clock, sound and input; false when the program cannot run. The
// launcher starts this way too, and so plays no music of its own.
bool OpenProgramWindow(void* instance, int showCommand);
// OpenProgramWindow, then the game's music and the maker's splash.
bool StartUp(void* instance, void* previousInstance, const char* commandLine, int showCommand);
// After StartUp returned false: true when it failed (the game cannot run),
// false when the player closed the window during the splash.
bool StartUpFailed();
