#include "world/horizon.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// Azimuths are kept as t = tan(angle from the view direction), binned over
// |t| <= kTMax (76 degrees either side); anything wider is never skipped.
constexpr double kTMax = 4.0;
// Points closer than this to the eye's side line count as beside or behind.
constexpr double kAheadMin = 1e-3;
// Room for the float rounding of vertex positions (world units). Tiles are
// placed where the float chain of translations really puts them, so what is
// left is the vertex transform: four float roundings of terms no larger than
// the vertex's distance r plus 2.7 times its offset from the tile's origin
// (at most 200), under 1.5e-4 + 2.4e-7 r; this allows more than four times that.
constexpr double kPositionSlack = 1e-3;
constexpr double kRelativePositionSlack = 1e-6;
// Nearer ground hides a fragment only when its depth is smaller by this much
// of the depth range per unit of near plane distance (about 30 steps of a
// 24-bit depth buffer).
constexpr double kInverseDepthGap = 2e-5;

double positionSlack(double r) { return kPositionSlack + kRelativePositionSlack * r; }

double length(double x, double z) { return std::sqrt(x * x + z * z); }

// CPU time of the calling thread.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The nearest float at or above / at or below a double, one step further out.
float floatAbove(double x) {
    const float f = static_cast<float>(x);
    if (!std::isfinite(f)) return f;
    if (f == 0.0f) return std::numeric_limits<float>::denorm_min();
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    bits = f > 0.0f ? bits + 1 : bits - 1;
    float out;
    std::memcpy(&out, &bits, sizeof out);
    return out;
}

float floatBelow(double x) { return -floatAbove(-x); }

}  // namespace

struct Horizon::Helper {
    std::mutex mutex;
    std::condition_variable wake, finished;
    int posted = 0, done = 0;
    bool stop = false;
    std::thread thread;
};

Horizon::Horizon() = default;

double Horizon::rasterAngleSlack(int width, int height, double tanX, double tanY,
                                 int subpixelBits) {
    // A pixel at the centre spans the widest angle. Snapping moves a vertex
    // by at most 0.71 of a sub-pixel step, the float window transform by far
    // less: two steps bound both.
    const double pixel =
        std::max(2.0 * tanX / std::max(width, 1), 2.0 * tanY / std::max(height, 1));
    return 2.0 * pixel * std::ldexp(1.0, -std::clamp(subpixelBits, 0, 16));
}

double Horizon::angleSlack(double r) const { return angleSlack_ + positionSlack(r) / r; }

Horizon::~Horizon() {
    if (!helper_) return;
    {
        std::lock_guard<std::mutex> lock(helper_->mutex);
        helper_->stop = true;
    }
    helper_->wake.notify_one();
    helper_->thread.join();
}

bool Horizon::postToHelper() {
    if (!helper_ && !helperUnavailable_) {
        auto helper = std::make_unique<Helper>();
        Helper* h = helper.get();
        try {
            h->thread = std::thread([this, h] {
                int taken = 0;
                std::unique_lock<std::mutex> lock(h->mutex);
                for (;;) {
                    h->wake.wait(lock, [&] { return h->stop || h->posted != taken; });
                    if (h->stop) return;
                    taken = h->posted;
                    lock.unlock();
                    decidePart(parts_[1]);
                    lock.lock();
                    h->done = taken;
                    h->finished.notify_one();
                }
            });
            helper_ = std::move(helper);
        } catch (const std::system_error&) {
            helperUnavailable_ = true;  // the main thread does both parts
        }
    }
    if (!helper_) return false;
    {
        std::lock_guard<std::mutex> lock(helper_->mutex);
        ++helper_->posted;
    }
    helper_->wake.notify_one();
    return true;
}

void Horizon::waitForHelper() {
    std::unique_lock<std::mutex> lock(helper_->mutex);
    helper_->finished.wait(lock, [&] { return helper_->done == helper_->posted; });
}

