#pragma once
// The background music: a calm island tune at 100 beats a minute in three
// sections (the theme, a quieter part in the relative minor, the theme again
// with a bridge home), 52 bars or 124.8 seconds, 22050 Hz stereo, written
// round a circular track so the end runs into the start without a seam.
#include "tools/synth.h"

AudioTrack MakeMusic();
