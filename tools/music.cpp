#include "tools/music.h"

#include <array>
#include <vector>

namespace {
constexpr double kBeat = 0.6;  // 100 beats a minute
constexpr double kBar = 4 * kBeat;
constexpr double kEighth = kBeat / 2;

struct Chord {
    int root;  // MIDI note of the bass
    std::array<int, 3> tones;  // the chord in the middle register
};

constexpr Chord kD{38, {62, 66, 69}}, kBm{35, {59, 62, 66}}, kG{43, {59, 62, 67}}, kA{45, {61, 64, 69}},
    kEm{40, {59, 64, 67}}, kFsharp{42, {61, 66, 70}};

// A tune, eight eighths a bar; 0 holds the previous note or rests.
using Tune = std::array<int, 8>;

// How a bar is played: the theme's band, or the middle section's sparser one.
enum class Style { Theme, Contrast, Bridge };

struct Bar {
    Chord chord;
    Tune tune;
};

// The theme in D major: D Bm G A | D Bm Em A, twice, the second time rising.
constexpr std::array<Bar, 16> kTheme{{
    {kD, {69, 0, 66, 0, 69, 71, 0, 0}},   {kBm, {74, 0, 71, 0, 69, 0, 66, 0}},
    {kG, {67, 0, 71, 0, 74, 0, 71, 0}},   {kA, {69, 0, 0, 0, 64, 66, 69, 0}},
    {kD, {74, 0, 76, 0, 78, 0, 74, 0}},   {kBm, {71, 0, 0, 69, 71, 0, 74, 0}},
    {kEm, {76, 0, 74, 0, 71, 0, 67, 0}},  {kA, {69, 0, 0, 0, 0, 0, 0, 0}},
    {kD, {69, 0, 66, 0, 69, 71, 0, 0}},   {kBm, {74, 0, 71, 0, 69, 0, 66, 0}},
    {kG, {67, 0, 71, 0, 74, 0, 71, 0}},   {kA, {69, 0, 0, 0, 64, 66, 69, 0}},
    {kD, {78, 0, 76, 0, 74, 0, 76, 78}},  {kBm, {81, 0, 78, 0, 74, 0, 71, 0}},
    {kEm, {76, 0, 78, 76, 74, 0, 71, 0}}, {kA, {73, 0, 0, 0, 76, 0, 0, 0}},
}};

// The middle section in B minor, in long notes: Bm G D A | Bm G Em F#, then
// Bm G D A | G A Em A, which leads back to the theme.
constexpr std::array<Bar, 16> kContrast{{
    {kBm, {78, 0, 0, 0, 76, 0, 74, 0}},  {kG, {71, 0, 0, 0, 0, 0, 74, 0}},
    {kD, {69, 0, 0, 0, 74, 0, 76, 0}},   {kA, {76, 0, 0, 0, 73, 0, 0, 0}},
    {kBm, {74, 0, 0, 0, 73, 0, 71, 0}},  {kG, {67, 0, 0, 0, 71, 0, 74, 0}},
    {kEm, {76, 0, 0, 0, 79, 0, 78, 76}}, {kFsharp, {78, 0, 0, 0, 0, 0, 0, 0}},
    {kBm, {78, 0, 0, 0, 76, 0, 74, 0}},  {kG, {71, 0, 0, 0, 0, 0, 74, 0}},
    {kD, {69, 0, 0, 0, 74, 0, 76, 0}},   {kA, {76, 0, 0, 0, 78, 0, 79, 0}},
    {kG, {79, 0, 0, 0, 78, 0, 76, 0}},   {kA, {76, 0, 0, 0, 73, 0, 69, 0}},
    {kEm, {71, 0, 0, 0, 67, 0, 71, 0}},  {kA, {69, 0, 0, 0, 0, 0, 0, 0}},
}};

// After the theme's return, four slow bars that lead home to the first bar.
constexpr std::array<Bar, 4> kBridge{{
    {kG, {71, 0, 0, 0, 74, 0, 0, 0}},
    {kA, {76, 0, 0, 0, 73, 0, 0, 0}},
    {kEm, {71, 0, 0, 0, 67, 0, 0, 0}},
    {kA, {69, 0, 0, 0, 0, 0, 0, 0}},
}};

const std::vector<Partial> kKalimba{{1, 1, 1}, {2, 0.18f, 0.5f}, {5.9f, 0.12f, 0.08f}};
const std::vector<Partial> kMarimba{{1, 1, 1}, {4, 0.3f, 0.12f}, {10, 0.05f, 0.05f}};
const std::vector<Partial> kBass{{1, 1, 1}, {2, 0.45f, 0.6f}, {3, 0.12f, 0.4f}};
const std::vector<Partial> kPadLeft{{1, 1, 1}, {1.003f, 0.8f, 1}, {2, 0.25f, 1}};
const std::vector<Partial> kPadRight{{1, 1, 1}, {0.997f, 0.8f, 1}, {2.004f, 0.25f, 1}};
// A breathy wooden flute for the middle section's tune.
const std::vector<Partial> kFlute{{1, 1, 1}, {2, 0.22f, 1}, {3, 0.1f, 1}};

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

void AddPad(AudioTrack& track, double start, const Chord& chord, float amp) {
    for (size_t i = 0; i < chord.tones.size(); ++i) {
        for (int side = 0; side < 2; ++side) {
            Note n = MakeNote(start, kBar - 0.2, chord.tones[i] - 12, amp, 0, side ? 0.7f : -0.7f,
                              side ? kPadRight : kPadLeft);
            n.attack = 0.5f;
            n.release = 0.7f;
            track.Add(n);
        }
    }
}

void AddBass(AudioTrack& track, double start, const Chord& chord, Style style) {
    if (style == Style::Contrast) {
        // Held roots with a fifth below the next bar.
        track.Add(MakeNote(start, kBeat * 2.8, chord.root, 0.2f, 1.2f, 0, kBass));
        track.Add(MakeNote(start + kBeat * 3, kBeat * 0.8, chord.root + 7, 0.12f, 0.5f, 0, kBass));
        return;
    }
    track.Add(MakeNote(start, kBeat * 1.4, chord.root, 0.2f, 0.5f, 0, kBass));
    track.Add(MakeNote(start + kBeat * 1.5, kBeat * 0.4, chord.root + 7, 0.12f, 0.3f, 0, kBass));
    track.Add(MakeNote(start + kBeat * 2, kBeat * 1.8, chord.root, 0.17f, 0.5f, 0, kBass));
}

// Marimba through the chord, swapping sides: rolling eighths in the theme,
// slower quarters in the middle section.
void AddArpeggio(AudioTrack& track, double start, const Chord& chord, int bar, Style style) {
    const int pattern[8] = {0, 1, 2, 1, 0, 2, 1, 2};
    const int step = style == Style::Contrast ? 2 : 1;
    for (int i = 0; i < 8; i += step) {
        int midi = chord.tones[pattern[i]] + (i >= 4 && bar % 2 ? 12 : 0);
        float amp = i % 2 ? 0.06f : 0.085f;
        track.Add(MakeNote(start + i * kEighth, kEighth * step, midi, amp, 0.22f * step, i % 2 ? 0.55f : -0.55f,
                           kMarimba));
    }
}

// A soft shaker on the eighths and a muffled drum: on beats one and three in
// the theme, on beat one alone in the middle section.
void AddRhythm(AudioTrack& track, double start, int bar, Style style) {
    if (style == Style::Theme) {
        for (int i = 0; i < 8; ++i) {
            NoiseBurst shaker{start + i * kEighth, 0.09, i % 2 ? 0.07f : 0.045f, 0.025f, 0.9f, 0.3f,
                              static_cast<uint32_t>(bar * 8 + i + 1)};
            track.Add(shaker);
        }
    }
    for (int beat : {0, 2}) {
        if (beat == 2 && style != Style::Theme) break;
        Note drum = MakeNote(start + beat * kBeat, 0.18, 40, 0.22f, 0.09f, 0, {});
        drum.freq = 85.0f;
        drum.freq_end = 45.0f;
        track.Add(drum);
    }
}

// The tune on the kalimba (or an octave up, quieter, as an echo of it), or on
// the flute in the middle section.
void AddMelody(AudioTrack& track, double start, const Tune& tune, Style style, bool octave_echo) {
    for (int i = 0; i < 8; ++i) {
        if (!tune[i]) continue;
        int held = 1;
        while (i + held < 8 && !tune[i + held]) ++held;
        if (style == Style::Contrast) {
            Note n = MakeNote(start + i * kEighth, held * kEighth - 0.05, tune[i], 0.16f, 0, -0.15f, kFlute);
            n.attack = 0.06f;
            n.release = 0.2f;
            n.vibrato = 0.004f;
            track.Add(n);
            continue;
        }
        const int midi = tune[i] + (octave_echo ? 12 : 0);
        track.Add(MakeNote(start + i * kEighth, held * kEighth, midi, octave_echo ? 0.14f : 0.2f, 0.55f, 0.15f,
                           kKalimba));
    }
}

// Plays bars in one style from bar number `first` on; returns the bar after them.
template <size_t N>
int AddSection(AudioTrack& track, int first, const std::array<Bar, N>& bars, Style style, int echo_from,
               int echo_to) {
    for (int i = 0; i < static_cast<int>(N); ++i) {
        const double start = (first + i) * kBar;
        const Bar& bar = bars[i];
        AddPad(track, start, bar.chord, style == Style::Contrast ? 0.045f : 0.035f);
        AddBass(track, start, bar.chord, style);
        AddArpeggio(track, start, bar.chord, i, style);
        if (style != Style::Bridge) AddRhythm(track, start, first + i, style);
        AddMelody(track, start, bar.tune, style, false);
        if (i >= echo_from && i < echo_to) AddMelody(track, start + kEighth, bar.tune, style, true);
    }
    return first + static_cast<int>(N);
}
}  // namespace

AudioTrack MakeMusic() {
    AudioTrack track(2, 52 * kBar, true);
    int bar = 0;
    // The theme, its repeat lifted by an octave echo of the tune ...
    bar = AddSection(track, bar, kTheme, Style::Theme, 8, 12);
    // ... a quieter middle section ...
    bar = AddSection(track, bar, kContrast, Style::Contrast, 0, 0);
    // ... the theme again, echoed from its start this time, and the way home.
    bar = AddSection(track, bar, kTheme, Style::Theme, 0, 4);
    AddSection(track, bar, kBridge, Style::Bridge, 0, 0);
    track.Echo(kEighth * 3, 0.35f, 0.3f, true);
    return track;
}
