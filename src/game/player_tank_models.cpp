#include <GL/gl.h>

#include <initializer_list>

#include "game/player_tank.h"

namespace {

// The model files, plain set first; the order fixes the part numbers below.
const char* const kPartFiles[PlayerTank::kPartCount] = {
    "obj/RX/CannonIn.obj",          "obj/RX/CannonOut.obj",         "obj/RX/GunBarrel.obj",
    "obj/RX/GunBase.obj",           "obj/RX/Main.obj",              "obj/RX/tb11.obj",
    "obj/RX/Top_Silver.obj",        "obj/RX/Track.obj",             "obj/RX/Track1.obj",
    "obj/RX/Track2.obj",            "obj/RX/Track3.obj",            "obj/RX/Track4.obj",
    "obj/RX/DETAIL/CanIn.obj",      "obj/RX/DETAIL/CanOut.obj",     "obj/RX/DETAIL/GunBarrel.obj",
    "obj/RX/DETAIL/GunBase_b.obj",  "obj/RX/DETAIL/GunBase_s.obj",  "obj/RX/DETAIL/Main.obj",
    "obj/RX/DETAIL/TopBlue.obj",    "obj/RX/DETAIL/TopSilver.obj",  "obj/RX/DETAIL/track0.obj",
    "obj/RX/DETAIL/track1.obj",     "obj/RX/DETAIL/track2.obj",     "obj/RX/DETAIL/track3.obj",
    "obj/RX/DETAIL/track4.obj",
};

enum Part {
    CannonIn, CannonOut, GunBarrel, GunBase, Main, Tb11, TopSilver, Track,
    DetailCanIn = 12, DetailCanOut, DetailGunBarrel, DetailGunBaseBlue, DetailGunBaseSilver,
    DetailMain, DetailTopBlue, DetailTopSilver, DetailTrack0
};

struct Coloured {
    const float* colour;
    int part;
};

}  // namespace

PlayerTank::PlayerTank() : PlayerTank(NoModels{}) {
    for (int i = 0; i < kPartCount; ++i) parts[i].load(kPartFiles[i]);

    for (unsigned int& list : lists) list = glGenLists(1);

    // Each list sets the colour right before each model; the detailed models
    // lie on their side in the files and are stood up by a quarter turn.
    auto compile = [this](List list, bool detailed, std::initializer_list<Coloured> items) {
        glNewList(lists[list], GL_COMPILE);
        if (detailed) {
            glPushMatrix();
            glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        }
        for (const Coloured& item : items) {
            glColor3fv(item.colour);
            parts[item.part].draw();
        }
        if (detailed) glPopMatrix();
        glEndList();
    };
    // Inside the class the list names hide the part names they share
    // (DetailMain, DetailGunBarrel, DetailTrack0), so parts are qualified.
    const float* silver = trimColour;
    const float* blue = bodyColour;
    compile(PlainCannon, false, {{silver, CannonIn}, {blue, CannonOut}});
    compile(PlainGunBase, false, {{blue, GunBase}});
    compile(PlainGunBarrel, false, {{silver, GunBarrel}});
    compile(PlainMain, false, {{blue, Main}});
    compile(PlainTop, false, {{blue, Tb11}, {silver, TopSilver}});
    compile(PlainTrack, false, {{silver, Track}});
    compile(DetailCannon, true, {{silver, DetailCanIn}, {blue, DetailCanOut}});
    compile(DetailGunBase, true, {{blue, DetailGunBaseBlue}, {silver, DetailGunBaseSilver}});
    compile(DetailGunBarrel, true, {{silver, Part::DetailGunBarrel}});
    compile(DetailMain, true, {{blue, Part::DetailMain}});
    compile(DetailTop, true, {{blue, DetailTopBlue}, {silver, DetailTopSilver}});
    for (int frame = 0; frame < 5; ++frame)
        compile(static_cast<List>(DetailTrack0 + frame), true, {{silver, Part::DetailTrack0 + frame}});
}
