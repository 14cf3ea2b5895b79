// The models drawn from their display lists give exactly the pixels and pick
// records of the same models sent vertex by vertex.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <sstream>
#include <vector>

#include "app/game_frame.h"
#include "app/game_tick.h"
#include "app/globals.h"
#include "app/level_setup.h"
#include "app/startup.h"
#include "assets/model_drawing.h"
#include "game/camera.h"
#include "game/debris_piece.h"
#include "game/model_table.h"
#include "game/world_prop.h"
#include "platform/console.h"
#include "support/combat_fixture.h"
#include "support/gl_context.h"

namespace {
constexpr int kWidth = 320, kHeight = 240;

struct Frame {
    std::vector<unsigned char> pixels;
    std::vector<std::uint32_t> hits;
    int hitCount = 0;
    bool operator==(const Frame& o) const {
        return pixels == o.pixels && hits == o.hits && hitCount == o.hitCount;
    }
    // Pixels not of the clear colour.
    int drawn() const {
        int n = 0;
        for (std::size_t i = 0; i < pixels.size(); i += 3)
            n += pixels[i] != 255 || pixels[i + 1] != 255 || pixels[i + 2] != 255;
        return n;
    }
};

// The scene and pick pass of the game's frame, read back before the swap.
Frame drawScene(bool immediately, const std::vector<DebrisPiece*>& debris) {
    drawModelsImmediately = immediately;
    beginFrame();
    lookFrom(CameraState.eye, CameraState.target);
    drawSceneObjects();
    for (DebrisPiece* piece : debris) piece->draw();
    beginPickPass();
    drawPickShapes();
    endPickPass();
    drawModelsImmediately = false;
    Frame frame;
    frame.pixels.resize(std::size_t(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, frame.pixels.data());
    frame.hitCount = hitCount;
    frame.hits.assign(selectBuffer, selectBuffer + kSelectBufferSize);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return frame;
}

class ModelIdentity : public ::testing::Test {
protected:
    std::unique_ptr<CombatState> state;
    std::ostringstream lines;

    void SetUp() override {
        REQUIRE_GL_WINDOW(kWidth, kHeight);
        ASSERT_EQ(chdir(BRAKKON_ASSET_DIR), 0);
        setConsoleStream(&lines);
        onReshape(kWidth, kHeight);
        setupLight();
        glEnable(GL_DEPTH_TEST);
        state = std::make_unique<CombatState>();
        while (glGetError() != GL_NO_ERROR) {
        }
        // Compiling the lists, none inside another's compilation.
        player = std::make_unique<PlayerTank>();
        loadWorldModels();
        loadEffectTextures();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void TearDown() override {
        state.reset();
        setConsoleStream(nullptr);
    }
};

}  // namespace

TEST_F(ModelIdentity, EveryFrameOfTheScriptedFight) {
    state->placeFightersForScript();
    int differing = 0, withHits = 0, drawn = 0;
    for (int tick = 0; tick < 400; ++tick) {
        state->scriptTick(tick);
        state->scriptShots(tick);
        gameTick();
        updateCamera();
        drawScene(false, {});  // both ways start from the state a frame leaves
        const Frame immediate = drawScene(true, {});
        const Frame compiled = drawScene(false, {});
        differing += !(compiled == immediate);
        withHits += compiled.hitCount > 0;
        drawn += compiled.drawn() > 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(drawn, 400);
    EXPECT_GT(withHits, 0);
}

TEST_F(ModelIdentity, RandomViewsOfEveryKindOfObject) {
    // Every kind near the origin: the three units, blocks, every scenery
    // kind, the three projectiles, every explosion, wreckage and the tank.
    std::mt19937 random(32);
    auto spot = [&] {
        std::uniform_real_distribution<float> across(-60.0f, 60.0f);
        return Vec3{across(random), 0.0f, across(random)};
    };
    const EnemyKind kinds[] = {EnemyKind::Tank, EnemyKind::Heavy, EnemyKind::Car};
    for (int slot = 0; slot < kEnemyCount; ++slot) {
        EnemyUnit& unit = state->addEnemy(slot, kinds[slot % 3], spot());
        unit.hullHeading = static_cast<float>(random() % 360);
    }
    for (int slot = 0; slot < 4; ++slot) {
        state->addBlock(slot, spot(), 4 + slot, 6, 3 + 2 * slot).pickName = slot;
    }
    for (int kind = kFirstSceneryKind; kind <= kLastSceneryKind; ++kind) {
        auto& prop = scenery[kind - kFirstSceneryKind];
        prop = std::make_unique<WorldProp>();
        const Vec3 at = spot();
        prop->x = at.x, prop->z = at.z, prop->kind = kind;
    }
    const int shellKinds[] = {1, 2, 4};
    for (int k = 0; k < 3; ++k) {
        Vec3 at = spot();
        at.y = 2.0f;
        projectiles[40 + k] = std::make_unique<Projectile>(30.0f * k, 10.0f, at, shellKinds[k], 50);
    }
    const std::int32_t types[] = {ExplosionType::WhiteBurst, ExplosionType::GreenBurst,
                                  ExplosionType::OrangeBurst, ExplosionType::Ember};
    for (int k = 0; k < 8; ++k) {
        explosions[k] = std::make_unique<Explosion>(spot(), types[k % 4]);
        explosions[k]->life = 5.0f * k + 1.0f;
    }
    std::vector<std::unique_ptr<DebrisPiece>> wreckage;
    std::vector<DebrisPiece*> debris;
    for (int k = 0; k < 3; ++k) {
        wreckage.push_back(std::make_unique<DebrisPiece>());
        wreckage.back()->position = spot();
        wreckage.back()->position.y = 3.0f;
        debris.push_back(wreckage.back().get());
    }
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    player->position = spot();
    player->trackFrameShown = 2;

    // Eyes all around and above, each looking at one of the objects (or
    // just past it), so that the crosshair's pick meets shapes too.
    std::vector<Vec3> targets;
    for (auto& e : enemies) targets.push_back(e->position);
    for (int k = 0; k < 4; ++k) targets.push_back({blocks[k]->x, blocks[k]->y, blocks[k]->z});
    for (int k = 0; k < 7; ++k) targets.push_back({scenery[k]->x, 1.0f, scenery[k]->z});
    for (int k = 0; k < 3; ++k) targets.push_back(projectiles[40 + k]->position);
    for (int k = 0; k < 8; ++k) targets.push_back(explosions[k]->position);
    for (DebrisPiece* piece : debris) targets.push_back(piece->position);
    targets.push_back(player->position);
    std::uniform_real_distribution<float> near(-1.5f, 1.5f), height(0.5f, 40.0f), away(4.0f, 70.0f),
        angle(0.0f, 6.2831853f);
    int differing = 0, withHits = 0, empty = 0;
    for (int view = 0; view < 300; ++view) {
        const Vec3 at = targets[view % targets.size()];
        const float a = angle(random), d = away(random);
        CameraState.target = {at.x + near(random), at.y + near(random), at.z + near(random)};
        CameraState.eye = {at.x + d * std::cos(a), height(random), at.z + d * std::sin(a)};
        player->turretYawRel = static_cast<float>(view % 90);
        drawScene(false, debris);
        const Frame immediate = drawScene(true, debris);
        const Frame compiled = drawScene(false, debris);
        differing += !(compiled == immediate);
        withHits += compiled.hitCount > 0;
        empty += compiled.drawn() == 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(empty, 0);
    EXPECT_GT(withHits, 30);
}
