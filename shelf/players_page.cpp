#include "shelf/players_page.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "display/image.h"
#include "platform/surface.h"
#include "platform/utf8.h"
#include "runtime/shell_state.h"
#include "shelf/name_font.h"
#include "shell/window_config.h"

namespace {
constexpr int32_t kRowX = 200, kRowTop = 136, kRowStep = 26;
constexpr int32_t kRowWidth = 400, kRowHeight = 24, kStarX = 206, kStarTop = 4, kRowTextX = 228;
constexpr int32_t kLabelX = 200, kFieldX = 284, kFieldTop = 348, kFieldStep = 26;
constexpr int32_t kFieldWidth = 316, kFieldHeight = 22, kFieldPadding = 4;
constexpr int32_t kSmallLeft = 200, kSmallStep = 134, kFirstLineY = 430, kSecondLineY = 468;
constexpr int32_t kMessageX = 200, kMessageY = 506, kMessageRight = 600;

struct FieldLabel {
    const char* button;
    const char* label;
};
constexpr FieldLabel kFields[] = {{"name", "Name"}, {"address", "Address"}, {"email", "E-mail"}};

std::string RowName(int32_t index) { return "slot" + std::to_string(index + 1); }

std::string DefaultName(int32_t index) { return "Player" + std::to_string(index + 1); }

// The row a button name stands for, or -1.
int32_t RowOf(const std::string& name) {
    for (int32_t i = 0; i < PlayerStore::kPlayers; ++i) {
        if (name == RowName(i)) return i;
    }
    return -1;
}

std::string Field(const char (&field)[64]) { return std::string(field, strnlen(field, sizeof field)); }

template <std::size_t N>
void Copy(char (&field)[N], const std::string& value) {
    std::snprintf(field, N, "%s", value.c_str());
}

void Fill(plat::Surface* s, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
    const plat::Rect r{left, top, right, bottom};
    s->Blt(&r, nullptr, nullptr, plat::DDBLT_COLORFILL, colour);
}

// The field's box, as much of its text as fits with the caret in view, and
// the caret while focused, blinking on the caller's clock.
void DrawField(plat::Surface* s, const NameFont& font, const TextEntry& field, int32_t x, int32_t y,
               uint32_t nowMs) {
    const plat::PixelFormat f = s->GetSurfaceDesc().format;
    const uint32_t white = f.redMask | f.greenMask | f.blueMask;
    const uint32_t ink = f.blueMask & (f.blueMask >> 1);
    Fill(s, x, y, x + kFieldWidth, y + kFieldHeight, field.Focused() ? white : ink | (white & 0x4208));
    Fill(s, x + 1, y + 1, x + kFieldWidth - 1, y + kFieldHeight - 1, ink);
    const std::string& text = field.Text();
    const int32_t room = kFieldWidth - 2 * kFieldPadding;
    // Characters scroll out on the left while the caret would pass the right edge.
    std::size_t start = 0;
    while (start < field.Caret() && font.Measure(std::string_view(text).substr(start, field.Caret() - start)) > room) {
        start = plat::utf8::NextBoundary(text, start);
    }
    const int32_t left = x + kFieldPadding, top = y + (kFieldHeight - font.Height()) / 2;
    font.Draw(s, std::string_view(text).substr(start), left, top, x + kFieldWidth - kFieldPadding);
    if (field.Focused() && (nowMs / TextEntry::kBlinkMs) % 2 == 0) {
        const int32_t caret = left + font.Measure(std::string_view(text).substr(start, field.Caret() - start));
        Fill(s, caret, y + 3, caret + 1, y + kFieldHeight - 3, white);
    }
}
}  // namespace

PlayersPage::PlayersPage()
    : name_(kFieldX, kFieldTop),
      address_(kFieldX, kFieldTop + kFieldStep),
      email_(kFieldX, kFieldTop + 2 * kFieldStep) {}

const std::vector<PageButton>& PlayersPage::Buttons() {
    static const std::vector<PageButton> buttons = [] {
        std::vector<PageButton> list;
        for (int32_t i = 0; i < PlayerStore::kPlayers; ++i) {
            list.push_back({RowName(i), "slot", kRowX, kRowTop + i * kRowStep, 6});
        }
        int32_t y = kFieldTop;
        for (const FieldLabel& field : kFields) {
            list.push_back({field.button, "", kFieldX, y, 0, kFieldWidth, kFieldHeight});
            y += kFieldStep;
        }
        list.push_back({"send", "send", kSmallLeft, kFirstLineY, 6});
        list.push_back({"save", "save", kSmallLeft + kSmallStep, kFirstLineY, 3});
        list.push_back({"use", "use", kSmallLeft + 2 * kSmallStep, kFirstLineY, 3});
        list.push_back({"new", "new", kSmallLeft, kSecondLineY, 3});
        list.push_back({"clear", "clear", kSmallLeft + kSmallStep, kSecondLineY, 3});
        return list;
    }();
    return buttons;
}

void PlayersPage::Reload() {
    g_PlayerStore.SetPath(kOptionsFile);
    current_ = g_PlayerStore.ReadPlayerId();
    for (int32_t i = 0; i < PlayerStore::kPlayers; ++i) {
        g_PlayerStore.LoadPlayer(i);
        records_[i] = g_PlayerStore.records[i];
    }
}

