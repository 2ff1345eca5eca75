#pragma once
// The web build has no SDL. The platform code shared with the desktop uses a
// small part of SDL 2: surfaces in two pixel formats (RGB565 pages and
// pictures, BGR24 for BMP files), plain and colour-keyed blits, BMP files read
// and written, and the audio stream that converts a voice's PCM for the mixer.
// This header declares exactly that part, with SDL's names and meanings, and
// platform/web/sdl_subset.cpp implements it, so that surface.cpp, key_runs.cpp,
// qv.cpp, mixer.cpp and output_files.cpp build unchanged for the browser.
#include <cstddef>
#include <cstdint>

using Uint8 = uint8_t;
using Uint16 = uint16_t;
using Uint32 = uint32_t;
using Sint64 = int64_t;

enum SDL_bool { SDL_FALSE = 0, SDL_TRUE = 1 };

// ---- Pixel formats ----------------------------------------------------------

// The two formats the web build knows, with SDL's values.
constexpr Uint32 SDL_PIXELFORMAT_RGB565 = 0x15151002u;
constexpr Uint32 SDL_PIXELFORMAT_BGR24 = 0x17401803u;
constexpr Uint32 SDL_BITSPERPIXEL(Uint32 format) { return (format >> 8) & 0xFF; }

struct SDL_PixelFormat {
    Uint32 format;
    Uint8 BitsPerPixel;
    Uint8 BytesPerPixel;
    Uint32 Rmask, Gmask, Bmask, Amask;
};

struct SDL_Rect {
    int x, y, w, h;
};

enum SDL_BlendMode { SDL_BLENDMODE_NONE = 0 };

struct SDL_Surface {
    Uint32 flags;
    SDL_PixelFormat* format;
    int w, h;
    int pitch;
    void* pixels;
    // Blit settings of this surface as a source.
    bool keyed;
    Uint32 key;
};

SDL_Surface* SDL_CreateRGBSurfaceWithFormat(Uint32 flags, int width, int height, int depth,
                                            Uint32 format);
void SDL_FreeSurface(SDL_Surface* surface);
int SDL_FillRect(SDL_Surface* surface, const SDL_Rect* rect, Uint32 colour);
// Copies between surfaces of one format; the rectangles must lie inside their
// surfaces (the callers check). Scaled blits take the nearest pixel.
int SDL_BlitSurface(SDL_Surface* source, const SDL_Rect* sourceRect, SDL_Surface* destination,
                    SDL_Rect* destinationRect);
int SDL_BlitScaled(SDL_Surface* source, const SDL_Rect* sourceRect, SDL_Surface* destination,
                   SDL_Rect* destinationRect);
int SDL_SetSurfaceBlendMode(SDL_Surface* surface, SDL_BlendMode mode);
int SDL_SetColorKey(SDL_Surface* surface, int flag, Uint32 key);
int SDL_LockSurface(SDL_Surface* surface);
void SDL_UnlockSurface(SDL_Surface* surface);
// Between RGB565 and BGR24, either way.
SDL_Surface* SDL_ConvertSurfaceFormat(SDL_Surface* source, Uint32 format, Uint32 flags);
// Notes the text SDL_GetError returns (no format arguments in this subset); -1.
int SDL_SetError(const char* text);
const char* SDL_GetError();

// ---- Files ------------------------------------------------------------------

struct SDL_RWops;
constexpr int RW_SEEK_SET = 0;
constexpr int RW_SEEK_CUR = 1;
constexpr int RW_SEEK_END = 2;

SDL_RWops* SDL_RWFromFile(const char* path, const char* mode);
size_t SDL_RWread(SDL_RWops* file, void* buffer, size_t size, size_t count);
Sint64 SDL_RWsize(SDL_RWops* file);
Sint64 SDL_RWseek(SDL_RWops* file, Sint64 offset, int whence);
int SDL_RWclose(SDL_RWops* file);

// Uncompressed BMP pictures of 8 (with palette), 16 (5-6-5), 24 and 32 bits
// per pixel, as a BGR24 surface.
SDL_Surface* SDL_LoadBMP_RW(SDL_RWops* file, int closeFile);
// Writes a 24-bit BMP file.
int SDL_SaveBMP(SDL_Surface* surface, const char* path);

// ---- Audio streams ----------------------------------------------------------

using SDL_AudioFormat = Uint16;
constexpr SDL_AudioFormat AUDIO_U8 = 0x0008;
constexpr SDL_AudioFormat AUDIO_S16LSB = 0x8010;
constexpr SDL_AudioFormat AUDIO_S16SYS = AUDIO_S16LSB;  // WebAssembly is little-endian

// Converts 8-bit unsigned or 16-bit signed PCM of one or two channels at one
// rate to 16-bit signed PCM at another, resampling linearly. What is put in
// comes out one frame later; a flush lets that last frame out.
struct _SDL_AudioStream;
using SDL_AudioStream = _SDL_AudioStream;
SDL_AudioStream* SDL_NewAudioStream(SDL_AudioFormat sourceFormat, Uint8 sourceChannels, int sourceRate,
                                    SDL_AudioFormat outputFormat, Uint8 outputChannels, int outputRate);
int SDL_AudioStreamPut(SDL_AudioStream* stream, const void* data, int bytes);
int SDL_AudioStreamGet(SDL_AudioStream* stream, void* out, int bytes);
int SDL_AudioStreamAvailable(SDL_AudioStream* stream);
int SDL_AudioStreamFlush(SDL_AudioStream* stream);
void SDL_AudioStreamClear(SDL_AudioStream* stream);
void SDL_FreeAudioStream(SDL_AudioStream* stream);
