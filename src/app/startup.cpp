#include "app/startup.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <memory>

#include "app/focus_watch.h"
#include "app/game_exit.h"
#include "app/game_sound.h"
#include "app/globals.h"
#include "app/launch_options.h"
#include "app/screen_flow.h"
#include "app/window_class.h"

void setupLight() {
    glEnable(GL_LIGHTING);
    // w = 0: a directional light, given while the model-view matrix is the
    // identity, so it stays fixed relative to the eye.
    const GLfloat position[] = {-1280.0f, 1000.0f, 1280.0f, 0.0f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
}

void onReshape(int width, int height) {
    if (height == 0) height = 1;
    windowWidth = width;
    windowHeight = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(90.0, static_cast<double>(width) / static_cast<double>(height), 0.1, 12000.0);
    glMatrixMode(GL_MODELVIEW);
}

void prepareGame(int argc, char** argv) {
    endGameOnStopSignals();
    glutInit(&argc, argv);
    const LaunchOptions options = readLaunchOptions(argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    if (options.windowed)
        glutInitWindowSize(kWindowedWidth, kWindowedHeight);
    else
        glutInitWindowSize(800, 600);
    glutCreateWindow("Vornak Enhancement");
    nameWindowClass();
    startFocusWatch(options.windowed);
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
    introPicture.load("Intro.bmp");
    menuPicture.load("Menu.bmp");
    loadingPicture.load("mask.bmp");
    closingPicture.load("THANKYOU.bmp");
}

void startGame(int argc, char** argv) {
    prepareGame(argc, argv);
    startGameSound();
    glutMainLoop();
}
