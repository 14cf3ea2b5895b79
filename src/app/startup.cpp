#include "app/startup.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "app/control_settings.h"
#include "app/display_options.h"
#include "app/focus_watch.h"
#include "app/game_exit.h"
#include "app/game_sound.h"
#include "app/game_view.h"
#include "app/gamepad_input.h"
#include "app/globals.h"
#include "app/launch_options.h"
#include "app/replay_watch.h"
#include "app/screen_flow.h"
#include "app/window_class.h"
#include "app/window_manager.h"
#include "assets/asset_manifest.h"
#include "assets/asset_names.h"
#include "platform/message_box.h"
#include "replay/replay_check.h"
#include "replay/replay_folder.h"
#include "settings/settings_file.h"

void onReshape(int width, int height) {
    if (height == 0) height = 1;
    windowWidth = width;
    windowHeight = height;
    setGameProjection(width, height);
}

void applyDisplayOptions(const LaunchOptions& options) {
    displayOptions = chooseDisplayOptions(playerSettings, options);
}

namespace {
// Started away from its folder, the game would raise a box for each file:
// one box instead, and the game ends.
void endIfGameFolderMissing() {
    char* here = getcwd(nullptr, 0);
    const std::string message = missingGameFolderMessage(here ? here : ".");
    std::free(here);
    if (message.empty()) return;
    showMessageBox("Error", message);
    quitGame(1);
}
}  // namespace

void prepareGame(int argc, char** argv) {
    endGameOnStopSignals();
    // Answered before GLUT looks for a display: --help works anywhere.
    LaunchOptions options = readLaunchOptions(argc, argv);
    if (options.answer != LaunchAnswer::Play)
        quitGame(answerLaunchOptions(options, settingsFilePath()));
    // Checking a recorded fight needs no window, no display and no pictures.
    if (!options.checkReplayFile.empty())
        quitGame(checkReplayFile(replayPathFor(options.checkReplayFile), std::cout));
    if (!options.replayFile.empty()) loadReplayToWatch(replayPathFor(options.replayFile));
    endIfGameFolderMissing();
    glutInit(&argc, argv);
    loadPlayerSettings();
    applyControlSettings(playerSettings);
    // --window wins over the file.
    options.windowed = options.windowed || !playerSettings.fullscreen;
    applyDisplayOptions(options);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    // Without a window manager freeglut's full screen keeps the window's start
    // position as if it were a frame's border: start it at the screen's corner.
    if (options.windowed || windowManagerRunning())
        glutInitWindowPosition(100, 100);
    else
        glutInitWindowPosition(0, 0);
    if (options.windowed)
        glutInitWindowSize(kWindowedWidth, kWindowedHeight);
    else
        glutInitWindowSize(800, 600);
    glutCreateWindow("Vornak Enhancement");
    nameWindowClass();
    // Closing the window ends the game as Esc does, not by freeglut's exit().
    glutCloseFunc([] { quitGame(0); });
    // Keys by position need the window watch; without it, letters rule.
    keysByPosition = startFocusWatch(options.windowed, playerSettings.keysByPosition);
    glutReshapeFunc(onReshape);
    glutDisplayFunc(displayScreen);
    glutIdleFunc(shellIdle);
    // Keys do nothing before play: no keyboard callback yet.
    glutSetKeyRepeat(GLUT_KEY_REPEAT_OFF);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_DEPTH_TEST);
    if (!options.windowed) glutFullScreen();
    setupLight();
    for (auto& piece : menuDebris) piece = std::make_unique<DebrisPiece>();
    // A recorded fight starts at its loading picture.
    if (watchingReplay()) screenState = ScreenState::Loading;
    introPicture.load(assetnames::kIntroPicture);
    menuPicture.load(assetnames::kMenuPicture);
    loadingPicture.load(assetnames::kLoadingPicture);
    closingPicture.load(assetnames::kClosingPicture);
}

void startGame(int argc, char** argv) {
    prepareGame(argc, argv);
    startGameSound();
    startGamepad();
    glutMainLoop();
}
