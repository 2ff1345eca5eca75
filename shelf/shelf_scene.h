#pragma once
// The launcher's one scene: a main menu and the pages it opens (players,
// options, hall of fame, how to play). Every page is a column of buttons
// worked by the mouse or the keyboard: arrows and Tab move the focus, Return
// presses the focused button, Escape goes back to the menu (on the menu it
// quits). A text field with the focus keeps Left and Right for its caret.
#include <string>
#include <vector>

#include "game/number_sprite.h"
#include "scene/scene.h"
#include "shelf/hall_of_fame.h"
#include "shelf/name_font.h"
#include "shelf/players_page.h"

class ShelfScene : public Scene {
public:
    enum class Page { Menu, Players, Options, HallOfFame, HowToPlay };

    ShelfScene();
    void Enter(plat::DirectDraw* directDraw, FramePage* framePage) override;
    void Leave() override;
    // Takes the keys; 0 for an Escape that went back, so the window stays.
    int OnMessage(plat::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int Run(int active) override;

    // Does what the button of that name does.
    void Activate(const std::string& buttonName);
    void ShowPage(Page page);
    Page CurrentPage() const { return page_; }
    // The command line Play started; empty when none was.
    const std::string& Launched() const { return launched_; }
    const std::vector<HallOfFameRow>& HallRows() const { return hallRows_; }
    const PlayersPage& Players() const { return players_; }
    // The name of the button or field with the keyboard focus.
    std::string Focused() const;

private:
    void AddPageButton(const char* buttonName, int32_t x, int32_t y);
    void AddSwitchButton(const char* buttonName, int32_t y, bool on);
    void MoveFocus(int32_t step);
    void SetFocus(int32_t index);
    // After a press: the players page's switches and rows show its state.
    void SyncPlayersPage();
    void DrawPage();

    Page page_ = Page::Menu;
    int32_t focus_ = 0;
    int32_t menuFocus_ = 0;  // the menu's focus when a page was opened
    int32_t lastButtons_ = 0;  // the mouse buttons held at the last frame
    std::string launched_;
    std::vector<HallOfFameRow> hallRows_;
    NumberSprite digits_;
    NameFont font_;
    PlayersPage players_;
};

extern ShelfScene g_ShelfScene;

// The name of a page as the report gives it: menu, players, options,
// halloffame, howtoplay.
const char* PageName(ShelfScene::Page page);
