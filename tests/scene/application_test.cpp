#include "scene/application.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>

#include "headless_shell.h"
#include "runtime/shell_state.h"

namespace {

TEST(Application, SelectsScenesByExactNameAndTheFirstOfTwoNamesWins) {
    Application app;
    CountingScene first("first"), second("second"), same("first");
    app.AddScene(&first);
    app.AddScene(&second);
    app.AddScene(&same);
    EXPECT_TRUE(app.SelectScene("nothing") == nullptr && app.RunFrame(1) == 0);
    EXPECT_EQ(app.ForwardMessage(nullptr, plat::WM_MOVE, 0, 0), 1);  // no current scene

    EXPECT_EQ(app.SelectScene("second"), &second);
    EXPECT_EQ(app.SelectScene("Second"), &second);  // names are case-sensitive
    EXPECT_EQ(app.SelectScene("missing"), &second);
    EXPECT_EQ(std::make_pair(second.enters, second.leaves), std::make_pair(1, 0));
    // Selecting the current scene again leaves and re-enters it.
    app.SelectScene("second");
    EXPECT_EQ(std::make_pair(second.enters, second.leaves), std::make_pair(2, 1));
    EXPECT_EQ(app.SelectScene("first"), &first);
    EXPECT_EQ(second.leaves, 2);
    app.LeaveAllScenes();
    EXPECT_EQ(std::make_tuple(first.leaves, second.leaves, same.leaves), std::make_tuple(1, 3, 1));
}

TEST(LaunchShelf, StartsTheLauncherOfARelativeFolderThereAndLeavesNoChildBehind) {
    TempDir dir;
    // The launcher answers through a pipe: what it was given and where it runs.
    dir.Write("shelf/GameShelf", "#!/bin/sh\nprintf '%s %s' \"$1\" \"$(pwd)\" > answer\n");
    std::filesystem::permissions(dir.Path() / "shelf/GameShelf", std::filesystem::perms::owner_all);
    ASSERT_EQ(mkfifo("shelf/answer", 0600), 0);
    SetGameName("Reefhoard");
    SetLauncherDir("shelf");
    ASSERT_TRUE(LaunchShelf());
    // Not our child: nothing is left for us to reap, now or when it ends.
    errno = 0;
    EXPECT_TRUE(waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD);

    const int answer = open("shelf/answer", O_RDONLY);
    ASSERT_GE(answer, 0);
    char text[512] = {};
    std::string heard;
    for (ssize_t n; (n = read(answer, text, sizeof text)) > 0;) heard.append(text, static_cast<size_t>(n));
    close(answer);
    EXPECT_EQ(heard, "Reefhoard " + std::filesystem::canonical(dir.Path() / "shelf").string());

    SetLauncherDir("nowhere");
    EXPECT_FALSE(LaunchShelf());
    SetLauncherDir("");
    EXPECT_FALSE(LaunchShelf());
}

}  // namespace
