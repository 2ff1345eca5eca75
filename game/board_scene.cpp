#include "game/board_scene.h"

BoardScene g_BoardScene;

BoardScene::BoardScene() { SetName("treasure"); }

int BoardScene::Run(int) {
    Present();
    return 1;
}
