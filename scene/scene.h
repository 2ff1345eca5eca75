#pragma once
// Scene: the base class of everything the player sees. The shell makes one
// scene current by name, forwards it every window message and runs it once
// per pass of the main loop.
#include <cstdint>

#include "platform/direct_draw.h"
#include "platform/messages.h"
#include "platform/surface.h"

class Scene {
public:
    Scene();
    virtual ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    virtual void Init();
    virtual void Enter(plat::DirectDraw* directDraw, plat::Surface* backBuffer);
    virtual void Leave();
    virtual int OnMessage(plat::WindowHandle window, uint32_t message, uintptr_t wParam,
                          intptr_t lParam);
    // The frame's work; 7 asks the shell to end the program.
    virtual int Run(int active);
    virtual void SetName(const char* text);
    virtual const char* GetName();
    // Finishes a frame: flips the display pages (through the parent when set).
    virtual int Present();
    virtual void SetParent(Scene* scene);

    char name[256];
    plat::DirectDraw* directDraw;
    plat::Surface* backBuffer;
    Scene* parent;
};
