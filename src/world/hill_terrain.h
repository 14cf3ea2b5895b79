#pragma once
// Height fields made of random paraboloid hills, normalised to 0..1, with
// smooth per-vertex normals. Generated on the terrain builder thread.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct HillParams {
    std::uint16_t size = 128;
    float hillMin = 0.0f;
    float hillMax = 0.0f;
    float heightScale = 0.0f;
    std::uint16_t numHills = 0;
    std::uint16_t flattening = 1;
    bool island = false;
    int seed = 0;
};

class CHillTerrain {
public:
    struct ErrorOutOfMemory {};

    std::uint16_t size = 0;
    float hillMin = 0.0f;
    float hillMax = 0.0f;
    float heightScale = 0.0f;
    std::uint16_t numHills = 0;
    std::uint16_t flattening = 1;
    bool island = false;
    int seed = 0;
    std::vector<float> heights;  // sample (m, n) at n * size + m
    std::vector<Vec3d> normals;

    // Copies the parameters and allocates the field; throws ErrorOutOfMemory.
    explicit CHillTerrain(HillParams params);

    void generate();
    Vec3d normalAt(int m, int n) const { return normals[static_cast<std::size_t>(n) * size + m]; }
    float heightAt(int m, int n) const { return heights[static_cast<std::size_t>(n) * size + m]; }

    // The steps of generate, public for tests.
    void clear();
    void addHill();
    void normalize();
    void flatten();
    void computeNormals();
};
