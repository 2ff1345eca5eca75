// Images, scenes with their image-definition files and buttons, and the
// background layers a scene leaves.
#include "scene/scene.h"

#include <tuple>

#include "display/dirty_rect_manager.h"
#include "headless_shell.h"
#include "runtime/shell_state.h"
#include "scene/button_list.h"
#include "surface_test_util.h"

namespace {

class SceneTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        OpenDisplay();
        QVGetDDInfo(&g_Shell.primary, &g_Shell.page.back);
        scene.Enter(QVGetLPDD(), &g_Shell.page);
    }
    Scene scene;
    OwnedSurface target{FilledSurface(10, 10, kWhite565)};
};

TEST_F(SceneTest, ImageKeysPureBlueDrawsClippedAndAMissingFileDrawsNothing) {
    WriteSolidBmp("a.bmp", 7, 5, kBlue565);
    Image blue("a.bmp");
    blue.Draw(target.get(), 1, 1);
    EXPECT_EQ(PixelAt(target.get(), 2, 2), kWhite565);  // all of it is the key colour

    Image missing;
    missing.SetName("kept");
    EXPECT_EQ(missing.Load("missing.bmp"), nullptr);
    EXPECT_STREQ(missing.GetName(), "kept");
    EXPECT_EQ(missing.Draw(target.get(), 0, 0), 0);

    // Setup overrides the stored size but draws the whole bitmap.
    WriteSolidBmp("r.bmp", 4, 4, kRed565);
    Image image;
    image.Setup("red", "r.bmp", 2, 3, 0, 9);
    EXPECT_STREQ(image.GetName(), "r.bmp");  // loading names it after the file
    EXPECT_EQ(std::make_tuple(image.x, image.width, image.height), std::make_tuple(2, 4, 9));
    image.Draw(target.get(), 8, 7);  // partly outside: the visible part only
    EXPECT_EQ(PixelsAt(target.get(), {{9, 9}, {7, 9}}), (std::vector<uint16_t>{kRed565, kWhite565}));
}

// Holds an extra reference to a surface's pixels, to see when its owner lets go.
struct Watched {
    explicit Watched(plat::Surface* surface) : sdl(surface->Sdl()) { ++sdl->refcount; }
    ~Watched() { SDL_FreeSurface(sdl); }
    bool Released() const { return sdl->refcount == 1; }
    SDL_Surface* sdl;
};

TEST_F(SceneTest, ImagesReleaseAPictureTheyReplaceAndTakeNoPictureAsEmpty) {
    WriteSolidBmp("a.bmp", 3, 2, kRed565);
    WriteSolidBmp("b.bmp", 5, 4, kGreen565);
    Image image("a.bmp");
    Watched first(image.GetSurface());
    EXPECT_EQ(image.Load("missing.bmp"), nullptr);
    EXPECT_FALSE(first.Released());  // a failed load keeps the picture
    ASSERT_NE(image.Load("b.bmp"), nullptr);
    EXPECT_TRUE(first.Released());
    EXPECT_EQ(image.width, 5);

    Watched second(image.GetSurface());
    EXPECT_EQ(image.LoadDepth(nullptr, 16), nullptr);
    EXPECT_TRUE(second.Released());
    EXPECT_STREQ(image.GetName(), "");

    plat::Surface* attached = FilledSurface(6, 7, kWhite565);
    image.Attach(attached);
    EXPECT_EQ(image.height, 7);
    Watched third(attached);
    image.Attach(attached);  // the same surface again is kept
    EXPECT_FALSE(third.Released());
    image.Attach(nullptr);
    EXPECT_TRUE(third.Released() && image.GetSurface() == nullptr && image.width == 0);
    EXPECT_EQ(image.Draw(target.get(), 0, 0), 0);
}

