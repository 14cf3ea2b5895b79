#include <GL/gl.h>

#include "assets/asset_names.h"
#include "assets/model_drawing.h"
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
    bool silver;  // trim colour, else body colour
    int part;
};

// What each list holds: up to two models, each after its colour.
struct ListContent {
    bool detailed;
    int count;
    Coloured items[2];
};

constexpr ListContent kListContents[PlayerTank::ListCount] = {
    {false, 2, {{true, CannonIn}, {false, CannonOut}}},                    // PlainCannon
    {false, 1, {{false, GunBase}}},                                        // PlainGunBase
    {false, 1, {{true, GunBarrel}}},                                       // PlainGunBarrel
    {false, 1, {{false, Main}}},                                           // PlainMain
    {false, 2, {{false, Tb11}, {true, TopSilver}}},                        // PlainTop
    {false, 1, {{true, Track}}},                                           // PlainTrack
    {true, 2, {{true, DetailCanIn}, {false, DetailCanOut}}},               // DetailCannon
    {true, 2, {{false, DetailGunBaseBlue}, {true, DetailGunBaseSilver}}},  // DetailGunBase
    {true, 1, {{true, DetailGunBarrel}}},                                  // DetailGunBarrel
    {true, 1, {{false, DetailMain}}},                                      // DetailMain
    {true, 2, {{false, DetailTopBlue}, {true, DetailTopSilver}}},          // DetailTop
    {true, 1, {{true, DetailTrack0}}},                                     // DetailTrack0..4
    {true, 1, {{true, DetailTrack0 + 1}}},
    {true, 1, {{true, DetailTrack0 + 2}}},
    {true, 1, {{true, DetailTrack0 + 3}}},
    {true, 1, {{true, DetailTrack0 + 4}}},
};

}  // namespace

PlayerTank::PlayerTank() : PlayerTank(NoModels{}) {
    for (int i = 0; i < kPartCount; ++i) parts[i].load(assetnames::kTankPartModels[i]);
    for (unsigned int& list : lists) list = glGenLists(1);
    for (int list = 0; list < ListCount; ++list) {
        glNewList(lists[list], GL_COMPILE);
        emitList(static_cast<List>(list));
        glEndList();
    }
}

// Each list sets the colour right before each model; the detailed models lie
// on their side in the files and are stood up by a quarter turn.
void PlayerTank::emitList(List list) const {
    const ListContent& content = kListContents[list];
    if (content.detailed) {
        glPushMatrix();
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    }
    for (int i = 0; i < content.count; ++i) {
        glColor3fv(content.items[i].silver ? trimColour : bodyColour);
        parts[content.items[i].part].draw();
    }
    if (content.detailed) glPopMatrix();
}

void PlayerTank::drawList(List list) const {
    if (lists[list] == 0) return;  // a tank without models
    if (drawModelsImmediately)
        emitList(list);
    else
        glCallList(lists[list]);
}
