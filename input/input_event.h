#pragma once
// One input event of a recorded game, and the text form it is kept in:
// one event per line, fields separated by blanks, the time first, in frame
// clock milliseconds since start-up:
//   T move X Y
//   T press left|right X Y      T release left|right X Y
//   T key NAME                  (a press and a release)
//   T char HEX                  (a typed character: its code point in hexadecimal)
//   T close                     (the window's close button)
// Blank lines and lines starting with '#' are ignored.
#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"

struct InputEvent {
    enum class Kind { Move, Press, Release, Key, Char, Close };

    uint32_t time = 0;
    Kind kind = Kind::Move;
    bool right = false;  // Press and Release: the right button, else the left
    int32_t x = 0, y = 0;
    int key = 0;  // Key: the virtual-key code; Char: the code point

    bool operator==(const InputEvent&) const = default;
};

// The virtual-key code of a key name (Escape, Space, Return, Tab, Left, Up,
// Right, Down, Backspace, Delete, Home, End, F1, F12, or one letter or
// digit), or 0 for a key a recording cannot name.
int KeyCodeOfName(const std::string& name);
// The name of a virtual-key code, or empty when it has none.
std::string KeyNameOfCode(int virtualKey);

// The event's line, without the line break.
std::string FormatInputEvent(const InputEvent& event);

// Reads a whole recording. A malformed file fails with the reason naming the
// file, the line and what is wrong; events then hold what came before it.
Status ReadInputEvents(const std::string& path, std::vector<InputEvent>* events);
