#include "tools/sound_effects.h"

#include "tools/tool_random.h"

namespace {
// A struck metal bar: inharmonic upper partials that die away quickly.
const std::vector<Partial> kBell{{1.0f, 1.0f, 1.0f}, {2.76f, 0.35f, 0.4f}, {5.4f, 0.15f, 0.2f}};
// A soft mallet on wood.
const std::vector<Partial> kMallet{{1.0f, 1.0f, 1.0f}, {4.0f, 0.25f, 0.15f}, {2.0f, 0.2f, 0.5f}};
// A brassy tone: a row of harmonics.
const std::vector<Partial> kBrass{{1, 1, 1}, {2, 0.6f, 1}, {3, 0.4f, 1}, {4, 0.25f, 1}, {5, 0.15f, 1}};

Note Struck(double start, float midi, float amp, float decay, const std::vector<Partial>& timbre) {
    Note n;
    n.start = start;
    n.freq = MidiToHz(midi);
    n.amp = amp;
    n.decay = decay;
    n.length = decay * 4;
    n.release = 0.05f;
    n.attack = 0.003f;
    n.partials = timbre;
    return n;
}

// The sonar ping: a clear tone that sinks slightly, then its echoes off the reef.
AudioTrack Sonar() {
    AudioTrack t(1, 1.7);
    Note ping = Struck(0, 91, 0.6f, 0.22f, {{1, 1, 1}, {2, 0.08f, 0.5f}});
    ping.freq_end = ping.freq * 0.94f;
    t.Add(ping);
    Note body = Struck(0, 67, 0.25f, 0.15f, {});
    t.Add(body);
    t.Echo(0.28, 0.45f, 0.55f, false);
    return t;
}

// A find: two quick bell notes; higher and longer for the rarer finds.
AudioTrack Find(float base_midi, int notes) {
    AudioTrack t(1, 0.5 + notes * 0.07);
    const float steps[] = {0, 7, 12, 16, 19};
    for (int i = 0; i < notes; ++i)
        t.Add(Struck(i * 0.06, base_midi + steps[i], 0.5f, 0.16f, kBell));
    t.Add(NoiseBurst{0, 0.08, 0.08f, 0.02f, 0.95f, 0, 7});
    return t;
}

// The kind-complete bonus: a sparkling run up two octaves.
AudioTrack Bonus() {
    AudioTrack t(1, 1.3);
    const float run[] = {72, 76, 79, 84, 88, 91, 96};
    for (int i = 0; i < 7; ++i) t.Add(Struck(i * 0.055, run[i], 0.4f, 0.25f, kBell));
    t.Add(Struck(0.4, 84, 0.3f, 0.4f, kBell));
    t.Add(Struck(0.4, 88, 0.3f, 0.4f, kBell));
    t.Echo(0.11, 0.3f, 0.35f, false);
    return t;
}

AudioTrack Advance() {
    AudioTrack t(1, 1.8);
    const float run[] = {60, 64, 67, 72, 76};
    for (int i = 0; i < 5; ++i) t.Add(Struck(i * 0.1, run[i], 0.4f, 0.3f, kMallet));
    for (float m : {72.0f, 76.0f, 79.0f, 84.0f}) t.Add(Struck(0.55, m, 0.25f, 0.45f, kBell));
    t.Echo(0.15, 0.3f, 0.3f, false);
    return t;
}

// The refusal: a dull low double knock.
AudioTrack Refusal() {
    AudioTrack t(1, 0.35);
    for (int i = 0; i < 2; ++i) {
        Note n = Struck(i * 0.11, 45 - i * 3, 0.7f, 0.05f, {{1, 1, 1}, {2, 0.5f, 0.6f}, {3, 0.3f, 0.4f}});
        n.freq_end = n.freq * 0.8f;
        n.length = 0.12;
        t.Add(n);
    }
    return t;
}

Note Held(double start, double length, float midi, float amp, const std::vector<Partial>& timbre) {
    Note n;
    n.start = start;
    n.length = length;
    n.freq = MidiToHz(midi);
    n.amp = amp;
    n.attack = 0.02f;
    n.release = 0.25f;
    n.vibrato = 0.004f;
    n.partials = timbre;
    return n;
}

// Game over: a slow falling phrase in minor over a low chord.
AudioTrack GameOver() {
    AudioTrack t(1, 2.6);
    const float phrase[] = {67, 63, 62, 60};
    for (int i = 0; i < 4; ++i) t.Add(Held(i * 0.35, i == 3 ? 1.0 : 0.3, phrase[i], 0.22f, kBrass));
    for (float m : {48.0f, 55.0f, 51.0f}) t.Add(Held(1.05, 1.1, m, 0.12f, kBrass));
    t.Echo(0.2, 0.25f, 0.3f, false);
    return t;
}

// The win: a fanfare that lands on a bright major chord.
AudioTrack Win() {
    AudioTrack t(1, 2.8);
    const float fanfare[] = {60, 64, 67, 72, 67, 72};
    const double when[] = {0, 0.15, 0.3, 0.45, 0.7, 0.85};
    for (int i = 0; i < 6; ++i) t.Add(Held(when[i], i == 5 ? 1.2 : 0.12, fanfare[i], 0.2f, kBrass));
    for (float m : {48.0f, 64.0f, 67.0f, 76.0f}) t.Add(Held(0.85, 1.2, m, 0.1f, kBrass));
    for (int i = 0; i < 6; ++i) t.Add(Struck(0.85 + i * 0.08, 84 + (i % 3) * 4, 0.15f, 0.3f, kBell));
    t.Echo(0.18, 0.25f, 0.3f, false);
    return t;
}

// A new game: a rush of bubbles rising to the surface.
AudioTrack Bubbles() {
    AudioTrack t(1, 1.3);
    ToolRandom random(2024);
    t.Add(NoiseBurst{0, 0.9, 0.25f, 0.35f, 0.2f, 0, 11});
    for (int i = 0; i < 14; ++i) {
        Note n;
        n.start = i * 0.055 + random.Range(0, 0.03f);
        n.length = 0.06;
        n.freq = random.Range(500, 900) * (1.0f + i * 0.06f);
        n.freq_end = n.freq * 1.8f;
        n.amp = 0.25f;
        n.attack = 0.004f;
        n.release = 0.03f;
        t.Add(n);
    }
    return t;
}
}  // namespace

std::vector<EffectFile> MakeSoundEffects() {
    std::vector<EffectFile> files;
    files.push_back({"sounds/search01.wav", Sonar()});
    files.push_back({"sounds/02.wav", Find(84, 2)});
    files.push_back({"sounds/03.wav", Find(86, 3)});
    files.push_back({"sounds/04.wav", Find(88, 3)});
    files.push_back({"sounds/05.wav", Find(89, 4)});
    files.push_back({"sounds/06.wav", Bonus()});
    files.push_back({"sounds/09.wav", Advance()});
    files.push_back({"sounds/11.wav", Refusal()});
    files.push_back({"sounds/12.wav", Win()});
    files.push_back({"sounds/13.wav", GameOver()});
    files.push_back({"sounds/endlevel.wav", Bubbles()});
    return files;
}
