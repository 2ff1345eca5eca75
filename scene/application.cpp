#include "scene/application.h"

#include <cstring>

#include "scene/scene.h"

Application g_Application;

Application::Application()
    : scenes(new PtrList<Scene>(1)), current(nullptr), directDraw(nullptr), page(nullptr) {}

Application::~Application() { delete scenes; }

void Application::SetDisplay(plat::DirectDraw* dd, FramePage* framePage) {
    directDraw = dd;
    page = framePage;
}

void Application::AddScene(Scene* scene) { scenes->Add(scene); }

Scene* Application::SelectScene(const char* name) {
    for (int32_t i = 0; i < scenes->Count(); ++i) {
        Scene* scene = scenes->Get(i);
        if (std::strcmp(scene->GetName(), name) != 0) continue;
        if (current != nullptr) current->Leave();
        current = scene;
        current->Enter(directDraw, page);
        return current;
    }
    return current;
}

int Application::RunFrame(int active) { return current ? current->Run(active) : 0; }

int Application::ForwardMessage(plat::WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam) {
    return current ? current->OnMessage(window, message, wParam, lParam) : 1;
}

void Application::LeaveAllScenes() {
    for (int32_t i = 0; i < scenes->Count(); ++i) scenes->Get(i)->Leave();
}
