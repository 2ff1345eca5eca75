#include "shelf/shelf_scene.h"

#include "game/player_store.h"
#include "display/image.h"
#include "platform/debug_log.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"
#include "runtime/shell_state.h"
#include "scene/button.h"
#include "scene/button_list.h"
#include "shelf/game_launch.h"
#include "shelf/shelf_switches.h"
#include "shell/window_config.h"
#include "sound/sound_manager.h"

ShelfScene g_ShelfScene;

namespace {
// The launcher's pictures lie in a folder of their own beside the game's.
constexpr const char* kArtFolder = "..\\reefhoard-shelf\\";
constexpr const char* kHighScoreFile = "hiscore.dat";
constexpr const char* kHelpPicture = "title\\HowToPlay.bmp";
constexpr const char* kSample = "sounds\\02.wav";
constexpr int32_t kFullVolume = 65535;

constexpr int32_t kButtonX = 280, kButtonTop = 200, kButtonStep = 62;
constexpr int32_t kBackY = 548;
constexpr int32_t kHeadingX = 200, kHeadingY = 96;
constexpr int32_t kHelpX = 120, kHelpY = 24;
// How far above the help picture's bottom its last line begins.
constexpr int32_t kHelpCaptionAbove = 31;
constexpr int32_t kRowTop = 140, kRowStep = 20, kNameX = 236, kScoreX = 552, kMarkX = 220;

// The switches of the options page, with their buttons' names, top to bottom.
struct SwitchButton {
    ShelfSwitch which;
    const char* name;
};
constexpr SwitchButton kSwitchButtons[] = {{ShelfSwitch::Music, "music"},
                                           {ShelfSwitch::Effects, "effects"},
                                           {ShelfSwitch::FullScreen, "fullscreen"},
                                           {ShelfSwitch::SharpScaling, "sharp"}};

std::string ArtFile(const char* name) { return std::string(kArtFolder) + name + ".bmp"; }

std::string CurrentPlayerName() {
    g_PlayerStore.SetPath(kOptionsFile);
    const int32_t id = g_PlayerStore.ReadPlayerId();
    g_PlayerStore.LoadPlayer(id);
    return g_PlayerStore.records[id].name;
}

void Quit() { plat::PostMessage(g_Shell.window, plat::WM_CLOSE, 0, 0); }
}  // namespace

const char* PageName(ShelfScene::Page page) {
    switch (page) {
        case ShelfScene::Page::Players: return "players";
        case ShelfScene::Page::Options: return "options";
        case ShelfScene::Page::HallOfFame: return "halloffame";
        case ShelfScene::Page::HowToPlay: return "howtoplay";
        case ShelfScene::Page::Menu: break;
    }
    return "menu";
}

ShelfScene::ShelfScene() { SetName("shelf"); }

void ShelfScene::Enter(plat::DirectDraw* directDraw, FramePage* framePage) {
    Scene::Enter(directDraw, framePage);
    AddNamedImage(ArtFile("backdrop").c_str(), "backdrop");
    AddNamedImage(ArtFile("mark").c_str(), "mark");
    AddNamedImage(ArtFile("current").c_str(), "current");
    for (const char* heading : {"players", "options", "halloffame", "howtoplay"}) {
        AddNamedImage(ArtFile((std::string("heading_") + heading).c_str()).c_str(), heading);
    }
    AddNamedImage(kHelpPicture, "help");
    AddNamedImage(ArtFile("help_caption").c_str(), "help_caption");
    font_.Load(ArtFile("namefont").c_str());
    digits_.LoadFrame("NumberFont.bmp");
    digits_.page = page;
    digits_.SetAlign(NumberSprite::kAlignRight);
    g_SoundManager.Load(kSample, "sample");
    SetTitleSuffix(CurrentPlayerName().c_str());
    ShowPage(Page::Menu);
}

void ShelfScene::Leave() {
    players_.Close();
    g_SoundManager.Free("sample");
    Scene::Leave();
}

void ShelfScene::AddPageButton(const char* buttonName, int32_t x, int32_t y) {
    Button* button = new Button(x, y);
    NoteLeftOut(button->LoadStrip(ArtFile(buttonName).c_str(), 3, 0));
    button->SetName(buttonName);
    AddButton(button);
}

