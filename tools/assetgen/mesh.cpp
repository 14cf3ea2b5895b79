#include "mesh.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kPi = 3.14159265358979f;
float radians(float degrees) { return degrees * kPi / 180.0f; }
}  // namespace

Point3 operator+(const Point3& a, const Point3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 operator-(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 operator*(float s, const Point3& a) { return {s * a.x, s * a.y, s * a.z}; }
Point3 cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point3 normalized(const Point3& a) {
    const float length = std::sqrt(dot(a, a));
    if (length <= 0.0f) return a;
    return (1.0f / length) * a;
}

// ---------------------------------------------------------------------------
// Mesh

int Mesh::addVertex(const Point3& p, const Point3& n, float u, float v) {
    vertices.push_back({p, n, u, v});
    return static_cast<int>(vertices.size()) - 1;
}

void Mesh::addTriangle(int a, int b, int c) { triangles.push_back({a, b, c}); }

void Mesh::addQuad(int a, int b, int c, int d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void Mesh::addFlatQuad(const Point3& a, const Point3& b, const Point3& c, const Point3& d,
                       Point2 uvA, Point2 uvB, Point2 uvC, Point2 uvD) {
    // The diagonals' cross product gives a sensible normal also for a quad
    // that is slightly out of plane.
    const Point3 n = normalized(cross(c - a, d - b));
    const int ia = addVertex(a, n, uvA.x, uvA.y);
    const int ib = addVertex(b, n, uvB.x, uvB.y);
    const int ic = addVertex(c, n, uvC.x, uvC.y);
    const int id = addVertex(d, n, uvD.x, uvD.y);
    addQuad(ia, ib, ic, id);
}

void Mesh::addFlatTriangle(const Point3& a, const Point3& b, const Point3& c, Point2 uvA,
                           Point2 uvB, Point2 uvC) {
    const Point3 n = normalized(cross(b - a, c - a));
    const int ia = addVertex(a, n, uvA.x, uvA.y);
    const int ib = addVertex(b, n, uvB.x, uvB.y);
    const int ic = addVertex(c, n, uvC.x, uvC.y);
    addTriangle(ia, ib, ic);
}

void Mesh::append(const Mesh& other) {
    const int base = static_cast<int>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const MeshTriangle& t : other.triangles) addTriangle(t.a + base, t.b + base, t.c + base);
}

// ---------------------------------------------------------------------------
// Transform

Transform Transform::translation(float x, float y, float z) {
    Transform r;
    r.t = {x, y, z};
    return r;
}

Transform Transform::scaling(float x, float y, float z) {
    Transform r;
    r.m[0][0] = x;
    r.m[1][1] = y;
    r.m[2][2] = z;
    return r;
}

Transform Transform::rotationX(float degrees) {
    const float c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Transform r;
    r.m[1][1] = c;
    r.m[1][2] = -s;
    r.m[2][1] = s;
    r.m[2][2] = c;
    return r;
}

Transform Transform::rotationY(float degrees) {
    const float c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Transform r;
    r.m[0][0] = c;
    r.m[0][2] = s;
    r.m[2][0] = -s;
    r.m[2][2] = c;
    return r;
}

Transform Transform::rotationZ(float degrees) {
    const float c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
    Transform r;
    r.m[0][0] = c;
    r.m[0][1] = -s;
    r.m[1][0] = s;
    r.m[1][1] = c;
    return r;
}

Transform Transform::axes(const Point3& xAxis, const Point3& yAxis, const Point3& zAxis) {
    Transform r;
    const Point3 columns[3] = {xAxis, yAxis, zAxis};
    for (int c = 0; c < 3; ++c) {
        r.m[0][c] = columns[c].x;
        r.m[1][c] = columns[c].y;
        r.m[2][c] = columns[c].z;
    }
    return r;
}

Transform Transform::operator*(const Transform& first) const {
    Transform r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 3; ++k) sum += m[i][k] * first.m[k][j];
            r.m[i][j] = sum;
        }
    r.t = apply(first.t);
    return r;
}

Point3 Transform::apply(const Point3& p) const {
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + t.x,
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + t.y,
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + t.z};
}

