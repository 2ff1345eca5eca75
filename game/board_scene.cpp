#include "game/board_scene.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "game/both_pages.h"
#include "game/game.h"
#include "platform/clock.h"
#include "platform/debug_log.h"
#include "runtime/frame_timer.h"
#include "scene/button.h"
#include "scene/button_list.h"
#include "scene/sprite_pool.h"
#include "sound/sound_manager.h"

BoardScene g_BoardScene(g_Game);

namespace {

struct ButtonPlace {
    const char* file;
    const char* name;
    int32_t x, y;
};
constexpr ButtonPlace kButtons[] = {
    {"help.bmp", "help", 649, 485},
    {"newgame.bmp", "newgame", 720, 485},
    {"menu.bmp", "menu", 649, 531},
    {"exit.bmp", "exit", 720, 531},
};
constexpr int32_t kButtonFrames = 3;
constexpr const char* kNewGameButton = "newgame";

constexpr int32_t kTileFrames = 11;
constexpr int32_t kIslandWidth = 14;
constexpr int32_t kIslandHeight = 17;
constexpr int32_t kRoundPictures = 9;
constexpr int32_t kKindIcons = 5;

constexpr int32_t kTurnBonusX = 662;
constexpr int32_t kTurnBonusY = 139;
constexpr int32_t kTurnBonusDelayMs = 333;

struct SoundFile {
    const char* name;
    const char* file;
};
// "2treasure" to "4treasure" are registered but the rules never play them.
constexpr SoundFile kSounds[] = {
    {"search", "sounds\\search01.wav"}, {"1treasure", "sounds\\02.wav"},
    {"2treasure", "sounds\\03.wav"},    {"3treasure", "sounds\\04.wav"},
    {"4treasure", "sounds\\05.wav"},    {"5treasure", "sounds\\06.wav"},
    {"advance", "sounds\\09.wav"},      {"negative", "sounds\\11.wav"},
    {"gameover", "sounds\\13.wav"},     {"win", "sounds\\12.wav"},
    {"newgame", "sounds\\endlevel.wav"},
};

void TurnBonusName(int i, char (&out)[64]) {
    std::snprintf(out, sizeof out, "turnbonus%d.bmp", 3 * i);
}

}  // namespace

BoardScene::BoardScene(Game& game) : game_(game) { SetName("treasure"); }

// At process exit the pool and the game may already be gone: only the
// scene's own sprites go here, with their owners. Leave does the orderly
// release.
BoardScene::~BoardScene() = default;

void BoardScene::Enter(plat::DirectDraw* dd, FramePage* framePage) {
    Scene::Enter(dd, framePage);
    LoadBackground();
    page->mouse->SetButtonQueue(1);
    LoadButtons();
    LoadBoardSprites();
    LoadSmallImages();
    LoadTurnBonusSprites();
    numbers = std::make_unique<NumberSprite>();
    numbers->page = page;
    numbers->LoadFrame("NumberFont.bmp");
    LoadSounds();
    game_.Attach(this);
    game_.Init();
    if (!game_.failure.Ok()) return;  // the program ends without drawing
    // The idle screen shows the first map: draw its islands now, as nothing
    // else draws cells before a game starts.
    game_.board.Redraw(true);
}

void BoardScene::LoadBackground() {
    // The same picture twice: one copy is drawn on, the other stays clean.
    backgroundImage = AddImage("background.bmp");
    if (backgroundImage != nullptr) SetBackground(backgroundImage->GetSurface());
    backdropImage = AddImage("background.bmp");
    if (backdropImage != nullptr) SetBackdrop(backdropImage->GetSurface());
    RefreshWholeScreen(*page->dirtyRects);
}

void BoardScene::LoadButtons() {
    missingPicture_ = Status();
    for (const ButtonPlace& place : kButtons) {
        auto* button = new Button(place.x, place.y);
        const Status loaded = button->LoadStrip(place.file, kButtonFrames, 0);
        button->SetName(place.name);
        // A button without a picture has no area to click: without this one
        // no game could ever start.
        if (!loaded && std::strcmp(place.name, kNewGameButton) == 0) {
            missingPicture_ = Status::Failed(std::string("The picture ") + place.file + " is missing or damaged (" +
                                             loaded.Why() + "); without it no game can be started.");
        }
        NoteLeftOut(loaded);
        AddButton(button);
    }
}

void BoardScene::LoadBoardSprites() {
    tileset = std::make_unique<Sprite>();
    tileset->LoadStrip("tileset.bmp", kTileFrames, 0);
    tileset->SplitWidth();
    tileset->page = page;
    islands = std::make_unique<Sprite>();
    islands->page = page;
    islands->LoadSheet("islands.bmp", kIslandWidth, kIslandHeight);
}

void BoardScene::LoadSmallImages() {
    char file[64];
    auto add = [&] {
        if (Image* image = AddImage(file)) image->SetName(file);
    };
    for (int n = 1; n <= kRoundPictures; ++n) {
        std::snprintf(file, sizeof file, "round%dsmall.bmp", n);
        add();
    }
    for (int n = 1; n <= kKindIcons; ++n) {
        std::snprintf(file, sizeof file, "g%d.bmp", n);
        add();
    }
}

void BoardScene::LoadTurnBonusSprites() {
    for (int i = 1; i <= kTurnBonusSprites; ++i) {
        char file[64];
        TurnBonusName(i, file);
        auto sprite = std::make_unique<Sprite>();
        sprite->SetName(file);
        sprite->LoadStrip(file, 2, 0);
        sprite->SetPosition(kTurnBonusX, kTurnBonusY);
        sprite->SetDelay(kTurnBonusDelayMs);
        sprite->SetMode(Sprite::kLoop);
        sprite->SetPlaying(1);
        sprite->page = page;  // the pool's copy draws for it too
        g_SpritePool.Create(sprite.get());
        turnBonus[i - 1] = std::move(sprite);
    }
}

void BoardScene::LoadSounds() {
    for (const SoundFile& sound : kSounds) g_SoundManager.Load(sound.file, sound.name);
}

void BoardScene::Leave() {
    g_SoundManager.FreeAll();
    Scene::Leave();
    backgroundImage = backdropImage = nullptr;
    game_.Unload();
    FreeSprites();
}

void BoardScene::FreeSprites() {
    for (std::unique_ptr<Sprite>& sprite : turnBonus) {
        if (sprite == nullptr) continue;
        // The pool's copy shares this sprite's frames: it goes first, so
        // nothing is left drawing freed pictures.
        g_SpritePool.Remove(sprite->name);
        sprite.reset();
    }
    game_.board.tileSprite = nullptr;
    game_.board.islandSprite = nullptr;
    tileset.reset();
    islands.reset();
    numbers.reset();
}

int BoardScene::OnMessage(plat::WindowHandle, uint32_t, uintptr_t, intptr_t) { return 1; }

int BoardScene::Run(int) {
    if (game_.Update() == Game::kQuit) return Game::kQuit;
    Present();
    return 1;
}

int BoardScene::Present() { return Scene::Present(); }

void BoardScene::Pause(uint32_t milliseconds) {
    const uint32_t start = FrameTimer::Now();
    while (static_cast<uint32_t>(FrameTimer::Elapsed(start)) < milliseconds) {
        plat::SleepMs(1);
        Present();
        Present();
    }
}
