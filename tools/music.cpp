#include "tools/music.h"

#include <array>

namespace {
constexpr double kBeat = 0.6;  // 100 beats a minute
constexpr double kBar = 4 * kBeat;
constexpr double kEighth = kBeat / 2;
constexpr int kBars = 20;

struct Chord {
    int root;  // MIDI note of the bass
    std::array<int, 3> tones;  // the chord in the middle register
};

// D major: D Bm G A | D Bm Em A, twice, then a bridge G A Em A that leads home.
constexpr Chord kD{38, {62, 66, 69}}, kBm{35, {59, 62, 66}}, kG{43, {59, 62, 67}}, kA{45, {61, 64, 69}},
    kEm{40, {59, 64, 67}};
constexpr std::array<Chord, kBars> kChords{kD, kBm, kG, kA, kD, kBm, kEm, kA, kD, kBm,
                                           kG, kA, kD, kBm, kEm, kA, kG,  kA, kEm, kA};

// The tune, eight eighths a bar; 0 holds the previous note or rests.
using Bar = std::array<int, 8>;
constexpr std::array<Bar, kBars> kMelody{{
    {69, 0, 66, 0, 69, 71, 0, 0},  {74, 0, 71, 0, 69, 0, 66, 0},  {67, 0, 71, 0, 74, 0, 71, 0},
    {69, 0, 0, 0, 64, 66, 69, 0},  {74, 0, 76, 0, 78, 0, 74, 0},  {71, 0, 0, 69, 71, 0, 74, 0},
    {76, 0, 74, 0, 71, 0, 67, 0},  {69, 0, 0, 0, 0, 0, 0, 0},     {69, 0, 66, 0, 69, 71, 0, 0},
    {74, 0, 71, 0, 69, 0, 66, 0},  {67, 0, 71, 0, 74, 0, 71, 0},  {69, 0, 0, 0, 64, 66, 69, 0},
    {78, 0, 76, 0, 74, 0, 76, 78}, {81, 0, 78, 0, 74, 0, 71, 0},  {76, 0, 78, 76, 74, 0, 71, 0},
    {73, 0, 0, 0, 76, 0, 0, 0},    {71, 0, 0, 0, 74, 0, 0, 0},    {76, 0, 0, 0, 73, 0, 0, 0},
    {71, 0, 0, 0, 67, 0, 0, 0},    {69, 0, 0, 0, 0, 0, 0, 0},
}};

const std::vector<Partial> kKalimba{{1, 1, 1}, {2, 0.18f, 0.5f}, {5.9f, 0.12f, 0.08f}};
const std::vector<Partial> kMarimba{{1, 1, 1}, {4, 0.3f, 0.12f}, {10, 0.05f, 0.05f}};
const std::vector<Partial> kBass{{1, 1, 1}, {2, 0.45f, 0.6f}, {3, 0.12f, 0.4f}};
const std::vector<Partial> kPadLeft{{1, 1, 1}, {1.003f, 0.8f, 1}, {2, 0.25f, 1}};
const std::vector<Partial> kPadRight{{1, 1, 1}, {0.997f, 0.8f, 1}, {2.004f, 0.25f, 1}};

Note MakeNote(double start, double length, int midi, float amp, float decay, float pan,
              const std::vector<Partial>& timbre) {
    Note n;
    n.start = start;
    n.length = length;
    n.freq = MidiToHz(static_cast<float>(midi));
    n.amp = amp;
    n.decay = decay;
    n.pan = pan;
    n.attack = 0.004f;
    n.release = 0.08f;
    n.partials = timbre;
    return n;
}

void AddPad(AudioTrack& track, double start, const Chord& chord) {
    for (size_t i = 0; i < chord.tones.size(); ++i) {
        for (int side = 0; side < 2; ++side) {
            Note n = MakeNote(start, kBar - 0.2, chord.tones[i] - 12, 0.035f, 0, side ? 0.7f : -0.7f,
                              side ? kPadRight : kPadLeft);
            n.attack = 0.5f;
            n.release = 0.7f;
            track.Add(n);
        }
    }
}

void AddBass(AudioTrack& track, double start, const Chord& chord) {
    track.Add(MakeNote(start, kBeat * 1.4, chord.root, 0.28f, 0.5f, 0, kBass));
    track.Add(MakeNote(start + kBeat * 1.5, kBeat * 0.4, chord.root + 7, 0.16f, 0.3f, 0, kBass));
    track.Add(MakeNote(start + kBeat * 2, kBeat * 1.8, chord.root, 0.24f, 0.5f, 0, kBass));
}

// Rolling marimba eighths through the chord, swapping sides.
void AddArpeggio(AudioTrack& track, double start, const Chord& chord, int bar) {
    const int pattern[8] = {0, 1, 2, 1, 0, 2, 1, 2};
    for (int i = 0; i < 8; ++i) {
        int midi = chord.tones[pattern[i]] + (i >= 4 && bar % 2 ? 12 : 0);
        float amp = i % 2 ? 0.06f : 0.085f;
        track.Add(MakeNote(start + i * kEighth, kEighth, midi, amp, 0.22f, i % 2 ? 0.55f : -0.55f, kMarimba));
    }
}

// A soft shaker on the eighths and a muffled drum on beats one and three.
void AddRhythm(AudioTrack& track, double start, int bar) {
    for (int i = 0; i < 8; ++i) {
        NoiseBurst shaker{start + i * kEighth, 0.09, i % 2 ? 0.07f : 0.045f, 0.025f, 0.9f, 0.3f,
                          static_cast<uint32_t>(bar * 8 + i + 1)};
        track.Add(shaker);
    }
    for (int beat : {0, 2}) {
        Note drum = MakeNote(start + beat * kBeat, 0.18, 40, 0.35f, 0.09f, 0, {});
        drum.freq = 85.0f;
        drum.freq_end = 45.0f;
        track.Add(drum);
    }
}

void AddMelody(AudioTrack& track, double start, const Bar& bar, bool second_time) {
    for (int i = 0; i < 8; ++i) {
        if (!bar[i]) continue;
        int held = 1;
        while (i + held < 8 && !bar[i + held]) ++held;
        const int midi = bar[i] + (second_time ? 12 : 0);
        track.Add(MakeNote(start + i * kEighth, held * kEighth, midi, second_time ? 0.14f : 0.2f, 0.55f, 0.15f,
                           kKalimba));
    }
}
}  // namespace

AudioTrack MakeMusic() {
    AudioTrack track(2, kBars * kBar, true);
    for (int bar = 0; bar < kBars; ++bar) {
        const double start = bar * kBar;
        const Chord& chord = kChords[bar];
        AddPad(track, start, chord);
        AddBass(track, start, chord);
        AddArpeggio(track, start, chord, bar);
        if (bar < 16) AddRhythm(track, start, bar);
        AddMelody(track, start, kMelody[bar], false);
        // Bars 9 to 12 repeat the opening tune; an octave echo of it lifts the repeat.
        if (bar >= 8 && bar < 12) AddMelody(track, start + kEighth, kMelody[bar], true);
    }
    track.Echo(kEighth * 3, 0.35f, 0.3f, true);
    return track;
}