void ShelfScene::AddSwitchButton(const char* buttonName, int32_t y, bool on) {
    // Six pictures: off in its three states, then on in its three.
    Button* button = new Button(kButtonX, y);
    NoteLeftOut(button->LoadStrip(ArtFile(buttonName).c_str(), 6, 0));
    button->SetName(buttonName);
    button->frameBase = on ? 3 : 0;
    AddButton(button);
}

void ShelfScene::ShowPage(Page page) {
    if (page_ == Page::Players) players_.Close();
    // Back on the menu, the focus is on the button that opened the page.
    if (page_ == Page::Menu) menuFocus_ = focus_;
    page_ = page;
    if (buttons != nullptr) buttons->DeleteAll();
    SetFocus(0);
    switch (page) {
        case Page::Menu: {
            int32_t y = kButtonTop;
            for (const char* name : {"play", "players", "options", "halloffame", "howtoplay", "quit"}) {
                AddPageButton(name, kButtonX, y);
                y += kButtonStep;
            }
            SetFocus(menuFocus_);
            return;
        }
        case Page::Players:
            players_.Open();
            for (const PageButton& b : PlayersPage::Buttons()) {
                // A field is only the place it takes; the page draws it.
                Button* button = b.frames > 0 ? new Button(b.x, b.y) : new Button(b.x, b.y, b.width, b.height);
                if (b.frames > 0) NoteLeftOut(button->LoadStrip(ArtFile(b.picture).c_str(), b.frames, 0));
                button->SetName(b.name.c_str());
                AddButton(button);
            }
            AddPageButton("back", kButtonX, kBackY);
            SyncPlayersPage();
            // Typing goes straight into the chosen player's name.
            for (int32_t i = 0; i < buttons->buttons->Count(); ++i) {
                if (std::string(buttons->buttons->Get(i)->name) == "name") SetFocus(i);
            }
            return;
        case Page::Options: {
            int32_t y = kButtonTop;
            for (const SwitchButton& s : kSwitchButtons) {
                AddSwitchButton(s.name, y, ReadSwitch(s.which));
                y += kButtonStep;
            }
            break;
        }
        case Page::HallOfFame: hallRows_ = ReadHallOfFame(kHighScoreFile, CurrentPlayerName()); break;
        case Page::HowToPlay: break;
    }
    AddPageButton("back", kButtonX, kBackY);
}

void ShelfScene::Activate(const std::string& buttonName) {
    if (buttonName == "play") {
        launched_ = LaunchGame();
        // The game takes over; the launcher ends and the game's menu button brings it back.
        if (!launched_.empty()) Quit();
    } else if (buttonName == "players") {
        ShowPage(Page::Players);
    } else if (buttonName == "options") {
        ShowPage(Page::Options);
    } else if (buttonName == "halloffame") {
        ShowPage(Page::HallOfFame);
    } else if (buttonName == "howtoplay") {
        ShowPage(Page::HowToPlay);
    } else if (buttonName == "quit") {
        Quit();
    } else if (buttonName == "back") {
        ShowPage(Page::Menu);
    } else if (page_ == Page::Players && players_.Activate(buttonName)) {
        SyncPlayersPage();
        return;
    }
    for (const SwitchButton& s : kSwitchButtons) {
        if (buttonName != s.name) continue;
        const bool on = !ReadSwitch(s.which);
        // A file that could not be written keeps the switch as it was.
        if (!WriteSwitch(s.which, on).Ok()) return;
        if (Button* button = buttons->Find(s.name)) button->frameBase = on ? 3 : 0;
        if (s.which == ShelfSwitch::Effects) {
            g_SoundManager.EnableSFX(on);
            if (on) g_SoundManager.Play("sample", kFullVolume, 0);
        }
    }
}

void ShelfScene::SyncPlayersPage() {
    for (int32_t i = 0; i < buttons->buttons->Count(); ++i) {
        Button* button = buttons->buttons->Get(i);
        button->frameBase = players_.FrameBase(button->name);
    }
    const std::string wanted = players_.TakeFocusRequest();
    for (int32_t i = 0; i < buttons->buttons->Count() && !wanted.empty(); ++i) {
        if (wanted == buttons->buttons->Get(i)->name) SetFocus(i);
    }
}

