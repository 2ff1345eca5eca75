#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/failure.h"
#include "platform/kernel.h"
#include "temp_dir.h"

namespace {

// A pipe or a folder where a file is expected is refused as unreadable, at
// once: reading a pipe nobody writes would wait for ever.
TEST(OpenFile, OnlyARegularFileIsOpened) {
    TempDir dir;
    ASSERT_EQ(mkfifo("pipe.dat", 0644), 0);
    std::filesystem::create_directory("folder.dat");
    alarm(10);  // a reader waiting on the pipe ends the test rather than hanging it
    for (const char* name : {"PIPE.DAT", "folder.dat"}) {
        EXPECT_EQ(plat::OpenFile(name, "rb"), nullptr) << name;
        EXPECT_EQ(plat::LastFailure(), "not a regular file");
        EXPECT_EQ(plat::OpenFileForReading(name), plat::InvalidFileHandle()) << name;
    }
    alarm(0);
}

TEST(ResolvePath, BackslashesCaseInsensitiveComponentsExactNamesFirstAndParentFolders) {
    TempDir dir;
    dir.Write("Title/TovaliSplash.bmp", "x");
    dir.Write("a/Data.txt", "upper");
    dir.Write("a/data.txt", "lower");
    dir.Write("options.ini", "o");
    EXPECT_EQ(plat::ResolvePath("title\\HowToPlay.bmp"), "Title/HowToPlay.bmp");
    EXPECT_EQ(plat::ResolvePath(".\\TITLE\\tovalisplash.BMP"), "./Title/TovaliSplash.bmp");
    EXPECT_EQ(plat::ResolvePath("a\\data.txt"), "a/data.txt");
    EXPECT_EQ(plat::ResolvePath("a\\Data.txt"), "a/Data.txt");
    std::FILE* f = plat::OpenFile(".\\title\\TOVALISPLASH.bmp", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::fgetc(f), 'x');
    std::fclose(f);
    std::filesystem::create_directory("game");
    std::filesystem::current_path("game");
    EXPECT_EQ(plat::ResolvePath("..\\OPTIONS.INI"), "../options.ini");
    EXPECT_EQ(plat::OpenFile("missing\\file.txt", "rb"), nullptr);
}

// An installed game: its folder cannot be written, so what it writes goes to
// the player's folder, where it is then read first.
TEST(ResolvePath, WrittenFilesGoToThePlayersFolderWhenTheGameFolderIsReadOnly) {
    TempDir dir;
    dir.Write("share/game/hiscore.dat", "shipped");
    dir.Write("share/options.ini", "shared");
    const std::filesystem::path user = dir.Path() / "home/reefhoard";
    std::filesystem::current_path(dir.Path() / "share/game");
    plat::SetUserFolder(user.string());
    // Nothing of the player's yet: reads come from the game's folder.
    EXPECT_EQ(plat::ResolvePath("hiscore.dat"), "hiscore.dat");
    EXPECT_EQ(plat::ResolvePath("..\\options.ini"), "../options.ini");
    // A writable game folder keeps its files where they are.
    EXPECT_EQ(plat::ResolveWritePath("hiscore.dat"), "hiscore.dat");
    std::filesystem::permissions(".", std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    const bool readOnly = ::access(".", W_OK) != 0;  // root may write anyway
    if (readOnly) {
        EXPECT_EQ(plat::ResolveWritePath("hiscore.dat"), (user / "hiscore.dat").string());
        EXPECT_TRUE(std::filesystem::is_directory(user));
    }
    std::filesystem::permissions(".", std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    // Once the player has a copy, it is read and written there.
    dir.Write("home/reefhoard/hiscore.dat", "mine");
    dir.Write("home/options.ini", "mine too");
    EXPECT_EQ(plat::ResolvePath("HISCORE.DAT"), (user / "hiscore.dat").string());
    EXPECT_EQ(plat::ResolveWritePath("hiscore.dat"), (user / "hiscore.dat").string());
    EXPECT_EQ(plat::ResolvePath("..\\options.ini"), (user / "../options.ini").string());
    plat::SetUserFolder("");
    EXPECT_EQ(plat::ResolvePath("hiscore.dat"), "hiscore.dat");
}

}  // namespace
