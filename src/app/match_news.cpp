#include "app/match_news.h"

#include <utility>

#include "game/game_state.h"
#include "game/match_tick.h"

namespace {
MatchCommand gathered;
}  // namespace

void noteActionStep(const PlayerActions& record) {
    const PlayerActions step = gameShareOf(record);
    if (stepMatters(step)) gathered.steps.push_back(step);
}

void notePickName(int name) { gathered.pickName = name; }

void noteSceneryGrounded() { gathered.sceneryGrounded = true; }

MatchCommand takeCommand(int clock) {
    MatchCommand command = std::move(gathered);
    gathered = MatchCommand{};
    command.clock = clock;
    command.alreadyApplied = true;
    if (world) command.tiles = std::exchange(world->news, {});
    return command;
}

void playOneTick() {
    MatchCommand command = takeCommand(static_cast<int>(now));
    tickMatch(theMatch, command);
}

void forgetNews() {
    gathered = MatchCommand{};
    if (world) world->news.clear();
}