TEST_F(SceneTest, LoadImagesStopsAtAGapOrNoneAndNamesImagesBySection) {
    WriteSolidBmp("title.bmp", 8, 4, kRed565);
    WriteSolidBmp("other.bmp", 6, 6, kGreen565);
    Dir().Write("set.ini",
                "[images]\nimage01=title\nimage02=board\nimage03=ghost\nimage04=title\nimage06=late\n"
                "[title]\nx=100\ny= -40px\nfile=none\n"
                "[board]\nfile=other.bmp\n"
                "[late]\nx=1\n");
    EXPECT_EQ(scene.LoadImages("set.ini"), 0);
    ASSERT_EQ(scene.images->Count(), 4);
    Image* title = scene.FindImage("title");
    EXPECT_EQ(title, scene.images->Get(0));  // the first of a name wins
    EXPECT_EQ(std::make_tuple(title->x, title->y, title->width), std::make_tuple(100, -40, 8));
    Image* board = scene.FindImage("board");
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(std::make_pair(board->x, board->width), std::make_pair(0, 6));
    EXPECT_EQ(scene.FindImage("late"), nullptr);
    // An image whose file does not load is kept, and draws nothing.
    EXPECT_EQ(scene.FindImage("ghost")->GetSurface(), nullptr);
    EXPECT_EQ(scene.DrawImage(g_Shell.page.back, "ghost"), 1);
    EXPECT_EQ(scene.DrawImage(g_Shell.page.back, "nobody"), 0);

    Dir().Write("none.ini", "[images]\nimage01=none\nimage02=board\n");
    for (const char* file : {"none.ini", "missing.ini"}) EXPECT_EQ(scene.LoadImages(file), 0) << file;
    EXPECT_EQ(scene.images->Count(), 4);
}

TEST_F(SceneTest, AddsDetachingAndButtonsOffsetsAndLeaveThenEnterGivesEmptyLists) {
    WriteSolidBmp("a.bmp", 3, 3, 0);
    Image* first = scene.AddNamedImage("a.bmp", "same");
    Image* second = scene.AddNamedImage("a.bmp", "same");
    EXPECT_EQ(scene.AddImage("missing.bmp"), nullptr);  // not kept
    EXPECT_EQ(scene.images->Count(), 2);
    EXPECT_STREQ(scene.AddImage("a.bmp")->GetName(), "a.bmp");
    scene.DetachImageByName("same");
    EXPECT_EQ(scene.FindImage("same"), second);
    delete first;
    scene.buttons->SetOffset(7, 8);
    auto* button = new Button(1, 1);
    scene.AddButton(button);
    EXPECT_EQ(std::make_pair(button->offsetX, button->offsetY), std::make_pair(7, 8));

    scene.Leave();
    EXPECT_TRUE(scene.images == nullptr && scene.buttons == nullptr);
    scene.Enter(QVGetLPDD(), &g_Shell.page);
    ASSERT_TRUE(scene.images != nullptr && scene.buttons != nullptr);
    EXPECT_EQ(std::make_tuple(scene.images->Count(), scene.buttons->buttons->Count(), scene.buttons->offsetX),
              std::make_tuple(0, 0, 0));
}

TEST_F(SceneTest, LeavingTakesItsPicturesOutOfTheBackgroundLayers) {
    WriteSolidBmp("sea.bmp", 20, 10, 0x0210);
    OwnedSurface elsewhere{FilledSurface(20, 10, kWhite565)};
    g_DirtyRects.SetBackground(elsewhere.get());
    g_DirtyRects.AddRectFlags(0, 0, 4, 4, 0, DirtyRect::kFromBackground);  // kept: not the scene's
    scene.SetBackground(scene.AddImage("sea.bmp")->GetSurface());
    scene.SetBackdrop(scene.AddImage("sea.bmp")->GetSurface());
    g_DirtyRects.AddRectFlags(0, 0, 4, 4, 0, DirtyRect::kFromBackground);
    g_DirtyRects.AddRect(2, 2, 4, 4);

    scene.Leave();
    EXPECT_TRUE(g_DirtyRects.GetBackground() == nullptr && g_DirtyRects.GetBackdrop() == nullptr);
    ASSERT_EQ(g_DirtyRects.lists[0]->Count(), 1);
    EXPECT_EQ(g_DirtyRects.lists[0]->Get(0)->background, elsewhere.get());
    g_DirtyRects.lists[0]->DeleteAll();
}

}  // namespace
