#include "scene/dialog_scene.h"

#include <cstdio>

#include "display/dirty_rect_manager.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"
#include "runtime/message_pump.h"
#include "scene/button_list.h"

namespace {
constexpr size_t kResultSize = 256;
}  // namespace

DialogScene::DialogScene(FramePage& framePage)
    : Scene(&framePage), panels(nullptr), panel(nullptr), done(0), left(-1), top(-1), right(-1), bottom(-1),
      swapBackground(1), deadline(0), hotKey(0), pollParent(0) {
    DialogScene::Init();
}

DialogScene::~DialogScene() { DialogScene::Leave(); }

void DialogScene::Init() {
    if (panels == nullptr) panels = new PtrList<Image>(1);
}

void DialogScene::Leave() {
    Scene::Leave();
    if (panels == nullptr) return;
    for (int32_t i = 0; i < panels->Count(); ++i) {
        page->dirtyRects->ForgetSurface(panels->Get(i)->GetSurface());
    }
    panels->DeleteAll();
    delete panels;
    panels = nullptr;
    panel = nullptr;
}

void DialogScene::SetPosition(int32_t atX, int32_t atY) {
    if (atX == -1 && atY == -1) {
        if (left == -1 && top == -1) {
            // Centred on the page, as CentreRect would place it; a panel
            // that did not load counts as 0 by 0, a page without its back
            // page too.
            const plat::Surface* back = BackPage();
            left = (back != nullptr ? back->Width() : 0) / 2 - PanelWidth() / 2;
            top = (back != nullptr ? back->Height() : 0) / 2 - PanelHeight() / 2;
            right = left + PanelWidth();
            bottom = top + PanelHeight();
        }
    } else {
        left = atX;
        top = atY;
        right = atX + PanelWidth();
        bottom = atY + PanelHeight();
    }
    if (buttons != nullptr) buttons->SetOffset(left, top);
}

void DialogScene::EndWith(const char* text) {
    if (text != nullptr) SetName(text);
    done = 1;
}

int DialogScene::DoModal(char* result, const char* panelName) {
    done = 0;
    if (panelName != nullptr) {
        SelectPanelByName(panelName);
    } else {
        panel = panels != nullptr && panels->Count() > 0 ? panels->Get(0) : nullptr;
    }
    // While the panel is up, restores copy from the panel's picture, and
    // rectangles reported before it copy nothing.
    const bool swap = swapBackground == 1;
    DirtyRectManager& dirtyRects = *page->dirtyRects;
    plat::Surface* saved = dirtyRects.GetBackground();
    if (swap) dirtyRects.SetBackground(panel != nullptr ? panel->GetSurface() : nullptr);
    SetName("");

    bool closing = false;
    while (done == 0) {
        int32_t mouseX = 0, mouseY = 0, mouseButtons = 0;
        page->mouse->Read(&mouseX, &mouseY, &mouseButtons, nullptr, nullptr);
        // The quit message: the window is gone and the shell has shut down,
        // so nothing more is drawn.
        if (PumpMessages() == 1) {
            closing = true;
            break;
        }
        if (panel != nullptr) panel->Draw(BackPage(), left, top);
        if (buttons != nullptr) {
            buttons->PollAll(mouseX, mouseY, mouseButtons);
            buttons->RefreshAll();
        }
        if (Tick(mouseX, mouseY, mouseButtons) == 0) {
            closing = true;
            break;
        }
        if (done == 0 && parent != nullptr && pollParent != 0 && parent->buttons != nullptr) {
            parent->buttons->PollAll(mouseX, mouseY, mouseButtons);
            parent->buttons->RefreshAll();
            Button* clickedButton = parent->buttons->GetClicked();
            if (clickedButton != nullptr) EndWith(clickedButton->name);
        }
        Present();
    }
    if (swap) dirtyRects.SetBackground(saved);
    if (closing) return 0;
    if (result != nullptr) std::snprintf(result, kResultSize, "%s", name);
    return done;
}

int DialogScene::Tick(int32_t, int32_t, int32_t) { return CheckInput(); }

int DialogScene::CheckInput() {
    Button* clickedButton = buttons != nullptr ? buttons->GetClicked() : nullptr;
    if (hotKey != 0 && plat::IsKeyDown(hotKey)) EndWith("key");
    // A click in the same pass wins over the key for the result.
    if (clickedButton != nullptr) EndWith(clickedButton->name);
    if (deadline != 0 && static_cast<int32_t>(deadline - FrameTimer::Now()) < 0) EndWith(nullptr);
    return 1;
}

Image* DialogScene::SelectPanel(Image* image) {
    if (image == nullptr) return nullptr;
    panel = image;
    SetPosition(-1, -1);
    return image;
}

Image* DialogScene::SelectPanelByName(const char* panelName) {
    Image* found = FindPanel(panelName);
    if (found != nullptr) {
        panel = found;
    } else {
        panel = panels != nullptr && panels->Count() > 0 ? panels->Get(0) : nullptr;
    }
    SetPosition(-1, -1);
    return panel;
}

Image* DialogScene::GetPanel() { return panel; }

Image* DialogScene::FindPanel(const char* panelName) { return FindImageByName(panels, panelName); }

Image* DialogScene::AddPanel(const char* fileName, const char* panelName) {
    auto* image = new Image();
    image->Load(fileName);
    image->SetName(panelName);
    if (panels == nullptr) panels = new PtrList<Image>(1);
    panels->Add(image);
    SelectPanel(image);
    return image;
}

void DialogScene::SetSwapBackground(int32_t flag) { swapBackground = flag; }

void DialogScene::AddDefaultButton() {
    auto* button = new Button(0, 0, PanelWidth(), PanelHeight());
    button->SetName("default");
    AddButton(button);
}

void DialogScene::SetDeadline(uint32_t time) { deadline = time; }

void DialogScene::SetHotKey(int32_t virtualKey) { hotKey = virtualKey; }

void DialogScene::SetPollParent(int32_t flag) { pollParent = flag; }
