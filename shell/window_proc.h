#pragma once
// The main window's procedure: every message goes to the current scene first,
// then the shell handles destruction (the shutdown sequence), placement,
// activation, the Escape and F1 keys, the mouse and the MP3 music's end.
#include <cstdint>

#include "platform/messages.h"

intptr_t WindowProc(plat::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Stops the clock, leaves every scene, releases input, display and sound, and
// posts the quit message. Runs when the window is destroyed.
void RunShutdownSequence();
