#include "app/options_panel.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/control_settings.h"
#include "app/display_mode.h"
#include "app/display_options.h"
#include "app/focus_watch.h"
#include "app/game_sound.h"
#include "app/globals.h"
#include "app/hud_scale.h"
#include "app/options_rows.h"
#include "app/overlay2d.h"
#include "app/scaled_text.h"
#include "game/player_actions.h"
#include "gamepad/pad_device.h"
#include "gamepad/pad_settings.h"
#include "settings/settings_file.h"

bool optionsPanelOpen = false;

namespace {
int selected = 0;
bool choosingKey = false;
bool unnamedKeyPressed = false;  // while choosing: a key the file cannot name
bool saveFailed = false;

constexpr int kChar = 8;
// Columns, in characters: label, then "< value >" or the key, the pad
// control, then a conflict note.
constexpr int kLabelChars = 19, kValueChars = 15, kPadChars = 12, kNoteChars = 23;
constexpr int kPanelChars = 1 + kLabelChars + kValueChars + kPadChars + kNoteChars + 1;
constexpr const char* kTitle = "OPTIONS";
constexpr const char* kEscapeNote = "Esc ends the game. Backspace goes back to the pause.";
constexpr const char* kMovesNote = "Up Down: choose   Left Right: change   Enter: select";
constexpr const char* kPadMovesNote = "Pad: D-pad to choose and change   A: select   B: back";
constexpr const char* kChoosingNote = "Press the new key or button (Backspace: keep the old)";
constexpr const char* kUnnamedKeyNote = "that key cannot be bound: press another";
constexpr const char* kSaveFailedNote = "Settings could not be saved: see the terminal";

// Where everything sits, in pixels, for the window's size.
struct Layout {
    int scale;
    int left, right, top;
    int row;  // height of one row
    int rowTop(int index) const {
        // A gap before the keys and before the buttons.
        const int gaps = (index >= kFirstBindingRow ? 1 : 0) + (index >= kFirstButtonRow ? 1 : 0);
        return top + 3 * row + index * row + gaps * row / 2;
    }
    int bottom() const { return rowTop(kOptionRowCount) + 3 * row; }
    int valueLeft() const { return left + (1 + kLabelChars) * kChar * scale; }
    int padLeft() const { return valueLeft() + kValueChars * kChar * scale; }
    int noteLeft() const { return padLeft() + kPadChars * kChar * scale; }
};

Layout layoutFor(int W, int H) {
    Layout at{};
    const int s = hudScale(W, H);
    // Scaled like the HUD, but never larger than the window holds.
    constexpr int kRowsTall = kOptionRowCount + 7;
    at.scale =
        std::max(1, std::min({2 * s, H / (kRowsTall * 16), W / ((kPanelChars + 2) * kChar)}));
    at.row = 16 * at.scale;
    const int width = kPanelChars * kChar * at.scale;
    at.left = std::max(0, (W - width) / 2);
    at.right = at.left + width;
    at.top = std::max(0, (H - kRowsTall * at.row) / 2);
    return at;
}

int rowAt(const Layout& at, int x, int y) {
    if (x < at.left || x >= at.right) return -1;
    for (int i = 0; i < kOptionRowCount; ++i) {
        if (y >= at.rowTop(i) && y < at.rowTop(i) + at.row) return i;
    }
    return -1;
}

// Puts the settings into force and saves them.
void settingsChanged(const Settings& before) {
    const Settings& now = playerSettings;
    applyControlSettings(now);
    // Keys by position need the window watch; without it, letters rule.
    keysByPosition = setKeysByPosition(now.keysByPosition);
    if (now.volume != before.volume) setGameVolume(now.volume);
    if (now.muted != before.muted) setGameMuted(now.muted);
    if (now.fullscreen != before.fullscreen) showFullScreen(now.fullscreen);
    takeDisplaySettings(now, before);
    saveFailed = !savePlayerSettings();
    glutPostRedisplay();
}

void changeSettings(void (*change)(Settings&, const OptionRow&, int), const OptionRow& row,
                    int direction) {
    const Settings before = playerSettings;
    change(playerSettings, row, direction);
    if (playerSettings != before) settingsChanged(before);
}

// The Mute row turns over what is heard, which the m key may have changed
// without saving: the sound follows even when the file already says so.
void turnMuteOver() {
    const Settings before = playerSettings;
    playerSettings.muted = !playerMuted;
    setGameMuted(playerSettings.muted);
    if (playerSettings != before)
        settingsChanged(before);
    else
        glutPostRedisplay();
}

void stepSelected(int direction) {
    if (optionRow(selected).kind == RowKind::Mute) return turnMuteOver();
    changeSettings([](Settings& s, const OptionRow& row, int d) { stepRow(row, d, s); },
                   optionRow(selected), direction);
}

void activateSelected() {
    const OptionRow row = optionRow(selected);
    switch (row.kind) {
        case RowKind::Binding:
            choosingKey = true;
            unnamedKeyPressed = false;
            break;
        case RowKind::RestoreDefaults:
            changeSettings([](Settings& s, const OptionRow&, int) { restorePanelDefaults(s); }, row,
                           0);
            setGameMuted(playerSettings.muted);
            break;
        case RowKind::Back:
            closeOptionsPanel();
            break;
        case RowKind::Sensitivity:
        case RowKind::StickSensitivity:
        case RowKind::Volume:
            break;
        default:
            stepSelected(1);  // an On / Off turns over
            break;
    }
}

void chooseKey(InputKey key) {
    // A key the settings file has no name for would unbind the action.
    if (keyName(key).empty()) {
        unnamedKeyPressed = true;
        glutPostRedisplay();
        return;
    }
    choosingKey = false;
    const Settings before = playerSettings;
    bindKey(playerSettings, optionRow(selected).action, key);
    if (playerSettings != before) settingsChanged(before);
}

void choosePadControl(PadControl control) {
    choosingKey = false;
    const Settings before = playerSettings;
    bindPadControl(playerSettings, optionRow(selected).action, control);
    if (playerSettings != before) settingsChanged(before);
}

void text(const std::string& line, int x, int y, int scale) {
    drawScaledText(line.c_str(), x, y + 12 * scale, scale);
}

void band(int x1, int y1, int x2, int y2, float r, float g, float b, float a) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(r, g, b, a);
    drawScreenQuad(x1, y1, x2, y2);
    glDisable(GL_BLEND);
}

