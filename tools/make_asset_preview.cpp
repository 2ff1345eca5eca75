// Review pictures for people: a contact sheet of every generated picture
// with its name, the background with map 0's islands on it, and a mock
// game screen with cells, numbers and buttons in the places the game uses.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/board_geometry.h"
#include "tools/bmp_file.h"
#include "tools/hex_tile.h"
#include "tools/png_file.h"
#include "tools/text_painter.h"

namespace {
namespace fs = std::filesystem;

struct Sheet {
    std::string name;
    Canvas picture;
};

Canvas Rescale(const Canvas& in, int scale_up, int scale_down) {
    const int w = in.Width() * scale_up / scale_down, h = in.Height() * scale_up / scale_down;
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = x * scale_down / scale_up, sy = y * scale_down / scale_up;
            if (!in.IsTransparent(sx, sy)) out.Set(x, y, in.At(sx, sy));
        }
    return out;
}

// Transparent pixels show as a grey checkerboard, as in image editors.
void DrawOnChecks(Canvas& sheet, const Canvas& picture, int x0, int y0) {
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const bool light = ((x / 6) + (y / 6)) % 2;
            sheet.Set(x0 + x, y0 + y, picture.IsTransparent(x, y) ? (light ? Rgb{96, 96, 96} : Rgb{70, 70, 70}) : picture.At(x, y));
        }
}

Canvas ContactSheet(const std::vector<Sheet>& pictures, TextPainter& text) {
    constexpr int kWidth = 1640, kPad = 14, kLabel = 18;
    struct Placed {
        const Sheet* sheet;
        Canvas shown;
        int x, y;
    };
    std::vector<Placed> placed;
    int x = kPad, y = kPad, row_height = 0;
    for (const Sheet& s : pictures) {
        const int longest = std::max(s.picture.Width(), s.picture.Height());
        const int up = longest <= 32 ? 4 : longest <= 250 ? 2 : 1, down = s.picture.Width() >= 500 ? 2 : 1;
        Canvas shown = Rescale(s.picture, up, down);
        const int cell_w = std::max(shown.Width(), 120);
        if (x + cell_w > kWidth - kPad) {
            x = kPad;
            y += row_height + kLabel + kPad;
            row_height = 0;
        }
        placed.push_back({&s, shown, x, y});
        x += cell_w + kPad;
        row_height = std::max(row_height, shown.Height());
    }
    Canvas sheet(kWidth, y + row_height + kLabel + kPad, {40, 40, 44});
    for (const Placed& p : placed) {
        DrawOnChecks(sheet, p.shown, p.x, p.y);
        text.Draw(sheet, {Font::Sans, 12, {230, 230, 230}, 0, {}},
                  p.sheet->name + "  " + std::to_string(p.sheet->picture.Width()) + "x" +
                      std::to_string(p.sheet->picture.Height()),
                  p.x, p.y + p.shown.Height() + 14);
    }
    return sheet;
}

void DrawFrame(Canvas& screen, const Canvas& sheet, int frame_w, int frame_h, int frame, int x, int y) {
    const int columns = sheet.Width() / frame_w;
    const Canvas tile = sheet.Crop((frame % columns) * frame_w, (frame / columns) * frame_h, frame_w, frame_h);
    screen.Draw(tile, x, y);
}

std::vector<signed char> ReadMap0(const fs::path& path) {
    std::vector<signed char> map(BoardGeometry::kCellCount, -1);
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(map.data()), BoardGeometry::kCellCount);
    return map;
}

Canvas BoardWithIslands(const fs::path& game) {
    Canvas screen = *ReadBmp((game / "background.bmp").string());
    const Canvas islands = *ReadBmp((game / "islands.bmp").string());
    const std::vector<signed char> map = ReadMap0(game / "islands.dat");
    for (int cell = 0; cell < BoardGeometry::kCellCount; ++cell)
        if (map[cell] >= 0 && !BoardGeometry::IsExcluded(cell))
            DrawFrame(screen, islands, kIslandTile.width, kIslandTile.height, map[cell], BoardGeometry::CellX(cell), BoardGeometry::CellY(cell));
    return screen;
}

