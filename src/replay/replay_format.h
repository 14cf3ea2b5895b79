#pragma once
// A recorded fight: what the level set-up drew, then the command of every
// tick, with a checksum of the match now and then, and an end marker.
//
// The file, all numbers little-endian:
//   magic "BRKREPLY", u16 format version, the game version (u8 length and
//   its characters), then the set-up: u16 view range, u32 world seed, the
//   clock values the enemies were placed from (a count and the values), u32
//   random state at the start of play, u32 checksum of the match then, u32
//   start time (seconds since 1970).
//   Then blocks of about 32 ticks: u32 length unpacked, u32 length packed,
//   u32 CRC-32 of the packed bytes, and the bytes packed with zlib. Each
//   block is whole on its own, so a file cut short loses only its last
//   block. Unpacked, a block is a run of tick records, the last one with a
//   checksum:
//     u8 flags (1 steps, 2 pick, 4 tiles, 8 scenery grounded, 16 clock
//     values, 32 checksum, 128 end of the fight), the game clock as a
//     signed step from the tick before, then what the flags say: the steps
//     (count; each a u8 of what it holds: 1 drive and turn as two floats,
//     2 aim as two doubles, 4 presses as four u8: shells, missiles, embers,
//     slow motion), the pick's name (u8), the tile news (count; each
//     tile * 2 + 1 when ready), the clock values (count; each a signed step
//     from the game clock), and after the tick a checksum (u32) with what it
//     sums up (tick, hurt, killed, fired, hit, the tank's x and z).
//   The end record holds the number of ticks and the four counters.
// Numbers of variable size are LEB128 (signed ones zigzag-coded first).
#include <cstdint>
#include <string>
#include <vector>

#include "game/match_command.h"

constexpr char kReplayMagic[8] = {'B', 'R', 'K', 'R', 'E', 'P', 'L', 'Y'};
constexpr std::uint16_t kReplayFormatVersion = 1;
constexpr int kTicksPerReplayBlock = 32;

struct ReplayHeader {
    std::uint16_t formatVersion = kReplayFormatVersion;
    std::string gameVersion;
    std::uint16_t viewRange = 1;
    std::uint32_t worldSeed = 0;
    std::vector<int> setupClocks;
    std::uint32_t randomState = 1;
    std::uint32_t startChecksum = 0;
    std::uint32_t startTime = 0;
};

// What a checksum sums up, to say what differs when it does not match.
struct ReplayCheckpoint {
    std::uint32_t tick = 0;
    std::uint32_t checksum = 0;
    std::int32_t hurt = 0, killed = 0, fired = 0, hit = 0;
    float tankX = 0.0f, tankZ = 0.0f;
};

struct ReplayTick {
    MatchCommand command;
    bool hasCheckpoint = false;
    ReplayCheckpoint checkpoint;  // the match after this tick
};

struct ReplayEnd {
    std::uint32_t ticks = 0;
    std::int32_t hurt = 0, killed = 0, fired = 0, hit = 0;
};

// What each tick record is written against: the clock of the tick before
// and the held drive and turn last written (steps that keep them leave
// them out).
struct ReplayCursor {
    int clock = 0;
    float drive = 0.0f, turn = 0.0f;
};

std::string encodeReplayHeader(const ReplayHeader& header);
// Appends the unpacked bytes of one tick and moves the cursor on.
void encodeReplayTick(const ReplayTick& tick, ReplayCursor& cursor, std::string& out);
void encodeReplayEnd(const ReplayEnd& end, std::string& out);
// A block of unpacked tick records, packed and framed for the file.
std::string packReplayBlock(const std::string& records);

// A whole file read back. A damaged or cut file reads up to the last whole
// block before the damage, and says where and why it stops.
struct ReplayFile {
    ReplayHeader header;
    std::vector<ReplayTick> ticks;
    bool ended = false;  // the end marker was read
    ReplayEnd end;
    std::string problem;  // why reading stopped early, "" when it did not
};

// False (with `error`) when the header cannot be used: not a replay, another
// format or game version, or cut short.
bool readReplayHeader(const std::string& bytes, ReplayHeader& header, std::size_t& used,
                      std::string& error);
// Reads a whole file's bytes; false when not even the header is usable.
bool readReplay(const std::string& bytes, ReplayFile& file, std::string& error);
