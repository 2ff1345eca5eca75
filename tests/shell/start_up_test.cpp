// Start-up that cannot bring the game up ends it with one message and an exit
// status that tells scripts and launchers so; closing the window during the
// splash is the player's choice and ends it with 0.
#include "shell/start_up.h"

#include <tuple>

#include "headless_shell.h"
#include "platform/audio_output.h"
#include "runtime/shell_state.h"
#include "shell/entry.h"
#include "surface_test_util.h"

namespace {

using StartUpTest = HeadlessShell;

// Each row: the desktop's depth, whether the window can be made, and the one
// message left. A depth that cannot be read (0) is not taken for enough colours.
TEST_F(StartUpTest, ADesktopOrAWindowTheGameCannotUseStopsStartUpWithItsMessage) {
    const std::tuple<int, bool, const char*> cases[] = {
        {8, false, "TovaliGames need the desktop display set to High Color (16 bits or higher)."},
        {0, false, "The colour depth of the desktop display could not be read."},
        {32, true, ""}};
    for (auto [depth, windowFails, message] : cases) {
        plat::HeadlessDisplay().Reset();
        plat::HeadlessDisplay().SetScreen(1024, 768, depth);
        plat::HeadlessDisplay().SetWindowCreationFails(windowFails);
        EXPECT_EQ(GameEntry(nullptr, "", 0), kStartUpFailedStatus) << depth;
        EXPECT_EQ(plat::HeadlessDisplay().LastError(), message);
        EXPECT_EQ(g_Shell.window, nullptr);
    }
}

TEST_F(StartUpTest, AFrameTimerThatCannotStartFailsStartUp) {
    plat::HeadlessClock().SetTimersRefused(true);
    EXPECT_FALSE(StartUp(nullptr, nullptr, "", 0));
    plat::HeadlessClock().SetTimersRefused(false);
    EXPECT_TRUE(StartUpFailed());
    EXPECT_EQ(plat::HeadlessDisplay().LastError(), "The game's frame timer could not be started.");
    window_ = g_Shell.window;  // the display is up: the fixture closes it
}

// A machine without a sound device: the output can never be opened.
class NoSoundDevice : public plat::AudioOutput {
public:
    bool Available() override { return false; }
    bool Start(plat::Mixer&) override { return false; }
    void Stop() override {}
};

TEST_F(StartUpTest, WithoutASoundDeviceOneLineSaysSoAndTheGameStartsSilently) {
    static NoSoundDevice none;
    plat::SetAudioOutput(&none);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(OpenProgramWindow(nullptr, 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "No sound device: playing without sound\n");
    window_ = g_Shell.window;
}

void PressEscape(void*) { plat::PostMessage(g_Shell.window, plat::WM_KEYUP, plat::VK_ESCAPE, 0); }

TEST_F(StartUpTest, ClosingTheWindowDuringTheSplashIsNoFailure) {
    WriteSolidBmp(Dir().Path() / "Title/TovaliSplash.bmp", 800, 600, kBlue565);
    const plat::TimerId escape = plat::StartPeriodicTimer(200, PressEscape, nullptr);
    EXPECT_EQ(GameEntry(nullptr, "", 0), 0);
    plat::StopPeriodicTimer(escape);
    EXPECT_FALSE(StartUpFailed() || plat::IsWindow(g_Shell.window) || g_Shell.page.back);
}

}  // namespace
