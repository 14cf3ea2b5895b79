#include "app/launch_options.h"

#include <cstring>

#include "app/display_options.h"

LaunchOptions readLaunchOptions(int argc, char** argv) {
    LaunchOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0) {
            options.windowed = true;
        } else if (std::strcmp(argv[i], "--design-pace") == 0) {
            options.designPace = true;
        } else if (std::strcmp(argv[i], "--render-scale") == 0) {
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            options.renderScalePercent = renderScaleFromText(value);
            options.badRenderScale = options.renderScalePercent == 0;
        } else if (std::strncmp(argv[i], "--render-scale=", 15) == 0) {
            options.renderScalePercent = renderScaleFromText(argv[i] + 15);
            options.badRenderScale = options.renderScalePercent == 0;
        }
    }
    return options;
}
