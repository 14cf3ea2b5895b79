// Writes the small hand-made seed files of the reader fuzz targets: one file
// per picture form and per reader quirk, so a short regression run starts
// from every branch the readers have. The generated game files join them
// at run time (fuzz/regress.sh).
//
//   write_seeds OUTPUT_DIR   -> OUTPUT_DIR/fuzz_bmp, fuzz_obj, fuzz_3ds, fuzz_settings
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "replay/replay_format.h"
#include "support/asset_bytes.h"

namespace {

bool writeSeed(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "write_seeds: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

Bytes textBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Blue, green, red and white palette entries.
Bytes fourColours() { return {255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0}; }

bool writeBmpSeeds(const std::string& dir) {
    bool ok = true;
    auto bmp = [&](const char* name, BmpSpec spec) {
        ok = writeSeed(dir + "/" + name, makeBmp(spec)) && ok;
    };
    bmp("pal1_9x1.bmp", {9, 1, 1, 0, 0, {}, {0, 0, 0, 0, 0, 0, 255, 0}, {0xA5, 0x80, 0, 0}});
    bmp("pal4_3x1.bmp", {3, 1, 4, 0, 4, {}, fourColours(), {0x01, 0x20, 0, 0}});
    bmp("pal8_2x2.bmp", {2, 2, 8, 0, 4, {}, fourColours(), {0, 1, 0, 0, 2, 3, 0, 0}});
    bmp("rgb16_2x1.bmp", {2, 1, 16, 0, 0, {}, {}, {0x00, 0x7C, 0x1F, 0x00}});
    bmp("rgb565_2x1.bmp", {2,
                           1,
                           16,
                           3,
                           0,
                           {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0},
                           {},
                           {0x00, 0xF8, 0x1F, 0x00}});
    bmp("rgb24_3x2.bmp", {3, 2, 24, 0, 0, {}, {}, Bytes(24, 0x80)});
    bmp("rgb32_2x1.bmp", {2, 1, 32, 0, 0, {}, {}, {0, 0, 255, 0, 255, 0, 0, 0}});
    bmp("topdown_1x2.bmp", {1, -2, 24, 0, 0, {}, {}, {0, 0, 255, 0, 255, 0, 0, 0}});
    // Run-length forms: a run, an absolute run, end of line, end of picture.
    bmp("rle8_4x2.bmp",
        {4, 2, 8, 1, 4, {}, fourColours(), {4, 1, 0, 0, 0, 3, 0, 1, 2, 0, 1, 3, 0, 1}});
    bmp("rle4_4x2.bmp",
        {4, 2, 4, 2, 4, {}, fourColours(), {4, 0x12, 0, 0, 0, 2, 0, 0x30, 0, 0, 2, 1, 0, 1}});
    // The 12-byte info header with its 3-byte colour table.
    Bytes core = {'B', 'M'};
    putU32(core, 14 + 12 + 6 + 4);
    putU32(core, 0);
    putU32(core, 14 + 12 + 6);
    putU32(core, 12);
    putU16(core, 2);
    putU16(core, 1);
    putU16(core, 1);
    putU16(core, 8);
    append(core, {0, 0, 255, 0, 255, 0, 0, 1, 0, 0});
    return writeSeed(dir + "/core12_2x1.bmp", core) && ok;
}

bool writeObjSeeds(const std::string& dir) {
    const std::pair<const char*, const char*> seeds[] = {
        {"cube.obj",
         "# a quad and a triangle\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvn 0 0 1\nvt 0 0\nvt 1 0\n"
         "vt 1 1\nf 1/1/1 2/2/1 3/3/1 4/1/1\nf 1//1 2//1 3//1\nf 1/1 2/2 3/3\n"},
        {"crlf.obj", "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\ng Facets_8\r\nf -3 -2 -1\r\n"},
        {"fan.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv -1 1 0\nf 1 2 3 4 5\nf 0x1 02 3\n"},
        {"flip.obj",
         "v -2 0 0\nv 3 1 0\nv 0 2 5\ng Facets_8\nf 1 2 3\ng other\nf 3 2 1\ns 1\nusemtl x\n"
         "o thing\n"},
        {"long.obj",
         "v 1111111111111111111111111111111111111111111111111111111111111111111111111111111111111"
         "111111111111111 2 3\nv 1 2 3\nv 4 5 6\nf 1 2 3\n"},
    };
    bool ok = true;
    for (const auto& [name, text] : seeds) ok = writeSeed(dir + "/" + name, textBytes(text)) && ok;
    return ok;
}

bool write3dsSeeds(const std::string& dir) {
    // A flat square of two triangles with a textured material.
    const Bytes square = file3ds(
        {material3ds("sand", 200, 150, 90, "desert.bmp"),
         object3ds("square", {vertexList3ds({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}),
                              faceList3ds({0, 1, 2, 0, 2, 3}, {materialGroup3ds("sand")})})});
    // A triangle naming a vertex past its list, and a group naming no material.
    const Bytes triangle =
        file3ds({object3ds("tri", {vertexList3ds({0, 0, 0, 1, 0, 0, 0, 1, 0}),
                                   faceList3ds({0, 1, 3}, {materialGroup3ds("missing")})})});
    return writeSeed(dir + "/square.3ds", square) && writeSeed(dir + "/tri_v4.3ds", triangle);
}

bool writeSettingsSeeds(const std::string& dir) {
    const std::string full =
        "# comment\n[controls]\nmouse_sensitivity = 2.5 ; inline\ninvert_aim = yes\n"
        "keys_by_position = on\nkey_forward = up\nkey_screenshot = f12\n"
        "[sound]\nvolume = 40\nmuted = 1\n[display]\nfullscreen = false\n"
        "keep_pace = no\nrender_scale = 0.5\n[gamepad]\nbutton_fire_shell = a\n"
        "stick_sensitivity = 2\nrumble = off\n[other]\nx : y\n";
    const std::string damaged =
        "\xEF\xBB\xBF[controls\nmouse_sensitivity = nan\nbroken\n  continued\n"
        "[sound]\r\nvolume = 100.5\r\nvolume = -1\n[display]\nrender_scale = 0.6\n"
        "[gamepad]\nbutton_pause = trigger\nbutton_fly = a\n";
    // Lines on both sides of the longest the reader takes, comments too, and
    // a key that needs quotes; then lone carriage returns.
    std::string lengths = "[sound]\nmuted = yes\n";
    for (std::size_t n : {197, 198, 199, 200, 201, 400})
        lengths += "#" + std::string(n - 1, 'c') + "\nvolume = 5" + std::string(n - 10, ' ') +
                   "\n  " + std::string(n - 2, '0') + "\n";
    lengths += "[controls]\nkey_embers = \";\"\nkey_mute = ;\n";
    const std::string mac = "[controls]\rkey_mute = m\r[sound]\rvolume = 40 ; quiet\r";
    return writeSeed(dir + "/full.ini", textBytes(full)) &&
           writeSeed(dir + "/damaged.ini", textBytes(damaged)) &&
           writeSeed(dir + "/lengths.ini", textBytes(lengths)) &&
           writeSeed(dir + "/mac.ini", textBytes(mac));
}

// Tick records as a fight writes them: every kind of news, a checkpoint,
// and the end.
bool writeReplaySeeds(const std::string& dir) {
    ReplayTick tick;
    tick.command.clock = 1000;
    PlayerActions step;
    step.drive = 1.0f;
    step.aimYaw = -2.5;
    step.shell = 1;
    step.missile = 1;
    tick.command.steps = {step, step};
    tick.command.pickName = 12;
    tick.command.tiles = {{262, true}, {263, false}};
    tick.command.sceneryGrounded = true;
    tick.command.spawnClocks = {1003, 1003, 1004};
    tick.hasCheckpoint = true;
    std::string records;
    ReplayCursor cursor;
    encodeReplayTick(tick, cursor, records);
    tick.hasCheckpoint = false;
    tick.command.tiles.clear();
    for (int i = 0; i < 40; ++i) encodeReplayTick(tick, cursor, records);
    std::string ended = records;
    encodeReplayEnd(ReplayEnd{41, 0, 0, 80, 3}, ended);
    return writeSeed(dir + "/fight.bin", textBytes(records)) &&
           writeSeed(dir + "/ended.bin", textBytes(ended));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_seeds OUTPUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    for (const char* target :
         {"", "/fuzz_bmp", "/fuzz_obj", "/fuzz_3ds", "/fuzz_settings", "/fuzz_replay"})
        mkdir((out + target).c_str(), 0755);
    const bool ok = writeBmpSeeds(out + "/fuzz_bmp") && writeObjSeeds(out + "/fuzz_obj") &&
                    write3dsSeeds(out + "/fuzz_3ds") &&
                    writeSettingsSeeds(out + "/fuzz_settings") &&
                    writeReplaySeeds(out + "/fuzz_replay");
    return ok ? 0 : 1;
}
