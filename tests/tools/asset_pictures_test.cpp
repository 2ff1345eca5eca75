// The pictures have the sizes and frame layouts the game cuts them into, and
// transparency only where the game draws them over something; written at the
// screen's 16 bits, they show the game the pixels 24 bits would.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "game/board_geometry.h"
#include "game_files.h"
#include "tools/bmp_file.h"
#include "tools/board_layout.h"

namespace {
struct Strip {
    std::string file;
    int frames_across, frames_down;
    int frame_width, frame_height;  // 0: any size, as long as the frames divide the picture evenly
    int shown_x = 0, shown_y = 0, right = 800;  // where the game shows it, and the room to its right
};

int KeyPixels(const SDL_Surface* s, int x0, int y0, int w, int h) {
    int count = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) count += ReadsAsKey(PixelAt(s, x, y)) ? 1 : 0;
    return count;
}

// Round, game-over and congratulation panels open at (135, 153) and must not
// cover the status panel from x 624; the hall-of-fame notice opens at (250, 202).
TEST(AssetPictures, StripsAndSheetsCutIntoTheFramesTheGameExpectsAndFitWhereTheyAreShown) {
    std::vector<Strip> strips = {
        {"background.bmp", 1, 1, 800, 600},       {"Title/TovaliSplash.bmp", 1, 1, 800, 600},
        {"Title/TovaliCredit.bmp", 1, 1, 800, 600}, {"Title/HowToPlay.bmp", 1, 1, 0, 0},
        {"tileset.bmp", 11, 1, kSeaTile.width, kSeaTile.height},           {"NumberFont.bmp", 10, 1, 0, 0},
        {"scores.bmp", 5, 5, 24, 12},             {"gameover.bmp", 1, 1, 0, 0, 135, 153, 624},
        {"congrats.bmp", 1, 1, 0, 0, 135, 153, 624}, {"hallfamepop.bmp", 1, 1, 0, 0, 250, 202},
    };
    for (const char* button : {"help.bmp", "newgame.bmp", "menu.bmp", "exit.bmp"}) strips.push_back({button, 3, 1, 0, 0});
    for (int n = 1; n <= 5; ++n) {
        strips.push_back({"turnbonus" + std::to_string(3 * n) + ".bmp", 2, 1, 0, 0});
        strips.push_back({"g" + std::to_string(n) + ".bmp", 1, 1, 0, 0});
    }
    for (int n = 1; n <= 9; ++n) {
        strips.push_back({"round" + std::to_string(n) + ".bmp", 1, 1, 0, 0, 135, 153, 624});
        strips.push_back({"round" + std::to_string(n) + "small.bmp", 1, 1, 0, 0});
    }
    for (const Strip& strip : strips) {
        SCOPED_TRACE(strip.file);
        Picture p = LoadPicture(strip.file);
        ASSERT_TRUE(p) << SDL_GetError();
        EXPECT_TRUE(p->w % strip.frames_across == 0 && p->h % strip.frames_down == 0) << p->w << "x" << p->h;
        if (strip.frame_width) {
            EXPECT_EQ(std::make_pair(p->w, p->h),
                      std::make_pair(strip.frame_width * strip.frames_across, strip.frame_height * strip.frames_down));
        }
        EXPECT_LE(strip.shown_x + p->w, strip.right);
        EXPECT_LE(strip.shown_y + p->h, 600);
    }
}

