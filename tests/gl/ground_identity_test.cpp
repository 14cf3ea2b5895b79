// The game draws the ground faster than the plain, straightforward way
// (sky box after the ground, hidden ground skipped, meshes from buffer
// objects), and must draw exactly the same thing: for every view below, the
// colour and depth of every pixel and the OpenGL state left for the next
// drawer match the straightforward drawing, with the level's props, enemies
// and effects drawn on top by the game's own code.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/level_setup.h"
#include "app/startup.h"
#include "app/world_prop.h"
#include "support/gl_context.h"
#include "support/message_capture.h"
#include "support/reference_ground.h"
#include "support/world_scene.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

struct Frame {
    std::vector<unsigned char> colour;
    std::vector<unsigned int> depth;
    std::vector<float> state;
};

// Everything the ground drawing may leave behind for whoever draws next.
std::vector<float> glStateSnapshot() {
    std::vector<float> state;
    auto add = [&](GLenum name, int count) {
        float values[16];
        glGetFloatv(name, values);
        state.insert(state.end(), values, values + count);
    };
    for (GLenum cap : {GL_TEXTURE_2D, GL_LIGHTING, GL_FOG, GL_DEPTH_TEST, GL_COLOR_MATERIAL,
                       GL_CULL_FACE, GL_BLEND, GL_LIGHT0, GL_NORMALIZE})
        state.push_back(glIsEnabled(cap));
    for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY, GL_COLOR_ARRAY})
        state.push_back(glIsEnabled(array));
    add(GL_CURRENT_COLOR, 4);
    add(GL_CURRENT_NORMAL, 3);
    add(GL_CURRENT_TEXTURE_COORDS, 4);
    add(GL_TEXTURE_BINDING_2D, 1);
    add(GL_ARRAY_BUFFER_BINDING, 1);
    add(GL_FOG_MODE, 1);
    add(GL_FOG_COLOR, 4);
    add(GL_DEPTH_FUNC, 1);
    add(GL_DEPTH_WRITEMASK, 1);
    add(GL_MODELVIEW_MATRIX, 16);
    add(GL_MODELVIEW_STACK_DEPTH, 1);
    add(GL_MATRIX_MODE, 1);
    GLint envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    state.push_back(static_cast<float>(envMode));
    for (GLenum what : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION}) {
        float material[4];
        glGetMaterialfv(GL_FRONT, what, material);
        state.insert(state.end(), material, material + 4);
    }
    float shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    state.push_back(shininess);
    return state;
}

struct View {
    std::string name;
    Vec3 eye, target;
};

Vec3 lookAlong(Vec3 eye, float yawDegrees, float pitchUpDegrees) {
    const float yaw = yawDegrees * 3.14159265f / 180, pitch = pitchUpDegrees * 3.14159265f / 180;
    return {eye.x + 128 * std::sin(yaw) * std::cos(pitch), eye.y + 128 * std::sin(pitch),
            eye.z - 128 * std::cos(yaw) * std::cos(pitch)};
}

class GroundIdentity : public ::testing::Test {
protected:
    static inline bool built = false;

    static void SetUpTestSuite() {
        if (!ensureGlWindow(kWidth, kHeight)) return;
        ASSERT_EQ(chdir(BRAKKON_ASSET_DIR), 0);
        onReshape(kWidth, kHeight);
        setupLight();
        glEnable(GL_DEPTH_TEST);
        MessageCapture capture;
        setupLevel();
        built = true;
    }
    void SetUp() override {
        if (!built) {
            if (windowRequired()) FAIL() << "no X display, or the level set-up stopped";
            GTEST_SKIP() << "no X display";
        }
        onReshape(kWidth, kHeight);
    }

    // Builds every tile the windows want around a ground position.
    static void settle(World& world, float x, float z) {
        for (int frame = 0, idle = 0; frame < 400 && idle < 2; ++frame) {
            drawWorldFrame(world, x, 30, z, x, 0, z - 100);
            idle = world.buildBusy ? 0 : idle + 1;
            waitForBuilder(world);
        }
    }

