// The audio stream of the SDL 2 subset for the web build (see
// include/SDL.h): 8-bit unsigned or 16-bit signed PCM converted to the
// mixer's 16-bit format and rate.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <new>
#include <vector>

#include "platform/sdl_handles.h"

// ---- Audio streams ----------------------------------------------------------

struct _SDL_AudioStream {
    bool eightBit;
    int inChannels, outChannels;
    double step;  // input frames per output frame
    double position = 0;  // of the next output frame, after previous
    bool primed = false;  // previous holds a frame
    int16_t previous[2] = {0, 0};
    std::vector<uint8_t> partial;  // bytes of an input frame not yet whole
    std::deque<int16_t> out;
};

SDL_AudioStream* SDL_NewAudioStream(SDL_AudioFormat sourceFormat, Uint8 sourceChannels, int sourceRate,
                                    SDL_AudioFormat outputFormat, Uint8 outputChannels, int outputRate) {
    if ((sourceFormat != AUDIO_U8 && sourceFormat != AUDIO_S16LSB) || outputFormat != AUDIO_S16LSB ||
        sourceChannels < 1 || sourceChannels > 2 || outputChannels < 1 || outputChannels > 2 ||
        sourceRate <= 0 || outputRate <= 0) {
        SDL_SetError("unsupported audio conversion");
        return nullptr;
    }
    auto* s = new (std::nothrow) SDL_AudioStream{};
    if (s == nullptr) return nullptr;
    s->eightBit = sourceFormat == AUDIO_U8;
    s->inChannels = sourceChannels;
    s->outChannels = outputChannels;
    s->step = static_cast<double>(sourceRate) / outputRate;
    return s;
}

namespace {

// One input frame in the output's channels.
void ReadFrame(const SDL_AudioStream& s, const uint8_t* p, int16_t frame[2]) {
    int16_t in[2];
    for (int c = 0; c < s.inChannels; ++c) {
        in[c] = s.eightBit ? static_cast<int16_t>((p[c] - 128) << 8)
                           : static_cast<int16_t>(p[2 * c] | (p[2 * c + 1] << 8));
    }
    if (s.inChannels == s.outChannels) {
        frame[0] = in[0];
        frame[1] = in[s.inChannels - 1];
    } else if (s.outChannels == 2) {
        frame[0] = frame[1] = in[0];
    } else {
        frame[0] = static_cast<int16_t>((in[0] + in[1]) / 2);
    }
}

// Emits the output frames that fall between the previous frame and this one.
void Advance(SDL_AudioStream& s, const int16_t frame[2]) {
    if (!s.primed) {
        s.previous[0] = frame[0];
        s.previous[1] = frame[1];
        s.primed = true;
        return;
    }
    while (s.position < 1.0) {
        for (int c = 0; c < s.outChannels; ++c) {
            const double v = s.previous[c] + (frame[c] - s.previous[c]) * s.position;
            s.out.push_back(static_cast<int16_t>(std::lround(v)));
        }
        s.position += s.step;
    }
    s.position -= 1.0;
    s.previous[0] = frame[0];
    s.previous[1] = frame[1];
}

}  // namespace

int SDL_AudioStreamPut(SDL_AudioStream* s, const void* data, int bytes) {
    if (bytes < 0) return SDL_SetError("negative length");
    const int frameBytes = s->inChannels * (s->eightBit ? 1 : 2);
    const auto* p = static_cast<const uint8_t*>(data);
    int16_t frame[2] = {0, 0};
    while (bytes > 0) {
        if (!s->partial.empty() || bytes < frameBytes) {
            const int take = std::min(bytes, frameBytes - static_cast<int>(s->partial.size()));
            s->partial.insert(s->partial.end(), p, p + take);
            p += take;
            bytes -= take;
            if (static_cast<int>(s->partial.size()) < frameBytes) break;
            ReadFrame(*s, s->partial.data(), frame);
            s->partial.clear();
        } else {
            ReadFrame(*s, p, frame);
            p += frameBytes;
            bytes -= frameBytes;
        }
        Advance(*s, frame);
    }
    return 0;
}

int SDL_AudioStreamGet(SDL_AudioStream* s, void* out, int bytes) {
    const size_t samples = std::min(static_cast<size_t>(std::max(bytes, 0)) / 2, s->out.size());
    auto* to = static_cast<int16_t*>(out);
    std::copy(s->out.begin(), s->out.begin() + static_cast<std::ptrdiff_t>(samples), to);
    s->out.erase(s->out.begin(), s->out.begin() + static_cast<std::ptrdiff_t>(samples));
    return static_cast<int>(samples * 2);
}

int SDL_AudioStreamAvailable(SDL_AudioStream* s) { return static_cast<int>(s->out.size() * 2); }

int SDL_AudioStreamFlush(SDL_AudioStream* s) {
    // The last frame held back for interpolation goes out as it is.
    if (s->primed) {
        while (s->position < 1.0) {
            for (int c = 0; c < s->outChannels; ++c) s->out.push_back(s->previous[c]);
            s->position += s->step;
        }
    }
    s->primed = false;
    s->position = 0;
    s->partial.clear();
    return 0;
}

void SDL_AudioStreamClear(SDL_AudioStream* s) {
    s->out.clear();
    s->partial.clear();
    s->primed = false;
    s->position = 0;
}

void SDL_FreeAudioStream(SDL_AudioStream* s) { delete s; }

namespace plat {

void SdlDeleter::operator()(_SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }

}  // namespace plat
