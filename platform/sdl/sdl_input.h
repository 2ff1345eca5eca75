#pragma once
// The sdl backend's input translation: SDL's window, key and mouse events
// turned into the window messages the game handles, with virtual keys and
// mouse positions in picture pixels.
#include <SDL.h>

#include <cstdint>

#include "platform/video_driver.h"

namespace plat {

// Close, move, size, expose and focus changes.
void TranslateWindowEvent(Window& w, const SDL_WindowEvent& e);
// WM_KEYDOWN and WM_KEYUP with virtual keys. Alt alone opens the keyboard
// menu, Alt+Enter switches full screen and F12 takes a screenshot; the game
// sees none of these as keys.
void TranslateKey(Window& w, const SDL_KeyboardEvent& e);
// Each well-formed character of the typed text as WM_UNICHAR.
void TranslateText(Window& w, const SDL_TextInputEvent& e);
// Left and right button presses and releases where the pointer is.
void TranslateButton(Window& w, const SDL_MouseButtonEvent& e);
// A mouse message's position: the window point in picture pixels.
intptr_t MousePosition(Window& w, int32_t x, int32_t y);
// Whether the key is down now, or went down since the last time it was asked.
bool KeyHeldOrTapped(int virtualKey);

}  // namespace plat
