#include "scene/application_scene.h"

int main(int argc, char* argv[]) {
    return scene::ApplicationScene::main(argc, argv);
}
