#pragma once
// The intro, menu and loading pictures come in three shapes, all 768 pixels
// high: 4:3, 16:9 and 64:27 (the 21:9 of ultrawide monitors). The asset tool
// paints them and the game picks one for the window, so both take the sizes
// and the START button's place from here.
#include <algorithm>
#include <cmath>

constexpr int kScreenPictureHeight = 768;
constexpr int kScreenShapeCount = 3;
constexpr int kScreenPictureWidths[kScreenShapeCount] = {1024, 1366, 1820};

// The shape whose width-to-height ratio is nearest the window's, measured
// as a factor either way (16:10 is nearer 16:9 than 4:3, 5:4 nearer 4:3).
inline int nearestScreenShape(int width, int height) {
    const double window = std::log(std::max(width, 1) / double(std::max(height, 1)));
    int best = 0;
    double bestGap = 1e9;
    for (int shape = 0; shape < kScreenShapeCount; ++shape) {
        const double picture = std::log(kScreenPictureWidths[shape] / double(kScreenPictureHeight));
        const double gap = std::fabs(window - picture);
        if (gap < bestGap) {
            bestGap = gap;
            best = shape;
        }
    }
    return best;
}

// A rectangle in window pixels, y from the top.
struct WindowRect {
    int x, y, width, height;
};

// Where a picture goes in a window: as large as fits without distortion,
// centred. A picture within 1 % of the window's shape fills it: strips of a
// pixel or two would show more than such a stretch does.
inline WindowRect fitScreenPicture(int pictureWidth, int pictureHeight, int windowWidth,
                                   int windowHeight) {
    const double window = windowWidth / double(std::max(windowHeight, 1));
    const double picture = pictureWidth / double(std::max(pictureHeight, 1));
    if (std::fabs(window / picture - 1.0) <= 0.01) return {0, 0, windowWidth, windowHeight};
    const double scale =
        std::min(windowWidth / double(pictureWidth), windowHeight / double(pictureHeight));
    const int width = static_cast<int>(std::lround(pictureWidth * scale));
    const int height = static_cast<int>(std::lround(pictureHeight * scale));
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

// A box in a picture's pixels, y from the top.
struct PictureBox {
    float left, top, right, bottom;
};

// The START button on the menu picture of the given width: a tenth to six
// tenths across and seven to eight tenths down on the 4:3 one. A wider one
// centres the scene and moves the button a tenth of the extra width left, to
// leave the control list, moved as far right, more room.
inline PictureBox startButtonBox(int pictureWidth) {
    const int extra = pictureWidth - kScreenPictureWidths[0];
    const int shift = extra / 2 - extra / 10;
    const int w = kScreenPictureWidths[0], h = kScreenPictureHeight;
    return {shift + w * 0.1f, h * 0.7f, shift + w * 0.6f, h * 0.8f};
}
