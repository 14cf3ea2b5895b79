#include "assets/obj_model.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "platform/message_box.h"

namespace {

// Lines are handled in pieces of at most 79 characters, as read into an
// 80-byte buffer; a longer line becomes several pieces.
constexpr std::size_t kLineBuffer = 80;

// Text-mode reading: a carriage return right before a line feed is not part
// of the line.
std::string withoutCarriageReturns(const char* text, std::size_t size) {
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == '\r' && i + 1 < size && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    return out;
}

// Calls handle(line) for every piece, each a zero-terminated copy in its own
// buffer (a zero byte inside a piece ends it, as for any C string).
template <typename Handler>
void forEachPiece(const std::string& text, Handler handle) {
    char buffer[kLineBuffer];
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t n = 0;
        while (n < kLineBuffer - 1 && pos < text.size()) {
            const char c = text[pos++];
            buffer[n++] = c;
            if (c == '\n') break;
        }
        buffer[n] = '\0';
        handle(buffer);
    }
}

// The line from character `index` on, or its end when it is shorter.
const char* restOfLine(const char* line, std::size_t index) {
    const std::size_t length = std::strlen(line);
    return line + (index < length ? index : length);
}

// One corner as given in the file; 0 marks a part the corner does not give.
struct RawCorner {
    int vertex = 0;
    int texCoord = 0;
    int normal = 0;
};

// Reads the corners of a face line, trying the four forms in order and
// staying with the form that fitted for the rest of the line.
std::vector<RawCorner> readCorners(const char* line) {
    std::vector<RawCorner> corners;
    const char* corner = restOfLine(line, 2);
    int form = 0;
    for (;;) {
        RawCorner c;
        bool fitted = false;
        while (!fitted && form < 4) {
            int a = 0, b = 0, d = 0;
            switch (form) {
                case 0:
                    fitted = std::sscanf(corner, "%i/%i/%i", &a, &b, &d) == 3;
                    c = {a, b, d};
                    break;
                case 1:
                    fitted = std::sscanf(corner, "%i//%i", &a, &b) == 2;
                    c = {a, 0, b};
                    break;
                case 2:
                    fitted = std::sscanf(corner, "%i/%i", &a, &b) == 2;
                    c = {a, b, 0};
                    break;
                default:
                    fitted = std::sscanf(corner, "%i", &a) == 1;
                    c = {a, 0, 0};
                    break;
            }
            if (!fitted) ++form;
        }
        if (!fitted) break;
        corners.push_back(c);
        const char* space = std::strchr(corner, ' ');
        if (!space) break;
        corner = space + 1;
    }
    return corners;
}

// Zero-based slot of a file index: positive counts from 1, negative counts
// back from the last entry read so far. -1 when it names nothing.
std::int32_t resolveIndex(int fileIndex, std::int64_t readSoFar) {
    std::int64_t slot = -1;
    if (fileIndex > 0) slot = std::int64_t(fileIndex) - 1;
    if (fileIndex < 0) slot = readSoFar + fileIndex;
    return slot < 0 ? -1 : std::int32_t(slot);
}

bool slotsWithin(const std::int32_t (&slots)[4], std::int64_t count) {
    for (int i = 0; i < 3; ++i) {
        if (slots[i] < 0 || slots[i] >= count) return false;
    }
    return true;
}

// The same model is read many times (every menu wreckage piece reads the
// debris files), so a damaged file is reported the first time only.
bool firstReportOf(const char* name) {
    static std::set<std::string> reported;
    return reported.insert(name).second;
}

}  // namespace

bool ObjModel::load(const char* fileName) {
    boundingBox[4] = -3000.0f;
    std::FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        status = FileNotFound;
        return false;
    }
    std::string bytes;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        status = FileNotFound;
        return false;
    }
    return loadFromText(bytes.data(), bytes.size(), fileName);
}

