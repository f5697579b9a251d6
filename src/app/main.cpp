#include "app/zidovivar_avi.h"

int main(int argc, char* argv[]) {
    app::ZidovivarAvi::main(argc, argv);
    return 0;
}
