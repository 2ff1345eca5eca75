#pragma once
// The built-in player: starts new games and plays them as a person would,
// from what the screen shows, through the same input path as a replay. It
// clicks sea cells (chosen by ChooseSearch), closes panels with the space
// bar and, after the games it was asked for, closes the window. In every
// other game it tops up its turns with the right button when they run low,
// as a player may, so that its games reach both endings.
#include <cstdint>

#include "input/input_event.h"
#include "input/input_feed.h"
#include "platform/window_handle.h"

class Autoplay {
public:
    Autoplay(int games, uint32_t seed) : games_(games), seed_(seed) {}

    // Once per presented frame: the next input, when the game is ready for it.
    void OnFrame(InputFeed& feed, plat::WindowHandle window);
    int GamesStarted() const { return started_; }

private:
    // A press now and its release at the next frame.
    void Click(int32_t x, int32_t y, bool right, InputFeed& feed, plat::WindowHandle window);
    void Act(InputFeed& feed, plat::WindowHandle window);
    bool TopsUpTurns() const { return ((seed_ + static_cast<uint32_t>(started_)) & 1u) != 0; }

    int games_;
    uint32_t seed_;
    int started_ = 0;
    int framesToWait_ = 0;
    int idleFrames_ = 0;
    bool releasePending_ = false;
    InputEvent release_;
    bool closed_ = false;
};
