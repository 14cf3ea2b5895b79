#include "app/startup.h"

int main(int argc, char** argv) {
    startGame(argc, argv);
    return 0;
}
