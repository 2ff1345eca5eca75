#pragma once
// Owned SDL handles: each is freed by SDL's own function when its owner goes,
// on every path out, so no caller frees one by hand. The deleters are defined
// out of line, so a header can hold an owned handle without including SDL.
#include <memory>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
struct _SDL_AudioStream;  // SDL_AudioStream

namespace plat {

struct SdlDeleter {
    void operator()(SDL_Window* window) const;
    void operator()(SDL_Renderer* renderer) const;
    void operator()(SDL_Texture* texture) const;
    void operator()(SDL_Surface* surface) const;
    void operator()(_SDL_AudioStream* stream) const;
};

using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;
using SdlAudioStreamPtr = std::unique_ptr<_SDL_AudioStream, SdlDeleter>;

}  // namespace plat
