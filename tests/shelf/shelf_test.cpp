#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "headless_shell.h"
#include "program_run.h"
#include "platform/process.h"
#include "platform/utf8.h"
#include "runtime/shell_state.h"
#include "score_table.h"
#include "shelf/game_launch.h"
#include "shelf/shelf_entry.h"
#include "shelf/shelf_scene.h"
#include "shelf/shelf_switches.h"
#include "surface_test_util.h"

namespace {
namespace fs = std::filesystem;

// The launcher works in the game's folder, "game" here, with the shared
// options file one folder up.
class Shelf : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        fs::create_directory("game");
        fs::current_path("game");
    }
    void EnterScene() {
        OpenDisplay();
        QVGetDDInfo(&g_Shell.primary, &g_Shell.page.back);
        g_ShelfScene.Enter(nullptr, &g_Shell.page);
    }
    void TearDown() override {
        g_ShelfScene.Leave();
        HeadlessShell::TearDown();
    }
    static int Key(int code, uint32_t message = plat::WM_KEYUP) {
        return g_ShelfScene.OnMessage(nullptr, message, code, 0);
    }
    // Each character as the platform hands over typed text.
    static void Type(const std::string& text) {
        for (std::size_t pos = 0, length = 0; pos < text.size(); pos += length) {
            g_ShelfScene.OnMessage(nullptr, plat::WM_UNICHAR, plat::utf8::Decode(text, pos, &length), 0);
        }
    }
    std::string Options() { return ReadText(Dir().Path() / "options.ini"); }
    std::map<std::string, std::string> Report() {
        const Status written = WriteShelfReport("report.txt", 0);
        EXPECT_TRUE(written) << written.Why();
        return ReadReport("report.txt");
    }
};

TEST_F(Shelf, OptionsWriteTheGamesKeysAndKeepEveryOtherLine) {
    Dir().Write("options.ini", "; my own notes\r\n[setup]\r\nplayerid=0\r\nmusic=Y\r\n[mine]\r\nkey=value\r\n");
    Dir().Write("game/setup.ini", "[setup]\r\nfullscreen=0\r\nx=12\r\n");
    EnterScene();
    g_ShelfScene.ShowPage(ShelfScene::Page::Options);
    for (const char* button : {"music", "effects", "fullscreen", "sharp"}) g_ShelfScene.Activate(button);
    EXPECT_EQ(ReadText(Dir().Path() / "options.ini"),
              "; my own notes\r\n[setup]\r\nplayerid=0\r\nmusic=N\r\nSFX=N\r\n[mine]\r\nkey=value\r\n");
    EXPECT_EQ(ReadText("setup.ini"), "[setup]\r\nfullscreen=1\r\nx=12\r\nscale=sharp\r\n");
    // Switched back on, from what the file says now.
    g_ShelfScene.Activate("music");
    EXPECT_NE(ReadText(Dir().Path() / "options.ini").find("music=Y"), std::string::npos);
}

