// Costs of the model readers: reading and compiling a 3DS and an OBJ model of
// about 10 000 triangles, and how the 3DS normal computation grows with the
// number of faces. The compiling benchmarks need an X display.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/model_3ds.h"
#include "assets/obj_model.h"
#include "assets/reader_3ds.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void putU16(Bytes& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void putU32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
void putF32(Bytes& b, float f) {
    std::uint32_t v;
    __builtin_memcpy(&v, &f, 4);
    putU32(b, v);
}
Bytes chunk(std::uint16_t id, const Bytes& body) {
    Bytes out;
    putU16(out, id);
    putU32(out, std::uint32_t(body.size() + 6));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A wavy grid of side x side vertices: 2 (side-1)^2 triangles.
Bytes gridModel3ds(int side) {
    Bytes vertices;
    putU16(vertices, std::uint32_t(side * side));
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            putF32(vertices, float(i));
            putF32(vertices, float(j));
            putF32(vertices, float((i * 7 + j * 3) % 5) * 0.1f);
        }
    }
    Bytes faces;
    putU16(faces, std::uint32_t(2 * (side - 1) * (side - 1)));
    for (int j = 0; j + 1 < side; ++j) {
        for (int i = 0; i + 1 < side; ++i) {
            const std::uint32_t a = j * side + i, b = a + 1, c = a + side, d = c + 1;
            for (std::uint32_t v : {a, b, d, 0u, a, d, c, 0u}) putU16(faces, v);
        }
    }
    Bytes mesh = chunk(0x4110, vertices);
    const Bytes faceChunk = chunk(0x4120, faces);
    mesh.insert(mesh.end(), faceChunk.begin(), faceChunk.end());
    Bytes object = {'G', 'r', 'i', 'd', 0};
    const Bytes triMesh = chunk(0x4100, mesh);
    object.insert(object.end(), triMesh.begin(), triMesh.end());
    Bytes meshData = chunk(0x3D3E, {3, 0, 0, 0});
    const Bytes objectChunk = chunk(0x4000, object);
    meshData.insert(meshData.end(), objectChunk.begin(), objectChunk.end());
    return chunk(0x4D4D, chunk(0x3D3D, meshData));
}

std::string gridModelObj(int side) {
    std::string text;
    char line[96];
    for (int j = 0; j < side; ++j) {
        for (int i = 0; i < side; ++i) {
            std::snprintf(line, sizeof line, "v %d %d %.1f\n", i, j, ((i * 7 + j * 3) % 5) * 0.1);
            text += line;
        }
    }
    text += "vn 0 0 1\n";
    for (int j = 0; j + 1 < side; ++j) {
        for (int i = 0; i + 1 < side; ++i) {
            const int a = j * side + i + 1, b = a + 1, c = a + side, d = c + 1;
            std::snprintf(line, sizeof line, "f %d//1 %d//1 %d//1 %d//1\n", a, b, d, c);
            text += line;
        }
    }
    return text;
}

std::string writeFile(const std::string& name, const void* data, std::size_t size) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return name;
}

constexpr int kSide = 72;  // 2 * 71 * 71 = 10 082 triangles

void BM_Read3ds(benchmark::State& state) {
    const Bytes file = gridModel3ds(kSide);
    for (auto _ : state) {
        SceneData3DS scene;
        Reader3DS reader;
        reader.readFromMemory(scene, file.data(), file.size(), "grid.3ds");
        benchmark::DoNotOptimize(scene.objects.data());
    }
    state.counters["triangles"] = 2 * (kSide - 1) * (kSide - 1);
}
BENCHMARK(BM_Read3ds)->Unit(benchmark::kMillisecond);

void BM_ReadObj(benchmark::State& state) {
    const std::string text = gridModelObj(kSide);
    for (auto _ : state) {
        ObjModel model;
        model.loadFromText(text.data(), text.size(), "grid.obj");
        benchmark::DoNotOptimize(model.triangles.data());
    }
    state.counters["triangles"] = 2 * (kSide - 1) * (kSide - 1);
}
BENCHMARK(BM_ReadObj)->Unit(benchmark::kMillisecond);

// File read, normals and display-list compilation, as at level set-up.
void BM_LoadAndCompile3ds(benchmark::State& state) {
    const Bytes file = gridModel3ds(kSide);
    const std::string path = writeFile("bench_grid.3ds", file.data(), file.size());
    for (auto _ : state) {
        Model3DS model;
        model.load(path.c_str());
        glFinish();
    }
    std::remove(path.c_str());
}

void BM_LoadAndCompileObj(benchmark::State& state) {
    const std::string text = gridModelObj(kSide);
    const std::string path = writeFile("bench_grid.obj", text.data(), text.size());
    for (auto _ : state) {
        ObjModel model;
        model.load(path.c_str());
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        model.draw();
        glEndList();
        glFinish();
        glDeleteLists(list, 1);
    }
    std::remove(path.c_str());
}

// Normal computation alone, as the face count grows.
void BM_VertexNormals(benchmark::State& state) {
    const int side = int(state.range(0));
    SceneData3DS scene;
    Reader3DS reader;
    const Bytes file = gridModel3ds(side);
    reader.readFromMemory(scene, file.data(), file.size(), "grid.3ds");
    Object3DS& object = scene.objects[0];
    for (auto _ : state) {
        computeVertexNormals(object);
        benchmark::DoNotOptimize(object.normals.data());
    }
    state.SetComplexityN(object.faceCount);
}
BENCHMARK(BM_VertexNormals)
    ->Arg(16)
    ->Arg(32)
    ->Arg(64)
    ->Arg(128)
    ->Arg(181)  // about 65 000 triangles, close to the 16-bit limit
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) {
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
        glutInitWindowSize(64, 64);
        glutCreateWindow("readers bench");
        benchmark::RegisterBenchmark("BM_LoadAndCompile3ds", BM_LoadAndCompile3ds)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_LoadAndCompileObj", BM_LoadAndCompileObj)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
