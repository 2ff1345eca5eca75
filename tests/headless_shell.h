#pragma once
// A test fixture that runs the shell on the headless backend in a fresh
// working folder. Each test runs in a process of its own (ctest), so the
// shell's globals start clean.
#include <gtest/gtest.h>

#include <memory>

#include "platform/backend.h"
#include "platform/headless/headless_video.h"
#include "platform/headless/virtual_clock.h"
#include "scene/scene.h"
#include "temp_dir.h"

class HeadlessShell : public ::testing::Test {
protected:
    void SetUp() override {
        plat::UseBackend(plat::Backend::Headless);
        plat::HeadlessDisplay().Reset();
        dir_ = std::make_unique<TempDir>();
    }
    void TearDown() override { dir_.reset(); }

    TempDir& Dir() { return *dir_; }

private:
    std::unique_ptr<TempDir> dir_;
};

// A scene that counts what the shell asks of it.
class CountingScene : public Scene {
public:
    explicit CountingScene(const char* sceneName, int runResult = 1) : runResult_(runResult) {
        SetName(sceneName);
    }
    void Enter(plat::DirectDraw* dd, plat::Surface* back) override {
        ++enters;
        Scene::Enter(dd, back);
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
