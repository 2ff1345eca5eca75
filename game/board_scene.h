#pragma once
// The game's one scene, "treasure", on which the whole game is played.
#include "scene/scene.h"

class BoardScene : public Scene {
public:
    BoardScene();
    int Run(int active) override;
};

extern BoardScene g_BoardScene;
