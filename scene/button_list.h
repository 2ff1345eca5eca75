#pragma once
// ButtonList: a scene's buttons. It owns them, polls them with the mouse once
// per frame, draws them, tells which one was clicked and moves them all by a
// common offset.
#include <cstdint>

#include "base/ptr_list.h"
#include "scene/button.h"

class ButtonList {
public:
    ButtonList();
    // Destroys every button.
    ~ButtonList();
    ButtonList(const ButtonList&) = delete;
    ButtonList& operator=(const ButtonList&) = delete;

    // The list owns the button from then on.
    void Add(Button* button);
    void PollAll(int32_t mouseX, int32_t mouseY, int32_t mouseButtons);
    void RefreshAll();
    // The first button, in list order, that is enabled and was clicked in
    // the last poll; null when none.
    Button* GetClicked();
    // Non-zero when GetClicked gives a button of exactly that name.
    int IsClicked(const char* buttonName);
    Button* Find(const char* buttonName);
    Button* GetHovered();
    // Moves every button, and those added later through Scene::AddButton.
    void SetOffset(int32_t dx, int32_t dy);
    // Takes the first button of that name out and destroys it.
    void Delete(const char* buttonName);
    void DeleteAll();

    PtrList<Button>* buttons;
    int32_t offsetX;
    int32_t offsetY;
};
