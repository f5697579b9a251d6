#include "scene/zidovivar_avi.h"

int main(int argc, char* argv[]) {
    return app::ZidovivarAvi::main(argc, argv);
}
