#include "app/hud_scale.h"

#include <algorithm>

int hudScale(int width, int height) {
    // Rounded halves up, in whole numbers: (2w + 1280) / 2560 is w / 1280 rounded.
    const int byWidth = (2 * width + 1280) / 2560;
    const int byHeight = (2 * height + 960) / 1920;
    return std::max(1, std::min(byWidth, byHeight));
}
