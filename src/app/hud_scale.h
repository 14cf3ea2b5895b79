#pragma once
// On screens much larger than 1024 x 768 the HUD, the crosshair and the
// status report are drawn a whole number of times larger, so they keep
// about the share of the screen they have there.

// The whole number nearest to the smaller of width / 1280 and height / 960
// (halves round up), at least 1: 1 up to 1920 x 1200 and 2048 x 1152, 2 at
// 2048 x 1536, 2560 x 1440 and 3840 x 2160, 3 at 5120 x 2880.
int hudScale(int width, int height);
