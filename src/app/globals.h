#pragma once
// Program-wide shell state: the window, the screens before play, the mouse,
// picking and the status report, and the pictures the shell shows. The
// simulation's own state is in game/game_state.h, included here so that the
// shell sees both.
#include <cstdint>
#include <memory>

#include "assets/texture_loader.h"
#include "game/debris_piece.h"
#include "game/effect_pictures.h"
#include "game/game_state.h"

enum class ScreenState : std::int32_t { Intro = 0, Menu = 1, Loading = 2 };

constexpr int kMenuDebrisCount = 80;
constexpr int kSelectBufferSize = 1024;

extern std::int32_t windowWidth, windowHeight;
extern ScreenState screenState;
extern std::int32_t introFrames;
extern std::int32_t loadingFrames;
extern std::int32_t gameSwitchTicks;
extern float lastTick;
extern std::int32_t menuHover;
extern float menuSpeed;
extern float menuEase;
extern double menuSpeedStamp;
extern double lastMouseX, lastMouseY;
extern bool showStatus;
extern std::uint32_t selectBuffer[kSelectBufferSize];
extern std::int32_t hitCount;
extern char statusText[1024];
extern bool levelReady;  // set once the level set-up has run

// The menu's falling pieces, made once with the window.
extern std::unique_ptr<DebrisPiece> menuDebris[kMenuDebrisCount];

// Screen pictures: intro, menu, loading ("mask.bmp") and closing.
extern TextureLoader introPicture, menuPicture, loadingPicture, closingPicture;
// HUD pictures.
extern TextureLoader hudCrosshairMask, hudCrosshair;
extern TextureLoader hudLabelHurt, hudLabelKilled, hudLabelHit, hudLabelFired;
extern TextureLoader digitPictures[10];  // digitPictures[d] shows d

// Puts the shell's values above back to their start (the menu's pieces and
// the pictures stay as they are). The program starts from these values too.
void resetShellState();
