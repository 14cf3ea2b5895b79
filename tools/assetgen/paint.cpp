#include "paint.h"

#include <algorithm>
#include <cmath>

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

float smoothstep(float edge0, float edge1, float v) {
    const float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Colour mixColour(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaleColour(Colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }

Colour addColour(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

static std::uint8_t toByte(float v) {
    if (!(v > 0.0f)) return 0;  // also catches NaN
    if (v >= 255.0f) return 255;
    return static_cast<std::uint8_t>(std::lround(v));
}

Rgb toRgb(Colour c) { return {toByte(c.r), toByte(c.g), toByte(c.b)}; }

Colour toColour(Rgb c) { return {float(c.r), float(c.g), float(c.b)}; }

void blendPixel(Image& image, int x, int y, Colour colour, float alpha) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height || alpha <= 0.0f) return;
    Rgb& p = image.at(x, y);
    p = toRgb(mixColour(toColour(p), colour, std::min(alpha, 1.0f)));
}

std::uint32_t PictureRandom::next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
}

float PictureRandom::uniform() { return (next() >> 8) * (1.0f / 16777216.0f); }

float PictureRandom::range(float low, float high) { return low + (high - low) * uniform(); }

// Integer hash of a lattice point; stands in for a table of random values.
static std::uint32_t hashPoint(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float ValueNoise::lattice(int ix, int iy, int octave) const {
    if (period_ > 0) {
        const int p = period_ << octave;
        ix = ((ix % p) + p) % p;
        iy = ((iy % p) + p) % p;
    }
    return (hashPoint(ix, iy, seed_ + static_cast<std::uint32_t>(octave) * 7919u) >> 8) *
           (1.0f / 16777215.0f);
}

float ValueNoise::layer(float x, float y, int octave) const {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    const float a = lattice(ix, iy, octave), b = lattice(ix + 1, iy, octave);
    const float c = lattice(ix, iy + 1, octave), d = lattice(ix + 1, iy + 1, octave);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float ValueNoise::at(float x, float y) const { return layer(x, y, 0); }

float ValueNoise::fractal(float x, float y, int octaves, float gain) const {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f, scale = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * layer(x * scale, y * scale, o);
        total += amplitude;
        amplitude *= gain;
        scale *= 2.0f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float pixelCoverage(int px, int py, const std::function<bool(float, float)>& inside) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (inside(px + (sx + 0.5f) * 0.25f, py + (sy + 0.5f) * 0.25f)) ++hits;
    return hits / 16.0f;
}

void fillShape(Image& image, int x0, int y0, int x1, int y1,
               const std::function<bool(float, float)>& inside, Colour colour, float alpha) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, image.width);
    y1 = std::min(y1, image.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float c = pixelCoverage(x, y, inside);
            if (c > 0.0f) blendPixel(image, x, y, colour, c * alpha);
        }
}

bool insidePolygon(const std::vector<Point>& polygon, float x, float y) {
    bool inside = false;
    const size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

void fillPolygon(Image& image, const std::vector<Point>& polygon, Colour colour, float alpha) {
    if (polygon.size() < 3) return;
    float minX = polygon[0].x, maxX = minX, minY = polygon[0].y, maxY = minY;
    for (const Point& p : polygon) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    fillShape(
        image, static_cast<int>(std::floor(minX)), static_cast<int>(std::floor(minY)),
        static_cast<int>(std::ceil(maxX)) + 1, static_cast<int>(std::ceil(maxY)) + 1,
        [&polygon](float x, float y) { return insidePolygon(polygon, x, y); }, colour, alpha);
}

float segmentDistance(float x, float y, Point a, Point b) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float lengthSq = dx * dx + dy * dy;
    float t = lengthSq > 0.0f ? ((x - a.x) * dx + (y - a.y) * dy) / lengthSq : 0.0f;
    t = clamp01(t);
    const float ex = x - (a.x + t * dx), ey = y - (a.y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

void strokeLine(Image& image, Point a, Point b, float width, Colour colour, float alpha) {
    const float half = width * 0.5f;
    const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - half - 1));
    const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + half + 1));
    const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - half - 1));
    const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + half + 1));
    for (int y = std::max(y0, 0); y < std::min(y1, image.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, image.width); ++x) {
            const float d = segmentDistance(x + 0.5f, y + 0.5f, a, b);
            const float c = clamp01(half + 0.5f - d);
            if (c > 0.0f) blendPixel(image, x, y, colour, c * alpha);
        }
}

