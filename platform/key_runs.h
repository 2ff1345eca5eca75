#pragma once
// The opaque runs of a colour-keyed 16-bit picture, row by row: the spans of
// pixels that are not the key. A keyed blit then copies each span whole
// instead of testing every pixel, which is what makes drawing panels, tiles
// and sprites cheap. The runs describe the pixels as they were when built;
// the owner throws them away when the pixels change.
#include <cstdint>
#include <vector>

struct SDL_Surface;

namespace plat {

class KeyRuns {
public:
    // Scans a 16-bit surface for the spans that are not the key.
    KeyRuns(const SDL_Surface* surface, uint32_t key);

    uint32_t Key() const { return key_; }
    // Copies the w by h block at (sx, sy) of source onto (dx, dy) of the
    // 16-bit destination, leaving out the key's pixels. The blocks must lie
    // inside their surfaces.
    void Copy(const SDL_Surface* source, int sx, int sy, int w, int h, SDL_Surface* destination,
              int dx, int dy) const;

private:
    struct Run {
        uint16_t start, end;  // [start, end) of a row
    };
    uint32_t key_;
    std::vector<uint32_t> rowFirst_;  // index of each row's first run; one past the end last
    std::vector<Run> runs_;
};

}  // namespace plat
