#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <vector>

#include "temp_dir.h"

namespace {

CommandLine Parse(const std::vector<const char*>& args) {
    std::vector<const char*> argv{"reefhoard"};
    argv.insert(argv.end(), args.begin(), args.end());
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, OptionsComeOutAndTheRestIsTheLauncherFolder) {
    CommandLine line = Parse({"C:\\Games", "--headless", "Shelf", "--seed", "4294967295", "--replay", "a.txt",
                              "--record", "b.txt", "--report", "r.txt"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_TRUE(line.headless && line.seedGiven);
    EXPECT_EQ(line.seed, 4294967295u);
    EXPECT_EQ(line.launcherDir, "C:\\Games Shelf");
    EXPECT_EQ(line.replay + line.record + line.report, "a.txtb.txtr.txt");
    EXPECT_EQ(Parse({"--frames", "300", "--screenshot", "a.bmp"}).frames, 300);
    EXPECT_EQ(Parse({"--autoplay"}).autoplayGames, 1);
    EXPECT_EQ(Parse({"--autoplay=20"}).autoplayGames, 20);
}

TEST(CommandLine, MalformedOptionsAreRefused) {
    const std::vector<std::vector<const char*>> refused = {
        {"--seed"}, {"--seed", "12x"}, {"--seed", "4294967296"}, {"--seed", "-1"}, {"--frames", "0"},
        {"--autoplay=0"}, {"--autoplay=x"}, {"--autoplay", "--replay", "a.txt"}, {"--replay"}};
    for (const auto& args : refused) EXPECT_FALSE(Parse(args).error.empty()) << args[0] << " " << args.size();
}

std::string ReadSource(const char* path) {
    const std::string text = ReadText(std::string(REEF_SOURCE_FOLDER "/") + path);
    EXPECT_FALSE(text.empty()) << path;
    return text;
}

// The options a text names; roff's "\-" counts as a hyphen.
std::set<std::string> OptionsNamed(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    std::set<std::string> names;
    const std::regex option("--[a-z]+(-[a-z]+)*");
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it) names.insert(it->str());
    return names;
}

// The manual pages and the README's Running section describe exactly the
// options the parser takes, so that they cannot drift apart.
TEST(CommandLine, DocumentsNameEveryOptionAndNoOther) {
    std::set<std::string> options;
    for (const CommandLineOption& option : CommandLineOptions()) options.insert(option.name);
    EXPECT_EQ(OptionsNamed(ReadSource("packaging/reefhoard.6.in")), options);

    const std::string readme = ReadSource("README.md");
    const size_t start = readme.find("## Running\n");
    ASSERT_NE(start, std::string::npos);
    const std::string running = readme.substr(start, readme.find("\n## ", start) - start);
    EXPECT_EQ(OptionsNamed(running), options);
    for (const CommandLineOption& option : CommandLineOptions()) {
        EXPECT_NE(running.find("`" + OptionUsage(option) + "`"), std::string::npos) << OptionUsage(option);
        // The shelf plays no game: its page and its help list the rest.
        if (option.gamesOnly) options.erase(option.name);
    }
    EXPECT_EQ(OptionsNamed(ReadSource("packaging/GameShelf.6.in")), options);
    const std::string shelfHelp = CommandLineHelp("GameShelf", false);
    EXPECT_EQ(shelfHelp.rfind("Usage: GameShelf ", 0), 0u) << shelfHelp;
    EXPECT_EQ(OptionsNamed(shelfHelp), options);
}

}  // namespace
