#pragma once
// INI profile reading with the Windows semantics the game relies on: a missing
// file, section or key gives the default; section and key names match without
// regard to case; the first matching key wins; blanks around names and values
// and a pair of quotes around a value are dropped; the result is cut to the
// buffer. Lines longer than about 200 characters are cut.
#include <cstdint>

namespace plat {

// Copies the value (or the default; null means empty) into out, at most
// size - 1 characters and a terminator. Returns the number of characters
// copied. The file name is a Windows-style path.
uint32_t GetProfileString(const char* section, const char* key, const char* defaultValue,
                          char* out, uint32_t size, const char* file);

// The decimal integer at the start of text: leading blanks, an optional sign
// and the digits up to the first other character; no digits give 0.
int32_t LeadingInt(const char* text);

}  // namespace plat