TEST_F(Shelf, EveryMissingKeyIsFilledInOnceAndWhatIsThereStays) {
    Dir().Write("options.ini", "; mine\r\n[setup]\r\nmusic=N\r\n[Player2]\r\nname=Bob\r\n[other]\r\nk=v\r\n");
    ASSERT_TRUE(CompleteOptionsFile());
    const std::string text = Options();
    // Kept, then added.
    for (const char* part : {"; mine\r\n", "music=N\r\n", "name=Bob\r\n", "[other]\r\nk=v\r\n", "SFX=Y\r\n",
                             "playerid=0\r\n", "[Player1]\r\nname=Player1\r\n", "[Player8]\r\n"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(text.find("music=Y"), std::string::npos);
    std::size_t sends = 0;
    for (std::size_t at = 0; (at = text.find("send=Y", at)) != std::string::npos; ++at) ++sends;
    EXPECT_EQ(sends, 8u);
    // Complete already: the file is left alone, not even replaced by its copy.
    const auto inode = [&] {
        struct stat st {};
        return stat((Dir().Path() / "options.ini").c_str(), &st) == 0 ? st.st_ino : 0;
    };
    const ino_t before = inode();
    ASSERT_TRUE(CompleteOptionsFile());
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(Options(), text);
}

TEST_F(Shelf, KeysMoveTheFocusPressButtonsAndEscapeGoesBackBeforeItQuits) {
    EnterScene();
    const auto key = [](int code) { return Key(code); };
    for (int code : {plat::VK_TAB, plat::VK_TAB, plat::VK_RETURN}) key(code);  // the third button: Options
    EXPECT_EQ(g_ShelfScene.CurrentPage(), ShelfScene::Page::Options);
    EXPECT_EQ(key(plat::VK_ESCAPE), 0);  // taken: back to the menu, the window stays
    EXPECT_EQ(g_ShelfScene.CurrentPage(), ShelfScene::Page::Menu);
    EXPECT_EQ(g_ShelfScene.Focused(), "options");  // the button that opened the page
    // From the first button up past the last, Quit, to How to Play.
    for (int code : {plat::VK_UP, plat::VK_UP, plat::VK_UP, plat::VK_UP, plat::VK_RETURN}) key(code);
    EXPECT_EQ(g_ShelfScene.CurrentPage(), ShelfScene::Page::HowToPlay);
    key(plat::VK_ESCAPE);
    EXPECT_EQ(key(plat::VK_ESCAPE), 1);  // on the menu it is the window's: it closes
}

TEST_F(Shelf, PlayersAreCreatedChosenRenamedAndClearedInTheOptionsFileKeepingEveryOtherLine) {
    Dir().Write("options.ini",
                "; mine\r\n[setup]\r\nmusic=N\r\n[Player2]\r\nname=Bob\r\nsend=N\r\n[other]\r\nk=v\r\n");
    EnterScene();
    g_ShelfScene.Activate("players");
    EXPECT_EQ(g_ShelfScene.Focused(), "name");  // typing goes straight into the name
    Type("Ada Lovelacf");
    Key(plat::VK_BACK, plat::WM_KEYDOWN);
    Key(plat::VK_LEFT, plat::WM_KEYDOWN);
    EXPECT_EQ(Key(plat::VK_LEFT), 0);  // the caret's key, not the focus's
    EXPECT_EQ(g_ShelfScene.Focused(), "name");
    Key(plat::VK_RIGHT, plat::WM_KEYDOWN);
    Type("e");
    Key(plat::VK_TAB);
    Type("London");
    g_ShelfScene.Activate("use");
    EXPECT_EQ(Options(),
              "; mine\r\n[setup]\r\nmusic=N\r\nplayerid=0\r\n[Player2]\r\nname=Bob\r\nsend=N\r\n[other]\r\nk=v\r\n"
              "[Player1]\r\nname=Ada Lovelace\r\naddress=London\r\nemail=\r\nsend=Y\r\n");
    EXPECT_EQ(Report()["name"], "Ada Lovelace");

    // Bob renamed: his send flag stays as it was.
    g_ShelfScene.Activate("slot2");
    Key(plat::VK_UP);  // from the address back to the name
    for (int i = 0; i < 3; ++i) Key(plat::VK_BACK, plat::WM_KEYDOWN);
    Type("Robert");
    g_ShelfScene.Activate("save");
    EXPECT_NE(Options().find("[Player2]\r\nname=Robert\r\nsend=N\r\naddress=\r\nemail=\r\n"), std::string::npos);
    EXPECT_EQ(Report()["name"], "Ada Lovelace");

    // A new player takes the first free place, and the name needs typing.
    g_ShelfScene.Activate("new");
    EXPECT_EQ(std::to_string(g_ShelfScene.Players().Chosen()) + " " + g_ShelfScene.Focused(), "2 name");
    g_ShelfScene.Activate("use");
    EXPECT_EQ(g_ShelfScene.Players().Message(), "Type a name first.");
    Type("Zoë:Ødegård");
    g_ShelfScene.Activate("save");
    EXPECT_EQ(g_ShelfScene.Players().Message(), "A name cannot hold a ':'.");
    for (int i = 0; i < 8; ++i) Key(plat::VK_LEFT, plat::WM_KEYDOWN);
    Key(plat::VK_DELETE, plat::WM_KEYDOWN);
    Type(" ");
    g_ShelfScene.Activate("send");
    g_ShelfScene.Activate("use");
    EXPECT_NE(Options().find("[Player3]\r\nname=Zoë Ødegård\r\naddress=\r\nemail=\r\nsend=N\r\n"), std::string::npos);
    EXPECT_EQ(Report()["player"] + " " + Report()["name"], "2 Zoë Ødegård");

    // Cleared, the current player reads as its place's own name again.
    g_ShelfScene.Activate("clear");
    EXPECT_TRUE(g_ShelfScene.Players().IsFree(2));
    EXPECT_EQ(Report()["name"], "Player3");
    EXPECT_NE(Options().find("[Player3]\r\nname=Player3\r\naddress=\r\nemail=\r\nsend=Y\r\n"), std::string::npos);
}

TEST_F(Shelf, HostileOptionsFilesLeaveThePageWorkingAndThePlayersDataWhole) {
    std::string full = "; kept\r\n[setup]\r\nplayerid=99\r\n";
    for (int i = 1; i <= 8; ++i) full += "[Player" + std::to_string(i) + "]\r\nname=P" + std::to_string(i) + "\r\n";
    Dir().Write("options.ini", full);
    EnterScene();
    g_ShelfScene.Activate("players");
    EXPECT_EQ(g_ShelfScene.Players().Current(), 0);  // an id outside the eight reads as the first
    g_ShelfScene.Activate("new");
    EXPECT_EQ(g_ShelfScene.Players().Message(), "All eight places are taken: clear one first.");
    g_ShelfScene.Run(1);
    EXPECT_EQ(Options(), full);

    // A megabyte of names: shown cut to a field, and the page says the file is
    // not written (that it stays whole: PlayerStoreTest.AHostileOptionsFileIsNeitherFatalNorLost).
    Dir().Write("options.ini", "[Player1]\r\nname=" + std::string(1 << 20, 'x') + "\r\n");
    g_ShelfScene.ShowPage(ShelfScene::Page::Players);
    g_ShelfScene.Activate("use");
    EXPECT_EQ(g_ShelfScene.Players().Message().rfind("The options file could not be written", 0), 0u);
    g_ShelfScene.Run(1);

    // Binary bytes: the page still draws, and a save keeps every other byte.
    std::string binary("\x7f" "ELF\0\xff\xfe[Player2\r\n\x80\xC3name=\xE9\r\n", 22);
    Dir().Write("options.ini", binary);
    g_ShelfScene.ShowPage(ShelfScene::Page::Players);
    g_ShelfScene.Run(1);
    Type("Ada");
    g_ShelfScene.Activate("use");
    EXPECT_EQ(Options().rfind(binary, 0), 0u);
    EXPECT_EQ(Report()["name"], "Ada");
}

TEST_F(Shelf, DamagedHallOfFameFilesShowAnEmptyTableAndStayAsTheyWere) {
    ASSERT_EQ(ScoreTable({{"Ada:::Y", 500}}).Save("hiscore.dat"), 1);
    const std::string whole = ReadText("hiscore.dat");
    std::string unterminated = whole;
    unterminated.replace(4, 256, std::string(256, 'Z'));
    EnterScene();
    for (const std::string& content : {whole.substr(0, 1000), std::string("\x13\0\0\0", 4) + whole.substr(4),
                                       std::string(), std::string(100000, '\xff'), unterminated}) {
        Dir().Write("game/hiscore.dat", content);
        g_ShelfScene.ShowPage(ShelfScene::Page::HallOfFame);
        g_ShelfScene.Run(1);
        ASSERT_EQ(g_ShelfScene.HallRows().size(), 20u);
        EXPECT_EQ(ReadText("hiscore.dat"), content);
    }
    EXPECT_EQ(g_ShelfScene.HallRows()[0].name, std::string(256, 'Z'));
}

TEST_F(Shelf, HallOfFameShowsTheSavedTableInOrderAndMarksTheCurrentPlayer) {
    Dir().Write("options.ini", "[setup]\r\nplayerid=1\r\n[Player2]\r\nname=Ada Lovelace\r\n");
    ASSERT_EQ(ScoreTable({{"Ada Lovelace:London:ada@example.org:Y", 500}, {"Bob:::Y", 900}, {"Ada Lovelace:::N", 100}})
                  .Save("hiscore.dat"),
              1);
    EnterScene();
    g_ShelfScene.ShowPage(ShelfScene::Page::HallOfFame);
    const std::vector<HallOfFameRow>& rows = g_ShelfScene.HallRows();
    ASSERT_EQ(rows.size(), 20u);
    const auto row = [&](int i) { return std::make_tuple(rows[i].name, rows[i].score, rows[i].current); };
    EXPECT_EQ(row(0), std::make_tuple("Bob", 900, false));
    EXPECT_EQ(row(1), std::make_tuple("Ada Lovelace", 500, true));
    EXPECT_EQ(row(2), std::make_tuple("Ada Lovelace", 100, true));
    EXPECT_EQ(row(3), std::make_tuple("", 0, false));

    fs::remove("hiscore.dat");
    g_ShelfScene.ShowPage(ShelfScene::Page::HallOfFame);
    EXPECT_TRUE(g_ShelfScene.HallRows().size() == 20u && g_ShelfScene.HallRows()[0].name.empty());
}

// Two texts drawn with the name font at the same place give the same pixels.
bool DrawnAlike(const NameFont& font, const std::string& a, const std::string& b) {
    plat::SurfacePtr first(plat::Surface::Create(200, 30)), second(plat::Surface::Create(200, 30));
    font.Draw(first.get(), a, 0, 0);
    font.Draw(second.get(), b, 0, 0);
    return Pixels(first.get()) == Pixels(second.get());
}

TEST_F(Shelf, NamesAreDrawnWithTheirOwnAccentedLettersAndOnlyWhatTheFontLacksAsAQuestionMark) {
    NameFont font;
    ASSERT_TRUE(font.Load(REEF_GAME_FOLDER "/../reefhoard-shelf/namefont.bmp"));
    EXPECT_FALSE(DrawnAlike(font, "Zoë Ødegård", "Zo? ?deg?rd"));
    EXPECT_FALSE(DrawnAlike(font, "Zoë", "ZoE"));
    EXPECT_FALSE(DrawnAlike(font, "Il", "lI"));  // small letters are not capitals, and each has its width
    EXPECT_TRUE(DrawnAlike(font, "a\xC3" "b\u0080\u4E2D", "a?b??"));
    EXPECT_EQ(font.Measure("Zoë"), font.Measure("Zoe"));
}

TEST_F(Shelf, AutoplayIsRefusedSayingItMeansNothingToTheLauncher) {
    const ProgramRun run = RunProgram(Dir().Path(), "--autoplay --frames 5");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("GameShelf: --autoplay means nothing here"), std::string::npos) << run.errors;
}

TEST_F(Shelf, PlayStartsTheGameInItsFolderWithTheLaunchersFolder) {
    EXPECT_EQ(LaunchGame(), "");  // no game program anywhere
    Dir().Write("game/reefhoard", "#!/bin/sh\nprintf '%s %s' \"$1\" \"$(pwd)\" > answer.tmp && mv answer.tmp answer\n");
    fs::permissions("reefhoard", fs::perms::owner_all);
    const std::string launcher = plat::ProgramFolder();
    EXPECT_EQ(LaunchGame(), (Dir().Path() / "game/reefhoard").string() + " " + launcher);
    for (int i = 0; i < 500 && !fs::exists("answer"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadText("answer"), launcher + " " + fs::canonical(".").string());
}

}  // namespace
