#include "platform/web/web_audio.h"

#include <emscripten.h>

#include "platform/mixer.h"

namespace plat {

namespace {
// Frames per callback: about 46 ms at 22050 Hz, short enough for effects to
// follow the clicks that make them.
constexpr uint32_t kBlockFrames = 1024;
// Blocks in a row with no voice sounding after which the effects rest: the
// node is taken off its context, so that the page's thread no longer wakes at
// every block.
constexpr int kQuietBlocksBeforeRest = 4;
// Resting this long, the effects' context is suspended too, and the
// browser's audio threads stop waking for it. Not at once: starting the
// output again can take a phone a tenth of a second or more, which effects
// in quick succession should not wait for.
constexpr int kRestBeforeSuspendMs = 2000;
// The music's own context buffers this many seconds: the song needs no quick
// start, and a long buffer lets the browser's audio threads wake a few times
// a second instead of forty while it plays alone.
constexpr double kMusicLatencySeconds = 0.25;
}  // namespace

WebAudioOutput& WebAudio() {
    static WebAudioOutput output;
    return output;
}

bool WebAudioOutput::Available() {
    return MAIN_THREAD_EM_ASM_INT({ return (window.AudioContext || window.webkitAudioContext) ? 1 : 0; }) != 0;
}

bool WebAudioOutput::Start(Mixer& mixer) {
    if (mixer_ != nullptr) return true;
    const PcmFormat format = mixer.OutputFormat();
    mixer_ = &mixer;
    channels_ = format.channels;
    block_.assign(static_cast<size_t>(kBlockFrames) * channels_, 0);
    const int started = MAIN_THREAD_EM_ASM_INT(
        {
            const rate = $0;
            const channels = $1;
            const frames = $2;
            const quietBeforeRest = $3;
            const musicLatency = $4;
            const restBeforeSuspend = $5;
            // The effects' context and node once made, and the music's context;
            // whenOpen: what waits for the contexts (the music); wake: starts
            // resting effects again.
            const sound = ({context: null, musicContext: null, whenOpen: [], wake: () => {}});
            const open = () => {
                const Context = window.AudioContext || window.webkitAudioContext;
                const context = new Context({sampleRate: rate, latencyHint: 'playback'});
                try {
                    sound.musicContext = new Context({sampleRate: rate, latencyHint: musicLatency});
                } catch (e) {
                    context.close();
                    throw e;
                }
                sound.context = context;
                const node = context.createScriptProcessor(frames, 0, channels);
                let quiet = 0;  // blocks in a row with no voice
                let resting = false;
                let suspending = 0;  // the timer that suspends a resting context
                node.onaudioprocess = (event) => {
                    const out = event.outputBuffer;
                    const block = Module._reef_web_audio_render(out.length);
                    if (block === 0) {
                        for (let c = 0; c < channels; ++c) out.getChannelData(c).fill(0);
                        if (++quiet < quietBeforeRest || resting) return;
                        resting = true;
                        node.disconnect();
                        suspending = setTimeout(() => context.suspend().catch(() => {}), restBeforeSuspend);
                        return;
                    }
                    quiet = 0;
                    const first = block >> 1;
                    for (let c = 0; c < channels; ++c) {
                        const data = out.getChannelData(c);
                        for (let i = 0; i < out.length; ++i) data[i] = HEAP16[first + i * channels + c] / 32768;
                    }
                };
                sound.wake = () => {
                    if (!resting) return;
                    resting = false;
                    quiet = 0;
                    clearTimeout(suspending);
                    node.connect(context.destination);
                    if (context.state !== 'running') context.resume().catch(() => {});
                };
                sound.resting = () => resting;
                node.connect(context.destination);
                sound.node = node;
                for (const waiting of sound.whenOpen.splice(0)) waiting();
            };
            Module.reefSound = sound;
            Module.reefResumeSound = () => {
                if (Module.reefSound !== sound) return;
                try {
                    if (!sound.context) open();
                    if (!sound.resting() && sound.context.state !== 'running') sound.context.resume();
                    if (sound.musicContext.state !== 'running') sound.musicContext.resume();
                } catch (e) {
                    console.warn('no sound: ' + e);
                    Module.reefSound = null;
                }
            };
            // Making the context takes the browser a tenth of a second or
            // more (it starts its audio service), and before a gesture the
            // context could not play: so it is made at the first gesture,
            // unless the page asks for it at once (the game's page, opened by
            // the launcher's Play, whose music plays from the start where the
            // browser lets it).
            if (!Module.reefSoundAtOnce) return 1;
            try {
                open();
                return 1;
            } catch (e) {
                console.warn('no sound: ' + e);
                Module.reefSound = null;
                return 0;
            }
        },
        format.rate, format.channels, kBlockFrames, kQuietBlocksBeforeRest, kMusicLatencySeconds,
        kRestBeforeSuspendMs);
    if (started == 0) {
        mixer_ = nullptr;
        return false;
    }
    mixer.SetPlayListener(Wake, nullptr);
    return true;
}

void WebAudioOutput::Wake(void*) {
    MAIN_THREAD_EM_ASM({
        if (Module.reefSound) Module.reefSound.wake();
    });
}

void WebAudioOutput::Stop() {
    if (mixer_ == nullptr) return;
    mixer_->SetPlayListener(nullptr, nullptr);
    // The node calls back on the main thread, where this runs too: once it is
    // disconnected, no render follows.
    MAIN_THREAD_EM_ASM({
        const sound = Module.reefSound;
        if (!sound) return;
        if (sound.node) {
            sound.node.onaudioprocess = null;
            sound.node.disconnect();
        }
        if (sound.context) sound.context.close();
        if (sound.musicContext) sound.musicContext.close();
        Module.reefSound = null;
    });
    mixer_ = nullptr;
}

int16_t* WebAudioOutput::Render(uint32_t frames) {
    if (frames > kBlockFrames) frames = kBlockFrames;
    if (mixer_ == nullptr || !mixer_->Render(block_.data(), frames)) return nullptr;
    return block_.data();
}

}  // namespace plat

extern "C" EMSCRIPTEN_KEEPALIVE int16_t* reef_web_audio_render(uint32_t frames) {
    return plat::WebAudio().Render(frames);
}