void ShelfScene::SetFocus(int32_t index) {
    focus_ = index;
    if (page_ == Page::Players) players_.Focus(Focused());
}

std::string ShelfScene::Focused() const {
    if (buttons == nullptr || focus_ >= buttons->buttons->Count()) return "";
    return buttons->buttons->Get(focus_)->name;
}

void ShelfScene::MoveFocus(int32_t step) {
    const int32_t count = buttons != nullptr ? buttons->buttons->Count() : 0;
    if (count > 0) SetFocus((focus_ + step % count + count) % count);
}

int ShelfScene::OnMessage(plat::WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (page_ == Page::Players && players_.OnMessage(message, wParam, lParam)) return 0;
    if (message != plat::WM_KEYUP) return 1;
    const int key = static_cast<int>(wParam);
    // A field's caret keys were its own when they went down.
    if (players_.Editing() && (key == plat::VK_LEFT || key == plat::VK_RIGHT)) return 0;
    switch (key) {
        case plat::VK_ESCAPE:
            if (page_ == Page::Menu) return 1;  // the window closes
            ShowPage(Page::Menu);
            return 0;
        case plat::VK_UP:
        case plat::VK_LEFT: MoveFocus(-1); break;
        case plat::VK_DOWN:
        case plat::VK_RIGHT:
        case plat::VK_TAB: MoveFocus(1); break;
        case plat::VK_RETURN:
            if (buttons != nullptr && focus_ < buttons->buttons->Count()) {
                Activate(buttons->buttons->Get(focus_)->name);
            }
            break;
        default: break;
    }
    return 1;
}

void ShelfScene::DrawPage() {
    plat::Surface* back = BackPage();
    DrawImageAt(back, "backdrop", 0, 0);
    if (page_ != Page::Menu) DrawImageAt(back, PageName(page_), kHeadingX, kHeadingY);
    if (page_ == Page::HowToPlay) {
        DrawImageAt(back, "help", kHelpX, kHelpY);
        // The picture's last line speaks of the game; the shelf's own goes over it.
        const Image* help = FindImageByName(images, "help");
        const Image* caption = FindImageByName(images, "help_caption");
        if (help != nullptr && caption != nullptr) {
            DrawImageAt(back, "help_caption", kHelpX + (help->width - caption->width) / 2,
                        kHelpY + help->height - kHelpCaptionAbove);
        }
    }
    if (page_ != Page::HallOfFame) return;
    int32_t y = kRowTop;
    for (const HallOfFameRow& row : hallRows_) {
        if (row.current) DrawImageAt(back, "mark", kMarkX, y);
        font_.Draw(back, row.name, kNameX, y, kScoreX - 80);
        if (!row.name.empty()) digits_.DrawNumber(row.score, kScoreX, y, back);
        y += kRowStep;
    }
}

int ShelfScene::Run(int) {
    int32_t x = 0, y = 0, mouseButtons = 0;
    page->mouse->Read(&x, &y, &mouseButtons, nullptr, nullptr);
    // The help picture says a click anywhere returns from it.
    const bool released = (lastButtons_ & 1) != 0 && (mouseButtons & 1) == 0;
    lastButtons_ = mouseButtons;
    if (page_ == Page::HowToPlay && released) ShowPage(Page::Menu);
    DrawPage();
    buttons->PollAll(x, y, mouseButtons);
    // The focused button shows as hovered while the mouse leaves it be.
    for (int32_t i = 0; i < buttons->buttons->Count(); ++i) {
        Button* button = buttons->buttons->Get(i);
        const bool lit = i == focus_ && button->GetState() == Button::kNormal;
        button->SetForcedFrame(lit ? button->frameBase + Button::kHovered : -1);
    }
    buttons->RefreshAll();
    if (page_ == Page::Players) {
        players_.Draw(BackPage(), font_, FindImageByName(images, "current"), FrameTimer::Now());
    }
    if (Button* clicked = buttons->GetClicked()) {
        // What is clicked takes the keyboard focus too.
        for (int32_t i = 0; i < buttons->buttons->Count(); ++i) {
            if (buttons->buttons->Get(i) == clicked) SetFocus(i);
        }
        Activate(clicked->name);
    }
    Present();
    return 1;
}