void Horizon::begin(const double eye[3], const double forward[3], double nearPlane,
                    double cornerCos, double angleSlack) {
    for (int k = 0; k < 3; ++k) {
        eye_[k] = eye[k];
        forward_[k] = forward[k];
    }
    near_ = nearPlane;
    cornerCos_ = cornerCos;
    angleSlack_ = angleSlack;
    const double flat = length(forward[0], forward[2]);
    // Looking almost straight up or down there is no useful azimuth.
    usable_ = flat > 0.05 && nearPlane > 0.0 && cornerCos > 0.0;
    if (usable_) {
        ahead_[0] = forward[0] / flat;
        ahead_[1] = forward[2] / flat;
        side_[0] = -ahead_[1];
        side_[1] = ahead_[0];
    }
    occluders_.clear();
    candidates_.clear();
    candidateCount_ = 0;
    for (Part& part : parts_) part.rimsUsed = 0;
    std::fill(rangeCount_, rangeCount_ + kBins, 0);
    viewLo_ = 0;
    viewHi_ = kBins - 1;
}

void Horizon::limitToView(const double corners[4][3]) {
    if (!usable_) return;
    // The azimuth runs monotonically along each edge of the viewport, so its
    // extremes lie at the corners.
    double tMin = kInf, tMax = -kInf;
    for (int k = 0; k < 4; ++k) {
        const double* d = corners[k];
        const double u = d[0] * ahead_[0] + d[2] * ahead_[1];
        const double v = d[0] * side_[0] + d[2] * side_[1];
        if (u <= kAheadMin * std::sqrt(d[0] * d[0] + d[2] * d[2])) return;  // wider than binned
        tMin = std::min(tMin, v / u);
        tMax = std::max(tMax, v / u);
    }
    viewLo_ = std::max(0, binOf(tMin) - 2);
    viewHi_ = std::min(kBins - 1, binOf(tMax) + 2);
}

double Horizon::depthOf(double x, double y, double z) const {
    return (x - eye_[0]) * forward_[0] + (y - eye_[1]) * forward_[1] + (z - eye_[2]) * forward_[2];
}

double Horizon::boxDepth(const GroundBox& box, bool farthest) const {
    double result = farthest ? -kInf : kInf;
    for (int c = 0; c < 8; ++c) {
        const double d = depthOf((c & 1) ? box.x1 : box.x0, (c & 2) ? box.high : box.low,
                                 (c & 4) ? box.z1 : box.z0);
        result = farthest ? std::max(result, d) : std::min(result, d);
    }
    return result;
}

void Horizon::viewFrame(double x, double z, double& u, double& v) const {
    const double dx = x - eye_[0], dz = z - eye_[2];
    u = dx * ahead_[0] + dz * ahead_[1];
    v = dx * side_[0] + dz * side_[1];
}

int Horizon::binOf(double t) const {
    const double k = std::floor((t + kTMax) * (kBins / (2.0 * kTMax)));
    if (!(k > 0.0)) return 0;  // also NaN
    if (k >= kBins - 1) return kBins - 1;
    return static_cast<int>(k);
}

Horizon::RimPoint Horizon::rimPoint(double x, double y, double z) const {
    RimPoint p;
    p.dx = x - eye_[0];
    p.dz = z - eye_[2];
    viewFrame(x, z, p.u, p.v);
    p.r = length(p.dx, p.dz);
    p.t = p.u > kAheadMin ? p.v / p.u : 0.0;
    p.y = y - eye_[1];
    return p;
}

