// Hill terrain generation. The relief of a seed must come out bit for bit the
// same on every run and build: this file is compiled with -ffp-contract=off
// (no fused multiply-add), every hill parameter and height held as a float is
// cast to float at the point where it is stored, and the rest is computed in
// double.
#include "world/hill_terrain.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "platform/random.h"

namespace {

// Division by 32767 (the largest random value), always as this product.
constexpr double kInvRandMax = 3.051850947599719e-05;
// 6.28 / 32767: a random draw scaled to an angle from 0 to 6.28 radians.
constexpr double kRandToAngle = 0.00019165624591230046;

Vec3d cross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void normalizeInPlace(Vec3d& v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0) return;
    const double k = 1.0 / length;
    v.x *= k;
    v.y *= k;
    v.z *= k;
}

Vec3d sum(const Vec3d& a, const Vec3d& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

void addInPlace(Vec3d& total, const Vec3d& v) {
    total.x += v.x;
    total.y += v.y;
    total.z += v.z;
}

}  // namespace

CHillTerrain::CHillTerrain(HillParams params)
    : size(params.size),
      hillMin(params.hillMin),
      hillMax(params.hillMax),
      heightScale(params.heightScale),
      numHills(params.numHills),
      flattening(params.flattening),
      island(params.island),
      seed(params.seed) {
    const size_t count = static_cast<size_t>(size) * size;
    try {
        heights.resize(count);
        normals.resize(count);
    } catch (const std::bad_alloc&) {
        throw ErrorOutOfMemory{};
    }
}

void CHillTerrain::generate() {
    clear();
    rng::srand(static_cast<unsigned>(seed));
    for (int i = 0; i < numHills; ++i) addHill();
    normalize();
    flatten();
    computeNormals();
}

void CHillTerrain::clear() {
    std::fill(heights.begin(), heights.end(), 0.0f);
    std::fill(normals.begin(), normals.end(), Vec3d{});
}

void CHillTerrain::addHill() {
    const int r1 = rng::rand();
    const int r2 = rng::rand();
    const int r3 = rng::rand();

    const float radius =
        static_cast<float>(hillMin + (r1 * (static_cast<double>(hillMax) - hillMin)) * kInvRandMax);

    float cx, cy;
    if (!island) {
        const float span = static_cast<float>(static_cast<double>(size) - radius - 1.0);
        cx = static_cast<float>(radius + (r2 * (static_cast<double>(span) - radius)) * kInvRandMax);
        cy = static_cast<float>(radius + (r3 * (static_cast<double>(span) - radius)) * kInvRandMax);
    } else {
        const float theta = static_cast<float>(r2 * kRandToAngle);
        const float outer = static_cast<float>(static_cast<double>(size / 2) - radius);
        const float inner = static_cast<float>(radius * 0.5);
        const double dist = inner + (r3 * (static_cast<double>(outer) - inner)) * kInvRandMax;
        cx = static_cast<float>(size * 0.5 + dist * std::cos(static_cast<double>(theta)));
        cy = static_cast<float>(size * 0.5 + dist * std::sin(static_cast<double>(theta)));
    }

    const int last = size - 1;
    const int x0 = std::max(0, static_cast<int>(static_cast<double>(cx) - radius - 1.0));
    const int x1 = std::min(last, static_cast<int>(static_cast<double>(cx) + radius + 1.0));
    const int y0 = std::max(0, static_cast<int>(static_cast<double>(cy) - radius - 1.0));
    const int y1 = std::min(last, static_cast<int>(static_cast<double>(cy) + radius + 1.0));
    if (x0 > x1) return;

    const float radiusSquared = radius * radius;
    for (int x = x0; x <= x1; ++x) {
        const float dx = cx - static_cast<float>(x);
        const float dxSquared = dx * dx;
        for (int y = y0; y <= y1; ++y) {
            const float dy = cy - static_cast<float>(y);
            const float value = radiusSquared - (dxSquared + dy * dy);
            if (value > 0.0f) heights[static_cast<size_t>(y) * size + x] += value;
        }
    }
}

void CHillTerrain::normalize() {
    if (heights.empty()) return;
    const auto [lowIt, highIt] = std::minmax_element(heights.begin(), heights.end());
    const float low = *lowIt;
    const float high = *highIt;
    if (low == high) {
        clear();
        return;
    }
    const float range = high - low;
    for (float& h : heights) h = (h - low) / range;
}

void CHillTerrain::flatten() {
    if (flattening <= 1) return;
    for (float& h : heights) {
        const float base = h;
        for (int i = 1; i < flattening; ++i) h *= base;
    }
}

void CHillTerrain::computeNormals() {
    if (size < 1) return;
    const int t = size - 1;
    const double scale = heightScale;
    auto scaled = [&](int m, int n) { return scale * heights[static_cast<size_t>(n) * size + m]; };

    // Two triangles per cell, split along the diagonal from (m, n) to (m+1, n+1).
    std::vector<Vec3d> a(static_cast<size_t>(t) * t), b(static_cast<size_t>(t) * t);
    for (int n = 0; n < t; ++n) {
        for (int m = 0; m < t; ++m) {
            const double base = scaled(m, n);
            const Vec3d va{1.0, scaled(m + 1, n + 1) - base, -1.0};
            const Vec3d vb{0.0, scaled(m, n + 1) - base, -1.0};
            const Vec3d vc{1.0, scaled(m + 1, n) - base, 0.0};
            Vec3d na = cross(va, vb);
            Vec3d nb = cross(vc, va);
            normalizeInPlace(na);
            normalizeInPlace(nb);
            a[static_cast<size_t>(n) * t + m] = na;
            b[static_cast<size_t>(n) * t + m] = nb;
        }
    }

    // Each sample averages the (up to six) triangles that touch it.
    auto cell = [t](int n, int m) { return static_cast<size_t>(n) * t + m; };
    for (int n = 0; n < size; ++n) {
        for (int m = 0; m < size; ++m) {
            // Pairs are summed first, then added: the order fixes the rounding.
            Vec3d total;
            if (n < t && m < t) addInPlace(total, sum(a[cell(n, m)], b[cell(n, m)]));
            if (m > 0 && n < t) addInPlace(total, b[cell(n, m - 1)]);
            if (n > 0 && m < t) addInPlace(total, a[cell(n - 1, m)]);
            if (n > 0 && m > 0)
                addInPlace(total, sum(a[cell(n - 1, m - 1)], b[cell(n - 1, m - 1)]));
            normalizeInPlace(total);
            normals[static_cast<size_t>(n) * size + m] = total;
        }
    }
}
