// The ground alone, seen from a tank's chase camera at many headings: the
// plain drawing (sky box list, then every tile's own list), the game's
// drawing without skipping anything, and the game's drawing as it plays,
// taken in turns. Needs an X display (run under Xvfb: 1024 x 768).
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "../tests/support/reference_ground.h"
#include "../tests/support/world_scene.h"
#include "game/vec_math.h"
#include "world/world.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Blocks that show at least one pixel, from a render of every block in its
// own flat colour (what perfect skipping would keep).
int blocksShowing(World& world, const std::function<void()>& view, std::vector<int>& needed) {
    view();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glPushMatrix();
    glTranslatef(-1270.0f, 0.0f, 1270.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 20; ++j) {
            const Tile& t = *world.tiles[i * 20 + j];
            if (t.ready) {
                for (int q = 0; q < 256; ++q) {
                    const int id = 1 + (i * 20 + j) * 256 + q;
                    glColor3ub(id & 255, (id >> 8) & 255, (id >> 16) & 255);
                    QuarterMask one;
                    one.set(q);
                    drawTileMesh(t.meshBuffer, one);
                }
            }
            glTranslatef(0, 0, -127);
        }
        glTranslatef(127, 0, 2540);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPopMatrix();
    glPopAttrib();
    std::vector<unsigned char> pixels(1024 * 768 * 3);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<char> seen(400 * 256 + 1, 0);
    for (size_t k = 0; k < pixels.size(); k += 3) {
        const int id = pixels[k] | (pixels[k + 1] << 8) | (pixels[k + 2] << 16);
        if (id > 0 && id <= 400 * 256) seen[id] = 1;
    }
    needed.clear();
    for (int id = 1; id <= 400 * 256; ++id)
        if (seen[id]) needed.push_back(id - 1);
    return static_cast<int>(needed.size());
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("brakkon ground bench");
    glutDisplayFunc([] {});
    for (int k = 0; k < 10; ++k) glutMainLoopEvent();
    enterAssetDir();
    setupGameView(1024, 768);

    // Around the middle, or (argument "tank") where the game's tank starts,
    // its turret turning.
    const bool atTank = argc > 3 && std::string(argv[3]) == "tank";
    const float baseX = atTank ? 400.0f : 7.3f, baseZ = atTank ? 400.0f : 5.9f;
    World world(WORLD_VIEW_RANGE, 8888);
    for (int frame = 0, idle = 0; frame < 1000 && idle < 2; ++frame) {
        drawWorldFrame(world, baseX, 30, baseZ, baseX, 0, baseZ - 100);
        idle = world.buildBusy ? 0 : idle + 1;
        waitForBuilder(world);
    }
    ReferenceGround reference(world);

    const int headings = argc > 1 ? std::atoi(argv[1]) : 36;
    const int only = argc > 2 ? std::atoi(argv[2]) : -1;
    std::vector<double> times[7], decideCpu;
    long skipped = 0, showing = 0, drawnTotal = 0, plainTotal = 0;
    for (int k = 0; k < headings; ++k) {
        const float yaw = k * 6.2831853f / headings;
        float x = baseX + 20 * std::sin(yaw * 3), z = baseZ + 20 * std::cos(yaw * 2);
        float y = static_cast<float>(world.heightAt(x, z)) + 2.0f;
        Vec3 target{x + 128 * std::sin(yaw), y - 1, z - 128 * std::cos(yaw)};
        if (atTank) {
            // The chase camera of a tank standing at its start, gun level.
            const float turret = 150.0f + 360.0f * k / headings;
            const Vec3 tank{baseX, static_cast<float>(world.heightAt(baseX, baseZ)), baseZ};
            const Vec3 back = aimToDirection(turret, 210.0f);
            x = tank.x + 2 * back.x, y = tank.y + 2 * back.y, z = tank.z + 2 * back.z;
            y = std::max(y, static_cast<float>(world.heightAt(x, z)) + 2.0f);
            const Vec3 ahead = aimToDirection(turret, 0.0f);
            target = {tank.x + 128 * ahead.x, tank.y + 128 * ahead.y, tank.z + 128 * ahead.z};
        }
        auto view = [&] {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glLoadIdentity();
            gluLookAt(x, y, z, target.x, target.y, target.z, 0, 1, 0);
        };
        for (int way = 0; way < 7; ++way) {
            if (only >= 0 && way != only) {
                times[way].push_back(0);
                continue;
            }
            glFinish();
            const auto start = Clock::now();
            view();
            if (way == 0) {
                reference.draw(static_cast<int>(x), static_cast<int>(z));
            } else if (way == 4) {
                // clear only
            } else if (way == 5) {
                glCallList(world.listBase);
            } else if (way == 6) {
                world.cullTiles = true;
                world.updateTiles(static_cast<int>(x), static_cast<int>(z));
                world.decideVisibility();
                glPushMatrix();
                glTranslatef(-1270.0f, 0.0f, 1270.0f);
                for (int i = 0; i < 20; ++i) {
                    for (int j = 0; j < 20; ++j) {
                        const Tile& t = *world.tiles[i * 20 + j];
                        if (!t.ready && world.visibleParts[i * 20 + j].any())
                            glCallList(t.flatList);
                        glTranslatef(0, 0, -127);
                    }
                    glTranslatef(127, 0, 2540);
                }
                glPopMatrix();
            } else if (way == 3) {
                // Only the deciding: what the CPU spends before drawing. Its
                // thread CPU time too, which other processes hardly change.
                world.cullTiles = true;
                world.updateTiles(static_cast<int>(x), static_cast<int>(z));
                const double cpuStart = threadCpuMs();
                world.decideVisibility();
                decideCpu.push_back(threadCpuMs() - cpuStart);
            } else {
                world.cullTiles = way == 2;
                world.draw(static_cast<int>(x), static_cast<int>(z));
                if (way == 2) skipped += world.lastSkippedBlocks;
            }
            glFinish();
            times[way].push_back(msSince(start));
        }
        std::vector<int> needed;
        glClearColor(1, 1, 1, 1);
        showing += blocksShowing(world, view, needed);
        glClearColor(0.55f, 0.42f, 0.24f, 1.0f);
        world.cullTiles = true;
        view();
        world.updateTiles(static_cast<int>(x), static_cast<int>(z));
        world.decideVisibility();
        int drawn = 0;
        for (int t = 0; t < 400; ++t) {
            if (!world.tiles[t]->ready) continue;
            drawn += world.visibleParts[t].count();
            QuarterMask plain = world.plainParts[t];
            for (int w = 0; w < 4; ++w) plain.words[w] &= world.visibleParts[t].words[w];
            plainTotal += plain.count();
        }
        drawnTotal += drawn;
        if (getenv("VERBOSE")) {
            std::printf("view %d: showing %zu drawn %d\n", k, needed.size(), drawn);
            for (int t = 0; t < 400; ++t) {
                if (!world.tiles[t]->ready) continue;
                int need = 0;
                for (int id : needed) need += id / 256 == t;
                const int d = world.visibleParts[t].count();
                if (d)
                    std::printf("   tile %d (%d,%d): needed %d drawn %d\n", t, t / 20, t % 20, need,
                                d);
            }
        }
        glutSwapBuffers();
    }
    world.cullTiles = true;
    const double ref = median(times[0]);
    std::printf("sky + terrain, plain drawing         %8.2f ms\n", ref);
    std::printf("sky + terrain, nothing skipped       %8.2f ms  (ratio %.2f)\n", median(times[1]),
                ref / median(times[1]));
    std::printf("sky + terrain, as the game draws     %8.2f ms  (ratio %.2f)\n", median(times[2]),
                ref / median(times[2]));
    std::printf("  of which deciding what to skip     %8.2f ms\n", median(times[3]));
    if (!decideCpu.empty())
        std::printf("  deciding, main thread CPU time     %8.2f ms\n", median(decideCpu));
    std::printf("  clear only %8.2f, sky only %8.2f, visible flat tiles only %8.2f\n",
                median(times[4]), median(times[5]), median(times[6]));
    std::printf("  quarter blocks showing a pixel        %8.1f, drawn %8.1f\n",
                double(showing) / headings, double(drawnTotal) / headings);
    std::printf("  of them beyond the haze, drawn plain %8.1f\n", double(plainTotal) / headings);
    std::printf("  quarter blocks skipped per view    %8.1f\n",
                static_cast<double>(skipped) / headings);
    return 0;
}
