#pragma once
// A small triangle-mesh library for building the game's models from simple
// solids. Every builder works in a right-handed frame with y up and winds
// triangles counter-clockwise seen from outside, so normals computed from the
// winding point outwards. Vertices that share an index are smoothed by the
// game's 3DS reader; flat faces therefore get vertices of their own.
#include <string>
#include <vector>

#include "image.h"

struct Point3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

Point3 operator+(const Point3& a, const Point3& b);
Point3 operator-(const Point3& a, const Point3& b);
Point3 operator*(float s, const Point3& a);
Point3 cross(const Point3& a, const Point3& b);
float dot(const Point3& a, const Point3& b);
Point3 normalized(const Point3& a);

struct Point2 {
    float x = 0.0f, y = 0.0f;
};

struct MeshVertex {
    Point3 position;
    Point3 normal;
    float u = 0.0f, v = 0.0f;
};

struct MeshTriangle {
    int a = 0, b = 0, c = 0;
};

struct Mesh {
    std::vector<MeshVertex> vertices;
    std::vector<MeshTriangle> triangles;

    int addVertex(const Point3& p, const Point3& n, float u = 0.0f, float v = 0.0f);
    void addTriangle(int a, int b, int c);
    // Two triangles a-b-c and a-c-d.
    void addQuad(int a, int b, int c, int d);
    // A flat quad with its own four vertices; the normal comes from the winding.
    void addFlatQuad(const Point3& a, const Point3& b, const Point3& c, const Point3& d,
                     Point2 uvA = {0, 0}, Point2 uvB = {1, 0}, Point2 uvC = {1, 1},
                     Point2 uvD = {0, 1});
    void addFlatTriangle(const Point3& a, const Point3& b, const Point3& c, Point2 uvA = {0, 0},
                         Point2 uvB = {1, 0}, Point2 uvC = {0, 1});
    // Appends another mesh (its indices shifted).
    void append(const Mesh& other);
    bool empty() const { return triangles.empty(); }
};

// 3x4 affine transform: p' = m * p + t.
struct Transform {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Point3 t;

    static Transform translation(float x, float y, float z);
    static Transform scaling(float x, float y, float z);
    static Transform rotationX(float degrees);
    static Transform rotationY(float degrees);
    static Transform rotationZ(float degrees);
    // A general linear map given by the images of the x, y and z axes.
    static Transform axes(const Point3& xAxis, const Point3& yAxis, const Point3& zAxis);

    // this applied after `first`.
    Transform operator*(const Transform& first) const;
    Point3 apply(const Point3& p) const;
    float determinant() const;
};

// Moves positions, turns normals with the inverse transpose (renormalised) and
// reverses the winding when the transform mirrors.
Mesh transformed(const Mesh& mesh, const Transform& transform);
void transform(Mesh& mesh, const Transform& transform);

// Axis-aligned box; each face has its own vertices and texture coordinates 0..1.
Mesh makeBox(const Point3& min, const Point3& max);
// A solid whose bottom rectangle at y0 and top rectangle at y1 may differ:
// bottom x in [bx0, bx1], z in [bz0, bz1]; top x in [tx0, tx1], z in [tz0, tz1].
Mesh makeTaperedBox(float y0, float y1, float bx0, float bx1, float bz0, float bz1, float tx0,
                    float tx1, float tz0, float tz1);
// Cylinder or cone frustum along +y from y0 to y1, centred on the y axis.
// Smooth sides; flat caps unless a radius is 0 or caps is false.
Mesh makeCylinder(float radiusBottom, float radiusTop, float y0, float y1, int segments,
                  bool caps = true);
// UV sphere centred at the origin, squashed per axis by the radii.
Mesh makeSphere(float rx, float ry, float rz, int slices, int stacks);
// Extrudes a simple polygon given in the x-y plane (counter-clockwise seen
// from +z) along z from z0 to z1. Flat sides and caps.
Mesh makePrism(const std::vector<Point2>& outline, float z0, float z1);
// Wedge: a prism of a right triangle, ramp rising from (x0..x1, y0, zLow) to
// height y1 at zHigh. Useful for sloped armour.
Mesh makeWedge(float x0, float x1, float y0, float y1, float zLow, float zHigh);
// Extrudes a side profile given in the (z, y) plane along x from x0 to x1:
// hull sides, glacis plates and other shapes seen from the side.
Mesh makeProfileX(const std::vector<Point2>& zy, float x0, float x1);
// Shortcuts for placing a solid: the mesh translated, or turned so that its
// y axis lies along z (alongZ) or x (alongX), then translated.
Mesh moved(const Mesh& mesh, float dx, float dy, float dz);
Mesh alongZ(const Mesh& mesh, float dx = 0, float dy = 0, float dz = 0);
Mesh alongX(const Mesh& mesh, float dx = 0, float dy = 0, float dz = 0);
// The same surface with every triangle given vertices of its own, so that
// each face is shaded flat (used for jagged wreckage and faceted armour).
Mesh faceted(const Mesh& mesh);

// Texture coordinates from a planar projection: u along `uAxis`, v along
// `vAxis`, each scaled so that one unit of texture spans `size` world units.
void projectTexCoords(Mesh& mesh, const Point3& uAxis, const Point3& vAxis, float size);

// Axis-aligned bounds of all vertices.
void meshBounds(const Mesh& mesh, Point3& min, Point3& max);

struct MeshMaterial {
    std::string name;
    Rgb colour;
    std::string textureFile;  // empty when the material only has a colour
};

struct ModelObject {
    std::string name;
    Mesh mesh;
    int material = 0;  // index into the model's materials
};

// A model with named objects and materials, as a 3DS file holds it.
struct Model {
    std::vector<MeshMaterial> materials;
    std::vector<ModelObject> objects;

    int addMaterial(const std::string& name, Rgb colour, const std::string& texture = "");
    void addObject(const std::string& name, const Mesh& mesh, int material);
};
