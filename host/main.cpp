// Orrelume: the screen saver, its preview and the application window.
#include "host/startup.h"

int main(int argc, char** argv) {
    return orrelume::Main(argc, argv);
}
