#include "app/display_options.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

DisplayOptions displayOptions;

int renderScaleFromText(const char* text) {
    if (!text || !*text) return 0;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (*end != '\0') return 0;
    for (const int percent : {100, 75, 50}) {
        if (value == percent || value == percent / 100.0) return percent;
    }
    return 0;
}

int renderScalePercentOf(const Settings& settings) {
    const long fromFile = std::lround(settings.renderScale * 100);
    return fromFile == 75 || fromFile == 50 ? static_cast<int>(fromFile) : 100;
}

void takeDisplaySettings(const Settings& now, const Settings& before) {
    if (now.keepPace != before.keepPace) displayOptions.keepPace = now.keepPace;
    if (now.renderScale != before.renderScale)
        displayOptions.renderScalePercent = renderScalePercentOf(now);
}

DisplayOptions chooseDisplayOptions(const Settings& settings, const LaunchOptions& options) {
    DisplayOptions chosen;
    chosen.keepPace = settings.keepPace && !options.designPace;
    chosen.renderScalePercent = renderScalePercentOf(settings);
    if (options.renderScalePercent != 0) chosen.renderScalePercent = options.renderScalePercent;
    return chosen;
}
