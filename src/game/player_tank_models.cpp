#include <GL/gl.h>

#include <initializer_list>

#include "assets/asset_names.h"
#include "game/player_tank.h"

namespace {

enum Part {
    CannonIn,
    CannonOut,
    GunBarrel,
    GunBase,
    Main,
    Tb11,
    TopSilver,
    Track,
    DetailCanIn = 12,
    DetailCanOut,
    DetailGunBarrel,
    DetailGunBaseBlue,
    DetailGunBaseSilver,
    DetailMain,
    DetailTopBlue,
    DetailTopSilver,
    DetailTrack0
};

struct Coloured {
    const float* colour;
    int part;
};

}  // namespace

PlayerTank::PlayerTank() : PlayerTank(NoModels{}) {
    for (int i = 0; i < kPartCount; ++i) parts[i].load(assetnames::kTankPartModels[i]);

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
        compile(static_cast<List>(DetailTrack0 + frame), true,
                {{silver, Part::DetailTrack0 + frame}});
}