Horizon::Span Horizon::rimSpan(const RimPoint& a, const RimPoint& b, bool alongRow) const {
    Span span{0, 0, 0.0f, 0.0f, false};
    if (a.u <= kAheadMin && b.u <= kAheadMin) return span;  // beside or behind the eye

    // Nearest and farthest horizontal distance along the unit segment: the
    // foot of the perpendicular from the eye, or the nearer end.
    const double along = alongRow ? -a.dx : a.dz;  // where the foot falls, 0 at a, 1 at b
    const double rMin =
        along > 0.0 && along < 1.0 ? std::fabs(alongRow ? a.dz : a.dx) : std::min(a.r, b.r);
    const double rMax = std::max(a.r, b.r);
    if (rMin < 1e-6) return span;
    const double slack = angleSlack(rMin);

    // Azimuth range: t is monotonic along a segment that stays ahead.
    double t0, t1;
    if (a.u > kAheadMin && b.u > kAheadMin) {
        t0 = a.t;
        t1 = b.t;
    } else {
        // The segment leaves the half ahead: the part ahead runs out to the
        // side where it crosses the side line.
        const double f = (kAheadMin - a.u) / (b.u - a.u);
        const double vCross = a.v + f * (b.v - a.v);
        t0 = a.u > kAheadMin ? a.t : b.t;
        t1 = vCross >= 0 ? 2 * kTMax : -2 * kTMax;
    }
    if (t0 > t1) std::swap(t0, t1);
    span.bin0 = binOf(t0 - slack * (1 + t0 * t0));
    span.bin1 = binOf(t1 + slack * (1 + t1 * t1));

    const double yLow = std::min(a.y, b.y), yHigh = std::max(a.y, b.y);
    double sMax = yHigh >= 0 ? yHigh / rMin : yHigh / rMax;
    double sMin = yLow >= 0 ? yLow / rMax : yLow / rMin;
    sMax += slack * (1 + sMax * sMax);
    sMin -= slack * (1 + sMin * sMin);
    // Rounded outward to float, once per segment rather than per rectangle.
    span.high = floatAbove(sMax);
    span.low = floatBelow(sMin);
    span.valid = true;
    return span;
}

Horizon::SheetRims& Horizon::rimsOf(Part& part, const GroundSheet& sheet) {
    for (size_t k = 0; k < part.rimsUsed; ++k)
        if (part.rims[k].sheet == &sheet) return part.rims[k];
    if (part.rimsUsed == part.rims.size()) part.rims.emplace_back();
    SheetRims& rims = part.rims[part.rimsUsed++];
    rims.sheet = &sheet;
    std::fill(&rims.slot[0][0], &rims.slot[0][0] + 2 * 128, -1);
    rims.spans.clear();
    rims.edgesReady = false;
    return rims;
}

void Horizon::spread(const Span* spans, int from, int to, int kLo, int kHi, float* high,
                     float* low) const {
    const Span* runs = spans + 127;
    for (int k = from; k < to; ++k) {
        const Span& run = runs[k / kRun];
        if (run.bin1 < kLo || run.bin0 > kHi) {
            k = (k / kRun + 1) * kRun - 1;  // the rest of this run is outside too
            continue;
        }
        const Span& s = spans[k];
        if (!s.valid) continue;
        const int b0 = std::max(kLo, s.bin0), b1 = std::min(kHi, s.bin1);
        for (int b = b0; b <= b1; ++b) {
            high[b] = std::max(high[b], s.high);
            low[b] = std::min(low[b], s.low);
        }
    }
}

void Horizon::workOutEdges(Part& part, SheetRims& rims) {
    const GroundSheet& sheet = *rims.sheet;
    constexpr float fInf = std::numeric_limits<float>::infinity();
    rims.edgeHigh.resize(kBins);
    rims.edgeLow.resize(kBins);
    std::fill(rims.edgeHigh.begin() + part.lo, rims.edgeHigh.begin() + part.hi + 1, -fInf);
    std::fill(rims.edgeLow.begin() + part.lo, rims.edgeLow.begin() + part.hi + 1, fInf);
    rims.edgesReady = true;
    const double ex = eye_[0], ez = eye_[2];
    auto edge = [&](bool alongRow, int line) {
        spread(rimLine(part, sheet, alongRow, line), 0, 127, part.lo, part.hi, rims.edgeHigh.data(),
               rims.edgeLow.data());
    };
    if (sheet.originX - ex > 0) edge(false, 0);            // west
    if (ex - (sheet.originX + 127) > 0) edge(false, 127);  // east
    if (sheet.originZ - 127 - ez > 0) edge(true, 127);     // south
    if (ez - sheet.originZ > 0) edge(true, 0);             // north
}

