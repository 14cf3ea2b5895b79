#include "game/tick_view.h"

#include "game/game_state.h"

TickView currentTickView() {
    TickView view;
    view.eye = CameraState.eye;
    view.target = CameraState.target;
    view.timeScale = TimeScale;
    if (player) {
        view.tank = player->position;
        view.tankWorking = player->driveInput != 0 || player->turnInput != 0;
    }
    for (int i = 0; i < TickView::kMissiles; ++i) {
        const Projectile* missile = projectiles[kPlayerMissileFirst + i].get();
        view.missileFlying[i] = missile && missile->timer >= 0;
        if (missile) view.missileAt[i] = missile->position;
    }
    return view;
}
