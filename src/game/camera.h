#pragma once
// The chase camera: just behind and above the tank, looking along the gun.
void updateCamera();
