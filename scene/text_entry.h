#pragma once
// TextEntry: a one-line text field for the player profiles. It holds UTF-8
// text of at most kMaxBytes bytes (the records keep 64-byte fields) and a
// caret, and edits by whole characters only: a typed or pasted character
// that does not fit is refused whole, and Backspace and Delete never leave
// half of one. The owner hands it the window messages while it has the focus
// and draws it each frame.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/qv_font.h"

namespace plat {
class Surface;
}

class TextEntry {
public:
    static constexpr std::size_t kMaxBytes = 63;
    // Border, text and caret, in pixels: one cell per character, so the
    // longest text of one-byte characters fits.
    static constexpr int32_t kPadding = 3;
    static constexpr int32_t kWidth = int32_t(kMaxBytes) * qvfont::kCellWidth + 2 * kPadding;
    static constexpr int32_t kHeight = qvfont::kCellHeight + 4;
    // Half of the caret's blink period.
    static constexpr uint32_t kBlinkMs = 500;

    TextEntry(int32_t atX, int32_t atY) : x(atX), y(atY) {}

    const std::string& Text() const { return text_; }
    // The caret as a byte offset into Text(), always at a character boundary.
    std::size_t Caret() const { return caret_; }
    // Replaces the text with what Paste would keep of it; the caret goes to the end.
    void SetText(std::string_view text);

    // Inserts the character at the caret; false when it is a control
    // character, no character at all, or does not fit whole.
    bool Insert(char32_t codePoint);
    // Inserts the text's printable characters at the caret, as many whole
    // ones as fit; line breaks and control characters are dropped.
    void Paste(std::string_view text);
    void Backspace();
    void Delete();
    void Left();
    void Right();
    void Home() { caret_ = 0; }
    void End() { caret_ = text_.size(); }

    // Starts or stops the platform's text input with the focus; only a
    // focused field shows its caret.
    void SetFocused(bool focused);
    bool Focused() const { return focused_; }

    // WM_UNICHAR inserts; WM_KEYDOWN of Backspace, Delete, Left, Right, Home
    // and End edit, and Ctrl+V pastes the clipboard. True when the message
    // was the field's.
    bool OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    // The box, the text (a character the font lacks shows as '?') and, when
    // focused, the caret: shown for kBlinkMs, hidden for kBlinkMs, by the
    // caller's clock.
    void Draw(plat::Surface& surface, uint32_t nowMs) const;
    // The caret's column of pixels on the surface.
    int32_t CaretX() const;

    int32_t x, y;

private:
    std::string text_;
    std::size_t caret_ = 0;
    bool focused_ = false;
};
