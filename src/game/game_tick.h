#pragma once
// One fixed simulation step: explosions, projectiles, enemies, tank, camera.
void gameTick();
