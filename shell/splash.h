#pragma once
// The maker's splash at the end of start-up and the credits when the game asks
// to quit: each a full-screen picture shown for five seconds or until a mouse
// button is down.
#include <cstdint>

void ShowSplash();
void ShowCredits();
// Waits ms on the frame clock, ending early on the quit message or a held
// mouse button; flips the display while it waits.
void WaitOrClick(int32_t ms);