void DrawNumber(Canvas& screen, const Canvas& font, const std::string& digits, int x, int y) {
    const int pitch = font.Width() / 10;
    for (char d : digits) {
        DrawFrame(screen, font, pitch, font.Height(), d - '0', x, y);
        x += pitch;
    }
}

// The game screen as it looks in play: a sonar ring, some finds, the numbers.
Canvas MockScreen(const fs::path& game, Canvas screen) {
    const auto load = [&](const char* name) { return *ReadBmp((game / name).string()); };
    const Canvas tileset = load("tileset.bmp"), font = load("NumberFont.bmp");
    const std::vector<signed char> map = ReadMap0(game / "islands.dat");
    const auto tile = [&](int col, int row, int frame) {
        const int cell = BoardGeometry::Index(col, row);
        if (BoardGeometry::OnBoard(col, row) && map[cell] < 0 && !BoardGeometry::IsExcluded(cell))
            DrawFrame(screen, tileset, tileset.Width() / 11, tileset.Height(), frame, BoardGeometry::CellX(cell), BoardGeometry::CellY(cell));
    };
    for (int col = 4; col < 12; ++col) tile(col, 28, 2);
    for (int radius = 1; radius <= 3; ++radius) {
        int col = 20, row = 18;
        for (int k = 0; k < radius; ++k) BoardGeometry::Step(col, row, HexDirection::UpLeft);
        const HexDirection sides[] = {HexDirection::Right, HexDirection::DownRight, HexDirection::DownLeft,
                                      HexDirection::Left, HexDirection::UpLeft, HexDirection::UpRight};
        for (HexDirection side : sides)
            for (int k = 0; k < radius; ++k) {
                tile(col, row, radius == 3 ? 4 : 2);
                BoardGeometry::Step(col, row, side);
            }
    }
    tile(20, 18, 0);
    for (int kind = 1; kind <= 5; ++kind) tile(8 + kind, 10, 5 + kind);
    tile(14, 28, 3);
    DrawNumber(screen, font, "12750", 755 - 4 * 13, 16);
    DrawNumber(screen, font, "3475", 755 - 3 * 13, 77);
    DrawNumber(screen, font, "017", 712 - (3 * 13) / 2, 165);
    DrawNumber(screen, font, "1", 706, 370);
    screen.Draw(load("round1small.bmp"), 649, 264);
    screen.Draw(load("g2.bmp"), 674 + 16, 225);
    screen.Draw(load("g4.bmp"), 674 + 48, 225);
    screen.Draw(load("turnbonus6.bmp").Crop(0, 0, 100, 22), 662, 139);
    const char* buttons[] = {"help.bmp", "newgame.bmp", "menu.bmp", "exit.bmp"};
    const int bx[] = {649, 720, 649, 720}, by[] = {485, 485, 531, 531};
    for (int i = 0; i < 4; ++i) screen.Draw(load(buttons[i]).Crop(i == 1 ? 64 : 0, 0, 64, 40), bx[i], by[i]);
    const Canvas scores = load("scores.bmp");
    screen.Draw(scores.Crop(24, 0, 24, 12), BoardGeometry::CellX(BoardGeometry::Index(10, 10)) - 6, BoardGeometry::CellY(BoardGeometry::Index(10, 10)) - 20);
    return screen;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <game folder> <output folder>\n", argv[0]);
        return 2;
    }
    const fs::path game = argv[1], out = argv[2];
    std::vector<Sheet> pictures;
    for (const auto& entry : fs::recursive_directory_iterator(game)) {
        if (entry.path().extension() != ".bmp") continue;
        if (auto picture = ReadBmp(entry.path().string()))
            pictures.push_back({fs::relative(entry.path(), game).generic_string(), std::move(*picture)});
    }
    std::sort(pictures.begin(), pictures.end(), [](const Sheet& a, const Sheet& b) { return a.name < b.name; });
    TextPainter text;
    const Canvas board = BoardWithIslands(game);
    const bool ok = WritePng((out / "asset_contact_sheet.png").string(), ContactSheet(pictures, text)) &&
                    WritePng((out / "board_map0.png").string(), board) &&
                    WritePng((out / "screen_mock.png").string(), MockScreen(game, board));
    return ok ? 0 : 1;
}