bool ObjModel::loadFromText(const char* data, std::size_t size, const char* name) {
    boundingBox[4] = -3000.0f;
    const std::string text = withoutCarriageReturns(data, size);

    // First pass: count the lines of each kind.
    vertexCount = normalCount = texCoordCount = faceCount = 0;
    forEachPiece(text, [&](const char* line) {
        if (std::strlen(line) < 3) return;
        if (line[0] == 'v' && line[1] == ' ') ++vertexCount;
        if (line[0] == 'v' && line[1] == 'n') ++normalCount;
        if (line[0] == 'v' && line[1] == 't') ++texCoordCount;
        if (line[0] == 'f' && line[1] == ' ') ++faceCount;
    });

    vertices.assign(std::size_t(vertexCount) * 3, 0.0f);
    normals.assign(std::size_t(normalCount) * 3, 0.0f);
    texCoords.assign(std::size_t(texCoordCount) * 3, 0.0f);
    triangles.clear();
    triangles.reserve(std::size_t(faceCount) * 2);

    // Second pass: parse. Lines beyond the first pass's counts (possible only
    // for odd short lines) are counted but not stored.
    std::int64_t verticesRead = 0, normalsRead = 0, texCoordsRead = 0;
    bool flip = false;
    bool dropped = false;
    forEachPiece(text, [&](const char* line) {
        char keyword[3] = {line[0], '\0', '\0'};
        if (line[0] != '\0' && line[1] != ' ') keyword[1] = line[1];

        if (std::strcmp(keyword, "v") == 0) {
            const std::int64_t index = verticesRead++;
            if (index >= vertexCount) return;
            float* v = &vertices[std::size_t(index) * 3];
            std::sscanf(restOfLine(line, 2), "%f%f%f", &v[0], &v[1], &v[2]);
            for (int axis = 0; axis < 3; ++axis) {
                float& maximum = boundingBox[axis * 2];
                float& minimum = boundingBox[axis * 2 + 1];
                if (index == 0) {
                    maximum = minimum = v[axis];
                } else {
                    if (v[axis] > maximum) maximum = v[axis];
                    if (v[axis] < minimum) minimum = v[axis];
                }
            }
        } else if (std::strcmp(keyword, "vn") == 0) {
            const std::int64_t index = normalsRead++;
            if (index >= normalCount) return;
            float* n = &normals[std::size_t(index) * 3];
            std::sscanf(restOfLine(line, 3), "%f%f%f", &n[0], &n[1], &n[2]);
        } else if (std::strcmp(keyword, "vt") == 0) {
            const std::int64_t index = texCoordsRead++;
            if (index >= texCoordCount) return;
            float* t = &texCoords[std::size_t(index) * 3];
            std::sscanf(restOfLine(line, 3), "%f%f", &t[0], &t[1]);
        } else if (std::strcmp(keyword, "f") == 0) {
            const std::vector<RawCorner> corners = readCorners(line);
            // Slots of every corner; corners the line does not give stay 0.
            const std::size_t n = corners.size() < 3 ? 3 : corners.size();
            std::vector<std::int32_t> v(n, 0), t(n, 0), nn(n, 0);
            for (std::size_t i = 0; i < corners.size(); ++i) {
                v[i] = resolveIndex(corners[i].vertex, verticesRead);
                if (corners[i].normal != 0) nn[i] = resolveIndex(corners[i].normal, normalsRead);
                if (corners[i].texCoord != 0) {
                    t[i] = resolveIndex(corners[i].texCoord, texCoordsRead);
                }
                if (v[i] < 0 || nn[i] < 0 || t[i] < 0) {
                    dropped = true;
                    return;
                }
            }
            // A triangle from corners 0, 1, 2; four corners add (0, 2, 3); more
            // corners continue the fan so the polygon is drawn whole.
            auto emit = [&](std::size_t a, std::size_t b, std::size_t c, std::size_t d,
                            bool hasFourth) {
                ObjTriangle tri;
                const std::size_t order[3] = {flip ? b : a, flip ? a : b, c};
                for (int k = 0; k < 3; ++k) {
                    tri.vertexIndex[k] = v[order[k]];
                    tri.normalIndex[k] = nn[order[k]];
                    tri.texCoordIndex[k] = t[order[k]];
                }
                if (hasFourth) {
                    tri.vertexIndex[3] = v[d];
                    tri.normalIndex[3] = nn[d];
                    tri.texCoordIndex[3] = t[d];
                }
                triangles.push_back(tri);
            };
            emit(0, 1, 2, 3, n >= 4);
            for (std::size_t i = 2; i + 1 < n; ++i) emit(0, i, i + 1, 0, false);
        } else if (std::strcmp(keyword, "g") == 0) {
            flip = std::strcmp(restOfLine(line, 2), "Facets_8\n") == 0;
        }
    });

    // Faces naming entries the file does not have are dropped, so drawing
    // never reads past the lists.
    const std::int64_t vertexLimit = std::min<std::int64_t>(verticesRead, vertexCount);
    const std::int64_t normalLimit = std::min<std::int64_t>(normalsRead, normalCount);
    const std::int64_t texCoordLimit = std::min<std::int64_t>(texCoordsRead, texCoordCount);
    std::size_t kept = 0;
    for (const ObjTriangle& tri : triangles) {
        const bool valid = slotsWithin(tri.vertexIndex, vertexLimit) &&
                           (normalCount == 0 || slotsWithin(tri.normalIndex, normalLimit)) &&
                           (texCoordCount == 0 || slotsWithin(tri.texCoordIndex, texCoordLimit));
        if (valid) {
            triangles[kept++] = tri;
        } else {
            dropped = true;
        }
    }
    triangles.resize(kept);
    faceCount = std::int32_t(kept);
    if (dropped && firstReportOf(name)) {
        showMessageBoxf("Error", "Damaged OBJ file %s: some faces were dropped.", name);
    }

    if (verticesRead != vertexCount || normalsRead != normalCount ||
        texCoordsRead != texCoordCount) {
        status = CountMismatch;
        return false;
    }

    // Every bound moves away from 0 by a tenth of its own size.
    for (int i = 0; i < 6; i += 2) {
        const float sMax = boundingBox[i] > 0.0f ? 0.1f : -0.1f;
        const float sMin = boundingBox[i + 1] > 0.0f ? 0.1f : -0.1f;
        boundingBox[i] = boundingBox[i] * (1.0f + sMax);
        boundingBox[i + 1] = boundingBox[i + 1] * (1.0f - sMin);
    }
    return true;
}

void ObjModel::draw() const {
    if (status != Ok) return;
    const bool hasTexCoords = !texCoords.empty();
    const bool hasNormals = !normals.empty();
    const std::size_t count = std::min<std::size_t>(triangles.size(), std::size_t(faceCount));
    for (std::size_t i = 0; i < count; ++i) {
        const ObjTriangle& tri = triangles[i];
        glBegin(GL_POLYGON);
        for (int k = 0; k < 3; ++k) {
            if (hasTexCoords) glTexCoord3fv(&texCoords[std::size_t(tri.texCoordIndex[k]) * 3]);
            if (hasNormals) glNormal3fv(&normals[std::size_t(tri.normalIndex[k]) * 3]);
            glVertex3fv(&vertices[std::size_t(tri.vertexIndex[k]) * 3]);
        }
        glEnd();
    }
}
