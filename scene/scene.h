#pragma once
// Scene: the base class of everything the player sees. A scene owns its named
// images and its buttons, loads image sets from image-definition INI files,
// draws images by name and presents finished frames. The shell makes one
// scene current by name, forwards it every window message and runs it once
// per pass of the main loop.
#include <cstdint>

#include "base/ptr_list.h"
#include "display/image.h"
#include "platform/direct_draw.h"
#include "platform/messages.h"
#include "platform/surface.h"
#include "runtime/frame_page.h"

class Button;
class ButtonList;

class Scene {
public:
    Scene();
    // A scene that draws on that page from the start (a modal panel, which
    // the shell never enters).
    explicit Scene(FramePage* framePage);
    virtual ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Creates the image list and the button list where they are missing.
    virtual void Init();
    // Keeps both: the scene draws on the page's back page from then on.
    virtual void Enter(plat::DirectDraw* directDraw, FramePage* framePage);
    // Frees the buttons and the images.
    virtual void Leave();
    virtual int OnMessage(plat::WindowHandle window, uint32_t message, uintptr_t wParam,
                          intptr_t lParam);
    // What Run returns to ask the shell to end the program.
    static constexpr int kQuit = 7;

    // The frame's work; kQuit asks the shell to end the program.
    virtual int Run(int active);
    virtual void SetName(const char* text);
    virtual const char* GetName();
    // A loaded image appended to the list, or null (and nothing kept).
    virtual Image* AddImage(const char* fileName);
    virtual void FreeImages();
    // Takes the image out of the list without destroying it.
    virtual void DetachImage(Image* image);
    // The layers of the page's background-restore manager; nothing without a page.
    virtual void SetBackground(plat::Surface* surface);
    virtual void SetBackdrop(plat::Surface* surface);
    // Loads the images an image-definition file lists; returns 0.
    virtual int LoadImages(const char* iniPath);
    // The first image of that exact name, or null.
    virtual Image* FindImage(const char* imageName);
    // Appends an image loaded from the file (kept even when the file does not
    // load), named name when one is given.
    virtual Image* AddNamedImage(const char* fileName, const char* imageName);
    virtual void DetachImageByName(const char* imageName);
    virtual int DrawImageAt(plat::Surface* destination, const char* imageName, int32_t x, int32_t y);
    virtual int DrawImage(plat::Surface* destination, const char* imageName);
    // Finishes a frame: pointer, flip, restore; through the parent when set.
    // Without a page there is nothing to show (DDERR_INVALIDPARAMS).
    virtual int Present();
    // The page's back page as it is now, or null without a page.
    plat::Surface* BackPage() const { return page != nullptr ? page->back : nullptr; }
    virtual void SetParent(Scene* scene);
    // Gives the button the list's offset and the scene's page, and hands it
    // to the list.
    virtual void AddButton(Button* button);

    char name[256];
    plat::DirectDraw* directDraw;
    // The page the scene draws on, handed over by Enter; null until then.
    // Its back page is read at each use (see runtime/frame_page.h).
    FramePage* page;
    ButtonList* buttons;
    PtrList<Image>* images;
    // For derived scenes: the images given to SetBackground and SetBackdrop.
    Image* backgroundImage;
    Image* backdropImage;
    Scene* parent;
};
