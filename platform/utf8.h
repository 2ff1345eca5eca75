#pragma once
// UTF-8 text cut and edited by whole characters: the player's typed names go
// into 64-byte records, and a character cut in half there would show as
// garbage wherever the name is read.
#include <cstddef>
#include <string>
#include <string_view>

namespace plat::utf8 {

// What a malformed byte decodes to.
constexpr char32_t kReplacement = 0xFFFD;

// The character starting at text[pos] (pos inside text); its byte count in
// *length. A byte that starts no well-formed character (a stray continuation,
// an overlong form, a surrogate, beyond U+10FFFF, cut short) gives
// kReplacement with a length of 1.
char32_t Decode(std::string_view text, std::size_t pos, std::size_t* length);
// Appends the character's bytes; nothing for a surrogate or a value beyond
// U+10FFFF.
void Append(std::string& out, char32_t codePoint);
// Whether the character is a control character (C0, DEL or C1), which no
// single-line field keeps.
bool IsControl(char32_t codePoint);
// The start of the character before pos, and the end of the one at pos;
// pos itself at the start and at the end of text.
std::size_t PreviousBoundary(std::string_view text, std::size_t pos);
std::size_t NextBoundary(std::string_view text, std::size_t pos);
// The well-formed, non-control characters of text, in order, as many whole
// ones as fit in maxBytes: line breaks, control characters and malformed
// bytes are dropped, and nothing is cut inside a character.
std::string Clean(std::string_view text, std::size_t maxBytes);

}  // namespace plat::utf8
