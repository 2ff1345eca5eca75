#include "platform/paths.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace {

TEST(ResolvePath, BackslashesAndCaseInsensitiveComponents) {
    TempDir dir;
    dir.Write("Title/TovaliSplash.bmp", "x");
    dir.Write("sounds/02.wav", "y");
    EXPECT_EQ(plat::ResolvePath("title\\HowToPlay.bmp"), "Title/HowToPlay.bmp");
    EXPECT_EQ(plat::ResolvePath(".\\TITLE\\tovalisplash.BMP"), "./Title/TovaliSplash.bmp");
    EXPECT_EQ(plat::ResolvePath("SOUNDS\\02.wav"), "sounds/02.wav");
    std::FILE* f = plat::OpenFile(".\\title\\TOVALISPLASH.bmp", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::fgetc(f), 'x');
    std::fclose(f);
}

TEST(ResolvePath, ExactNameWinsAndParentFolderWorks) {
    TempDir dir;
    dir.Write("a/Data.txt", "upper");
    dir.Write("a/data.txt", "lower");
    dir.Write("options.ini", "o");
    EXPECT_EQ(plat::ResolvePath("a\\data.txt"), "a/data.txt");
    EXPECT_EQ(plat::ResolvePath("a\\Data.txt"), "a/Data.txt");
    std::filesystem::create_directory("game");
    std::filesystem::current_path("game");
    EXPECT_EQ(plat::ResolvePath("..\\OPTIONS.INI"), "../options.ini");
    EXPECT_EQ(plat::OpenFile("missing\\file.txt", "rb"), nullptr);
}

}  // namespace
