#pragma once
// The scene holder: the registered scenes, the current one, and the display
// objects each scene is handed when it is entered. It does not own the scenes.
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/direct_draw.h"
#include "platform/messages.h"
#include "platform/surface.h"

class Scene;
struct FramePage;

class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The display objects every scene is handed on entering: the page is the
    // holder the shell keeps up to date, not a copy of its surface.
    void SetDisplay(plat::DirectDraw* directDraw, FramePage* framePage);
    void AddScene(Scene* scene);
    // Makes the first scene of that name current (leaving the old one and
    // entering the new one, even when they are the same); an unknown name
    // changes nothing. Returns the current scene.
    Scene* SelectScene(const char* name);
    // Scene::Run of the current scene, or 0 when there is none.
    int RunFrame(int active);
    // Scene::OnMessage of the current scene, or 1 when there is none.
    int ForwardMessage(plat::WindowHandle window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam);
    void LeaveAllScenes();

    Scene* Current() const { return current; }

private:
    PtrList<Scene>* scenes;
    Scene* current;
    plat::DirectDraw* directDraw;
    FramePage* page;
};

extern Application g_Application;
