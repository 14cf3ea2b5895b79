#include "app/launch_options.h"

#include <cstring>

LaunchOptions readLaunchOptions(int argc, char** argv) {
    LaunchOptions options;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--window") == 0) options.windowed = true;
    return options;
}
