#pragma once
// Which parts of the ground are certainly hidden behind nearer ground, decided
// on the CPU before anything is drawn.
//
// Seen from the eye, a ray has an azimuth and a slope (rise over horizontal
// run). For each azimuth bin the horizon keeps a few ranges of slopes within
// which every ray is certainly stopped by ground nearer than anything still
// to be tested (a step between tiles can leave a gap between two ranges).
// Ground joins the horizon as rectangles of one tile's surface, which is one
// unbroken sheet: a ray that passes the rectangle's near rim on one side of
// the sheet and its far rim on the other must cross the sheet in between.
// Nothing is assumed about the seams between tiles, which may leave steps and
// gaps. Every comparison keeps a margin wider than the rasteriser's snapping
// (given by the caller for its viewport) and the float rounding of the vertex
// transform, so that a block is skipped only when none of its fragments could
// pass the depth test.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The surface of one generated tile: sample (m, n) at world
// (originX + m, originY + heights[n * 128 + m], originZ - n). The origin is
// where the drawing really puts the tile, float rounding and all.
struct GroundSheet {
    const float* heights = nullptr;
    double originX = 0.0, originY = 0.0, originZ = 0.0;
};

// An axis-aligned world box around something that may be skipped.
struct GroundBox {
    double x0 = 0, x1 = 0, z0 = 0, z1 = 0, low = 0, high = 0;
};

class Horizon {
public:
    Horizon();
    ~Horizon();
    Horizon(const Horizon&) = delete;
    Horizon& operator=(const Horizon&) = delete;

    static constexpr int kBins = 1024;
    static constexpr int kRanges = 4;  // covered slope ranges kept per bin

    // About the room the rasteriser needs in a 768 pixel high viewport with a
    // 90 degree view and 8 sub-pixel bits (see rasterAngleSlack).
    static constexpr double kDefaultAngleSlack = 2e-5;
    // The angle (radians) by which the rasteriser may move an edge: one
    // sub-pixel step of the widest pixel of a viewport whose sides lie at
    // tangents tanX and tanY from the view direction.
    static double rasterAngleSlack(int width, int height, double tanX, double tanY,
                                   int subpixelBits);

    // The eye, the unit view direction, the near plane distance, the cosine
    // of the widest angle between a ray in the viewport and the view
    // direction, and the rasteriser's angle slack. Forgets the last frame's
    // ground.
    void begin(const double eye[3], const double forward[3], double nearPlane, double cornerCos,
               double angleSlack = kDefaultAngleSlack);

    // Narrows the work to the azimuths of the viewport: the world directions
    // of the rays through its four corners. Rays elsewhere are never drawn.
    void limitToView(const double corners[4][3]);

    // Ground that may hide: the rectangle of samples [m0, m1] x [n0, n1] of a
    // sheet whose heights lie within [low, high]. The sheet must stay valid
    // until decide() returns.
    void addOccluder(const GroundSheet* sheet, int m0, int m1, int n0, int n1, float low,
                     float high);
    // Something that may be skipped; returns its index for decide().
    int addCandidate(const GroundBox& box);
    // One more box of the last candidate: it is hidden only if all its boxes
    // are (tighter boxes around parts of it hide more).
    void addCandidatePart(const GroundBox& box);
    // Decides every candidate: hidden[k] is set when candidate k certainly
    // shows no fragment.
    void decide(std::vector<char>& hidden);

    bool usable() const { return usable_; }

private:
    struct Occluder {
        const GroundSheet* sheet;
        int m0, m1, n0, n1;
        double low, high;  // world heights
        double farDepth;
    };
    struct Candidate {
        GroundBox box;
        double nearDepth;
        int index;
    };
    struct Span {         // what one stretch of a sheet's rim looks like from the eye
        int bin0, bin1;   // azimuth bins it spans
        float low, high;  // slopes, rounded outward to float
        bool valid;
    };

