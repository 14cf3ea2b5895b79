// Long run of scripted play with real frames, reporting memory once per
// simulated minute: tiles are flattened and rebuilt as the tank drives back
// and forth, enemies die and are replaced, projectiles and explosions are
// recycled. Memory must stay flat after the first minute.
//
//   bench_soak [minutes=20] [ticks-per-frame=5] [game-folder]
#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_frame.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/level_setup.h"
#include "app/startup.h"
#include "game/game_tick.h"
#include "platform/clock.h"
#include "platform/console.h"

namespace {

constexpr int kTickMs = 22;
int simulatedMs = 0;
int simulatedClock() { return simulatedMs; }

long residentKilobytes() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

template <typename Table>
int count(const Table& table) {
    int n = 0;
    for (const auto& slot : table) n += slot ? 1 : 0;
    return n;
}

int readyTiles() {
    int n = 0;
    for (const auto& tile : world->tiles) n += tile->ready ? 1 : 0;
    return n;
}

// The scripted player: drive out and back along z, sweep the turret, fire
// shells steadily, a missile and embers now and then.
void scriptedInput(long tick) {
    const long leg = tick % 1400;
    if (leg == 0) onGameKeyDown('w', 0, 0);
    if (leg == 1200) onGameKeyDown('a', 0, 0);  // 60 ticks of 3 degrees: turn around
    if (leg == 1260) onGameKeyUp('a', 0, 0);
    if (tick % 10 == 0) onGameButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
    if (tick % 10 == 1) onGameButton(GLUT_LEFT_BUTTON, GLUT_UP, 400, 300);
    if (tick % 300 == 150) onGameKeyDown('r', 0, 0);
    if (tick % 400 == 200) onGameKeyDown('g', 0, 0);
    // Sweep the turret a little each tick, staying inside the warp bounds.
    const int x = 400 + static_cast<int>((tick / 4) % 2 == 0 ? 6 : -5);
    onGameMotion(x, 300);
    onGameMotion(400, 300);
}

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 20;
    const int ticksPerFrame = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string folder = argc > 3 ? argv[3] : BRAKKON_ASSET_DIR;
    if (chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "soak: cannot enter %s\n", folder.c_str());
        return 1;
    }
    setClockSource(simulatedClock);
    // The game's console lines (heights, enemy health) would drown the report.
    std::ofstream quiet("/dev/null");
    setConsoleStream(&quiet);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Vornak Enhancement");
    glutDisplayFunc([] {});
    glutReshapeFunc(onReshape);
    glutMainLoopEvent();
    onReshape(800, 600);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_DEPTH_TEST);
    setupLight();
    setupLevel();
    levelReady = true;

    std::printf("minute,rss_kb,ready_tiles,projectiles,explosions,killed,fired,hit,hurt\n");
    const long ticksPerMinute = 60000 / kTickMs;
    const long totalTicks = ticksPerMinute * minutes;
    for (long tick = 0; tick < totalTicks; ++tick) {
        simulatedMs += kTickMs;
        now = static_cast<float>(simulatedMs);
        scriptedInput(tick);
        gameTick();
        if (tick % ticksPerFrame == 0) {
            drawGameFrame();
            glutMainLoopEvent();
        }
        if ((tick + 1) % ticksPerMinute == 0) {
            std::printf("%ld,%ld,%d,%d,%d,%d,%d,%d,%d\n", (tick + 1) / ticksPerMinute,
                        residentKilobytes(), readyTiles(), count(projectiles), count(explosions),
                        GameStats.killed, GameStats.fired, GameStats.hit, GameStats.hurt);
            std::fflush(stdout);
        }
    }
    return 0;
}
