#pragma once
// A test fixture that runs the shell on the headless backend in a fresh
// working folder. Each test runs in a process of its own (ctest), so the
// shell's globals start clean.
#include <gtest/gtest.h>

#include <memory>

#include "platform/backend.h"
#include "platform/headless/headless_video.h"
#include "platform/headless/virtual_clock.h"
#include "platform/messages.h"
#include "platform/qv.h"
#include "platform/window.h"
#include "scene/scene.h"
#include "temp_dir.h"

class HeadlessShell : public ::testing::Test {
protected:
    void SetUp() override {
        plat::UseBackend(plat::Backend::Headless);
        plat::HeadlessDisplay().Reset();
        dir_ = std::make_unique<TempDir>();
    }
    void TearDown() override {
        if (window_ != nullptr) QVFreeDirectX();
        dir_.reset();
    }

    TempDir& Dir() { return *dir_; }

    // A window with an 800 by 600 display, for tests that draw.
    void OpenDisplay() {
        plat::RegisterWindowClass({"test", 0, plat::DefWindowProc});
        window_ = plat::CreateWindow("test", "test", plat::WS_VISIBLE, 0, 0, 800, 600);
        ASSERT_NE(QVInitDirectX(window_, 800, 600), 0);
    }
    plat::WindowHandle window_ = nullptr;

private:
    std::unique_ptr<TempDir> dir_;
};

// A timer callback that asks the window to close, as its close box does.
inline void PostClose(void* window) {
    plat::PostMessage(static_cast<plat::WindowHandle>(window), plat::WM_CLOSE, 0, 0);
}

// A scene that counts what the shell asks of it.
class CountingScene : public Scene {
public:
    explicit CountingScene(const char* sceneName, int runResult = 1) : runResult_(runResult) {
        SetName(sceneName);
    }
    void Enter(plat::DirectDraw* dd, FramePage* framePage) override {
        ++enters;
        Scene::Enter(dd, framePage);
    }
    void Leave() override { ++leaves; }
    int Run(int) override {
        ++runs;
        Present();
        return runResult_;
    }
    int enters = 0, leaves = 0, runs = 0;

private:
    int runResult_;
};
