#include "world/tile_culling.h"

#include <GL/gl.h>

#include "world/world.h"

void TileCuller::captureView() {
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[col * 4 + k];
            clip[col * 4 + row] = sum;
        }
    }
}

bool TileCuller::tileVisible(int i, int j, float top) const {
    const double x0 = -1270.0 + kTileSpan * i, z1 = 1270.0 - kTileSpan * j;
    return boxVisible(x0, x0 + kTileSpan, 0.0, top, z1 - kTileSpan, z1);
}

bool TileCuller::boxVisible(double x0, double x1, double y0, double y1, double z0,
                            double z1) const {
    // A one-unit margin keeps rounding in the matrices from ever hiding a
    // box that shows a single fragment.
    x0 -= 1.0, y0 -= 1.0, z0 -= 1.0;
    x1 += 1.0, y1 += 1.0, z1 += 1.0;
    // Bits of the six planes each corner lies outside; the box is hidden
    // when some plane has all eight corners beyond it.
    unsigned outsideAll = 0x3F;
    for (int c = 0; c < 8; ++c) {
        const double x = (c & 1) ? x1 : x0;
        const double y = (c & 2) ? y1 : y0;
        const double z = (c & 4) ? z1 : z0;
        const double cx = clip[0] * x + clip[4] * y + clip[8] * z + clip[12];
        const double cy = clip[1] * x + clip[5] * y + clip[9] * z + clip[13];
        const double cz = clip[2] * x + clip[6] * y + clip[10] * z + clip[14];
        const double cw = clip[3] * x + clip[7] * y + clip[11] * z + clip[15];
        unsigned outside = 0;
        if (cx < -cw) outside |= 1;
        if (cx > cw) outside |= 2;
        if (cy < -cw) outside |= 4;
        if (cy > cw) outside |= 8;
        if (cz < -cw) outside |= 16;
        if (cz > cw) outside |= 32;
        outsideAll &= outside;
        if (outsideAll == 0) return true;
    }
    return outsideAll == 0;
}