    // The rim segments of one sheet seen so far this frame: a rim line is
    // shared by many rectangles.
    static constexpr int kRun = 8;
    static constexpr int kRuns = (127 + kRun - 1) / kRun;
    struct SheetRims {
        const GroundSheet* sheet;
        int slot[2][128];  // per direction and sample line: first span, or -1
        // Per line its 127 segments, then the bins of each run of kRun.
        std::vector<Span> spans;
        // Per bin, the slopes of the sheet's edges facing the eye, where
        // rays come in (worked out on first use).
        bool edgesReady;
        std::vector<float> edgeHigh, edgeLow;
    };
    // The deciding is split by azimuth: each part keeps the bins [lo, hi]
    // and its own rims, and runs on a thread of its own.
    struct Part {
        int lo = 0, hi = -1;
        std::vector<SheetRims> rims;
        std::size_t rimsUsed = 0;
        std::vector<char> hidden;
        double busySeconds = 0;  // CPU time its last deciding took
    };
    SheetRims& rimsOf(Part& part, const GroundSheet& sheet);
    const Span* rimLine(Part& part, const GroundSheet& sheet, bool alongRow, int line);
    // Widens high[b] and low[b] over bins [kLo, kHi] by segments [from, to)
    // of a line's spans.
    void spread(const Span* spans, int from, int to, int kLo, int kHi, float* high,
                float* low) const;
    void workOutEdges(Part& part, SheetRims& rims);
    void decidePart(Part& part);  // decideBins, timed
    void decideBins(Part& part);
    double depthOf(double x, double y, double z) const;
    double boxDepth(const GroundBox& box, bool farthest) const;
    void viewFrame(double x, double z, double& u, double& v) const;
    struct RimPoint {    // a sample seen from the eye
        double dx, dz;   // from the eye
        double u, v, r;  // ahead, to the side, horizontal distance
        double t;        // v / u when ahead
        double y;        // height above the eye
    };
    RimPoint rimPoint(double x, double y, double z) const;
    // A unit segment between neighbouring samples of a row or column line.
    Span rimSpan(const RimPoint& a, const RimPoint& b, bool alongRow) const;
    int binOf(double t) const;
    double angleSlack(double r) const;
    // How the eye sees one occluding rectangle.
    struct Approach {
        double beyond[4];  // signed distance of the eye beyond each rim: west, east, south, north
        bool inside;       // the eye stands over the rectangle
        bool onEdges;      // rays come in by the sheet's own edges
        int kLo, kHi;      // bins every ray of which passes through it
    };
    // False when the rectangle can hide nothing in the part's bins.
    bool approach(const Part& part, const Occluder& occluder, Approach& a) const;
    bool clearAbove(const Occluder& occluder) const;
    bool binsWithin(const Occluder& occluder, Approach& a) const;
    void insert(Part& part, const Occluder& occluder);
    void coverBins(const Approach& a, const float* inHigh, const float* inLow);
    bool hides(const Part& part, const Candidate& candidate) const;
    void cover(int bin, float low, float high);

    double eye_[3] = {};
    double forward_[3] = {};
    double ahead_[2] = {}, side_[2] = {};  // horizontal view frame
    double near_ = 0.1, cornerCos_ = 0.5, angleSlack_ = kDefaultAngleSlack;
    bool usable_ = false;
    int viewLo_ = 0, viewHi_ = kBins - 1;  // bins the viewport's rays fall in
    std::vector<Occluder> occluders_;
    std::vector<Candidate> candidates_;
    int candidateCount_ = 0;
    Part parts_[2];
    // The thread that decides the second part, started on first use and
    // kept for the next frames.
    struct Helper;
    std::unique_ptr<Helper> helper_;
    bool helperUnavailable_ = false;
    // The share of the view's bins the first part takes, moved from frame to
    // frame toward equal work for both threads.
    double firstShare_ = 0.5;
    bool postToHelper();
    void waitForHelper();
    // Covered slope ranges of each bin, open intervals sorted by their low end.
    float rangeLow_[kBins][kRanges], rangeHigh_[kBins][kRanges];
    unsigned char rangeCount_[kBins];
    // Per-insert scratch: bounds of the near and far rims per bin.
    float nearMax_[kBins], nearMin_[kBins], farMax_[kBins], farMin_[kBins];
};