float Transform::determinant() const {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

void transform(Mesh& mesh, const Transform& tr) {
    // Normals turn with the cofactor matrix (the inverse transpose times the
    // determinant); a negative determinant flips them back outwards.
    float cof[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            cof[i][j] = tr.m[i1][j1] * tr.m[i2][j2] - tr.m[i1][j2] * tr.m[i2][j1];
        }
    const float det = tr.determinant();
    const float sign = det < 0.0f ? -1.0f : 1.0f;
    for (MeshVertex& v : mesh.vertices) {
        v.position = tr.apply(v.position);
        const Point3 n = v.normal;
        v.normal = normalized(sign * Point3{cof[0][0] * n.x + cof[0][1] * n.y + cof[0][2] * n.z,
                                            cof[1][0] * n.x + cof[1][1] * n.y + cof[1][2] * n.z,
                                            cof[2][0] * n.x + cof[2][1] * n.y + cof[2][2] * n.z});
    }
    if (det < 0.0f)
        for (MeshTriangle& t : mesh.triangles) std::swap(t.b, t.c);
}

Mesh transformed(const Mesh& mesh, const Transform& tr) {
    Mesh copy = mesh;
    transform(copy, tr);
    return copy;
}

// ---------------------------------------------------------------------------
// Solids

Mesh makeTaperedBox(float y0, float y1, float bx0, float bx1, float bz0, float bz1, float tx0,
                    float tx1, float tz0, float tz1) {
    const Point3 b00{bx0, y0, bz0}, b10{bx1, y0, bz0}, b11{bx1, y0, bz1}, b01{bx0, y0, bz1};
    const Point3 t00{tx0, y1, tz0}, t10{tx1, y1, tz0}, t11{tx1, y1, tz1}, t01{tx0, y1, tz1};
    Mesh m;
    m.addFlatQuad(b00, b10, b11, b01);  // bottom
    m.addFlatQuad(t00, t01, t11, t10);  // top
    m.addFlatQuad(b01, b11, t11, t01);  // +z
    m.addFlatQuad(b10, b00, t00, t10);  // -z
    m.addFlatQuad(b11, b10, t10, t11);  // +x
    m.addFlatQuad(b00, b01, t01, t00);  // -x
    return m;
}

Mesh makeBox(const Point3& min, const Point3& max) {
    return makeTaperedBox(min.y, max.y, min.x, max.x, min.z, max.z, min.x, max.x, min.z, max.z);
}

Mesh makeCylinder(float radiusBottom, float radiusTop, float y0, float y1, int segments,
                  bool caps) {
    Mesh m;
    const float height = y1 - y0;
    const float slope = height != 0.0f ? (radiusBottom - radiusTop) / height : 0.0f;
    // Side: one column more than segments so the seam gets its own texture u.
    for (int i = 0; i <= segments; ++i) {
        const float a = 2.0f * kPi * static_cast<float>(i % segments) / segments;
        const float s = std::sin(a), c = std::cos(a);
        const Point3 n = normalized({s, slope, c});
        const float u = static_cast<float>(i) / segments;
        m.addVertex({radiusBottom * s, y0, radiusBottom * c}, n, u, 0.0f);
        m.addVertex({radiusTop * s, y1, radiusTop * c}, n, u, 1.0f);
    }
    for (int i = 0; i < segments; ++i) {
        const int b0 = 2 * i, t0 = 2 * i + 1, b1 = 2 * i + 2, t1 = 2 * i + 3;
        if (radiusTop == 0.0f)
            m.addTriangle(b0, b1, t0);
        else if (radiusBottom == 0.0f)
            m.addTriangle(b0, t1, t0);
        else
            m.addQuad(b0, b1, t1, t0);
    }
    if (!caps) return m;
    auto addCap = [&](float radius, float y, bool up) {
        if (radius == 0.0f) return;
        const Point3 n{0.0f, up ? 1.0f : -1.0f, 0.0f};
        const int centre = m.addVertex({0.0f, y, 0.0f}, n, 0.5f, 0.5f);
        const int first = static_cast<int>(m.vertices.size());
        for (int i = 0; i < segments; ++i) {
            const float a = 2.0f * kPi * static_cast<float>(i) / segments;
            const float s = std::sin(a), c = std::cos(a);
            m.addVertex({radius * s, y, radius * c}, n, 0.5f + 0.5f * s, 0.5f + 0.5f * c);
        }
        for (int i = 0; i < segments; ++i) {
            const int p = first + i, q = first + (i + 1) % segments;
            if (up)
                m.addTriangle(centre, p, q);
            else
                m.addTriangle(centre, q, p);
        }
    };
    addCap(radiusBottom, y0, false);
    addCap(radiusTop, y1, true);
    return m;
}

Mesh makeSphere(float rx, float ry, float rz, int slices, int stacks) {
    Mesh m;
    for (int j = 0; j <= stacks; ++j) {
        const float phi = kPi * static_cast<float>(j) / stacks;
        for (int i = 0; i <= slices; ++i) {
            const float theta = 2.0f * kPi * static_cast<float>(i % slices) / slices;
            const float sx = std::sin(phi) * std::sin(theta), sy = std::cos(phi),
                        sz = std::sin(phi) * std::cos(theta);
            const Point3 p{rx * sx, ry * sy, rz * sz};
            const Point3 n = normalized({sx / rx, sy / ry, sz / rz});
            m.addVertex(p, n, static_cast<float>(i) / slices,
                        1.0f - static_cast<float>(j) / stacks);
        }
    }
    const int row = slices + 1;
    for (int j = 0; j < stacks; ++j)
        for (int i = 0; i < slices; ++i) {
            const int a = j * row + i, b = (j + 1) * row + i, c = b + 1, d = a + 1;
            if (j != stacks - 1) m.addTriangle(a, b, c);
            if (j != 0) m.addTriangle(a, c, d);
        }
    return m;
}

namespace {
float signedArea(const std::vector<Point2>& poly) {
    float area = 0.0f;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Point2& p = poly[i];
        const Point2& q = poly[(i + 1) % poly.size()];
        area += p.x * q.y - q.x * p.y;
    }
    return 0.5f * area;
}

float turn(const Point2& a, const Point2& b, const Point2& c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool insideTriangle(const Point2& p, const Point2& a, const Point2& b, const Point2& c) {
    return turn(a, b, p) >= 0.0f && turn(b, c, p) >= 0.0f && turn(c, a, p) >= 0.0f;
}

// Ear clipping of a counter-clockwise simple polygon; returns index triples.
std::vector<int> triangulate(const std::vector<Point2>& poly) {
    std::vector<int> remaining(poly.size());
    for (size_t i = 0; i < poly.size(); ++i) remaining[i] = static_cast<int>(i);
    std::vector<int> out;
    while (remaining.size() > 3) {
        const size_t n = remaining.size();
        bool clipped = false;
        for (size_t i = 0; i < n && !clipped; ++i) {
            const int ia = remaining[(i + n - 1) % n], ib = remaining[i],
                      ic = remaining[(i + 1) % n];
            if (turn(poly[ia], poly[ib], poly[ic]) <= 0.0f) continue;
            bool blocked = false;
            for (int other : remaining) {
                if (other == ia || other == ib || other == ic) continue;
                if (insideTriangle(poly[other], poly[ia], poly[ib], poly[ic])) {
                    blocked = true;
                    break;
                }
            }
            if (blocked) continue;
            out.insert(out.end(), {ia, ib, ic});
            remaining.erase(remaining.begin() + static_cast<long>(i));
            clipped = true;
        }
        // A degenerate outline has no ear left; close it with a fan.
        if (!clipped) break;
    }
    for (size_t i = 1; i + 1 < remaining.size(); ++i)
        out.insert(out.end(), {remaining[0], remaining[i], remaining[i + 1]});
    return out;
}
}  // namespace

Mesh makePrism(const std::vector<Point2>& outlineIn, float z0, float z1) {
    std::vector<Point2> outline = outlineIn;
    if (signedArea(outline) < 0.0f) std::reverse(outline.begin(), outline.end());
    if (z1 < z0) std::swap(z0, z1);
    Mesh m;
    const size_t n = outline.size();
    if (n < 3) return m;
    Point2 lo = outline[0], hi = outline[0];
    for (const Point2& p : outline) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    const float spanX = std::max(hi.x - lo.x, 1e-6f), spanY = std::max(hi.y - lo.y, 1e-6f);
    const std::vector<int> tris = triangulate(outline);
    for (int side = 0; side < 2; ++side) {
        const float z = side == 0 ? z1 : z0;
        const Point3 n3{0.0f, 0.0f, side == 0 ? 1.0f : -1.0f};
        const int base = static_cast<int>(m.vertices.size());
        for (const Point2& p : outline)
            m.addVertex({p.x, p.y, z}, n3, (p.x - lo.x) / spanX, (p.y - lo.y) / spanY);
        for (size_t t = 0; t + 2 < tris.size(); t += 3) {
            if (side == 0)
                m.addTriangle(base + tris[t], base + tris[t + 1], base + tris[t + 2]);
            else
                m.addTriangle(base + tris[t], base + tris[t + 2], base + tris[t + 1]);
        }
    }
    float along = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        const Point2& p = outline[i];
        const Point2& q = outline[(i + 1) % n];
        const float length = std::hypot(q.x - p.x, q.y - p.y);
        const float u0 = along / (spanX + spanY), u1 = (along + length) / (spanX + spanY);
        along += length;
        m.addFlatQuad({p.x, p.y, z0}, {q.x, q.y, z0}, {q.x, q.y, z1}, {p.x, p.y, z1}, {u0, 0},
                      {u1, 0}, {u1, 1}, {u0, 1});
    }
    return m;
}

