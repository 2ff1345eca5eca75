// Colour-keyed blits with our blitter against SDL's own SDL_BlitSurface with
// an RLE colour key, on the same surfaces: a board tile and a panel. The
// ratio of the two is the figure to watch.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "display/blit.h"
#include "platform/surface.h"

namespace {

// A picture with a ring of the key colour around an opaque middle, as the
// game's tiles and panels have.
plat::Surface* KeyedPicture(int w, int h) {
    plat::Surface* s = plat::Surface::Create(w, h);
    s->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL, 0x001F);
    plat::Rect middle{w / 6, h / 6, w - w / 6, h - h / 6};
    s->Blt(&middle, nullptr, nullptr, plat::DDBLT_COLORFILL, 0x7BEF);
    s->SetColorKey(0x001F);
    return s;
}

void OurKeyedBlit(benchmark::State& state) {
    plat::Surface* source = KeyedPicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    plat::Surface* screen = plat::Surface::Create(800, 600);
    for (auto _ : state) benchmark::DoNotOptimize(BlitAt(source, screen, 100, 100, kKeyedBlit));
    source->Release();
    screen->Release();
}

void SdlRleKeyedBlit(benchmark::State& state) {
    plat::Surface* source = KeyedPicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    plat::Surface* screen = plat::Surface::Create(800, 600);
    SDL_SetColorKey(source->Sdl(), SDL_TRUE | SDL_RLEACCEL, 0x001F);
    SDL_Rect at{100, 100, 0, 0};
    for (auto _ : state) {
        SDL_Rect target = at;
        benchmark::DoNotOptimize(SDL_BlitSurface(source->Sdl(), nullptr, screen->Sdl(), &target));
    }
    source->Release();
    screen->Release();
}

// A board tile and a panel.
BENCHMARK(OurKeyedBlit)->Args({14, 17})->Args({370, 310});
BENCHMARK(SdlRleKeyedBlit)->Args({14, 17})->Args({370, 310});

}  // namespace

BENCHMARK_MAIN();
