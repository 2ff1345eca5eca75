// Generating the assets again gives the very same bytes, of every file the
// game folder holds (pictures and sounds are opened in their own tests).
#include <gtest/gtest.h>

#include <cstdlib>

#include "game_files.h"

namespace {
TEST(AssetReproducible, ASecondRunWritesIdenticalFiles) {
    TempDir dir;
    const std::string command = std::string(REEF_MAKE_ASSETS) + " " + dir.Path().string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    int compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path())) {
        if (!entry.is_regular_file()) continue;
        const auto relative = std::filesystem::relative(entry.path(), dir.Path());
        EXPECT_EQ(ReadText(entry.path()), ReadText(GameFile(relative.string()))) << relative;
        ++compared;
    }
    EXPECT_GE(compared, 50);
    EXPECT_TRUE(std::filesystem::exists("setup.ini"));
}
}  // namespace