const Horizon::Span* Horizon::rimLine(Part& part, const GroundSheet& sheet, bool alongRow,
                                      int line) {
    SheetRims* rims = &rimsOf(part, sheet);
    int& slot = rims->slot[alongRow ? 1 : 0][line];
    if (slot < 0) {
        slot = static_cast<int>(rims->spans.size());
        const float* h = sheet.heights;
        // Along a row line: samples (k, line); along a column line: (line, k).
        RimPoint points[128];
        for (int k = 0; k < 128; ++k) {
            const int m = alongRow ? k : line, n = alongRow ? line : k;
            points[k] =
                rimPoint(sheet.originX + m, sheet.originY + h[n * 128 + m], sheet.originZ - n);
        }
        for (int k = 0; k < 127; ++k)
            rims->spans.push_back(rimSpan(points[k], points[k + 1], alongRow));
        // The bins of each run of segments, so that runs wholly outside a
        // rectangle's bins are passed over at once.
        for (int r = 0; r < kRuns; ++r) {
            Span run{kBins, -1, 0.0f, 0.0f, false};
            for (int k = r * kRun; k < std::min(127, (r + 1) * kRun); ++k) {
                const Span& segment = rims->spans[slot + k];
                if (!segment.valid) continue;
                run.bin0 = std::min(run.bin0, segment.bin0);
                run.bin1 = std::max(run.bin1, segment.bin1);
            }
            rims->spans.push_back(run);
        }
    }
    return rims->spans.data() + slot;
}

void Horizon::addOccluder(const GroundSheet* sheet, int m0, int m1, int n0, int n1, float low,
                          float high) {
    if (!usable_) return;
    Occluder o{sheet, m0, m1, n0, n1, sheet->originY + low, sheet->originY + high, 0.0};
    const GroundBox box{sheet->originX + m0,
                        sheet->originX + m1,
                        sheet->originZ - n1,
                        sheet->originZ - n0,
                        o.low,
                        o.high};
    o.farDepth = boxDepth(box, true);
    if (o.farDepth <= 2 * near_) return;  // wholly behind or at the eye: hides nothing
    occluders_.push_back(o);
}

int Horizon::addCandidate(const GroundBox& box) {
    const int index = candidateCount_++;
    candidates_.push_back({box, usable_ ? boxDepth(box, false) : 0.0, index});
    return index;
}

void Horizon::addCandidatePart(const GroundBox& box) {
    candidates_.push_back({box, usable_ ? boxDepth(box, false) : 0.0, candidateCount_ - 1});
}

bool Horizon::clearAbove(const Occluder& o) const {
    // The eye must stand clear above the sheet within half a unit, so that
    // the first crossing of any ray lies beyond the near plane.
    const GroundSheet& sheet = *o.sheet;
    const double lx = eye_[0] - sheet.originX, lz = sheet.originZ - eye_[2];
    const int mLo = std::max(o.m0, static_cast<int>(std::floor(lx - 0.5)));
    const int mHi = std::min(o.m1, static_cast<int>(std::floor(lx + 0.5)) + 1);
    const int nLo = std::max(o.n0, static_cast<int>(std::floor(lz - 0.5)));
    const int nHi = std::min(o.n1, static_cast<int>(std::floor(lz + 0.5)) + 1);
    double top = -kInf;
    for (int n = nLo; n <= nHi; ++n)
        for (int m = mLo; m <= mHi; ++m) top = std::max(top, double{sheet.heights[n * 128 + m]});
    const double clearance = eye_[1] - (sheet.originY + top);
    return std::min(clearance, 0.5) * cornerCos_ > 2 * near_;
}

