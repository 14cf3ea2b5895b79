#include "app/game_sound.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    startGameSound();
    startGame(argc, argv);
    return 0;
}
