// zephyrin-render: draws an attractor picture from the command line.
#include "render/render_main.h"

int main(int argc, char** argv) {
    return zephyrin::RenderMain(argc, argv, nullptr);
}
