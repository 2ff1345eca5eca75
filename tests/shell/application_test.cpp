#include "shell/application.h"

#include <gtest/gtest.h>

#include "headless_shell.h"

namespace {

TEST(Application, SelectsScenesByExactName) {
    Application app;
    CountingScene first("first"), second("second");
    app.AddScene(&first);
    app.AddScene(&second);
    EXPECT_EQ(app.SelectScene("nothing"), nullptr);
    EXPECT_EQ(app.RunFrame(1), 0);

    EXPECT_EQ(app.SelectScene("second"), &second);
    EXPECT_EQ(second.enters, 1);
    EXPECT_EQ(app.SelectScene("Second"), &second);  // names are case-sensitive
    EXPECT_EQ(app.SelectScene("missing"), &second);
    EXPECT_EQ(second.enters, 1);
    EXPECT_EQ(second.leaves, 0);

    // Selecting the current scene again leaves and re-enters it.
    app.SelectScene("second");
    EXPECT_EQ(second.leaves, 1);
    EXPECT_EQ(second.enters, 2);

    app.SelectScene("first");
    EXPECT_EQ(second.leaves, 2);
    EXPECT_EQ(first.enters, 1);
}

TEST(Application, FirstOfTwoScenesWithOneNameWins) {
    Application app;
    CountingScene a("same"), b("same");
    app.AddScene(&a);
    app.AddScene(&b);
    EXPECT_EQ(app.SelectScene("same"), &a);
    app.LeaveAllScenes();
    EXPECT_EQ(a.leaves, 1);
    EXPECT_EQ(b.leaves, 1);
}

TEST(Application, ForwardsMessagesOnlyToACurrentScene) {
    Application app;
    EXPECT_EQ(app.ForwardMessage(nullptr, plat::WM_MOVE, 0, 0), 1);
}

}  // namespace
