#pragma once
// The settings the shell reads at start-up and the main window's class and
// creation in its three modes: captioned window, full screen, borderless.
#include <cstdint>

#include "base/status.h"

// ".\setup.ini" and the options file shared with the launcher, one folder up.
inline constexpr const char* kSetupFile = ".\\setup.ini";
inline constexpr const char* kOptionsFile = "..\\options.ini";

// A key of section "setup" in ".\setup.ini" read as a decimal integer.
int32_t ReadSetupNumber(const char* key, const char* defaultValue);
// A switch of section "setup" in the options file: on when its first
// character is 'Y' (upper case only); missing means on.
bool ReadOptionSwitch(const char* key);

// The picture the game draws, whatever the window's size: the backend fits it
// into the window.
inline constexpr int32_t kPictureWidth = 800;
inline constexpr int32_t kPictureHeight = 600;

bool RegisterWindowClass(void* instance);
// Creates and shows the main window and fills in the window and client
// values of the shell state. A size from the settings is kept within the
// screen, and a place that would leave the caption on no display is moved
// back onto the primary one. The show command is not used.
bool CreateMainWindow(void* instance, int showCommand);
// Whether "scale" is "sharp" (whole scales only) rather than smooth.
bool ReadSharpScaling();
// Hands ReadSharpScaling's answer to the backend.
void ApplyScalingSetting();
// Writes the window's place, size and full-screen state back to the settings
// when the player changed them during the run, so the next run starts the
// same way, in one replacement of the file. Nothing is written for a window
// that stayed as it was made.
Status SaveWindowSettings();