void drawRow(const Layout& at, int index) {
    const OptionRow row = optionRow(index);
    const int y = at.rowTop(index), k = at.scale;
    if (index == selected) band(at.left, y, at.right, y + at.row, 0.35f, 0.32f, 0.12f, 0.9f);
    glColor3f(1.0f, 1.0f, 1.0f);
    text(rowLabel(row), at.left + kChar * k, y + 2 * k, k);
    // Mute shows what is heard, which the m key changes without saving.
    Settings heard;
    heard.muted = playerMuted;
    std::string value = rowValue(row, row.kind == RowKind::Mute ? heard : playerSettings);
    if (row.kind == RowKind::Binding && index == selected && choosingKey) {
        if (unnamedKeyPressed)
            glColor3f(1.0f, 0.35f, 0.3f);
        else
            glColor3f(1.0f, 0.9f, 0.2f);
        text(unnamedKeyPressed ? kUnnamedKeyNote : "press a key or button", at.valueLeft(),
             y + 2 * k, k);
        return;
    }
    if (value.empty()) return;
    const bool binding = row.kind == RowKind::Binding;
    const BoundAction conflict =
        binding ? conflictOf(playerSettings, row.action) : BoundAction::None;
    const BoundAction padConflict =
        binding ? padConflictOf(playerSettings, row.action) : BoundAction::None;
    const auto valueColour = [](bool clash) {
        if (clash)
            glColor3f(1.0f, 0.35f, 0.3f);
        else
            glColor3f(0.7f, 1.0f, 0.7f);
    };
    valueColour(conflict != BoundAction::None);
    if (rowSteps(row))
        value = "< " + value + std::string(11 - std::min<size_t>(11, value.size()), ' ') + ">";
    text(value, at.valueLeft(), y + 2 * k, k);
    valueColour(padConflict != BoundAction::None);
    text(rowPadValue(row, playerSettings), at.padLeft(), y + 2 * k, k);
    glColor3f(1.0f, 0.35f, 0.3f);
    if (conflict != BoundAction::None)
        text("also " + actionLabel(conflict), at.noteLeft(), y + 2 * k, k);
    else if (padConflict != BoundAction::None)
        text("pad also " + actionLabel(padConflict), at.noteLeft(), y + 2 * k, k);
}

// The pause screen's button, centred below the pause notice's lines.
struct ButtonBox {
    int x1, y1, x2, y2, scale;
};
// With a pad in, the button names its pad button too.
const char* buttonText() { return padsOpen() > 0 ? "Options (O or Y)" : "Options (O)"; }
ButtonBox optionsButtonBox() {
    const int W = windowWidth, H = windowHeight, s = hudScale(W, H);
    const int width = (static_cast<int>(std::strlen(buttonText())) + 2) * kChar * s;
    return {W / 2 - width / 2, H / 2 + 56 * s, W / 2 + width / 2, H / 2 + 78 * s, s};
}
}  // namespace

void openOptionsPanel() {
    optionsPanelOpen = true;
    choosingKey = false;
    glutPostRedisplay();
}

void closeOptionsPanel() {
    optionsPanelOpen = false;
    choosingKey = false;
    glutPostRedisplay();
}

int selectedOptionRow() { return selected; }

void moveInOptionsPanel(PanelMove move) {
    if (!optionsPanelOpen) return;
    if (choosingKey) {
        if (move == PanelMove::Back) choosingKey = false;
        glutPostRedisplay();
        return;
    }
    switch (move) {
        case PanelMove::Up:
            selected = (selected + kOptionRowCount - 1) % kOptionRowCount;
            break;
        case PanelMove::Down:
            selected = (selected + 1) % kOptionRowCount;
            break;
        case PanelMove::Left:
            stepSelected(-1);
            break;
        case PanelMove::Right:
            stepSelected(1);
            break;
        case PanelMove::Activate:
            activateSelected();
            break;
        case PanelMove::Back:
            closeOptionsPanel();
            break;
    }
    glutPostRedisplay();
}

