// Feeds arbitrary tick records to the replay reader, framed as a block of a
// well-formed file (the block's checksum would stop almost every mutation
// before the records are read), then plays what it read on a match set up
// without a window: a hostile file must neither crash the reader nor hang
// or crash the game.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "game/match_tick.h"
#include "platform/console.h"
#include "platform/message_box.h"
#include "replay/replay_format.h"
#include "replay/replay_setup.h"
#include "replay/replay_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setMessageSink([](const char*, const std::string&) {});
    static std::ostringstream quiet;
    quiet.str("");
    setConsoleStream(&quiet);
    ReplayHeader header;
    header.gameVersion = gameVersion();
    header.worldSeed = 8888;
    const std::string bytes =
        encodeReplayHeader(header) +
        packReplayBlock(std::string(reinterpret_cast<const char*>(data), size));
    ReplayFile file;
    std::string error;
    if (!readReplay(bytes, file, error)) __builtin_trap();  // the header is sound
    resetGameState();
    setUpRecordedMatch(file.header, false);
    std::size_t ticks = 0;
    for (ReplayTick& tick : file.ticks) {
        if (++ticks > 64) break;
        tickMatch(theMatch, tick.command);
    }
    return 0;
}
