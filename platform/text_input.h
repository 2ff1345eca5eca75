#pragma once
// Typed text and the clipboard. While text input is on, the backend posts
// each typed character as WM_UNICHAR (platform/messages.h), already composed
// by the keyboard layout or input method; the editing keys still arrive as
// WM_KEYDOWN. Off at start, so the game's keys never open an input method.
#include <string>

namespace plat {

void StartTextInput();
void StopTextInput();
// The clipboard's text as UTF-8; empty when it holds none.
std::string ClipboardText();

}  // namespace plat
