#pragma once
// The display callback during play and its selection pass.
#include <cstddef>
#include <cstdint>

void drawGameFrame();
// Switches to selection mode around the screen centre.
void beginPickPass();
// Walks count hit records in buffer (bufferSize values) and sets AimPoint to
// the nearest block or enemy. Records that would run past the buffer's end
// are not read.
void resolvePick(int count, const std::uint32_t* buffer, std::size_t bufferSize = 1024);
// On the third frame: puts the scenery on the ground and logs the heights.
void groundSceneryOnThirdFrame();
