#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CommandLine Parse(const std::vector<const char*>& args) {
    std::vector<const char*> argv{"reefhoard"};
    argv.insert(argv.end(), args.begin(), args.end());
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

TEST(CommandLine, MalformedOptionsAreRefused) {
    const std::vector<std::vector<const char*>> refused = {
        {"--seed"}, {"--seed", "12x"}, {"--seed", "4294967296"}, {"--seed", "-1"}, {"--frames", "0"},
        {"--autoplay=0"}, {"--autoplay=x"}, {"--autoplay", "--replay", "a.txt"}, {"--replay"}};
    for (const auto& args : refused) EXPECT_FALSE(Parse(args).error.empty()) << args[0] << " " << args.size();
}

TEST(CommandLine, ScriptedRunOptions) {
    CommandLine line = Parse({"--replay", "a.txt", "--record", "b.txt", "--report", "r.txt"});
    EXPECT_EQ(line.replay + line.record + line.report, "a.txtb.txtr.txt");
    EXPECT_EQ(Parse({"--seed", "4294967295"}).seed, 4294967295u);
    EXPECT_EQ(Parse({"--frames", "300", "--screenshot", "a.bmp"}).frames, 300);
    EXPECT_EQ(Parse({"--autoplay"}).autoplayGames, 1);
    EXPECT_EQ(Parse({"--autoplay=20"}).autoplayGames, 20);
}

}  // namespace
