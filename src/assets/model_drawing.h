#pragma once
// How the models, compiled once at load, are drawn every frame.

// False (the game's way): each model is drawn from its display list. True:
// every vertex is sent again as when the list was compiled, which gives the
// same picture more slowly; kept to prove that and to time the difference.
extern bool drawModelsImmediately;
