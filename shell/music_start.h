#pragma once
// Music at start-up: an MP3 ".\sounds\music.mp3" wins when it exists and plays
// through the multimedia command interface; otherwise, with music on, the WAV
// ".\sounds\music.wav" streams through the sound library, looping, fading in.
#include "platform/window_handle.h"

void StartMusic(plat::WindowHandle window);
