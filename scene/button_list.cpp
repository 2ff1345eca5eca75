#include "scene/button_list.h"

#include <cstring>

ButtonList::ButtonList() : buttons(new PtrList<Button>(1)), offsetX(0), offsetY(0) {}

ButtonList::~ButtonList() {
    buttons->DeleteAll();
    delete buttons;
}

void ButtonList::Add(Button* button) {
    if (button != nullptr) buttons->Add(button);
}

void ButtonList::PollAll(int32_t mouseX, int32_t mouseY, int32_t mouseButtons) {
    for (int32_t i = 0; i < buttons->Count(); ++i) {
        buttons->Get(i)->Poll(mouseX, mouseY, mouseButtons);
    }
}

void ButtonList::RefreshAll() {
    for (int32_t i = 0; i < buttons->Count(); ++i) buttons->Get(i)->Refresh();
}

Button* ButtonList::GetClicked() {
    for (int32_t i = 0; i < buttons->Count(); ++i) {
        Button* button = buttons->Get(i);
        if (button->clicked != 0 && button->enabled != 0) return button;
    }
    return nullptr;
}

int ButtonList::IsClicked(const char* buttonName) {
    Button* button = GetClicked();
    if (button == nullptr || buttonName == nullptr) return 0;
    return std::strcmp(button->name, buttonName) == 0 && button->WasClicked() != 0 ? 1 : 0;
}

Button* ButtonList::Find(const char* buttonName) {
    if (buttonName == nullptr) return nullptr;
    for (int32_t i = 0; i < buttons->Count(); ++i) {
        if (std::strcmp(buttons->Get(i)->name, buttonName) == 0) return buttons->Get(i);
    }
    return nullptr;
}

Button* ButtonList::GetHovered() {
    for (int32_t i = 0; i < buttons->Count(); ++i) {
        if (buttons->Get(i)->IsHovered() != 0) return buttons->Get(i);
    }
    return nullptr;
}

void ButtonList::SetOffset(int32_t dx, int32_t dy) {
    offsetX = dx;
    offsetY = dy;
    for (int32_t i = 0; i < buttons->Count(); ++i) buttons->Get(i)->SetOffset(dx, dy);
}

void ButtonList::Delete(const char* buttonName) {
    Button* button = Find(buttonName);
    if (button == nullptr) return;
    buttons->Remove(button);
    delete button;
}

void ButtonList::DeleteAll() { buttons->DeleteAll(); }
