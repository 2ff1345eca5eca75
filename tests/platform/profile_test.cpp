#include "platform/profile.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace {

TEST(Profile, MissingFileAndKeyGiveTheDefault) {
    TempDir dir;
    char buf[32];
    EXPECT_EQ(plat::GetProfileString("setup", "x", "-1", buf, sizeof buf, ".\\setup.ini"), 2u);
    EXPECT_STREQ(buf, "-1");
    dir.Write("setup.ini", "[setup]\nw=1024\n");
    plat::GetProfileString("setup", "h", "-1", buf, sizeof buf, ".\\setup.ini");
    EXPECT_STREQ(buf, "-1");
    plat::GetProfileString("other", "w", nullptr, buf, sizeof buf, ".\\setup.ini");
    EXPECT_STREQ(buf, "");
}

TEST(Profile, NamesMatchWithoutCaseAndValuesAreTrimmedAndCut) {
    TempDir dir;
    dir.Write("options.ini", "[SETUP]\nMusic = Yes please  \nsfx=N\n[Player1]\nname=Ann\n");
    char two[2];
    EXPECT_EQ(plat::GetProfileString("setup", "music", "Y", two, sizeof two, "options.ini"), 1u);
    EXPECT_STREQ(two, "Y");
    char wide[64];
    plat::GetProfileString("Setup", "MUSIC", "", wide, sizeof wide, "OPTIONS.INI");
    EXPECT_STREQ(wide, "Yes please");
    plat::GetProfileString("setup", "SFX", "Y", wide, sizeof wide, "options.ini");
    EXPECT_STREQ(wide, "N");
    plat::GetProfileString("player1", "name", "Player1", wide, sizeof wide, "options.ini");
    EXPECT_STREQ(wide, "Ann");
}

TEST(Profile, IndentedLinesQuotesAndSemicolonsReadAsOnWindows) {
    TempDir dir;
    dir.Write("a.ini", "[setup]\n  w=1024\nmusic=\"Y\"\nname=Bob ;x\n; a comment=1\n");
    char buf[32];
    plat::GetProfileString("setup", "w", "-1", buf, sizeof buf, "a.ini");
    EXPECT_STREQ(buf, "1024");
    plat::GetProfileString("setup", "music", "N", buf, sizeof buf, "a.ini");
    EXPECT_STREQ(buf, "Y");
    plat::GetProfileString("setup", "name", "", buf, sizeof buf, "a.ini");
    EXPECT_STREQ(buf, "Bob ;x");
    plat::GetProfileString("setup", "; a comment", "none", buf, sizeof buf, "a.ini");
    EXPECT_STREQ(buf, "none");
}

TEST(Profile, FirstOfRepeatedKeysWins) {
    TempDir dir;
    dir.Write("a.ini", "[s]\nk=first\nk=second\n[s]\nk=third\n");
    char buf[16];
    plat::GetProfileString("s", "k", "", buf, sizeof buf, "a.ini");
    EXPECT_STREQ(buf, "first");
}

TEST(Profile, LeadingIntReadsBlanksSignAndDigits) {
    EXPECT_EQ(plat::LeadingInt("  -12abc"), -12);
    EXPECT_EQ(plat::LeadingInt("+7"), 7);
    EXPECT_EQ(plat::LeadingInt("abc"), 0);
    EXPECT_EQ(plat::LeadingInt(""), 0);
    EXPECT_EQ(plat::LeadingInt("99999999999999"), INT32_MAX);
}

}  // namespace
