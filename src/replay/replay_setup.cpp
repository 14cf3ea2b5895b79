#include "replay/replay_setup.h"

#include <memory>

#include "game/camera.h"
#include "game/game_state.h"
#include "game/level_layout.h"
#include "game/match_clock.h"
#include "platform/random.h"

void setUpRecordedMatch(const ReplayHeader& header, bool drawn) {
    world = std::make_unique<World>(header.viewRange, header.worldSeed,
                                    drawn ? World::Drawn::Yes : World::Drawn::No);
    world->followsNews = true;
    replayMatchClockReads(&header.setupClocks);
    populateLevel(drawn ? TankModels::Load : TankModels::None);
    keepMatchClockReads(nullptr);
    updateCamera();
    rng::srand(header.randomState);
    theMatch.randomState = header.randomState;
}
