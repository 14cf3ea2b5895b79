#include "obj_writer.h"

#include <cstdio>
#include <vector>

namespace {
// Six significant digits, "C" number format: the same bytes on every run.
void appendLine(std::string& out, const char* format, double a, double b, double c) {
    char line[96];
    std::snprintf(line, sizeof line, format, a, b, c);
    out += line;
}
}  // namespace

std::string objText(const Mesh& mesh, const std::string& title, float normalLength) {
    std::string out = "# " + title + "\n";
    out += "# " + std::to_string(mesh.vertices.size()) + " vertices, " +
           std::to_string(mesh.triangles.size()) + " triangles\n";
    for (const MeshVertex& v : mesh.vertices)
        appendLine(out, "v %.6g %.6g %.6g\n", v.position.x, v.position.y, v.position.z);
    for (const MeshVertex& v : mesh.vertices) appendLine(out, "vt %.5g %.5g\n", v.u, v.v, 0.0);
    for (const MeshVertex& v : mesh.vertices)
        appendLine(out, "vn %.5g %.5g %.5g\n", normalLength * v.normal.x, normalLength * v.normal.y,
                   normalLength * v.normal.z);
    // The reader's "%i" reads a leading 0 as octal; indices start at 1 and
    // std::to_string never pads, so they are always plain decimal.
    for (const MeshTriangle& t : mesh.triangles) {
        const std::string a = std::to_string(t.a + 1), b = std::to_string(t.b + 1),
                          c = std::to_string(t.c + 1);
        out += "f " + a + "/" + a + "/" + a + " " + b + "/" + b + "/" + b + " " + c + "/" + c +
               "/" + c + "\n";
    }
    return out;
}

bool writeObj(const std::string& path, const Mesh& mesh, const std::string& title,
              float normalLength) {
    const std::string text = objText(mesh, title, normalLength);
    return writeFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}