bool Horizon::binsWithin(const Occluder& o, Approach& a) const {
    const GroundSheet& sheet = *o.sheet;
    const double x0 = sheet.originX + o.m0, x1 = sheet.originX + o.m1;
    const double z0 = sheet.originZ - o.n1, z1 = sheet.originZ - o.n0;
    if (boxDepth({x0, x1, z0, z1, o.low, o.high}, false) <= 2 * near_) return false;
    double tMin = kInf, tMax = -kInf;
    for (int c = 0; c < 4; ++c) {
        double u, v;
        viewFrame((c & 1) ? x1 : x0, (c & 2) ? z1 : z0, u, v);
        if (u <= kAheadMin) return false;
        const double slack = angleSlack(length(u, v));
        const double t = v / u;
        tMin = std::min(tMin, t + slack * (1 + t * t));
        tMax = std::max(tMax, t - slack * (1 + t * t));
    }
    // Only bins whose every azimuth passes through the rectangle.
    a.kLo = std::max(a.kLo, tMin <= -kTMax ? 0 : binOf(tMin) + 1);
    a.kHi = std::min(a.kHi, tMax >= kTMax ? kBins - 1 : binOf(tMax) - 1);
    return a.kLo <= a.kHi;
}

bool Horizon::approach(const Part& part, const Occluder& o, Approach& a) const {
    if (part.lo > part.hi) return false;
    const GroundSheet& sheet = *o.sheet;
    a.beyond[0] = sheet.originX + o.m0 - eye_[0];
    a.beyond[1] = eye_[0] - (sheet.originX + o.m1);
    a.beyond[2] = sheet.originZ - o.n1 - eye_[2];
    a.beyond[3] = eye_[2] - (sheet.originZ - o.n0);
    for (double d : a.beyond) {
        if (std::fabs(d) < 1e-3) return false;  // the eye looks along a rim
    }
    const double* beyond = a.beyond;
    a.inside = beyond[0] < 0 && beyond[1] < 0 && beyond[2] < 0 && beyond[3] < 0;
    // Where the rims rays come in by lie on the sheet's own edges (as they
    // do for every rectangle grown from the eye's side), the edges' slopes
    // per bin serve: in a bin that the rectangle wholly spans, the rays come
    // in by the same stretch of edge.
    a.onEdges = !a.inside && (beyond[0] <= 0 || o.m0 == 0) && (beyond[1] <= 0 || o.m1 == 127) &&
                (beyond[2] <= 0 || o.n1 == 127) && (beyond[3] <= 0 || o.n0 == 0);
    a.kLo = part.lo;
    a.kHi = part.hi;
    return a.inside ? clearAbove(o) : binsWithin(o, a);
}

void Horizon::insert(Part& part, const Occluder& o) {
    Approach a;
    if (!approach(part, o, a)) return;
    const GroundSheet& sheet = *o.sheet;
    constexpr float fInf = std::numeric_limits<float>::infinity();
    const float* inHigh = nearMax_;
    const float* inLow = nearMin_;
    if (a.onEdges) {
        SheetRims& rims = rimsOf(part, sheet);
        if (!rims.edgesReady) workOutEdges(part, rims);
        inHigh = rims.edgeHigh.data();
        inLow = rims.edgeLow.data();
    } else {
        std::fill(nearMax_ + a.kLo, nearMax_ + a.kHi + 1, -fInf);
        std::fill(nearMin_ + a.kLo, nearMin_ + a.kHi + 1, fInf);
    }
    std::fill(farMax_ + a.kLo, farMax_ + a.kHi + 1, -fInf);
    std::fill(farMin_ + a.kLo, farMin_ + a.kHi + 1, fInf);

    // Each rim, sample by sample: the rims the eye lies beyond are where rays
    // come in, the others where they leave.
    auto rim = [&](bool nearRim, bool alongRow, int line, int from, int to) {
        if (nearRim && a.onEdges) return;
        spread(rimLine(part, sheet, alongRow, line), from, to, a.kLo, a.kHi,
               nearRim ? nearMax_ : farMax_, nearRim ? nearMin_ : farMin_);
    };
    rim(a.beyond[0] > 0, false, o.m0, o.n0, o.n1);  // west: m = m0
    rim(a.beyond[1] > 0, false, o.m1, o.n0, o.n1);  // east: m = m1
    rim(a.beyond[2] > 0, true, o.n1, o.m0, o.m1);   // south: n = n1
    rim(a.beyond[3] > 0, true, o.n0, o.m0, o.m1);   // north: n = n0
    coverBins(a, inHigh, inLow);
}