void softDisc(Image& image, float cx, float cy, float radius, float softness, Colour colour,
              float alpha) {
    const float reach = radius + softness;
    for (int y = std::max(0, int(cy - reach - 1)); y < std::min(image.height, int(cy + reach + 2));
         ++y)
        for (int x = std::max(0, int(cx - reach - 1));
             x < std::min(image.width, int(cx + reach + 2)); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            const float c =
                softness > 0.0f ? 1.0f - smoothstep(radius, reach, d) : clamp01(radius + 0.5f - d);
            if (c > 0.0f) blendPixel(image, x, y, colour, c * alpha);
        }
}

Colour gradientAt(const std::vector<GradientStop>& stops, float position) {
    if (stops.empty()) return {};
    if (position <= stops.front().position) return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (position <= stops[i].position) {
            const float span = stops[i].position - stops[i - 1].position;
            const float t = span > 0.0f ? (position - stops[i - 1].position) / span : 1.0f;
            return mixColour(stops[i - 1].colour, stops[i].colour, t);
        }
    }
    return stops.back().colour;
}

void fillVerticalGradient(Image& image, const std::vector<GradientStop>& stops) {
    for (int y = 0; y < image.height; ++y) {
        const float position = image.height > 1 ? y / float(image.height - 1) : 0.0f;
        const Rgb c = toRgb(gradientAt(stops, position));
        for (int x = 0; x < image.width; ++x) image.at(x, y) = c;
    }
}

static Coverage boxBlurOnce(const Coverage& in, int radius) {
    Coverage tmp = in, out = in;
    const float scale = 1.0f / (2 * radius + 1);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            float sum = 0.0f;
            for (int k = -radius; k <= radius; ++k) sum += in.at(x + k, y);
            tmp.values[static_cast<size_t>(y) * in.width + x] = sum * scale;
        }
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            float sum = 0.0f;
            for (int k = -radius; k <= radius; ++k) sum += tmp.at(x, y + k);
            out.values[static_cast<size_t>(y) * in.width + x] = sum * scale;
        }
    return out;
}

// Grows the field by `margin` pixels on every side, keeping it in place.
static Coverage padded(const Coverage& source, int margin) {
    Coverage out;
    out.x = source.x - margin;
    out.y = source.y - margin;
    out.width = source.width + 2 * margin;
    out.height = source.height + 2 * margin;
    out.values.assign(static_cast<size_t>(out.width) * out.height, 0.0f);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x)
            out.values[static_cast<size_t>(y + margin) * out.width + x + margin] = source.at(x, y);
    return out;
}

Coverage blurred(const Coverage& source, int radius) {
    Coverage out = padded(source, radius * 3);
    for (int pass = 0; pass < 3 && radius > 0; ++pass) out = boxBlurOnce(out, radius);
    return out;
}

Coverage dilated(const Coverage& source, int radius) {
    const Coverage in = padded(source, radius);
    Coverage out = in;
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            float best = 0.0f;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    // Soft round brush: full inside the radius, fading over its last pixel.
                    const float reach =
                        clamp01(radius + 0.5f - std::sqrt(float(dx * dx + dy * dy)));
                    if (reach > 0.0f) best = std::max(best, in.at(x + dx, y + dy) * reach);
                }
            out.values[static_cast<size_t>(y) * in.width + x] = best;
        }
    return out;
}

void paintCoverage(Image& image, const Coverage& coverage,
                   const std::function<Colour(int, int)>& colour, float alpha) {
    for (int y = 0; y < coverage.height; ++y)
        for (int x = 0; x < coverage.width; ++x) {
            const float c = coverage.at(x, y);
            if (c <= 0.0f) continue;
            const int px = coverage.x + x, py = coverage.y + y;
            if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
            blendPixel(image, px, py, colour(px, py), c * alpha);
        }
}
