#include "platform/web/web_audio.h"

#include <emscripten.h>

#include <algorithm>

#include "platform/mixer.h"

namespace plat {

namespace {
// Frames per callback: about 46 ms at 22050 Hz, short enough for effects to
// follow the clicks that make them.
constexpr uint32_t kBlockFrames = 1024;
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
            const sound = {context: null};  // and node, once made
            const open = () => {
                const Context = window.AudioContext || window.webkitAudioContext;
                const context = new Context({sampleRate: rate, latencyHint: 'playback'});
                sound.context = context;
                const node = context.createScriptProcessor(frames, 0, channels);
                node.onaudioprocess = (event) => {
                    const out = event.outputBuffer;
                    const first = Module._reef_web_audio_render(out.length) >> 1;
                    for (let c = 0; c < channels; ++c) {
                        const data = out.getChannelData(c);
                        for (let i = 0; i < out.length; ++i) data[i] = HEAP16[first + i * channels + c] / 32768;
                    }
                };
                node.connect(context.destination);
                sound.node = node;
            };
            Module.reefSound = sound;
            Module.reefResumeSound = () => {
                if (Module.reefSound !== sound) return;
                try {
                    if (!sound.context) open();
                    if (sound.context.state !== 'running') sound.context.resume();
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
        format.rate, format.channels, kBlockFrames);
    if (started == 0) mixer_ = nullptr;
    return started != 0;
}

void WebAudioOutput::Stop() {
    if (mixer_ == nullptr) return;
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
        Module.reefSound = null;
    });
    mixer_ = nullptr;
}

int16_t* WebAudioOutput::Render(uint32_t frames) {
    if (frames > kBlockFrames) frames = kBlockFrames;
    if (mixer_ == nullptr) {
        std::fill(block_.begin(), block_.end(), 0);
    } else {
        mixer_->Render(block_.data(), frames);
    }
    return block_.data();
}

}  // namespace plat

extern "C" EMSCRIPTEN_KEEPALIVE int16_t* reef_web_audio_render(uint32_t frames) {
    return plat::WebAudio().Render(frames);
}
