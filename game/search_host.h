#pragma once
// What a search asks of the rest of the game while it runs: drawing,
// pacing, sound and the on-screen rewards. The board scene and the game
// implement it; tests record the calls.
#include <cstdint>

class SearchHost {
public:
    virtual ~SearchHost() = default;

    // Draws every dirty cell into the background layer and clears its flag.
    virtual void RedrawDirtyCells() = 0;
    // Shows the current picture on screen.
    virtual void PresentScene() = 0;
    // Blocks for the given time while keeping the screen alive.
    virtual void Pause(uint32_t milliseconds) = 0;
    // Plays a registered sound at full volume, centred; unknown names play nothing.
    virtual void PlaySound(const char* name) = 0;
    virtual void StopSound(const char* name) = 0;
    // Starts the rising points picture over a found cell; pointsImage is 1..5.
    virtual void SpawnFloatingScore(int cell, int pointsImage) = 0;
    // Shows the picture of bonus turns earned (3, 6, 9, 12 or 15).
    virtual void ShowTurnBonus(int bonus) = 0;
};
