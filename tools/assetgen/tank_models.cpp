// The player's tank as OBJ files. Every part is designed in one frame: world
// units, ground at y = 0, hull centre above the origin, front toward +z. The
// tank draws its hull one unit above the ground, scaled by 0.001 and turned
// half round; the detailed lists add a quarter turn that cancels the hull's,
// the plain lists do not. The two aimed guns are drawn in the hull's frame
// about pivots at (+-0.36, 1.26, -0.02) and use one file for both.
#include <cmath>

#include "model_files.h"
#include "obj_writer.h"
#include "tank_design.h"

namespace {
// Detailed hull files: y up, front toward -z, thousandths, ground at -1000.
Transform detailedHullFrame() {
    Transform t = Transform::axes({-1000, 0, 0}, {0, 1000, 0}, {0, 0, -1000});
    t.t = {0, -1000, 0};
    return t;
}

// Plain hull files: z up, front toward +y, thousandths, ground at z = -1000.
Transform plainHullFrame() {
    Transform t = Transform::axes({-1000, 0, 0}, {0, 0, 1000}, {0, 1000, 0});
    t.t = {0, 0, -1000};
    return t;
}

// Detailed gun files: up is -z, the barrel along +y, pivot at (360, -20, 0).
Transform detailedGunFrame() {
    Transform t = Transform::axes({1000, 0, 0}, {0, 0, -1000}, {0, 1000, 0});
    t.t = {360, -20, 0};
    return t;
}

// Plain gun files (never drawn): z up, barrel along +y, same pivot.
Transform plainGunFrame() {
    Transform t = Transform::axes({-1000, 0, 0}, {0, 0, 1000}, {0, 1000, 0});
    t.t = {360, -20, 0};
    return t;
}

bool store(const std::string& outDir, const std::string& file, const Mesh& design,
           const Transform& frame) {
    return writeObj(outDir + "/" + file, transformed(design, frame), file);
}
}  // namespace

bool writeTankModels(const std::string& outDir) {
    bool ok = true;
    const Transform hull = detailedHullFrame();
    const Transform plain = plainHullFrame();
    const Transform gun = detailedGunFrame();
    const Transform plainGun = plainGunFrame();
    const TankLevel fine = TankLevel::Detailed;
    const TankLevel coarse = TankLevel::Plain;

    ok = store(outDir, "obj/RX/CannonIn.obj", tankCannonInner(coarse), plain) && ok;
    ok = store(outDir, "obj/RX/CannonOut.obj", tankCannonHousing(coarse), plain) && ok;
    ok = store(outDir, "obj/RX/GunBarrel.obj", tankGunBarrel(coarse), plainGun) && ok;
    Mesh plainGunBase = tankGunMount(coarse);
    plainGunBase.append(tankGunMountTrim(coarse));
    ok = store(outDir, "obj/RX/GunBase.obj", plainGunBase, plainGun) && ok;
    ok = store(outDir, "obj/RX/Main.obj", tankHull(coarse), plain) && ok;
    ok = store(outDir, "obj/RX/tb11.obj", tankTop(coarse), plain) && ok;
    ok = store(outDir, "obj/RX/Top_Silver.obj", tankTopTrim(coarse), plain) && ok;
    ok = store(outDir, "obj/RX/Track.obj", tankTrack(coarse, 0), plain) && ok;
    for (int phase = 1; phase <= 4; ++phase)
        ok = store(outDir, "obj/RX/Track" + std::to_string(phase) + ".obj",
                   tankTrack(coarse, phase), plain) &&
             ok;

    ok = store(outDir, "obj/RX/DETAIL/CanIn.obj", tankCannonInner(fine), hull) && ok;
    ok = store(outDir, "obj/RX/DETAIL/CanOut.obj", tankCannonHousing(fine), hull) && ok;
    ok = store(outDir, "obj/RX/DETAIL/GunBarrel.obj", tankGunBarrel(fine), gun) && ok;
    ok = store(outDir, "obj/RX/DETAIL/GunBase_b.obj", tankGunMount(fine), gun) && ok;
    ok = store(outDir, "obj/RX/DETAIL/GunBase_s.obj", tankGunMountTrim(fine), gun) && ok;
    ok = store(outDir, "obj/RX/DETAIL/Main.obj", tankHull(fine), hull) && ok;
    ok = store(outDir, "obj/RX/DETAIL/TopBlue.obj", tankTop(fine), hull) && ok;
    ok = store(outDir, "obj/RX/DETAIL/TopSilver.obj", tankTopTrim(fine), hull) && ok;
    for (int phase = 0; phase <= 4; ++phase)
        ok = store(outDir, "obj/RX/DETAIL/track" + std::to_string(phase) + ".obj",
                   tankTrack(fine, phase), hull) &&
             ok;
    return ok;
}
