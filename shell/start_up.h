#pragma once
// Start-up: checks the machine and brings up window, display, clock, sound,
// music and input in a fixed order; false when the game cannot run.
// Everything but the music and the splash: the machine checked, then window,
// display, clock, sound and input; false when the program cannot run. The
// launcher starts this way too, and so plays no music of its own.
bool OpenProgramWindow(void* instance, int showCommand);
// Makes the display's two pages for the program's window (full screen or in
// the window, as the settings say), cleared, and puts them in g_Shell, whose
// page every scene draws through; false, with the library's error shown, when
// they cannot be made.
bool OpenDisplayPages();
// Releases the display and empties g_Shell's page: scenes then draw on nothing
// until OpenDisplayPages makes pages again.
void CloseDisplayPages();
// OpenProgramWindow, then the game's music and the maker's splash.
bool StartUp(void* instance, void* previousInstance, const char* commandLine, int showCommand);
// After StartUp returned false: true when it failed (the game cannot run),
// false when the player closed the window during the splash.
bool StartUpFailed();