void optionsPanelKey(InputKey key) {
    constexpr InputKey kBackspace = 8, kEnter = '\r';
    if (choosingKey && key != kBackspace) return chooseKey(key);
    switch (key) {
        case kSpecialKey + GLUT_KEY_UP:
            return moveInOptionsPanel(PanelMove::Up);
        case kSpecialKey + GLUT_KEY_DOWN:
            return moveInOptionsPanel(PanelMove::Down);
        case kSpecialKey + GLUT_KEY_LEFT:
            return moveInOptionsPanel(PanelMove::Left);
        case kSpecialKey + GLUT_KEY_RIGHT:
            return moveInOptionsPanel(PanelMove::Right);
        case kEnter:
        case ' ':
            return moveInOptionsPanel(PanelMove::Activate);
        case kBackspace:
            return moveInOptionsPanel(PanelMove::Back);
        default:
            break;
    }
}

bool optionsPanelTakesKeys() { return optionsPanelOpen && choosingKey; }

void optionsPanelPadButton(PadControl control) {
    if (!optionsPanelTakesKeys()) return;
    // The left stick drives and turns: a button cannot, so it gives the choice up.
    if (!padBindable(optionRow(selected).action)) {
        choosingKey = false;
        glutPostRedisplay();
        return;
    }
    choosePadControl(control);
}

void optionsPanelClick(InputKey button, int x, int y) {
    // freeglut gives the wheel's notches as buttons 3 (up) and 4 (down).
    constexpr InputKey kWheelUp = kMouseKey + 3, kWheelDown = kMouseKey + 4;
    if (choosingKey) return chooseKey(button);
    if (button == kWheelUp) return moveInOptionsPanel(PanelMove::Up);
    if (button == kWheelDown) return moveInOptionsPanel(PanelMove::Down);
    // Only the left button acts; the others bind, above.
    if (button != kMouseKey + GLUT_LEFT_BUTTON) return;
    const Layout at = layoutFor(windowWidth, windowHeight);
    const int index = rowAt(at, x, y);
    if (index < 0) return;
    selected = index;
    const int cell = kChar * at.scale;
    if (rowSteps(optionRow(index)) && x >= at.valueLeft() - cell && x < at.valueLeft() + 2 * cell)
        return moveInOptionsPanel(PanelMove::Left);
    if (rowSteps(optionRow(index)) && x >= at.valueLeft() + 12 * cell &&
        x < at.valueLeft() + 15 * cell)
        return moveInOptionsPanel(PanelMove::Right);
    moveInOptionsPanel(PanelMove::Activate);
}

void optionsPanelPoint(int x, int y) {
    if (choosingKey) return;
    const int index = rowAt(layoutFor(windowWidth, windowHeight), x, y);
    if (index >= 0 && index != selected) {
        selected = index;
        glutPostRedisplay();
    }
}

void drawOptionsPanel() {
    const int W = windowWidth, H = windowHeight;
    const Layout at = layoutFor(W, H);
    const int k = at.scale;
    begin2D();
    glDisable(GL_TEXTURE_2D);
    band(0, 0, W, H, 0.0f, 0.0f, 0.0f, 0.55f);
    band(at.left, at.top, at.right, at.bottom(), 0.05f, 0.05f, 0.05f, 0.85f);
    glColor3f(1.0f, 1.0f, 1.0f);
    const int titleWidth = static_cast<int>(std::char_traits<char>::length(kTitle)) * kChar * 2 * k;
    text(kTitle, W / 2 - titleWidth / 2, at.top + at.row / 2, 2 * k);
    for (int i = 0; i < kOptionRowCount; ++i) drawRow(at, i);
    const int notes = at.rowTop(kOptionRowCount) + at.row / 2;
    glColor3f(1.0f, 0.75f, 0.3f);
    text(kEscapeNote, at.left + kChar * k, notes, k);
    if (saveFailed) {
        glColor3f(1.0f, 0.35f, 0.3f);
        text(kSaveFailedNote, at.left + kChar * k, notes + at.row, k);
    } else {
        glColor3f(0.7f, 0.7f, 0.7f);
        const char* moves = padsOpen() > 0 ? kPadMovesNote : kMovesNote;
        text(choosingKey ? kChoosingNote : moves, at.left + kChar * k, notes + at.row, k);
    }
    end2D();
}

bool onOptionsButton(int x, int y) {
    const ButtonBox box = optionsButtonBox();
    return x >= box.x1 && x < box.x2 && y >= box.y1 && y < box.y2;
}

void drawOptionsButton() {
    const ButtonBox box = optionsButtonBox();
    const int s = box.scale;
    band(box.x1, box.y1, box.x2, box.y2, 0.35f, 0.32f, 0.12f, 0.9f);
    glColor3f(1.0f, 1.0f, 1.0f);
    text(buttonText(), box.x1 + kChar * s, box.y1 + 4 * s, s);
}
