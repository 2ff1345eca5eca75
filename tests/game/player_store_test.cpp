// PlayerStore: the current player's id, kept within the eight records, and
// the records read with their defaults and joined into a description.
#include "game/player_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "temp_dir.h"

namespace {

class PlayerStoreTest : public ::testing::Test {
protected:
    // The game runs in a folder below the one holding the options file.
    void SetUp() override {
        std::filesystem::create_directory("game");
        std::filesystem::current_path("game");
        store.SetPath("..\\options.ini");
    }
    std::string Describe(int32_t index) {
        char out[256];
        std::memset(out, '#', sizeof out);
        store.Describe(index, out);
        return out;
    }
    int32_t IdFor(const std::string& value) {
        dir.Write("options.ini", "[setup]\nplayerid=" + value + "\n");
        return store.ReadPlayerId();
    }
    TempDir dir;
    PlayerStore store;
};

TEST_F(PlayerStoreTest, WithoutAnOptionsFileOrAValidIdTheFirstPlayerHasDefaults) {
    EXPECT_EQ(store.ReadPlayerId(), 0);
    EXPECT_EQ(Describe(0), "Player1:::Y");
    EXPECT_EQ(Describe(5), "Player6:::Y");
    store.playerId = 4;
    for (const char* outside : {"9", "-1", "8", "Bob"}) EXPECT_EQ(IdFor(outside), 0) << outside;
    EXPECT_EQ(store.playerId, 0);
    EXPECT_EQ(IdFor("7"), 7);
}

TEST_F(PlayerStoreTest, TheIdNamesTheSectionOfTheNextNumber) {
    dir.Write("options.ini",
              "[Setup]\nPlayerID=3\n[Player3]\nname=Wrong\n[player4]\nname=Ann\n"
              "[Player5]\nname=Bo\naddress=1 Reef Road\nemail=bo@reef\nsend=No\n");
    const int32_t id = store.ReadPlayerId();
    EXPECT_EQ(id, 3);
    EXPECT_EQ(Describe(id), "Ann:::Y");
    EXPECT_EQ(Describe(4), "Bo:1 Reef Road:bo@reef:N");  // send cut to one character
    EXPECT_EQ(std::string(store.records[4].address), "1 Reef Road");
}

TEST_F(PlayerStoreTest, OutOfRangeIndexesReadNothingAndDescribeTheFirstPlayer) {
    dir.Write("options.ini", "[Player1]\nname=First\n[Player9]\nname=Ninth\n[Player0]\nname=Zero\n");
    EXPECT_EQ(Describe(8), "First:::Y");
    EXPECT_EQ(Describe(-1), "First:::Y");
    // Records past the end would be written over the path that follows them.
    store.LoadPlayer(8);
    store.LoadPlayer(-1);
    EXPECT_STREQ(store.iniPath, "..\\options.ini");
}

TEST_F(PlayerStoreTest, LongFieldsAndPathsAreCutToTheirArrays) {
    const std::string longValue(100, 'v');
    dir.Write("options.ini", "[Player1]\nname=" + longValue + "\naddress=" + longValue + "\nemail=" +
                                 longValue + "\nsend=Yes\n");
    char out[256];
    std::memset(out, '#', sizeof out);
    store.Describe(0, out);
    const std::string field(63, 'v');
    EXPECT_EQ(std::string(out), field + ":" + field + ":" + field + ":Y");  // 193 characters
    EXPECT_EQ(out[194], '#');

    // Fields without a terminator (set by hand, not read) are still bounded.
    std::memset(store.records[2].name, 'n', sizeof store.records[2].name);
    std::memset(store.records[2].address, 'a', sizeof store.records[2].address);
    std::memset(store.records[2].email, 'e', sizeof store.records[2].email);
    std::memset(store.records[2].send, 's', sizeof store.records[2].send);
    store.SetPath("");
    store.Describe(2, out);
    EXPECT_EQ(std::strlen(out), 193u);

    store.SetPath(std::string(100, 'p').c_str());
    EXPECT_EQ(std::string(store.iniPath), std::string(63, 'p'));
}

TEST_F(PlayerStoreTest, AnEmptyPathReadsNothing) {
    dir.Write("options.ini", "[setup]\nplayerid=2\n[Player1]\nname=Ann\n");
    store.SetPath("");
    EXPECT_EQ(store.ReadPlayerId(), 0);
    EXPECT_EQ(Describe(0), ":::");
}

}  // namespace
