#include "platform/key_runs.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace plat {

namespace {
const uint16_t* Row(const SDL_Surface* s, int y) {
    return reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch);
}
}  // namespace

KeyRuns::KeyRuns(const SDL_Surface* surface, uint32_t key) : key_(key) {
    const uint16_t keyPixel = static_cast<uint16_t>(key);
    rowFirst_.reserve(static_cast<size_t>(surface->h) + 1);
    for (int y = 0; y < surface->h; ++y) {
        rowFirst_.push_back(static_cast<uint32_t>(runs_.size()));
        const uint16_t* row = Row(surface, y);
        int x = 0;
        while (x < surface->w) {
            while (x < surface->w && row[x] == keyPixel) ++x;
            const int start = x;
            while (x < surface->w && row[x] != keyPixel) ++x;
            if (x > start) runs_.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(x)});
        }
    }
    rowFirst_.push_back(static_cast<uint32_t>(runs_.size()));
}

void KeyRuns::Copy(const SDL_Surface* source, int sx, int sy, int w, int h, SDL_Surface* destination,
                   int dx, int dy) const {
    const auto* from = static_cast<const uint8_t*>(source->pixels) + static_cast<size_t>(sy) * source->pitch;
    // The row pointers stay at the start of their rows: a span's place in the
    // destination, dx + (start - sx), is never negative, while dx - sx alone
    // is whenever the block is clipped at the left edge.
    auto* to = static_cast<uint8_t*>(destination->pixels) + static_cast<size_t>(dy) * destination->pitch;
    const bool wholeRows = sx == 0 && w == source->w;
    const Run* run = runs_.data() + rowFirst_[sy];
    for (int row = 0; row < h; ++row, from += source->pitch, to += destination->pitch) {
        const Run* rowEnd = runs_.data() + rowFirst_[sy + row + 1];
        for (; run < rowEnd; ++run) {
            int start = run->start, end = run->end;
            if (!wholeRows) {
                start = std::max(start, sx);
                end = std::min(end, sx + w);
                if (start >= end) continue;
            }
            std::memcpy(to + static_cast<size_t>(dx + start - sx) * 2, from + static_cast<size_t>(start) * 2,
                        static_cast<size_t>(end - start) * 2);
        }
    }
}

}  // namespace plat
