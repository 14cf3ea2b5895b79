#pragma once
// The game's command line, read by the game itself (the launcher passes it
// on as it is). Without options the game starts as it always has: full
// screen. Single-dash options are GLUT's (-display, -geometry) and left to it.
#include <string>

// What the command line asks for: play, or an answer and the end.
enum class LaunchAnswer { Play, Help, Version, Refuse };

struct LaunchOptions {
    bool windowed = false;    // "--window": a 1024 x 768 window instead of full screen
    bool designPace = false;  // "--design-pace": one tick per timer pass, however slow the frames
    int renderScalePercent = 0;   // "--render-scale N" (100, 75 or 50); 0 when not given
    std::string replayFile;       // "--replay FILE": watch a recorded fight
    std::string checkReplayFile;  // "--check-replay FILE": check one without a window
    LaunchAnswer answer = LaunchAnswer::Play;
    std::string refusal;  // why, for Refuse: an unknown option or a value the game cannot use
};

// Reads the options in order; the first --help, --version or option the game
// cannot take decides the answer.
LaunchOptions readLaunchOptions(int argc, char** argv);

// The text --help shows; `settingsPath` is where the settings file is.
std::string launchHelp(const std::string& settingsPath);

// Prints what the options ask for instead of play (the help or the version
// on standard output, a refusal on standard error) and returns the exit
// status: 0, or 2 for a refusal.
int answerLaunchOptions(const LaunchOptions& options, const std::string& settingsPath);

// The windowed mode's client size.
constexpr int kWindowedWidth = 1024;
constexpr int kWindowedHeight = 768;