Mesh makeWedge(float x0, float x1, float y0, float y1, float zLow, float zHigh) {
    return makeProfileX({{zLow, y0}, {zHigh, y0}, {zHigh, y1}}, x0, x1);
}

Mesh makeProfileX(const std::vector<Point2>& zy, float x0, float x1) {
    // Local x is world z, local z is world -x (a quarter turn about y).
    Mesh m = makePrism(zy, -x1, -x0);
    transform(m, Transform::rotationY(-90.0f));
    return m;
}

Mesh moved(const Mesh& mesh, float dx, float dy, float dz) {
    return transformed(mesh, Transform::translation(dx, dy, dz));
}

Mesh alongZ(const Mesh& mesh, float dx, float dy, float dz) {
    return transformed(mesh, Transform::translation(dx, dy, dz) * Transform::rotationX(90.0f));
}

Mesh alongX(const Mesh& mesh, float dx, float dy, float dz) {
    return transformed(mesh, Transform::translation(dx, dy, dz) * Transform::rotationZ(-90.0f));
}

Mesh faceted(const Mesh& mesh) {
    Mesh out;
    for (const MeshTriangle& t : mesh.triangles) {
        const MeshVertex& a = mesh.vertices[t.a];
        const MeshVertex& b = mesh.vertices[t.b];
        const MeshVertex& c = mesh.vertices[t.c];
        out.addFlatTriangle(a.position, b.position, c.position, {a.u, a.v}, {b.u, b.v}, {c.u, c.v});
    }
    return out;
}

void projectTexCoords(Mesh& mesh, const Point3& uAxis, const Point3& vAxis, float size) {
    for (MeshVertex& v : mesh.vertices) {
        v.u = dot(v.position, uAxis) / size;
        v.v = dot(v.position, vAxis) / size;
    }
}

void meshBounds(const Mesh& mesh, Point3& min, Point3& max) {
    min = max = Point3{};
    if (mesh.vertices.empty()) return;
    min = max = mesh.vertices[0].position;
    for (const MeshVertex& v : mesh.vertices) {
        min = {std::min(min.x, v.position.x), std::min(min.y, v.position.y),
               std::min(min.z, v.position.z)};
        max = {std::max(max.x, v.position.x), std::max(max.y, v.position.y),
               std::max(max.z, v.position.z)};
    }
}

int Model::addMaterial(const std::string& name, Rgb colour, const std::string& texture) {
    materials.push_back({name, colour, texture});
    return static_cast<int>(materials.size()) - 1;
}

void Model::addObject(const std::string& name, const Mesh& mesh, int material) {
    objects.push_back({name, mesh, material});
}
