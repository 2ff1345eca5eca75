#include "scene/scene.h"

#include <cstdio>

#include "platform/qv.h"

Scene::Scene() : name(""), directDraw(nullptr), backBuffer(nullptr), parent(nullptr) {}

Scene::~Scene() { Scene::Leave(); }

void Scene::Init() {}

void Scene::Enter(plat::DirectDraw* dd, plat::Surface* back) {
    directDraw = dd;
    backBuffer = back;
    Init();
}

void Scene::Leave() {}

int Scene::OnMessage(plat::WindowHandle, uint32_t, uintptr_t, intptr_t) { return 1; }

int Scene::Run(int) { return 1; }

void Scene::SetName(const char* text) { std::snprintf(name, sizeof name, "%s", text ? text : ""); }

const char* Scene::GetName() { return name; }

int Scene::Present() {
    if (parent != nullptr) return parent->Present();
    return QVFlip();
}

void Scene::SetParent(Scene* scene) { parent = scene; }
