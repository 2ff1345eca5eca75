#include "scene/scene.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "display/dirty_rect_manager.h"
#include "platform/profile.h"
#include "scene/button_list.h"

Scene::Scene() : Scene(nullptr) {}

Scene::Scene(FramePage* framePage)
    : name(""), directDraw(nullptr), page(framePage), buttons(new ButtonList()),
      images(new PtrList<Image>(1)), backgroundImage(nullptr), backdropImage(nullptr),
      parent(nullptr) {}

Scene::~Scene() { Scene::Leave(); }

void Scene::Init() {
    if (images == nullptr) images = new PtrList<Image>(1);
    if (buttons == nullptr) buttons = new ButtonList();
}

void Scene::Enter(plat::DirectDraw* dd, FramePage* framePage) {
    directDraw = dd;
    page = framePage;
    Init();
}

void Scene::Leave() {
    delete buttons;
    buttons = nullptr;
    FreeImages();
}

int Scene::OnMessage(plat::WindowHandle, uint32_t, uintptr_t, intptr_t) { return 1; }

int Scene::Run(int) { return 1; }

void Scene::SetName(const char* text) { std::snprintf(name, sizeof name, "%s", text ? text : ""); }

const char* Scene::GetName() { return name; }

Image* Scene::AddImage(const char* fileName) {
    auto* image = new Image(fileName);
    if (image->GetSurface() == nullptr) {
        delete image;
        return nullptr;
    }
    if (images == nullptr) images = new PtrList<Image>(1);
    images->Add(image);
    return image;
}

void Scene::FreeImages() {
    if (images == nullptr) return;
    // A picture given to the background manager as a layer must not stay
    // there once it is released.
    for (int32_t i = 0; page != nullptr && i < images->Count(); ++i) {
        page->dirtyRects->ForgetSurface(images->Get(i)->GetSurface());
    }
    images->DeleteAll();
    delete images;
    images = nullptr;
}

void Scene::DetachImage(Image* image) {
    if (images != nullptr) images->Remove(image);
}

void Scene::SetBackground(plat::Surface* surface) {
    if (page != nullptr) page->dirtyRects->SetBackground(surface);
}

void Scene::SetBackdrop(plat::Surface* surface) {
    if (page != nullptr) page->dirtyRects->SetBackdrop(surface);
}

int Scene::LoadImages(const char* iniPath) {
    if (images == nullptr) images = new PtrList<Image>(1);
    // Read once: a file may list any number of images.
    const plat::ProfileFile file(iniPath);
    for (int n = 1;; ++n) {
        char key[32];
        std::snprintf(key, sizeof key, "image%02d", n);
        char section[256];
        file.GetString("images", key, "none", section, sizeof section);
        if (std::strcmp(section, "none") == 0) return 0;

        char picture[260];  // room for the section name and ".bmp"
        file.GetString(section, "file", "none", picture, 256);
        if (std::strcmp(picture, "none") == 0) std::snprintf(picture, sizeof picture, "%s.bmp", section);
        Image* image = new (std::nothrow) Image(picture);
        // Out of memory: the images listed so far are what the scene gets.
        if (image == nullptr) return 0;
        try {
            images->Add(image);
        } catch (const std::bad_alloc&) {
            delete image;
            return 0;
        }
        image->SetName(section);

        char value[256];
        file.GetString(section, "x", "", value, sizeof value);
        const int32_t x = plat::LeadingInt(value);
        file.GetString(section, "y", "", value, sizeof value);
        image->SetPosition(x, plat::LeadingInt(value));
    }
}

Image* Scene::FindImage(const char* imageName) { return FindImageByName(images, imageName); }

Image* Scene::AddNamedImage(const char* fileName, const char* imageName) {
    auto* image = new Image();
    image->Load(fileName);
    if (imageName != nullptr) image->SetName(imageName);
    if (images == nullptr) images = new PtrList<Image>(1);
    images->Add(image);
    return image;
}

void Scene::DetachImageByName(const char* imageName) {
    Image* image = FindImage(imageName);
    if (image != nullptr) images->Remove(image);
}

int Scene::DrawImageAt(plat::Surface* destination, const char* imageName, int32_t x, int32_t y) {
    Image* image = FindImage(imageName);
    if (image == nullptr) return 0;
    image->Draw(destination, x, y);
    return 1;
}

int Scene::DrawImage(plat::Surface* destination, const char* imageName) {
    Image* image = FindImage(imageName);
    if (image == nullptr) return 0;
    image->Draw(destination, image->x, image->y);
    return 1;
}

int Scene::Present() {
    if (parent != nullptr) return parent->Present();
    if (page == nullptr) return plat::DDERR_INVALIDPARAMS;
    plat::Surface* back = BackPage();
    page->mouse->DrawCursor(back, *page->dirtyRects);
    const int result = page->flip();
    page->mouse->RestoreUnder(back);
    page->dirtyRects->FlipPage();
    page->dirtyRects->Restore(back);
    return result;
}

void Scene::SetParent(Scene* scene) { parent = scene; }

void Scene::AddButton(Button* button) {
    if (button == nullptr) return;
    // A scene that has been left takes buttons again into a new list.
    if (buttons == nullptr) buttons = new ButtonList();
    button->SetOffset(buttons->offsetX, buttons->offsetY);
    button->page = page;
    buttons->Add(button);
}