void Horizon::coverBins(const Approach& a, const float* inHigh, const float* inLow) {
    constexpr float fInf = std::numeric_limits<float>::infinity();
    for (int b = a.kLo; b <= a.kHi; ++b) {
        if (farMin_[b] == fInf) continue;
        float low, high;
        if (a.inside) {
            // Every ray starts above the sheet; it is stopped if it leaves below.
            low = -fInf;
            high = farMin_[b];
        } else {
            if (inHigh[b] == -fInf) continue;
            // In above and out below, or in below (through a step) and out above.
            low = std::min(inHigh[b], farMax_[b]);
            high = std::max(inLow[b], farMin_[b]);
        }
        if (low < high) cover(b, low, high);
    }
}

void Horizon::cover(int bin, float low, float high) {
    float* lows = rangeLow_[bin];
    float* highs = rangeHigh_[bin];
    int count = rangeCount_[bin];
    // Swallow every range that overlaps the new one (open intervals: ranges
    // that only touch stay apart, the touching slope itself is not covered).
    int kept = 0;
    for (int k = 0; k < count; ++k) {
        if (lows[k] < high && low < highs[k]) {
            low = std::min(low, lows[k]);
            high = std::max(high, highs[k]);
        } else {
            lows[kept] = lows[k];
            highs[kept] = highs[k];
            ++kept;
        }
    }
    if (kept == kRanges) {
        // Full: forget the narrowest range, which is the least use.
        int narrowest = 0;
        for (int k = 1; k < kept; ++k)
            if (highs[k] - lows[k] < highs[narrowest] - lows[narrowest]) narrowest = k;
        if (highs[narrowest] - lows[narrowest] > high - low) return;
        for (int k = narrowest; k + 1 < kept; ++k) {
            lows[k] = lows[k + 1];
            highs[k] = highs[k + 1];
        }
        --kept;
    }
    int at = kept;
    while (at > 0 && lows[at - 1] > low) {
        lows[at] = lows[at - 1];
        highs[at] = highs[at - 1];
        --at;
    }
    lows[at] = low;
    highs[at] = high;
    rangeCount_[bin] = static_cast<unsigned char>(kept + 1);
}

bool Horizon::hides(const Part& part, const Candidate& c) const {
    const GroundBox& box = c.box;
    const double ex = eye_[0], ey = eye_[1], ez = eye_[2];
    if (ex >= box.x0 - 1e-3 && ex <= box.x1 + 1e-3 && ez >= box.z0 - 1e-3 && ez <= box.z1 + 1e-3)
        return false;
    if (!(c.nearDepth > 2 * near_)) return false;
    double tMin = kInf, tMax = -kInf, rFar = 0;
    for (int k = 0; k < 4; ++k) {
        double u, v;
        viewFrame((k & 1) ? box.x1 : box.x0, (k & 2) ? box.z1 : box.z0, u, v);
        if (u <= kAheadMin) return false;
        const double r = length(u, v);
        const double slack = angleSlack(r);
        const double t = v / u;
        tMin = std::min(tMin, t - slack * (1 + t * t));
        tMax = std::max(tMax, t + slack * (1 + t * t));
        rFar = std::max(rFar, r);
    }
    if (tMin <= -kTMax || tMax >= kTMax) return false;
    const double dx = std::max({box.x0 - ex, 0.0, ex - box.x1});
    const double dz = std::max({box.z0 - ez, 0.0, ez - box.z1});
    const double rNear = length(dx, dz);
    if (rNear < 1e-3) return false;
    // The steepest and flattest slopes at which the box can be seen.
    const double rise = box.high - ey, fall = box.low - ey;
    double sTop = rise >= 0 ? rise / rNear : rise / rFar;
    double sBottom = fall >= 0 ? fall / rFar : fall / rNear;
    const double slack = angleSlack(rNear);
    sTop += slack * (1 + sTop * sTop);
    sBottom -= slack * (1 + sBottom * sBottom);
    const float top = floatAbove(sTop);
    const float bottom = floatBelow(sBottom);
    // Only rays through the viewport matter.
    const int first = std::max(part.lo, binOf(tMin)), last = std::min(part.hi, binOf(tMax));
    for (int b = first; b <= last; ++b) {
        bool covered = false;
        for (int k = 0; k < rangeCount_[b] && !covered; ++k)
            covered = rangeLow_[b][k] < bottom && top < rangeHigh_[b][k];
        if (!covered) return false;
    }
    return true;
}

