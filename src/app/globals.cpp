#include "app/globals.h"

#include "app/control_settings.h"
#include "app/input.h"

std::int32_t windowWidth, windowHeight;
ScreenState screenState;
std::int32_t introFrames;
std::int32_t loadingFrames;
std::int32_t gameSwitchTicks;
float lastTick;
std::int32_t menuHover;
float menuSpeed;
float menuEase;
double menuSpeedStamp;
double lastMouseX, lastMouseY;
bool showStatus;
std::uint32_t selectBuffer[kSelectBufferSize];
std::int32_t hitCount;
char statusText[1024];
bool levelReady;

std::unique_ptr<DebrisPiece> menuDebris[kMenuDebrisCount];

TextureLoader introPicture, menuPicture, loadingPicture, closingPicture;
TextureLoader hudCrosshairMask, hudCrosshair;
TextureLoader hudLabelHurt, hudLabelKilled, hudLabelHit, hudLabelFired;
TextureLoader digitPictures[10];

void resetShellState() {
    windowWidth = windowHeight = 0;
    screenState = ScreenState::Intro;
    introFrames = 60;
    loadingFrames = 1;
    gameSwitchTicks = 120;
    sceneryGroundFrames = 2;
    lastTick = 0.0f;
    menuHover = 0;
    menuSpeed = 1.0f;
    menuEase = 15.0f;
    menuSpeedStamp = 0.0;
    lastMouseX = 400.0;
    lastMouseY = 300.0;
    showStatus = false;
    hitCount = 0;
    levelReady = false;
    mouseAim = MouseAim{};
    keysByPosition = false;
    screenshotWanted = false;
}

namespace {
// Runs after the definitions above (same file, so in order): the program
// starts from the values resetShellState gives.
const bool shellStateStarted = (resetShellState(), true);
}  // namespace
