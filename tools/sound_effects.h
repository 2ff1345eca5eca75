#pragma once
// The game's sound effects, synthesized as 22050 Hz 16-bit mono tracks.
#include <string>
#include <vector>

#include "tools/synth.h"

struct EffectFile {
    std::string path;  // relative to the game folder
    AudioTrack track;
};

std::vector<EffectFile> MakeSoundEffects();
