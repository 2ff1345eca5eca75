#pragma once
// What every fuzz target shares: each runs in a scratch game folder of its
// own (readers take their files relative to the working directory) and hands
// an input to the reader as the file the game would read.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Makes a fresh folder reef-fuzz-XXXXXX/game (in /dev/shm where there is one,
// else in the temporary folder) the working directory (so
// that "..\options.ini" lies inside the scratch folder too) and removes the
// whole scratch folder at exit.
void EnterScratchFolder();

// Writes the input as the named file of the scratch folder, a Windows-style
// path ("..\x" names one beside the game folder), making its folders.
void WriteInput(const std::string& name, const uint8_t* data, std::size_t size);

// The input cut in two at the first occurrence of the separator (a blank
// line of "----"), for targets that read two files.
struct Halves {
    std::string first, second;
};
Halves Split(const uint8_t* data, std::size_t size);

// Runs the headless backend and opens an 800 by 600 display in a window,
// for targets whose readers make surfaces.
void OpenHeadlessDisplay();

}  // namespace fuzz
