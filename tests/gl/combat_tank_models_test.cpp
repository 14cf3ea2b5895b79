#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/combat_fixture.h"
#include "support/gl_context.h"
#include "support/message_capture.h"

namespace {
// The tank reads its models relative to the working directory, as the game does.
class InAssetFolder {
public:
    InAssetFolder() {
        previous_ = getcwd(buffer_, sizeof buffer_) ? buffer_ : ".";
        if (chdir(BRAKKON_ASSET_DIR) != 0) ADD_FAILURE() << "no asset folder";
    }
    ~InAssetFolder() {
        if (chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot go back";
    }

private:
    char buffer_[4096];
    std::string previous_;
};
}  // namespace

TEST(TankModels, AllTwentyFivePartsLoadAndTheTankShowsInItsColours) {
    REQUIRE_GL_WINDOW(128, 128);
    CombatState state;
    MessageCapture messages;
    std::unique_ptr<PlayerTank> tank;
    {
        InAssetFolder folder;
        tank = std::make_unique<PlayerTank>();
    }
    EXPECT_TRUE(messages.messages().empty());
    for (int i = 0; i < PlayerTank::kPartCount; ++i) {
        EXPECT_EQ(tank->parts[i].status, ObjStatus::Ok) << "part " << i;
        EXPECT_GT(tank->parts[i].faceCount, 0) << "part " << i;
    }
    for (unsigned int list : tank->lists) EXPECT_TRUE(glIsList(list));

    // Seen from behind and above, the hull fills the middle of the view.
    glViewport(0, 0, 128, 128);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    tank->position = Vec3{0.0f, 0.0f, 0.0f};
    gluLookAt(0.0, 3.0, 4.0, 0.0, 1.0, 0.0, 0.0, 1.0, 0.0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glDisable(GL_TEXTURE_2D);
    tank->draw(true);
    const PixelRgb centre = readPixel(64, 64);
    EXPECT_GT(centre.r + centre.g + centre.b, 0);
    EXPECT_EQ(readPixel(2, 125).r, 0);  // sky corner stays clear
    glDisable(GL_COLOR_MATERIAL);
}

TEST(TankModels, MissingModelFilesLeaveAWorkingTank) {
    REQUIRE_GL_WINDOW(128, 128);
    CombatState state;
    MessageCapture messages;
    PlayerTank tank;  // run from the test folder: no model files here
    for (const ObjModel& part : tank.parts) EXPECT_EQ(part.faceCount, 0);
    tank.driveInput = 1;
    tank.update();
    tank.draw(true);
    tank.rollTracks();
    EXPECT_FLOAT_EQ(tank.position.z, 399.5f);
    EXPECT_EQ(tank.trackFrame, 1);
}
