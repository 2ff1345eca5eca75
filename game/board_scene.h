#pragma once
// The game's one scene, "treasure", on which the whole game is played. On
// entry it loads every picture, button, sprite and sound of the game and
// initialises the Game; each frame it runs the Game and presents; on leaving
// it frees it all again.
#include <cstdint>
#include <memory>

#include "base/status.h"
#include "game/number_sprite.h"
#include "scene/scene.h"
#include "scene/sprite.h"

class Game;

class BoardScene : public Scene {
public:
    static constexpr int kTurnBonusSprites = 5;

    explicit BoardScene(Game& game);
    ~BoardScene() override;

    void Enter(plat::DirectDraw* directDraw, FramePage* framePage) override;
    void Leave() override;
    // Messages reach the game through the mouse state instead.
    int OnMessage(plat::WindowHandle window, uint32_t message, uintptr_t wParam,
                  intptr_t lParam) override;
    int Run(int active) override;
    int Present() override;
    // Blocks for that long on the frame clock while keeping the screen alive.
    void Pause(uint32_t milliseconds);
    // After entering: failed, saying which and why, when the picture without
    // which no game can be played (the new-game button's) did not load. Every
    // other picture that does not load only leaves its item out.
    const Status& MissingPicture() const { return missingPicture_; }

    // The scene's own sprites, made on entry and freed on leaving; the board
    // and the sprite pool borrow them in between.
    std::unique_ptr<Sprite> tileset;
    std::unique_ptr<Sprite> islands;
    std::unique_ptr<Sprite> turnBonus[kTurnBonusSprites];
    std::unique_ptr<NumberSprite> numbers;

private:
    void LoadBackground();
    void LoadButtons();
    void LoadBoardSprites();
    void LoadSmallImages();
    void LoadTurnBonusSprites();
    void LoadSounds();
    void FreeSprites();

    Game& game_;
    Status missingPicture_;
};

extern BoardScene g_BoardScene;
