#pragma once
// Finds tiles and blocks that lie wholly outside the current view volume, so
// that they can be skipped without changing a single pixel.

class TileCuller {
public:
    // Reads the current projection and modelview matrices.
    void captureView();
    // False only when the tile's box (grown by a unit on every side) lies
    // wholly beyond one clip plane. `top` is the highest point of its surface.
    bool tileVisible(int i, int j, float top) const;
    // The same for any world box, grown by a unit on every side.
    bool boxVisible(double x0, double x1, double y0, double y1, double z0, double z1) const;

    double projection[16] = {};  // column-major, as OpenGL keeps them
    double modelview[16] = {};

private:
    double clip[16] = {};  // projection x modelview, column-major
};
