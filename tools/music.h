#pragma once
// The background music: a calm island tune of 20 bars at 100 beats a
// minute (48 seconds), 22050 Hz stereo, written round a circular track so
// the end runs into the start without a seam.
#include "tools/synth.h"

AudioTrack MakeMusic();