void Horizon::decide(std::vector<char>& hidden) {
    hidden.assign(candidateCount_, 0);
    if (!usable_) return;
    std::sort(candidates_.begin(), candidates_.end(),
              [](const Candidate& a, const Candidate& b) { return a.nearDepth < b.nearDepth; });
    std::sort(occluders_.begin(), occluders_.end(),
              [](const Occluder& a, const Occluder& b) { return a.farDepth < b.farDepth; });
    // Each bin's covered ranges depend only on the occluders that reach it,
    // in the same order whichever part does the work; so the two halves of
    // the view are decided side by side, and a candidate is hidden when it
    // is hidden in both.
    // Which part takes which bins changes no decision, only the time each
    // thread spends.
    const int bins = viewHi_ - viewLo_ + 1;
    const int firstBins = std::clamp(static_cast<int>(firstShare_ * bins + 0.5), 1, bins);
    parts_[0].lo = viewLo_;
    parts_[0].hi = viewLo_ + firstBins - 1;
    parts_[1].lo = parts_[0].hi + 1;
    parts_[1].hi = viewHi_;
    const bool helped = postToHelper();
    decidePart(parts_[0]);
    if (helped) {
        waitForHelper();
        // Next frame, share the bins so that both take as long, were the
        // work spread evenly within each part.
        const double perBin0 = parts_[0].busySeconds / (parts_[0].hi - parts_[0].lo + 1);
        const int secondBins = parts_[1].hi - parts_[1].lo + 1;
        if (secondBins > 0 && perBin0 > 0 && parts_[1].busySeconds > 0) {
            const double perBin1 = parts_[1].busySeconds / secondBins;
            const double even = perBin1 / (perBin0 + perBin1);
            firstShare_ = std::clamp(0.5 * firstShare_ + 0.5 * even, 0.2, 0.8);
        }
    } else {
        decidePart(parts_[1]);
    }
    for (int k = 0; k < candidateCount_; ++k)
        hidden[k] = parts_[0].hidden[k] && parts_[1].hidden[k];
}

void Horizon::decidePart(Part& part) {
    const double start = threadSeconds();
    decideBins(part);
    part.busySeconds = threadSeconds() - start;
}

void Horizon::decideBins(Part& part) {
    std::vector<char>& hidden = part.hidden;
    hidden.assign(candidateCount_, 1);
    size_t next = 0;
    for (const Candidate& c : candidates_) {
        const double z2 = c.nearDepth;
        if (!hidden[c.index]) continue;  // another part of it shows already
        if (!(z2 > 2 * near_)) {
            hidden[c.index] = 0;
            continue;
        }
        // Only ground certainly nearer at every pixel may hide this candidate.
        while (next < occluders_.size()) {
            const double z1 = occluders_[next].farDepth;
            if (!(z2 - z1 > positionSlack(z2) + kInverseDepthGap * z1 * z2 * (0.1 / near_))) break;
            insert(part, occluders_[next]);
            ++next;
        }
        if (!hides(part, c)) hidden[c.index] = 0;
    }
}