TEST(AssetPictures, OpaqueWhereTheGameNeedsCoverAndKeyedWhereItDoesNot) {
    // The background is the layer everything is restored from, and digits are
    // drawn over old digits: neither may have see-through pixels.
    for (const char* file : {"background.bmp", "NumberFont.bmp", "Title/TovaliSplash.bmp", "round1small.bmp"}) {
        Picture p = LoadPicture(file);
        ASSERT_TRUE(p);
        EXPECT_EQ(KeyPixels(p.get(), 0, 0, p->w, p->h), 0) << file;
    }
    Picture tiles = LoadPicture("tileset.bmp");
    ASSERT_TRUE(tiles);
    const int w = kSeaTile.width, h = kSeaTile.height;
    for (int frame = 0; frame < 11; ++frame) {
        const int key = KeyPixels(tiles.get(), frame * w, 0, w, h);
        if (frame == 1 || frame == 5) {
            EXPECT_EQ(key, w * h) << "unused frame " << frame << " draws nothing";
        } else {  // a hexagon: the tile's corners stay clear so neighbours show
            EXPECT_TRUE(key > 0 && key < w * h) << "frame " << frame;
            EXPECT_TRUE(ReadsAsKey(PixelAt(tiles.get(), frame * w, 0))) << "frame " << frame;
            EXPECT_TRUE(ReadsAsKey(PixelAt(tiles.get(), frame * w + w - 1, h - 1))) << "frame " << frame;
        }
    }
    Picture button = LoadPicture("help.bmp");
    ASSERT_TRUE(button);
    EXPECT_TRUE(ReadsAsKey(PixelAt(button.get(), 0, 0))) << "rounded corners are see-through";
    EXPECT_FALSE(ReadsAsKey(PixelAt(button.get(), button->w / 6, button->h / 2)));
}
}  // namespace

// A click on a drawn cell selects it: the game's hit test picks the cell at
// the centre of its drawn hexagon and 5 pixels from it every 30 degrees (its
// neighbours' directions and its corners'), and the background's grid
// draws the same cell there. Cells on an even and an odd row, and at the
// board's last rows, where no row below overlaps.
TEST(AssetPictures, AClickWithinFivePixelsOfACellsDrawnCentreSelectsIt) {
    const BoardLayout layout;
    for (int cell : {BoardGeometry::Index(10, 4), BoardGeometry::Index(11, 5), BoardGeometry::Index(20, 18),
                     BoardGeometry::Index(30, 35), BoardGeometry::Index(30, 36)}) {
        const Offset centre = BoardLayout::CellCentre(cell);
        for (int step = 0; step <= 12; ++step) {
            const float reach = step == 12 ? 0.0f : 5.0f, angle = step * 3.14159265f / 6;
            const int x = static_cast<int>(std::floor(centre.x + reach * std::cos(angle)));
            const int y = static_cast<int>(std::floor(centre.y + reach * std::sin(angle)));
            EXPECT_EQ(BoardGeometry::CellAt(x, y), cell) << "click at " << x << "," << y;
            EXPECT_EQ(layout.CellAtPixel(x, y), cell) << "drawn at " << x << "," << y;
        }
    }
}

// Every value of every channel, written and loaded as the game loads
// pictures (SDL's reader, then the screen's 5-6-5), against the same colours
// from a 24-bit picture; and the tools read the file back to the same
// colours, the transparent key included.
TEST(AssetPictures, A16BitFileShowsThePixelsOf24Bits) {
    TempDir dir;
    Canvas canvas(256, 3);
    for (int x = 0; x < 256; ++x) {
        const uint8_t v = static_cast<uint8_t>(x), other = static_cast<uint8_t>(255 - x);
        canvas.Set(x, 0, {v, other, 0});
        canvas.Set(x, 1, {0, v, other});
        canvas.Set(x, 2, {other, 0, v});
    }
    canvas.Clear(0, 0);
    const Picture wide(SDL_CreateRGBSurfaceWithFormat(0, 256, 3, 24, SDL_PIXELFORMAT_RGB888));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 256; ++x) {
            const Rgb c = canvas.At(x, y);
            static_cast<uint32_t*>(wide->pixels)[y * (wide->pitch / 4) + x] = c.r << 16 | c.g << 8 | c.b;
        }
    ASSERT_TRUE(WriteBmp("p.bmp", canvas));
    const Picture loaded(SDL_LoadBMP("p.bmp"));
    ASSERT_TRUE(loaded);
    const Picture shown(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB565, 0));
    const Picture expected(SDL_ConvertSurfaceFormat(wide.get(), SDL_PIXELFORMAT_RGB565, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(static_cast<const uint16_t*>(shown->pixels)[y * (shown->pitch / 2) + x],
                      static_cast<const uint16_t*>(expected->pixels)[y * (expected->pitch / 2) + x])
                << x << ", " << y;
    const std::optional<Canvas> back = ReadBmp("p.bmp");
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->IsTransparent(0, 0));
    EXPECT_EQ(back->At(255, 1), (Rgb{0, 255, 0}));
}