void PlayersPage::Open() {
    Reload();
    message_.clear();
    Choose(current_);
}

void PlayersPage::Close() { Focus(""); }

bool PlayersPage::IsFree(int32_t index) const {
    const PlayerRecord& r = records_[index];
    return Field(r.name) == DefaultName(index) && r.address[0] == '\0' && r.email[0] == '\0' &&
           std::strcmp(r.send, "Y") == 0;
}

void PlayersPage::Choose(int32_t index) {
    chosen_ = index;
    const PlayerRecord& r = records_[index];
    const bool free = IsFree(index);
    name_.SetText(free ? "" : Field(r.name));
    address_.SetText(Field(r.address));
    email_.SetText(Field(r.email));
    send_ = r.send[0] != 'N';
}

bool PlayersPage::Save() {
    if (name_.Text().empty()) {
        message_ = "Type a name first.";
        return false;
    }
    // The game stores a score's player as the fields joined by ':'.
    if (name_.Text().find(':') != std::string::npos) {
        message_ = "A name cannot hold a ':'.";
        return false;
    }
    PlayerRecord record{};
    Copy(record.name, name_.Text());
    Copy(record.address, address_.Text());
    Copy(record.email, email_.Text());
    Copy(record.send, send_ ? "Y" : "N");
    if (const Status written = g_PlayerStore.WritePlayer(chosen_, record); !written) {
        message_ = "The options file could not be written: " + written.Why();
        Reload();
        return false;
    }
    records_[chosen_] = g_PlayerStore.records[chosen_];
    if (chosen_ == current_) SetTitleSuffix(records_[chosen_].name);
    message_ = name_.Text() + " is saved.";
    return true;
}

bool PlayersPage::Activate(const std::string& name) {
    const int32_t row = RowOf(name);
    if (row >= 0) {
        Choose(row);
        message_.clear();
    } else if (name == "send") {
        send_ = !send_;
    } else if (name == "save") {
        Save();
    } else if (name == "use") {
        if (!Save()) return true;
        if (const Status written = g_PlayerStore.WritePlayerId(chosen_); !written) {
            message_ = "The options file could not be written: " + written.Why();
            return true;
        }
        current_ = chosen_;
        SetTitleSuffix(records_[chosen_].name);
        message_ = name_.Text() + " is playing now.";
    } else if (name == "new") {
        int32_t free = 0;
        while (free < PlayerStore::kPlayers && !IsFree(free)) ++free;
        if (free == PlayerStore::kPlayers) {
            message_ = "All eight places are taken: clear one first.";
            return true;
        }
        Choose(free);
        message_ = "Type the new player's name, then Save.";
        focusRequest_ = "name";
    } else if (name == "clear") {
        if (const Status written = g_PlayerStore.ClearPlayer(chosen_); !written) {
            message_ = "The options file could not be written: " + written.Why();
            return true;
        }
        records_[chosen_] = g_PlayerStore.records[chosen_];
        if (chosen_ == current_) SetTitleSuffix(records_[chosen_].name);
        Choose(chosen_);
        message_ = DefaultName(chosen_) + " is free.";
    } else {
        return FieldNamed(name) != nullptr;
    }
    return true;
}

TextEntry* PlayersPage::FieldNamed(const std::string& name) {
    if (name == "name") return &name_;
    if (name == "address") return &address_;
    if (name == "email") return &email_;
    return nullptr;
}

void PlayersPage::Focus(const std::string& name) {
    TextEntry* field = FieldNamed(name);
    if (field == focused_) return;
    if (focused_ != nullptr) focused_->SetFocused(false);
    focused_ = field;
    if (field != nullptr) {
        field->End();
        field->SetFocused(true);
    }
}

bool PlayersPage::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return focused_ != nullptr && focused_->OnMessage(message, wParam, lParam);
}

std::string PlayersPage::TakeFocusRequest() { return std::exchange(focusRequest_, std::string()); }

int32_t PlayersPage::FrameBase(const std::string& name) const {
    if (name == "send") return send_ ? 3 : 0;
    return RowOf(name) == chosen_ ? 3 : 0;
}

void PlayersPage::Draw(plat::Surface* surface, const NameFont& font, Image* star, uint32_t nowMs) const {
    const int32_t rowText = (kRowHeight - font.Height()) / 2;
    for (int32_t i = 0; i < PlayerStore::kPlayers; ++i) {
        const int32_t y = kRowTop + i * kRowStep;
        const std::string text = IsFree(i) ? DefaultName(i) + " (free)" : Field(records_[i].name);
        if (i == current_ && star != nullptr) star->Draw(surface, kStarX, y + kStarTop);
        font.Draw(surface, text, kRowTextX, y + rowText, kRowX + kRowWidth - 4);
    }
    const TextEntry* fields[] = {&name_, &address_, &email_};
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t y = kFieldTop + k * kFieldStep;
        font.Draw(surface, kFields[k].label, kLabelX, y + (kFieldHeight - font.Height()) / 2);
        DrawField(surface, font, *fields[k], kFieldX, y, nowMs);
    }
    font.Draw(surface, message_, kMessageX, kMessageY, kMessageRight);
}
