#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <memory>

#include "game/debris_piece.h"
#include "platform/random.h"
#include "support/gl_context.h"
#include "support/message_capture.h"

TEST(DebrisPieces, ResetDrawsTenNumbersInOrder) {
    REQUIRE_GL_WINDOW(64, 64);
    MessageCapture quiet;  // the models may be missing here; that is fine
    DebrisPiece piece;

    rng::srand(99);
    int d[11];
    for (int& value : d) value = rng::rand();
    rng::srand(99);
    piece.spinStamp = piece.recycleStamp = piece.fallStamp = 5.0;
    piece.reset();

    EXPECT_FLOAT_EQ(piece.rotation[0], d[0] % 360);
    EXPECT_FLOAT_EQ(piece.rotation[1], d[1] % 360);
    EXPECT_FLOAT_EQ(piece.rotation[2], d[2] % 360);
    EXPECT_FLOAT_EQ(piece.spin[0], (d[3] % 5) / 3.0f);
    EXPECT_FLOAT_EQ(piece.spin[1], (d[4] % 5) / 3.0f);
    EXPECT_FLOAT_EQ(piece.spin[2], (d[5] % 5) / 3.0f);
    EXPECT_FLOAT_EQ(piece.position.x, 100.0f - d[6] % 200);
    EXPECT_FLOAT_EQ(piece.position.y, d[7] % 1000);
    EXPECT_FLOAT_EQ(piece.position.z, 200.0f - d[8] % 200);
    EXPECT_FLOAT_EQ(piece.fallSpeed, (d[9] % 10) * 0.02f + 1.0f);
    EXPECT_EQ(piece.spinStamp, 0.0);
    EXPECT_EQ(piece.recycleStamp, 0.0);
    EXPECT_EQ(piece.fallStamp, 0.0);
    EXPECT_EQ(rng::rand(), d[10]);  // exactly ten draws
}

TEST(DebrisPieces, AllPiecesShareOneListAndDrawInRedOrange) {
    REQUIRE_GL_WINDOW(64, 64);
    MessageCapture quiet;
    auto first = std::make_unique<DebrisPiece>();
    const unsigned int list = debrisListName;
    auto second = std::make_unique<DebrisPiece>();
    EXPECT_NE(list, 0u);
    EXPECT_TRUE(glIsList(list));
    EXPECT_EQ(debrisListName, list);

    GLint depth = 0, after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    second->draw();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(after, depth);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[1], 0.1f);
    EXPECT_FLOAT_EQ(colour[2], 0.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLfloat diffuse[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    EXPECT_FLOAT_EQ(diffuse[0], 1.0f);
}
