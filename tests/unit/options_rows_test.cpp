// The options panel's rows without a window: the steps of mouse sensitivity
// and volume stay inside their ranges, On / Off rows turn over, a key bound
// twice is a conflict seen from both actions, and restoring the defaults
// brings back the game's own controls and sound but leaves the display's pace.
#include "app/options_rows.h"

#include <gtest/gtest.h>

#include "app/display_options.h"
#include "gamepad/pad_settings.h"

namespace {
OptionRow rowOf(RowKind kind) {
    for (int i = 0; i < kOptionRowCount; ++i)
        if (optionRow(i).kind == kind) return optionRow(i);
    return {RowKind::Back};
}
}  // namespace

TEST(OptionRows, StepsStayInRangeAndTogglesTurnOver) {
    Settings s;
    const OptionRow sensitivity = rowOf(RowKind::Sensitivity), volume = rowOf(RowKind::Volume);
    EXPECT_TRUE(stepRow(sensitivity, 1, s));
    EXPECT_DOUBLE_EQ(s.mouseSensitivity, 1.1);
    EXPECT_EQ(rowValue(sensitivity, s), "1.10");
    s.mouseSensitivity = 1.3;  // between steps, as a hand-edited file may say
    stepRow(sensitivity, -1, s);
    EXPECT_DOUBLE_EQ(s.mouseSensitivity, 1.25);
    s.mouseSensitivity = 0.1;
    EXPECT_FALSE(stepRow(sensitivity, -1, s));
    s.mouseSensitivity = 9.0;
    stepRow(sensitivity, 1, s);
    EXPECT_DOUBLE_EQ(s.mouseSensitivity, 10.0);
    EXPECT_FALSE(stepRow(sensitivity, 1, s));

    EXPECT_FALSE(stepRow(volume, 1, s));  // 100 is the top
    stepRow(volume, -1, s);
    EXPECT_EQ(s.volume, 90);
    s.volume = 95;
    stepRow(volume, -1, s);
    EXPECT_EQ(s.volume, 90);
    s.volume = 3;
    stepRow(volume, -1, s);
    EXPECT_EQ(s.volume, 0);
    EXPECT_FALSE(stepRow(volume, -1, s));

    const OptionRow stick = rowOf(RowKind::StickSensitivity);
    stepRow(stick, -1, s);
    EXPECT_EQ(rowValue(stick, s), "0.90");
    for (RowKind kind : {RowKind::InvertAim, RowKind::Mute, RowKind::Fullscreen,
                         RowKind::KeysByPosition, RowKind::Rumble}) {
        const Settings before = s;
        EXPECT_TRUE(stepRow(rowOf(kind), -1, s));
        EXPECT_EQ(rowValue(rowOf(kind), s), rowValue(rowOf(kind), before) == "On" ? "Off" : "On");
        stepRow(rowOf(kind), 1, s);
        EXPECT_EQ(s, before);
    }
    // Fights kept: from the file's 7 to the steps beside it, down to none.
    const OptionRow kept = rowOf(RowKind::ReplaysKept);
    s.replaysKept = 7;
    stepRow(kept, 1, s);
    EXPECT_EQ(rowValue(kept, s), "10");
    for (int i = 0; i < 3; ++i) stepRow(kept, -1, s);
    EXPECT_EQ(rowValue(kept, s), "none");
    EXPECT_FALSE(stepRow(kept, -1, s));
    EXPECT_FALSE(rowSteps(rowOf(RowKind::Binding)));
    EXPECT_FALSE(rowSteps(rowOf(RowKind::Back)));
}

TEST(OptionRows, RenderScaleAndPaceStepAndTakeEffectOverTheCommandLine) {
    Settings s;
    const OptionRow scale = rowOf(RowKind::RenderScale), pace = rowOf(RowKind::KeepPace);
    EXPECT_EQ(rowValue(scale, s), "100 %");
    EXPECT_FALSE(stepRow(scale, 1, s));
    s.renderScale = 0.6;  // a file's odd value is drawn, and shown, as 100 %
    EXPECT_EQ(rowValue(scale, s), "100 %");
    stepRow(scale, -1, s);
    EXPECT_EQ(rowValue(scale, s), "75 %");
    stepRow(scale, -1, s);
    EXPECT_DOUBLE_EQ(s.renderScale, 0.5);
    EXPECT_FALSE(stepRow(scale, -1, s));
    EXPECT_EQ(rowValue(pace, s), "On");

    // Started with --render-scale 50; the panel wins from then.
    displayOptions = {true, 50};
    const Settings before = s;
    stepRow(scale, 1, s);
    stepRow(pace, 1, s);
    takeDisplaySettings(s, before);
    EXPECT_EQ(displayOptions.renderScalePercent, 75);
    EXPECT_FALSE(displayOptions.keepPace);
    displayOptions = {};
}

TEST(OptionRows, BindingsShowConflictsAndDefaultsComeBack) {
    Settings s;
    s.renderScale = 0.5;
    s.keepPace = false;
    // Every action has a row, with the game's own key.
    int bindings = 0;
    for (int i = 0; i < kOptionRowCount; ++i) {
        const OptionRow row = optionRow(i);
        if (row.kind != RowKind::Binding) continue;
        ++bindings;
        EXPECT_EQ(boundKey(s, row.action), defaultKeyBindings().key[static_cast<int>(row.action)]);
        EXPECT_EQ(conflictOf(s, row.action), BoundAction::None) << rowLabel(row);
    }
    EXPECT_EQ(bindings, kBoundActionCount);
    EXPECT_EQ(keyLabel(' '), "Space");
    EXPECT_EQ(keyLabel('\t'), "Tab");
    EXPECT_EQ(keyLabel(kSpecialKey + 12), "F12");
    EXPECT_EQ(keyLabel(kMouseKey + 0), "Left button");
    EXPECT_EQ(keyLabel('w'), "w");

    bindKey(s, BoundAction::Missile, 'w');
    EXPECT_EQ(rowValue({RowKind::Binding, BoundAction::Missile}, s), "w");
    EXPECT_EQ(conflictOf(s, BoundAction::Missile), BoundAction::Forward);
    EXPECT_EQ(conflictOf(s, BoundAction::Forward), BoundAction::Missile);
    bindKey(s, BoundAction::Forward, kSpecialKey + 101);  // Up
    EXPECT_EQ(conflictOf(s, BoundAction::Missile), BoundAction::None);
    EXPECT_EQ(s.keys.at("forward"), "up");

    // Pad buttons show beside the keys and clash the same way.
    EXPECT_EQ(rowPadValue({RowKind::Binding, BoundAction::Shell}, s), "pad RT");
    EXPECT_EQ(rowPadValue({RowKind::Binding, BoundAction::TurnLeft}, s), "L stick");
    bindPadControl(s, BoundAction::Screenshot, PadControl::RightShoulder);
    EXPECT_EQ(padConflictOf(s, BoundAction::Missile), BoundAction::Screenshot);

    s.mouseSensitivity = 3;
    s.stickSensitivity = 0.5;
    s.rumble = false;
    s.invertAim = s.muted = s.keysByPosition = true;
    s.fullscreen = false;
    s.volume = 20;
    restorePanelDefaults(s);
    for (int i = 0; i < kBoundActionCount; ++i)
        EXPECT_EQ(boundKey(s, static_cast<BoundAction>(i)), defaultKeyBindings().key[i]);
    Settings expected;
    expected.renderScale = 0.5;
    expected.keepPace = false;
    expected.keys = s.keys;
    expected.padButtons = {{"screenshot", "none"}};
    EXPECT_EQ(s, expected);
}
