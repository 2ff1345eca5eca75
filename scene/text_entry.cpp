#include "scene/text_entry.h"

#include <algorithm>

#include "platform/messages.h"
#include "platform/surface.h"
#include "platform/text_input.h"
#include "platform/utf8.h"
#include "platform/window.h"

namespace {

// Characters (not bytes) in the text, which is always well-formed.
int32_t CharacterCount(std::string_view text) {
    int32_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos = plat::utf8::NextBoundary(text, pos)) ++count;
    return count;
}

// One byte per character for the font: ASCII as it is, everything else '?'.
std::string FontText(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size(); pos = plat::utf8::NextBoundary(text, pos)) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        out += byte < 0x80 ? static_cast<char>(byte) : '?';
    }
    return out;
}

void Fill(plat::Surface& s, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
    const plat::Rect r{std::max(left, 0), std::max(top, 0), std::min(right, s.Width()),
                       std::min(bottom, s.Height())};
    if (r.left < r.right && r.top < r.bottom) s.Blt(&r, nullptr, nullptr, plat::DDBLT_COLORFILL, colour);
}

}  // namespace

void TextEntry::SetText(std::string_view text) {
    text_.clear();
    caret_ = 0;
    Paste(text);
}

bool TextEntry::Insert(char32_t codePoint) {
    if (plat::utf8::IsControl(codePoint)) return false;
    std::string bytes;
    plat::utf8::Append(bytes, codePoint);
    if (bytes.empty() || text_.size() + bytes.size() > kMaxBytes) return false;
    text_.insert(caret_, bytes);
    caret_ += bytes.size();
    return true;
}

void TextEntry::Paste(std::string_view text) {
    const std::string kept = plat::utf8::Clean(text, kMaxBytes - text_.size());
    text_.insert(caret_, kept);
    caret_ += kept.size();
}

void TextEntry::Backspace() {
    const std::size_t start = plat::utf8::PreviousBoundary(text_, caret_);
    text_.erase(start, caret_ - start);
    caret_ = start;
}

void TextEntry::Delete() { text_.erase(caret_, plat::utf8::NextBoundary(text_, caret_) - caret_); }

void TextEntry::Left() { caret_ = plat::utf8::PreviousBoundary(text_, caret_); }

void TextEntry::Right() { caret_ = plat::utf8::NextBoundary(text_, caret_); }

void TextEntry::SetFocused(bool focused) {
    if (focused == focused_) return;
    focused_ = focused;
    focused ? plat::StartTextInput() : plat::StopTextInput();
}

bool TextEntry::OnMessage(uint32_t message, uintptr_t wParam, intptr_t) {
    if (message == plat::WM_UNICHAR) {
        Insert(static_cast<char32_t>(wParam));
        return true;
    }
    if (message != plat::WM_KEYDOWN) return false;
    switch (static_cast<int>(wParam)) {
        case plat::VK_BACK: Backspace(); return true;
        case plat::VK_DELETE: Delete(); return true;
        case plat::VK_LEFT: Left(); return true;
        case plat::VK_RIGHT: Right(); return true;
        case plat::VK_HOME: Home(); return true;
        case plat::VK_END: End(); return true;
        case 'V':
            if (!plat::IsKeyDown(plat::VK_CONTROL)) return false;
            Paste(plat::ClipboardText());
            return true;
        default: return false;
    }
}

int32_t TextEntry::CaretX() const {
    return x + kPadding + CharacterCount(std::string_view(text_).substr(0, caret_)) * qvfont::kCellWidth - 1;
}

void TextEntry::Draw(plat::Surface& surface, uint32_t nowMs) const {
    // A white border round a dark blue field, in the surface's own format.
    const plat::PixelFormat f = surface.GetSurfaceDesc().format;
    const uint32_t white = f.redMask | f.greenMask | f.blueMask;
    const uint32_t field = f.blueMask & (f.blueMask >> 1);
    Fill(surface, x, y, x + kWidth, y + kHeight, white);
    Fill(surface, x + 1, y + 1, x + kWidth - 1, y + kHeight - 1, field);
    qvfont::DrawText(surface, FontText(text_).c_str(), x + kPadding, y + 2);
    if (focused_ && (nowMs / kBlinkMs) % 2 == 0) {
        Fill(surface, CaretX(), y + 2, CaretX() + 1, y + 2 + qvfont::kCellHeight, white);
    }
}
