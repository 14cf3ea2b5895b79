#pragma once
// A suite that plays in one level: a real window of Width x Height, the
// generated asset folder as working directory, the game's light and lens,
// and the level built once for the whole suite. Each test is skipped when
// there is no display (failed when the test command provides one).
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "app/level_setup.h"
#include "app/startup.h"
#include "support/gl_context.h"
#include "support/message_capture.h"

template <int Width, int Height>
class LevelInWindow : public ::testing::Test {
public:
    static constexpr int kWidth = Width, kHeight = Height;

protected:
    // The messages the level set-up showed.
    static inline std::vector<CapturedMessage> setupMessages;
    static inline bool built = false;

    static void SetUpTestSuite() {
        if (!ensureGlWindow(kWidth, kHeight)) return;
        ASSERT_EQ(chdir(BRAKKON_ASSET_DIR), 0);
        onReshape(kWidth, kHeight);
        setupLight();
        glEnable(GL_DEPTH_TEST);
        MessageCapture capture;
        setupLevel();
        setupMessages = capture.messages();
        built = true;
    }
    void SetUp() override {
        if (built) return;
        if (windowRequired()) FAIL() << "no X display, or the level set-up stopped";
        GTEST_SKIP() << "no X display";
    }
};
