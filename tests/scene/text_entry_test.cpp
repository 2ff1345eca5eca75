// TextEntry: editing by whole UTF-8 characters within 63 bytes, the caret,
// the window messages it answers, its drawing, and the sdl backend's typed
// text turned into those messages.
#include "scene/text_entry.h"

#include "headless_shell.h"
#include "platform/sdl/sdl_input.h"
#include "surface_test_util.h"

namespace {

using TextEntryTest = HeadlessShell;

const std::string kEuro = "\xE2\x82\xAC";          // 3 bytes
const std::string kEAcute = "\xC3\xA9";            // 2 bytes
const std::string kFace = "\xF0\x9F\x98\x80";      // 4 bytes

TEST_F(TextEntryTest, CharactersThatDoNotFitWholeAreRefusedAndNoneIsCut) {
    TextEntry entry(0, 0);
    entry.SetText(std::string(61, 'a'));
    EXPECT_FALSE(entry.Insert(U'\u20AC'));  // would end at byte 64
    EXPECT_EQ(entry.Text().size(), 61u);
    EXPECT_TRUE(entry.Insert(U'\u00E9'));  // ends exactly at byte 63
    EXPECT_FALSE(entry.Insert(U'b'));
    EXPECT_EQ(entry.Text(), std::string(61, 'a') + kEAcute);

    entry.SetText(std::string(60, 'a'));
    entry.Paste("\n" + kEAcute + kEuro + "b");  // the euro would cross byte 63
    EXPECT_EQ(std::make_pair(entry.Text(), entry.Caret()), std::make_pair(std::string(60, 'a') + kEAcute, size_t{62}));

    entry.SetText("x" + kFace);
    entry.Backspace();
    EXPECT_EQ(entry.Text(), "x");

    // Line breaks, tabs, DEL, a C1 control (U+0085) and malformed bytes go;
    // so do typed control characters.
    entry.SetText("a\r\nb\tc\x7F" "d\xC2\x85" "e\xFF\xC3");
    EXPECT_EQ(entry.Text(), "abcde");
    EXPECT_FALSE(entry.Insert(U'\n'));
    EXPECT_FALSE(entry.Insert(0xD800));  // a lone surrogate is no character
    EXPECT_EQ(entry.Text(), "abcde");
}

TEST_F(TextEntryTest, TheCaretMovesAndDeletesByWholeCharacters) {
    TextEntry entry(10, 0);
    entry.SetText("a" + kEAcute + kFace + "b");  // starts at 0, 1, 3, 7; ends at 8
    std::string stops;
    for (int i = 0; i < 5; ++i, entry.Left()) stops += std::to_string(entry.Caret());
    EXPECT_EQ(stops, "87310");
    for (int i = 0; i < 2; ++i) entry.Right();
    EXPECT_EQ(entry.Caret(), 3u);
    EXPECT_EQ(entry.CaretX(), 10 + TextEntry::kPadding + 2 * 6 - 1);  // two cells in, whatever their bytes
    entry.Delete();
    EXPECT_EQ(entry.Text(), "a" + kEAcute + "b");
    entry.Insert(U'z');
    EXPECT_EQ(entry.Text(), "a" + kEAcute + "zb");
    entry.End();
    entry.Delete();
    entry.Right();
    EXPECT_EQ(entry.Caret(), entry.Text().size());
    entry.Home();
    entry.Backspace();
    EXPECT_EQ(entry.Text(), "a" + kEAcute + "zb");
}

TEST_F(TextEntryTest, MessagesTypeEditAndPasteTheClipboard) {
    TextEntry entry(0, 0);
    entry.SetFocused(true);
    EXPECT_TRUE(plat::HeadlessDisplay().TextInputOn());
    for (uintptr_t c : {uintptr_t('H'), uintptr_t(0x1F600), uintptr_t('i')})
        plat::PostMessage(nullptr, plat::WM_UNICHAR, c, 0);
    plat::PostMessage(nullptr, plat::WM_KEYDOWN, plat::VK_LEFT, 1);
    plat::PostMessage(nullptr, plat::WM_KEYDOWN, plat::VK_BACK, 1);
    plat::Message m{};
    while (plat::PeekMessage(&m)) EXPECT_TRUE(entry.OnMessage(m.message, m.wParam, m.lParam));
    EXPECT_EQ(entry.Text(), "Hi");

    plat::HeadlessDisplay().SetClipboard("Reef\r\nHoard");
    EXPECT_FALSE(entry.OnMessage(plat::WM_KEYDOWN, 'V', 1));  // V alone is the platform's to type
    plat::HeadlessDisplay().SetKeyDown(plat::VK_CONTROL, true);
    EXPECT_TRUE(entry.OnMessage(plat::WM_KEYDOWN, 'V', 1));
    EXPECT_EQ(entry.Text(), "HReefHoardi");
    EXPECT_FALSE(entry.OnMessage(plat::WM_KEYUP, plat::VK_BACK, 1));

    entry.SetFocused(false);
    EXPECT_FALSE(plat::HeadlessDisplay().TextInputOn());
}

TEST_F(TextEntryTest, TheFocusedCaretBlinksAtItsCharacter) {
    OwnedSurface target{FilledSurface(TextEntry::kWidth + 10, 20, kRed565)};
    TextEntry entry(5, 2);
    entry.SetText(kFace + "A");
    entry.Left();
    const int caretX = entry.CaretX(), caretY = 2 + 6;
    entry.Draw(*target, 0);  // not focused: no caret
    const uint16_t field = PixelAt(target.get(), caretX, caretY);
    EXPECT_NE(field, kWhite565);
    EXPECT_EQ(PixelAt(target.get(), 5, 2), kWhite565);  // the border
    entry.SetFocused(true);
    entry.Draw(*target, TextEntry::kBlinkMs - 1);
    EXPECT_EQ(PixelAt(target.get(), caretX, caretY), kWhite565);
    entry.Draw(*target, TextEntry::kBlinkMs);
    EXPECT_EQ(PixelAt(target.get(), caretX, caretY), field);
}

TEST(SdlTypedText, EachWellFormedCharacterBecomesOneMessage) {
    plat::ClearMessageQueue();
    plat::Window window;
    window.queue = plat::CurrentThreadQueue();
    SDL_TextInputEvent event{};
    event.type = SDL_TEXTINPUT;
    const std::string typed = "a" + kEAcute + "\xFF" + kFace;
    typed.copy(event.text, sizeof event.text - 1);
    plat::TranslateText(window, event);
    std::vector<uintptr_t> codes;
    plat::Message m{};
    while (plat::PeekMessage(&m)) {
        EXPECT_EQ(m.message, plat::WM_UNICHAR);
        codes.push_back(m.wParam);
    }
    EXPECT_EQ(codes, (std::vector<uintptr_t>{'a', 0xE9, 0x1F600}));
}

}  // namespace