    static Vec3 onGround(World& world, float x, float z, float above) {
        return {x, static_cast<float>(world.heightAt(x, z)) + above, z};
    }

    // One frame: the ground one way or the other, then the props, enemies,
    // projectiles and effects as the game draws them.
    static Frame render(World& world, ReferenceGround* reference, const View& view,
                        bool withObjects) {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(view.eye.x, view.eye.y, view.eye.z, view.target.x, view.target.y, view.target.z,
                  0, 1, 0);
        // Whatever the last frame's HUD left: the ground must not depend on it.
        glDisable(GL_LIGHTING);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glColor3f(0.2f, 0.9f, 0.4f);
        if (reference) {
            reference->drawGround();
        } else {
            world.drawGround();
        }
        Frame frame;
        frame.state = glStateSnapshot();
        if (withObjects) {
            const int track = player ? player->trackFrame : 0;
            if (player) player->draw(true);
            if (player) player->trackFrame = track;
            for (auto& prop : blocks)
                if (prop) drawProp(*prop);
            for (auto& prop : scenery)
                if (prop) drawProp(*prop);
            for (auto& enemy : enemies)
                if (enemy) enemy->draw();
            for (auto& projectile : projectiles)
                if (projectile) projectile->draw();
            for (auto& explosion : explosions)
                if (explosion) explosion->draw();
        }
        frame.colour.resize(kWidth * kHeight * 3);
        frame.depth.resize(kWidth * kHeight);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, frame.colour.data());
        glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                     frame.depth.data());
        return frame;
    }

    // Runs the tile life cycle once for the view, then draws it both ways
    // with the tiles as they are. Returns the blocks the game skipped.
    static int expectSamePicture(World& world, const View& view, bool withObjects = false) {
        static std::map<World*, std::unique_ptr<ReferenceGround>> references;
        auto& reference = references[&world];
        if (!reference) reference = std::make_unique<ReferenceGround>(world);
        world.updateTiles(static_cast<int>(view.eye.x), static_cast<int>(view.eye.z));
        const Frame expected = render(world, reference.get(), view, withObjects);
        const Frame actual = render(world, nullptr, view, withObjects);
        int colourDiffs = 0, depthDiffs = 0;
        for (int k = 0; k < kWidth * kHeight; ++k) {
            colourDiffs += std::memcmp(&expected.colour[3 * k], &actual.colour[3 * k], 3) != 0;
            depthDiffs += expected.depth[k] != actual.depth[k];
        }
        EXPECT_EQ(colourDiffs, 0) << view.name;
        EXPECT_EQ(depthDiffs, 0) << view.name;
        EXPECT_EQ(expected.state, actual.state) << view.name;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << view.name;
        return world.lastSkippedBlocks;
    }
};

}  // namespace

TEST_F(GroundIdentity, FirstFramesAfterSetUpWithFlatTiles) {
    World fresh(1, 8888);
    const Vec3 eye{0, 2, 0};
    expectSamePicture(fresh, {"all flat", eye, lookAlong(eye, 0, 0)});
    expectSamePicture(fresh, {"all flat, looking down", eye, lookAlong(eye, 30, -6)});
}

