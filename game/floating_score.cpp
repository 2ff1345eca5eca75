#include "game/floating_score.h"

#include "runtime/shell_state.h"

void FloatingScore::Move() {
    // Before the frame rate has been measured, assume a usual 60 frames.
    const float rate = g_Shell.fps < 10.0f ? 60.0f : g_Shell.fps;
    x += vx / rate;
    y += vy / rate;
    if (y < kTopLimit) {
        y = kTopLimit;
        vy = 0;
    }
}
