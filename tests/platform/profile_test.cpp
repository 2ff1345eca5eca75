#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "temp_dir.h"

namespace {

TEST(Profile, LookupsReadAsOnWindows) {
    TempDir dir;
    char buf[32];
    EXPECT_EQ(plat::GetProfileString("setup", "x", "-1", buf, sizeof buf, ".\\setup.ini"), 2u);
    EXPECT_STREQ(buf, "-1");  // no file
    dir.Write("a.ini",
              "[SETUP]\n  Music = Yes please  \nsfx=\"N\"\nname=Bob ;x\n; a comment=1\nk=first\nk=second\n"
              "[Player1]\nname=Ann\n[setup]\nk=third\n");
    // Each row: section, key, default, then the value read.
    struct Row { const char *section, *key, *fallback, *value; };
    const Row rows[] = {
        {"Setup", "MUSIC", "", "Yes please"},        // names without case, indented, trimmed
        {"setup", "SFX", "Y", "N"},                  // quotes taken off
        {"setup", "name", "", "Bob ;x"},             // a semicolon in a value is kept
        {"setup", "; a comment", "none", "none"},    // a comment is no key
        {"setup", "k", "", "first"},                 // the first of repeated keys wins
        {"player1", "name", "", "Ann"},
        {"setup", "h", "-1", "-1"},                  // missing key
        {"other", "w", nullptr, ""},                 // missing section, no default
    };
    // Looked up in the file, then in a copy read once: what was read stays.
    const plat::ProfileFile file("a.ini");
    for (bool once : {false, true}) {
        if (once) dir.Write("a.ini", "");
        for (const auto& [section, key, fallback, value] : rows) {
            if (once) file.GetString(section, key, fallback, buf, sizeof buf);
            else plat::GetProfileString(section, key, fallback, buf, sizeof buf, "A.INI");
            EXPECT_STREQ(buf, value) << section << " " << key << (once ? " read once" : "");
        }
    }
    char two[2];
    EXPECT_EQ(file.GetString("setup", "music", "Y", two, sizeof two), 1u);
    EXPECT_STREQ(two, "Y");  // cut to the buffer
    for (auto [text, value] : {std::pair{"  -12abc", -12}, {"+7", 7}, {"abc", 0}, {"99999999999999", INT32_MAX}})
        EXPECT_EQ(plat::LeadingInt(text), value) << text;
}

TEST(Profile, WritingAKeyKeepsEveryOtherLine) {
    TempDir dir;
    dir.Write("setup.ini", "; the launcher's settings\n[Setup]\nX = 5\nw=900\n\n[default]\ngametime=200\n");
    ASSERT_TRUE(plat::WriteProfileString("setup", "x", "40", ".\\setup.ini"));
    ASSERT_TRUE(plat::WriteProfileString("setup", "h", "700", ".\\setup.ini"));
    ASSERT_TRUE(plat::WriteProfileString("window", "scale", "sharp", ".\\setup.ini"));
    EXPECT_EQ(ReadText("setup.ini"),
              "; the launcher's settings\r\n[Setup]\r\nx=40\r\nw=900\r\nh=700\r\n\r\n"
              "[default]\r\ngametime=200\r\n[window]\r\nscale=sharp\r\n");
    // Windows line ends, a blank line and a last line with no line end.
    dir.Write("crlf.ini", "[a]\r\nk=1\r\n\r\n[b]\r\nlast=2");
    ASSERT_TRUE(plat::WriteProfileString("a", "new", "3", "crlf.ini"));
    EXPECT_EQ(ReadText("crlf.ini"), "[a]\r\nk=1\r\nnew=3\r\n\r\n[b]\r\nlast=2\r\n");
    // A file too large to be settings is left alone.
    dir.Write("setup.ini", std::string(2 << 20, 'x'));
    EXPECT_FALSE(plat::WriteProfileString("setup", "x", "1", "setup.ini"));
    EXPECT_EQ(std::filesystem::file_size("setup.ini"), 2u << 20);
}

TEST(Profile, LongLinesAreSkippedAndOnlyTheFirstMegabyteIsRead) {
    TempDir dir;
    // A line of three megabytes costs no memory and hides nothing after it.
    dir.Write("long.ini", "[s]\nbefore=1\nlong=" + std::string(3 << 20, 'x') + "\nafter=2\n");
    char buf[300];
    EXPECT_EQ(plat::GetProfileString("s", "long", "", buf, sizeof buf, "long.ini"), 194u);
    plat::GetProfileString("s", "after", "", buf, sizeof buf, "long.ini");
    EXPECT_STREQ(buf, "");  // past the first megabyte: not read
    dir.Write("cut.ini", "[s]\nlong=" + std::string(1000, 'y') + "\nafter=2\n");
    plat::GetProfileString("s", "after", "", buf, sizeof buf, "cut.ini");
    EXPECT_STREQ(buf, "2");

    dir.Write("late.ini", std::string(1 << 20, '\n') + "[s]\nk=v\n");
    plat::GetProfileString("s", "k", "default", buf, sizeof buf, "late.ini");
    EXPECT_STREQ(buf, "default");
}

// Runs check in a child process as an ordinary user (nobody, when the tests
// run as root, for whom permissions do not stop a read); whether it held.
bool HoldsForAnOrdinaryUser(bool (*check)()) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Settings that are there but cannot be read are never written over: that
// would lose every line but the one written.
TEST(Profile, SettingsThatCannotBeReadAreLeftAlone) {
    TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
    dir.Write("setup.ini", "[setup]\nx=5\nw=900\n");
    chmod("setup.ini", 0);
    EXPECT_TRUE(HoldsForAnOrdinaryUser([] { return !plat::WriteProfileString("setup", "x", "1", "setup.ini"); }));
    EXPECT_EQ(ReadText("setup.ini"), "[setup]\nx=5\nw=900\n");

    // A pipe in place of a settings file reads as no file and is not written.
    alarm(10);  // a reader waiting on the pipe ends the test rather than hanging it
    std::filesystem::create_directory("game");
    ASSERT_EQ(mkfifo("options.ini", 0644), 0);
    ASSERT_EQ(mkfifo("game/setup.ini", 0644), 0);
    std::filesystem::current_path("game");
    char music[2];
    plat::GetProfileString("setup", "music", "Y", music, sizeof music, "..\\options.ini");
    EXPECT_STREQ(music, "Y");
    EXPECT_FALSE(plat::WriteProfileString("setup", "x", "1", ".\\setup.ini"));
    EXPECT_TRUE(std::filesystem::is_fifo("setup.ini"));
    alarm(0);
}

}  // namespace