TEST_F(GroundIdentity, ViewsAroundTheMiddleOfTheWorld) {
    World& w = *world;
    settle(w, 0, 0);
    // The highest and lowest ground near the middle.
    Vec3 top{0, -1, 0}, low{0, 100, 0};
    for (float x = -200; x <= 200; x += 3) {
        for (float z = -200; z <= 200; z += 3) {
            const float h = static_cast<float>(w.heightAt(x, z));
            if (h > top.y) top = {x, h, z};
            if (h < low.y && std::hypot(x - top.x, z - top.z) < 60) low = {x, h, z};
        }
    }
    int skipped = 0;
    const Vec3 hill{top.x, top.y + 2, top.z};
    skipped += expectSamePicture(w, {"hill top", hill, lookAlong(hill, 0, 0)});
    skipped += expectSamePicture(w, {"hill top, east", hill, lookAlong(hill, 90, -3)});
    const Vec3 valley{low.x, low.y + 1.2f, low.z};
    skipped += expectSamePicture(w, {"valley facing the hill", valley, top});
    const Vec3 seam = onGround(w, 0, 60, 2);
    skipped += expectSamePicture(w, {"along a tile seam", seam, lookAlong(seam, 0, 0)});
    const Vec3 step = onGround(w, -3, 30, 1);
    skipped += expectSamePicture(w, {"across a step between tiles", step, lookAlong(step, 90, 0)});
    const Vec3 step2 = onGround(w, 40, 4, 1);
    skipped +=
        expectSamePicture(w, {"across a step, low and slanted", step2, lookAlong(step2, 20, -2)});
    const Vec3 gun = onGround(w, 10, -10, 2);
    skipped += expectSamePicture(w, {"gun at its highest", gun, lookAlong(gun, 200, 60)});
    skipped += expectSamePicture(w, {"gun at its lowest", gun, lookAlong(gun, 200, -6)});
    for (int heading = 0; heading < 360; heading += 45) {
        const Vec3 eye = onGround(w, 25, -40, 2);
        skipped += expectSamePicture(
            w, {"heading " + std::to_string(heading), eye, lookAlong(eye, heading, -1)});
    }
    const Vec3 high{0, 150, 0};
    skipped += expectSamePicture(w, {"high above", high, lookAlong(high, 30, -40)});
    EXPECT_GT(skipped, 200);  // the point of it all: hidden ground is skipped
}

TEST_F(GroundIdentity, StepsToFlatTilesAndTilesBeingCollectedAndFlattened) {
    World& w = *world;
    settle(w, 0, 0);
    // Moving on: the windows follow the eye, far tiles are flattened and the
    // next builds start and are collected while the views are compared.
    for (int k = 0; k < 6; ++k) {
        const Vec3 eye = onGround(w, 300 + 20 * k, -10, 2);
        expectSamePicture(
            w, {"moving toward flat tiles " + std::to_string(k), eye, lookAlong(eye, 90, -1)});
        waitForBuilder(w);
    }
}

TEST_F(GroundIdentity, AtTheEdgeOfTheWorldAndOutside) {
    World& w = *world;
    settle(w, -1150, 1150);
    const Vec3 edge = onGround(w, -1150, 1150, 2);
    expectSamePicture(w, {"world edge, facing the corner", edge, {-1270, 60, 1270}});
    expectSamePicture(w, {"world edge, facing inward", edge, lookAlong(edge, 60, 0)});
    const Vec3 outside{-1350, 40, 1350};
    expectSamePicture(w, {"outside the world", outside, {-1000, 0, 1000}});
}

TEST_F(GroundIdentity, WithPropsEnemiesAndEffectsInView) {
    World& w = *world;
    settle(w, 0, 0);
    const Vec3 eye = onGround(w, 0, 40, 2.5f);
    // Enemies, an explosion and a block spread over the ground ahead, some
    // of them half behind the relief.
    for (int k = 0; k < kEnemyCount; ++k) {
        if (!enemies[k]) continue;
        const float x = -60.0f + 13.0f * k, z = -20.0f - 9.0f * k;
        enemies[k]->position = {x, static_cast<float>(w.heightAt(x, z)), z};
    }
    explosions[0] = std::make_unique<Explosion>(Vec3{5, 3, -30}, 20);
    explosions[1] = std::make_unique<Explosion>(Vec3{-20, 1, -80}, 21);
    if (blocks[0]) blocks[0]->x = 10, blocks[0]->z = -50;
    expectSamePicture(w, {"objects ahead", eye, lookAlong(eye, 0, -2)}, true);
    expectSamePicture(
        w, {"objects, low and to the side", onGround(w, 30, 10, 1.5f), Vec3{-20, 2, -60}}, true);
    explosions[0].reset();
    explosions[1].reset();
}

TEST_F(GroundIdentity, ViewRangeZero) {
    World small(0, 8888);
    settle(small, 0, 0);
    const Vec3 eye = onGround(small, 10, 10, 2);
    expectSamePicture(small, {"view range 0", eye, lookAlong(eye, 45, 0)});
    expectSamePicture(small, {"view range 0, other way", eye, lookAlong(eye, 225, -3)});
}
