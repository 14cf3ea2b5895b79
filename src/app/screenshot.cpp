#include "app/screenshot.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/globals.h"
#include "app/hud_scale.h"
#include "app/input.h"
#include "app/overlay2d.h"
#include "app/scaled_text.h"
#include "platform/clock.h"
#include "platform/folders.h"

namespace {
struct Notice {
    bool shown = false;
    std::string title;
    std::string detail;
    int since = 0;
};
Notice notice;

// A path under the home folder is shown from ~.
std::string shortPath(const std::string& path) {
    const std::string home = homeFolder();
    if (home.size() > 1 && path.compare(0, home.size(), home) == 0 && path.size() > home.size() &&
        path[home.size()] == '/')
        return "~" + path.substr(home.size());
    return path;
}

// Cuts the front of `text` to at most `chars` characters, marking the cut.
std::string keepEnd(const std::string& text, int chars) {
    if (static_cast<int>(text.size()) <= chars || chars < 4) return text;
    return "..." + text.substr(text.size() - (chars - 3));
}
}  // namespace

ScreenshotJob readFrameBack(int width, int height) {
    ScreenshotJob job;
    job.width = std::max(0, width);
    job.height = std::max(0, height);
    job.taken = std::time(nullptr);
    job.pixels.reset(new std::uint8_t[static_cast<std::size_t>(job.width) * job.height * 4]);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, job.width, job.height, GL_RGBA, GL_UNSIGNED_BYTE, job.pixels.get());
    glPopClientAttrib();
    return job;
}

void takeScreenshotIfAsked() {
    if (!screenshotWanted) return;
    screenshotWanted = false;
    queueScreenshot(readFrameBack(windowWidth, windowHeight));
}

bool updateScreenshotNotice() {
    bool changed = screenshotWanted;
    ScreenshotOutcome outcome;
    while (takeScreenshotOutcome(outcome)) {
        notice.shown = true;
        notice.since = elapsedMilliseconds();
        if (outcome.saved) {
            notice.title = "Screenshot saved";
            notice.detail = shortPath(outcome.path);
        } else {
            notice.title = "Screenshot not saved";
            notice.detail = outcome.error;
            std::fprintf(stderr, "brakkon: screenshot not saved: %s\n", outcome.error.c_str());
        }
        changed = true;
    }
    if (notice.shown && elapsedMilliseconds() - notice.since >= kScreenshotNoticeMs) {
        notice.shown = false;
        changed = true;
    }
    return changed;
}

void drawScreenshotNotice() {
    if (!notice.shown) return;
    const int W = windowWidth, H = windowHeight, s = hudScale(W, H);
    // Two lines right-aligned at the top; smaller print, then a cut path,
    // when the window is too narrow for them.
    const int room = std::max(1, W - 16 * s);
    const int longest = static_cast<int>(std::max(notice.title.size(), notice.detail.size()));
    int scale = s;
    while (scale > 1 && longest * 8 * scale > room) --scale;
    const std::string detail = keepEnd(notice.detail, room / (8 * scale));
    const int width = static_cast<int>(std::max(notice.title.size(), detail.size())) * 8 * scale;
    const int pad = 6 * scale, lineHeight = 16 * scale;
    const int left = W - width - 2 * pad;
    begin2D();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
    drawScreenQuad(left, 0, W, 2 * lineHeight + 2 * pad);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawScaledText(notice.title.c_str(), left + pad, pad + 11 * scale, scale);
    glColor3f(0.75f, 1.0f, 0.75f);
    drawScaledText(detail.c_str(), left + pad, pad + lineHeight + 11 * scale, scale);
    end2D();
}

void resetScreenshots() { notice = Notice{}; }
