#pragma once
// Finds tiles that lie wholly outside the current view volume, so that their
// lists can be skipped without changing a single pixel.

class TileCuller {
public:
    // Reads the current projection and modelview matrices.
    void captureView();
    // False only when the tile's box (grown by a unit on every side) lies
    // wholly beyond one clip plane. `top` is the highest point of its surface.
    bool tileVisible(int i, int j, float top) const;

private:
    double clip[16] = {};  // projection x modelview, column-major
};
