#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace {

CommandLine Parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"reefhoard"};
    argv.insert(argv.end(), args);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, OptionsComeOutAndTheRestIsTheLauncherFolder) {
    CommandLine line = Parse({"C:\\Games", "--headless", "Shelf", "--seed", "42"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_TRUE(line.headless);
    EXPECT_TRUE(line.seedGiven);
    EXPECT_EQ(line.seed, 42u);
    EXPECT_EQ(line.launcherDir, "C:\\Games Shelf");
}

TEST(CommandLine, BadSeedsAreRefused) {
    EXPECT_FALSE(Parse({"--seed"}).error.empty());
    EXPECT_FALSE(Parse({"--seed", "12x"}).error.empty());
    EXPECT_FALSE(Parse({"--seed", "4294967296"}).error.empty());
    EXPECT_EQ(Parse({"--seed", "4294967295"}).seed, 4294967295u);
    EXPECT_FALSE(Parse({"--seed", "-1"}).error.empty());
    EXPECT_FALSE(Parse({"--frames", "0"}).error.empty());
    EXPECT_EQ(Parse({"--frames", "300", "--screenshot", "a.bmp"}).frames, 300);
}

TEST(CommandLine, ScriptedRunOptions) {
    CommandLine line = Parse({"--replay", "a.txt", "--record", "b.txt", "--report", "r.txt"});
    EXPECT_EQ(line.replay + line.record + line.report, "a.txtb.txtr.txt");
    EXPECT_EQ(Parse({"--autoplay"}).autoplayGames, 1);
    EXPECT_EQ(Parse({"--autoplay=20"}).autoplayGames, 20);
    EXPECT_FALSE(Parse({"--autoplay=0"}).error.empty());
    EXPECT_FALSE(Parse({"--autoplay=x"}).error.empty());
    EXPECT_FALSE(Parse({"--autoplay", "--replay", "a.txt"}).error.empty());
    EXPECT_FALSE(Parse({"--replay"}).error.empty());
}

}  // namespace
