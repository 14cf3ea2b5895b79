#include <cstring>
#include <iostream>

#include "app/startup.h"
#include "replay/replay_check.h"

int main(int argc, char** argv) {
    // Checking a recorded fight needs no window and no display.
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--check-replay") == 0)
            return checkReplayFile(argv[i + 1], std::cout);
    }
    startGame(argc, argv);
    return 0;
}
