// Every file the game loads is found in the game folder under the name the
// game asks for, Windows spelling and all.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game_files.h"
#include "platform/paths.h"

namespace {
// Runs the test inside the game folder, as the game itself runs.
class InGameFolder {
public:
    InGameFolder() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(GameFile("")); }
    ~InGameFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

TEST(AssetNames, EveryFileTheGameLoadsIsThere) {
    std::vector<std::string> names = {
        "background.bmp", "tileset.bmp", "islands.bmp", "islands.dat", "NumberFont.bmp", "scores.bmp",
        "help.bmp", "newgame.bmp", "menu.bmp", "exit.bmp", "gameover.bmp", "congrats.bmp", "hallfamepop.bmp",
        "title\\HowToPlay.bmp", ".\\Title\\TovaliSplash.bmp", ".\\Title\\TovaliCredit.bmp", ".\\setup.ini",
        "sounds\\search01.wav", "sounds\\02.wav", "sounds\\03.wav", "sounds\\04.wav", "sounds\\05.wav",
        "sounds\\06.wav", "sounds\\09.wav", "sounds\\11.wav", "sounds\\13.wav", "sounds\\12.wav",
        "sounds\\endlevel.wav", ".\\sounds\\music.wav", ".\\sounds\\music.mp3"};
    for (int n = 1; n <= 9; ++n) {
        names.push_back("round" + std::to_string(n) + "small.bmp");
        names.push_back("round" + std::to_string(n) + ".bmp");
        if (n <= 5) names.push_back("g" + std::to_string(n) + ".bmp");
        if (n <= 5) names.push_back("turnbonus" + std::to_string(3 * n) + ".bmp");
    }
    InGameFolder here;
    for (const std::string& file : names) {
        std::FILE* f = plat::OpenFile(file, "rb");
        EXPECT_NE(f, nullptr) << file;
        if (f) std::fclose(f);
    }
}
}  // namespace
