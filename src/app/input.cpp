#include "app/input.h"

#include <GL/freeglut.h>

#include <memory>

#include "app/focus_watch.h"
#include "app/game_exit.h"
#include "app/globals.h"
#include "app/pause.h"
#include "app/pointer_capture.h"
#include "game/game_events.h"

namespace {
template <std::size_t N, typename T>
int firstEmptySlot(std::unique_ptr<T> (&table)[N], int first, int last) {
    for (int i = first; i <= last; ++i) {
        if (!table[i]) return i;
    }
    return -1;
}
}  // namespace

void onGameKeyDown(unsigned char key, int x, int y) {
    // While paused any key but Esc only resumes.
    if (gamePaused && key != kEscapeKey) return resumeGame(x, y);
    switch (key) {
        case kEscapeKey:
            // At once: the sound is not faded or closed, since a stalled
            // audio device would hold the exit up.
            quitGame(0);
        case ' ':
            TimeScale = TimeScale > 50.0f ? 30.0f : 100.0f;
            break;
        case 'a':
            if (player) player->turnInput = 180;
            break;
        case 'd':
            if (player) player->turnInput = -180;
            break;
        case 'w':
            if (player) player->driveInput = 1;
            break;
        case 's':
            if (player) player->driveInput = 2;
            break;
        case 'r':
            fireMissile();
            break;
        case 'g':
            if (player)
                spawnExplosions({player->position.x, 12.0f, player->position.z},
                                ExplosionType::Ember, 10);
            break;
        case 'p':
            showStatus = !showStatus;
            break;
        case 'm':
            if (gameEvents) gameEvents->muteToggled();
            break;
        case kPauseKey:
            pauseGame();
            break;
        default:
            break;
    }
}

void onGameKeyUp(unsigned char key, int, int) {
    if (!player || gamePaused) return;
    switch (key) {
        case 'a':
        case 'd':
            player->turnInput = 0;
            break;
        case 'w':
        case 's':
            player->driveInput = 0;
            break;
        default:
            break;
    }
}

void onGameButton(int button, int state, int x, int y) {
    // The click that resumes fires nothing.
    if (gamePaused) {
        if (state == GLUT_DOWN) resumeGame(x, y);
        return;
    }
    if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN) fireShell();
}

float pitchAfterMove(float gunPitch, double dy) {
    const double move = dy * 0.125;
    // The gun reaches from 60 degrees up (300) to 6 degrees down (6). A move
    // so large that wrapping once would land it on the wrong side stops at
    // the limit it went toward.
    const double signedPitch = gunPitch >= 180.0f ? gunPitch - 360.0 : gunPitch;
    if (signedPitch + move > 6.0) return 6.0f;
    if (signedPitch + move < -60.0) return 300.0f;
    float p = static_cast<float>(gunPitch + move);
    if (p > 360.0f) p -= 360.0f;
    if (p < 0.0f) p += 360.0f;
    if (p > 6.0f && p < 180.0f) {
        p = 6.0f;
    } else if (p >= 180.0f && p < 300.0f) {
        p = 300.0f;
    }
    return p;
}

float yawAfterMove(float turretYaw, double dx) {
    float q = static_cast<float>(turretYaw - dx * 0.125);
    while (q > 360.0f) q -= 360.0f;
    while (q < 0.0f) q += 360.0f;
    return q;
}

void onGameMotion(int x, int y) {
    // Paused, the pointer is the desktop's: no aim, no warp. So is a move that
    // comes after the focus left, before the next tick pauses.
    if (gamePaused || lookedAwaySinceLastNews()) return;
    const double dx = x - lastMouseX;
    const double dy = y - lastMouseY;
    if (player) {
        player->gunPitch = pitchAfterMove(player->gunPitch, dy);
        player->turretYaw = yawAfterMove(player->turretYaw, dx);
        foldAim(player->turretYaw, player->gunPitch);
    }
    if (pointerNeedsWarp(x, y, windowWidth, windowHeight)) {
        const WindowPoint centre = warpPoint(windowWidth, windowHeight);
        warpPointerTo(centre);
        // The warp's own motion event then arrives at the stored position
        // and turns nothing.
        x = centre.x;
        y = centre.y;
    }
    lastMouseX = x;
    lastMouseY = y;
}

void fireShell() {
    if (!player) return;
    const int slot = firstEmptySlot(projectiles, kPlayerShellFirst, kPlayerShellLast);
    if (slot < 0) return;
    const Vec3 muzzle{player->position.x, player->position.y + 1.0f, player->position.z};
    projectiles[slot] = std::make_unique<Projectile>(player->turretYaw, player->gunPitch, muzzle,
                                                     HitKind::PlayerShell, 5);
    GameStats.fired += 1;
    if (gameEvents) gameEvents->shellFired(muzzle);
}

void fireMissile() {
    if (!player) return;
    const int slot = firstEmptySlot(projectiles, kPlayerMissileFirst, kPlayerMissileLast);
    if (slot < 0) return;
    projectiles[slot] = std::make_unique<Projectile>(player->hullHeading, 320.0f, player->position,
                                                     HitKind::PlayerMissile, 600);
    if (gameEvents) gameEvents->missileLaunched(slot - kPlayerMissileFirst, player->position);
}

void spawnExplosions(const Vec3& point, int type, int count) {
    bool started = false;
    for (auto& slot : explosions) {
        if (count <= 0) break;
        if (slot) continue;
        slot = std::make_unique<Explosion>(point, type);
        started = true;
        --count;
    }
    if (started && gameEvents) gameEvents->explosionStarted(type, point);
}
