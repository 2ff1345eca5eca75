// PlayerStore: the current player's id, kept within the eight records, and
// the records read with their defaults and joined into a description.
#include "game/player_store.h"

#include <gtest/gtest.h>

#include <cstring>

#include "temp_dir.h"

namespace {

using namespace std::string_literals;

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
    EXPECT_EQ(Describe(0) + " " + Describe(5), "Player1:::Y Player6:::Y");
    store.playerId = 4;
    for (const char* outside : {"9", "-1", "8", "Bob"}) EXPECT_EQ(IdFor(outside), 0) << outside;
    EXPECT_EQ(store.playerId, 0);
    EXPECT_EQ(IdFor("7"), 7);
}

TEST_F(PlayerStoreTest, OutOfRangeIndexesReadNothingAndDescribeTheFirstPlayer) {
    dir.Write("options.ini", "[Player1]\nname=First\n[Player9]\nname=Ninth\n[Player0]\nname=Zero\n");
    for (int32_t index : {8, -1}) EXPECT_EQ(Describe(index), "First:::Y") << index;
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

TEST_F(PlayerStoreTest, TheLauncherWritesKeepOtherLinesAndReadBack) {
    const std::string own = "; kept by hand\n[setup]\nmusic=0\n[Other]\nkey=v\n";
    dir.Write("options.ini", own);
    PlayerRecord record{};
    // A line break in a name must not start a line of its own in the file;
    // a two-byte character crossing byte 63 goes whole.
    std::snprintf(record.name, sizeof record.name, "Ann\n[setup]\nplayerid=5");
    std::memset(record.address, 'a', 62);
    std::memcpy(record.address + 62, "\xC3\xA9", 2);  // unterminated: all 64 bytes used
    std::snprintf(record.email, sizeof record.email, "ann@reef");
    std::snprintf(record.send, sizeof record.send, "N");
    ASSERT_TRUE(store.WritePlayerId(2));
    ASSERT_TRUE(store.WritePlayer(2, record));
    EXPECT_EQ(store.WritePlayerId(8).Why(), "there is no player 8");
    EXPECT_FALSE(store.WritePlayer(-1, record));

    PlayerStore reader;
    reader.SetPath("..\\options.ini");
    EXPECT_EQ(reader.ReadPlayerId(), 2);
    const std::string expected = "Ann[setup]playerid=5:" + std::string(62, 'a') + ":ann@reef:N";
    char out[256];
    reader.Describe(2, out);
    EXPECT_EQ(std::string(out), expected);
    EXPECT_EQ(std::string(store.records[2].address), std::string(62, 'a'));  // what was written
    // Lines written back end as on Windows.
    EXPECT_EQ(ReadText(dir.Path() / "options.ini"),
              "; kept by hand\r\n[setup]\r\nmusic=0\r\nplayerid=2\r\n[Other]\r\nkey=v\r\n[Player3]\r\nname=" +
                  expected.substr(0, 20) + "\r\naddress=" + std::string(62, 'a') + "\r\nemail=ann@reef\r\nsend=N\r\n");
}

TEST_F(PlayerStoreTest, AHostileOptionsFileIsNeitherFatalNorLost) {
    // Binary bytes, an id of no player, and a megabyte of names: too large to
    // be a settings file, so it is read as far as it goes and never replaced.
    const std::string binary = "\x01\xFF\xFE\x00\x80junk"s;
    std::string hostile = "[setup]\nplayerid=99\n" + binary + "\n[Player1]\nname=Bo\n";
    while (hostile.size() <= (1 << 20)) hostile += "[Player2]\nname=" + std::string(200, 'x') + "\n";
    dir.Write("options.ini", hostile);
    EXPECT_EQ(store.ReadPlayerId(), 0);
    EXPECT_EQ(Describe(0), "Bo:::Y");
    EXPECT_NE(store.WritePlayerId(1).Why().find("options.ini: cannot be read whole"), std::string::npos);
    EXPECT_FALSE(store.ClearPlayer(0));
    EXPECT_EQ(ReadText(dir.Path() / "options.ini"), hostile);

    // Smaller, the same bytes are kept around the launcher's write.
    hostile.resize(4096);
    dir.Write("options.ini", hostile);
    ASSERT_TRUE(store.WritePlayerId(1));
    EXPECT_EQ(store.ReadPlayerId(), 1);
    EXPECT_NE(ReadText(dir.Path() / "options.ini").find(binary), std::string::npos);
}

}  // namespace
