#pragma once
// Full screen or a window, switched while the game runs.

// Full screen, or a 1024 x 768 window; the pointer leaving the window then
// counts as looking away, as it does for a game started with --window.
void showFullScreen(bool fullScreen);
