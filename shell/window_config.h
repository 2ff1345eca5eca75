#pragma once
// The settings the shell reads at start-up and the main window's class and
// creation in its three modes: captioned window, full screen, borderless.
#include <cstdint>

// ".\setup.ini" and the options file shared with the launcher, one folder up.
inline constexpr const char* kSetupFile = ".\\setup.ini";
inline constexpr const char* kOptionsFile = "..\\options.ini";

// A key of section "setup" in ".\setup.ini" read as a decimal integer.
int32_t ReadSetupNumber(const char* key, const char* defaultValue);
// A switch of section "setup" in the options file: on when its first
// character is 'Y' (upper case only); missing means on.
bool ReadOptionSwitch(const char* key);

bool RegisterWindowClass(void* instance);
// Creates and shows the main window and fills in the window and client
// values of the shell state. The show command is not used.
bool CreateMainWindow(void* instance, int showCommand);
