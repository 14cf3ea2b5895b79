#pragma once
// F12 keeps the picture as drawn, HUD and all, as a PNG file in the
// desktop's pictures folder. The frame reads itself back once it is drawn;
// the file is written on the screenshot thread, and a short notice then
// says where it went.
#include "platform/screenshot_writer.h"

constexpr int kScreenshotNoticeMs = 4000;

// The window's back buffer as the job of a screenshot taken now.
ScreenshotJob readFrameBack(int width, int height);

// For the frame, once the picture is drawn and before the notice and swap:
// reads it back and queues it when the screenshot action asked for one
// (screenshotWanted, app/input.h).
void takeScreenshotIfAsked();

// Picks up what the screenshot thread finished and lets the notice run
// out. True when the notice changed or a screenshot is wanted, so a
// picture needs drawing (also while paused).
bool updateScreenshotNotice();

// The notice in the upper right corner, over everything; nothing when no
// screenshot was taken in the last few seconds.
void drawScreenshotNotice();

// Forgets the notice (a fresh program).
void resetScreenshots();
