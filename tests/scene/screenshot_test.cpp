// Draws a scene headless for a few frames, the way the game does (a picture
// in the background layer, something moving on the back page, restored away
// two frames later), writes the shown page to a BMP for people to look at,
// and checks that nothing of the moving block is left behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "display/blit.h"
#include "headless_shell.h"
#include "platform/qv.h"
#include "scene/dirty_rect_manager.h"
#include "scene/scene.h"
#include "shell/shell_state.h"
#include "surface_test_util.h"

namespace {

class Screenshot : public HeadlessShell {};

TEST_F(Screenshot, MovingBlockLeavesNoTrailAndThePageIsWritten) {
    OpenDisplay();
    QVGetDDInfo(&g_Shell.primary, &g_Shell.backBuffer);
    WriteSolidBmp(Dir().Path() / "sea.bmp", 800, 600, 0, 64, 128);
    WriteSolidBmp(Dir().Path() / "block.bmp", 40, 40, 255, 200, 0);

    Scene scene;
    scene.Enter(QVGetLPDD(), g_Shell.backBuffer);
    Image* sea = scene.AddImage("sea.bmp");
    Image* backdrop = scene.AddImage("sea.bmp");
    Image* block = scene.AddImage("block.bmp");
    ASSERT_TRUE(sea && backdrop && block);
    scene.SetBackground(sea->GetSurface());
    scene.SetBackdrop(backdrop->GetSurface());
    // A refresh restores the page it was reported on: one for each page.
    g_DirtyRects.RefreshAll();
    scene.Present();
    g_DirtyRects.RefreshAll();
    scene.Present();
    scene.Present();

    int x = 0;
    for (int frame = 0; frame < 12; ++frame, x += 50) {
        block->Draw(g_Shell.backBuffer, x, 100);
        g_DirtyRects.AddRectEdges(x, 100, x + 40, 140, DirtyRect::kOneShot, DirtyRect::kFromBackground);
        scene.Present();
    }
    plat::Surface* shown = plat::HeadlessDisplay().LastPresented();
    const uint16_t seaColour = PixelAt(sea->GetSurface(), 0, 0);
    const uint16_t blockColour = PixelAt(block->GetSurface(), 0, 0);
    const int last = x - 50;
    EXPECT_EQ(PixelAt(shown, last + 20, 120), blockColour);
    for (int earlier = 0; earlier < last; earlier += 50) {
        EXPECT_EQ(PixelAt(shown, earlier + 20, 120), seaColour) << "trail at " << earlier;
    }

    std::filesystem::create_directories(REEF_ARTIFACT_FOLDER);
    const std::string path = std::string(REEF_ARTIFACT_FOLDER) + "/moving_block.bmp";
    ASSERT_TRUE(QVSaveFrontPage(path.c_str()));
    EXPECT_GT(std::filesystem::file_size(path), 800u * 600u * 2u);
}

}  // namespace
