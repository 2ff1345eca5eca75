#pragma once
// The players page: the eight profiles of the options file as a column of
// rows, and under them the chosen profile's name, address and e-mail fields,
// its send switch and the buttons that save it, make it the current player
// (saving it first), start a new one in the first free place, or clear it.
// Edits stay on the page until saved; every write keeps the rest of the file.
#include <cstdint>
#include <string>
#include <vector>

#include "game/player_store.h"
#include "scene/text_entry.h"

class Image;
class NameFont;

// A button of the page; a field's hit area has no picture.
struct PageButton {
    std::string name;
    const char* picture;
    int32_t x, y;
    int32_t frames;  // 3, 6 for a pair of strips (off, then on), 0 for a field
    int32_t width = 0, height = 0;  // a field's; a picture gives its own
};

class PlayersPage {
public:
    PlayersPage();

    // Reads the profiles and the current player, and chooses the current row.
    void Open();
    // Text input goes off with the page.
    void Close();
    // The page's buttons and fields in the keyboard's order.
    static const std::vector<PageButton>& Buttons();
    // Does what the button of that name does; false when it is none of the page's.
    bool Activate(const std::string& name);
    // The keyboard focus is now on the button or field of that name.
    void Focus(const std::string& name);
    // A field that has the focus takes typed characters and its editing keys.
    bool OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    bool Editing() const { return focused_ != nullptr; }
    // The field or button the page wants the focus on next ("name" after
    // New), once; empty when none.
    std::string TakeFocusRequest();
    // 3 for a chosen row and a send switch that is on, else 0.
    int32_t FrameBase(const std::string& name) const;
    // Over the buttons: the rows' names with the star before the current
    // player's, the fields with their labels, the last message.
    void Draw(plat::Surface* surface, const NameFont& font, Image* star, uint32_t nowMs) const;

    int32_t Chosen() const { return chosen_; }
    int32_t Current() const { return current_; }
    // Whether a profile holds only what a missing section reads as.
    bool IsFree(int32_t index) const;
    const std::string& Message() const { return message_; }

private:
    void Choose(int32_t index);
    bool Save();
    void Reload();
    TextEntry* FieldNamed(const std::string& name);

    PlayerRecord records_[PlayerStore::kPlayers] = {};
    int32_t chosen_ = 0, current_ = 0;
    TextEntry name_, address_, email_;
    TextEntry* focused_ = nullptr;
    bool send_ = true;
    std::string message_;
    std::string focusRequest_;
};
