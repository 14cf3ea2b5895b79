#pragma once
// Small painting toolkit for the generated pictures: float colours, blending,
// a private deterministic random source, tileable value noise and
// anti-aliased shapes.
#include <cstdint>
#include <functional>
#include <vector>

#include "image.h"

// A colour with channels on the 0..255 scale, kept in floats while mixing.
struct Colour {
    float r = 0, g = 0, b = 0;
};

float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);
Colour mixColour(Colour a, Colour b, float t);
Colour scaleColour(Colour c, float k);
Colour addColour(Colour a, Colour b);
Rgb toRgb(Colour c);  // rounded and clamped to 0..255
Colour toColour(Rgb c);
// Blends colour over the pixel by alpha (0..1); pixels off the picture are ignored.
void blendPixel(Image& image, int x, int y, Colour colour, float alpha);

// Fixed-seed linear congruential generator owned by the asset tool, so the
// pictures come out byte-identical on every run whatever else uses random numbers.
class PictureRandom {
public:
    explicit PictureRandom(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next();
    float uniform();                     // 0 <= v < 1
    float range(float low, float high);  // low <= v < high

private:
    std::uint32_t state_;
};

// Smooth value noise on an integer lattice. With a period, the lattice wraps
// every `period` cells so a picture sampled over whole periods tiles.
class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed, int period = 0) : seed_(seed), period_(period) {}
    float at(float x, float y) const;  // 0..1
    // Sum of `octaves` layers, each twice the frequency and `gain` times the
    // amplitude of the last, normalised to 0..1.
    float fractal(float x, float y, int octaves, float gain = 0.5f) const;

private:
    float lattice(int ix, int iy, int octave) const;
    float layer(float x, float y, int octave) const;
    std::uint32_t seed_;
    int period_;
};

// Coverage of one pixel by a shape given as an inside test on continuous
// coordinates (pixel (x, y) spans x..x+1, y..y+1), 4 x 4 supersampled.
float pixelCoverage(int px, int py, const std::function<bool(float, float)>& inside);
// Paints the shape in colour over the pixels of the box [x0, x1) x [y0, y1).
void fillShape(Image& image, int x0, int y0, int x1, int y1,
               const std::function<bool(float, float)>& inside, Colour colour, float alpha = 1.0f);

struct Point {
    float x = 0, y = 0;
};
bool insidePolygon(const std::vector<Point>& polygon, float x, float y);
void fillPolygon(Image& image, const std::vector<Point>& polygon, Colour colour,
                 float alpha = 1.0f);
// Distance from (x, y) to the segment a-b.
float segmentDistance(float x, float y, Point a, Point b);
// A line of the given width with round ends, edges smoothed over one pixel.
void strokeLine(Image& image, Point a, Point b, float width, Colour colour, float alpha = 1.0f);
// A disc whose edge fades out over `softness` pixels.
void softDisc(Image& image, float cx, float cy, float radius, float softness, Colour colour,
              float alpha = 1.0f);
// Fills the picture with a vertical gradient through the given stops
// (positions 0 at the top row to 1 at the bottom row, ascending).
struct GradientStop {
    float position;
    Colour colour;
};
Colour gradientAt(const std::vector<GradientStop>& stops, float position);
void fillVerticalGradient(Image& image, const std::vector<GradientStop>& stops);

// A coverage field (0..1 per pixel) placed at an offset in a picture: used
// to build text outlines, shadows and glows.
struct Coverage {
    int x = 0, y = 0;  // where its top-left pixel lands in the picture
    int width = 0, height = 0;
    std::vector<float> values;
    float at(int cx, int cy) const {
        return cx < 0 || cy < 0 || cx >= width || cy >= height
                   ? 0.0f
                   : values[static_cast<size_t>(cy) * width + cx];
    }
};
// Box blur with the given radius, run three times (close to a Gaussian).
Coverage blurred(const Coverage& source, int radius);
// Each value becomes the largest within `radius` pixels (a round brush).
Coverage dilated(const Coverage& source, int radius);
// Paints colour(x, y) over the picture by coverage times alpha.
void paintCoverage(Image& image, const Coverage& coverage,
                   const std::function<Colour(int, int)>& colour, float alpha = 1.0f);
