#include "replay/replay_format.h"

#include <zlib.h>

#include <cmath>
#include <cstring>

#include "replay/replay_version.h"

namespace {

enum Flags : std::uint8_t {
    kSteps = 1,
    kPick = 2,
    kTiles = 4,
    kScenery = 8,
    kClocks = 16,
    kCheckpoint = 32,
    kEnd = 128,
};
enum StepParts : std::uint8_t { kHeld = 1, kAim = 2, kPresses = 4 };
constexpr double kLargestAim = 1.0e6;  // degrees

// ---- writing

void putU8(std::string& out, std::uint8_t v) { out.push_back(static_cast<char>(v)); }

void putFixed(std::string& out, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) putU8(out, static_cast<std::uint8_t>(v >> (8 * i)));
}

void putUnsigned(std::string& out, std::uint64_t v) {
    while (v >= 0x80) {
        putU8(out, static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    putU8(out, static_cast<std::uint8_t>(v));
}

void putSigned(std::string& out, std::int64_t v) {
    putUnsigned(out, (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
}

void putFloat(std::string& out, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    putFixed(out, bits, 4);
}

void putDouble(std::string& out, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    putFixed(out, bits, 8);
}

std::uint8_t clampPresses(int n) {
    return static_cast<std::uint8_t>(n < 0 ? 0 : (n > 255 ? 255 : n));
}

// ---- reading: every read checks the end and fails softly.

struct Reader {
    const unsigned char* p;
    std::size_t size;
    std::size_t at = 0;
    bool ok = true;

    bool need(std::size_t n) {
        if (!ok || size - at < n) ok = false;
        return ok;
    }
    std::uint64_t fixed(int bytes) {
        if (!need(static_cast<std::size_t>(bytes))) return 0;
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint64_t>(p[at + i]) << (8 * i);
        at += static_cast<std::size_t>(bytes);
        return v;
    }
    std::uint8_t u8() { return static_cast<std::uint8_t>(fixed(1)); }
    std::uint64_t unsignedNumber() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::uint8_t b = u8();
            if (!ok) return 0;
            v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) return v;
        }
        ok = false;
        return 0;
    }
    std::int64_t signedNumber() {
        const std::uint64_t v = unsignedNumber();
        return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1);
    }
    // A count of items of at least `itemBytes` each that must fit what is left.
    std::size_t count(std::size_t itemBytes) {
        const std::uint64_t n = unsignedNumber();
        if (!ok || n > (size - at) / itemBytes) {
            ok = false;
            return 0;
        }
        return static_cast<std::size_t>(n);
    }
    float f32() {
        const auto bits = static_cast<std::uint32_t>(fixed(4));
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    double f64() {
        const std::uint64_t bits = fixed(8);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    int clock(int base) {
        const std::int64_t v = base + signedNumber();
        if (v < INT32_MIN || v > INT32_MAX) ok = false;
        return static_cast<int>(v);
    }
};

bool readTick(Reader& r, ReplayCursor& cursor, ReplayTick& tick, ReplayEnd* end) {
    const std::uint8_t flags = r.u8();
    if (!r.ok) return false;
    if (flags & kEnd) {
        end->ticks = static_cast<std::uint32_t>(r.unsignedNumber());
        end->hurt = static_cast<std::int32_t>(r.signedNumber());
        end->killed = static_cast<std::int32_t>(r.signedNumber());
        end->fired = static_cast<std::int32_t>(r.signedNumber());
        end->hit = static_cast<std::int32_t>(r.signedNumber());
        return r.ok;
    }
    MatchCommand& c = tick.command;
    c.clock = cursor.clock = r.clock(cursor.clock);
    if (flags & kSteps) {
        const std::size_t n = r.count(1);
        for (std::size_t i = 0; i < n && r.ok; ++i) {
            PlayerActions step;
            const std::uint8_t parts = r.u8();
            if (parts & kHeld) {
                cursor.drive = r.f32();
                cursor.turn = r.f32();
                // Held values are levels from -1 to 1.
                if (!(std::fabs(cursor.drive) <= 1.0f && std::fabs(cursor.turn) <= 1.0f))
                    r.ok = false;
            }
            step.drive = cursor.drive;
            step.turn = cursor.turn;
            if (parts & kAim) {
                step.aimYaw = r.f64();
                step.aimPitch = r.f64();
                // No device turns the turret further than this between ticks.
                if (!(std::fabs(step.aimYaw) <= kLargestAim &&
                      std::fabs(step.aimPitch) <= kLargestAim))
                    r.ok = false;
            }
            if (parts & kPresses) {
                step.shell = r.u8();
                step.missile = r.u8();
                step.embers = r.u8();
                step.slowMotion = r.u8();
            }
            c.steps.push_back(step);
        }
    }
    if (flags & kPick) c.pickName = r.u8();
    if (flags & kTiles) {
        const std::size_t n = r.count(1);
        for (std::size_t i = 0; i < n && r.ok; ++i) {
            const std::uint64_t v = r.unsignedNumber();
            c.tiles.push_back({static_cast<std::uint16_t>(v >> 1), (v & 1) != 0});
        }
    }
    if (flags & kScenery) c.sceneryGrounded = true;
    if (flags & kClocks) {
        const std::size_t n = r.count(1);
        for (std::size_t i = 0; i < n && r.ok; ++i) c.spawnClocks.push_back(r.clock(c.clock));
    }
    if (flags & kCheckpoint) {
        tick.hasCheckpoint = true;
        ReplayCheckpoint& k = tick.checkpoint;
        k.tick = static_cast<std::uint32_t>(r.unsignedNumber());
        k.checksum = static_cast<std::uint32_t>(r.fixed(4));
        k.hurt = static_cast<std::int32_t>(r.signedNumber());
        k.killed = static_cast<std::int32_t>(r.signedNumber());
        k.fired = static_cast<std::int32_t>(r.signedNumber());
        k.hit = static_cast<std::int32_t>(r.signedNumber());
        k.tankX = r.f32();
        k.tankZ = r.f32();
    }
    return r.ok;
}

}  // namespace

std::string encodeReplayHeader(const ReplayHeader& h) {
    std::string out(kReplayMagic, sizeof kReplayMagic);
    putFixed(out, h.formatVersion, 2);
    const std::size_t length = h.gameVersion.size() < 255 ? h.gameVersion.size() : 255;
    putU8(out, static_cast<std::uint8_t>(length));
    out.append(h.gameVersion, 0, length);
    putFixed(out, h.viewRange, 2);
    putFixed(out, h.worldSeed, 4);
    putUnsigned(out, h.setupClocks.size());
    for (int clock : h.setupClocks) putSigned(out, clock);
    putFixed(out, h.randomState, 4);
    putFixed(out, h.startChecksum, 4);
    putFixed(out, h.startTime, 4);
    return out;
}

void encodeReplayTick(const ReplayTick& tick, ReplayCursor& cursor, std::string& out) {
    const MatchCommand& c = tick.command;
    std::uint8_t flags = 0;
    if (!c.steps.empty()) flags |= kSteps;
    if (c.pickName >= 0 && c.pickName < 256) flags |= kPick;
    if (!c.tiles.empty()) flags |= kTiles;
    if (c.sceneryGrounded) flags |= kScenery;
    if (!c.spawnClocks.empty()) flags |= kClocks;
    if (tick.hasCheckpoint) flags |= kCheckpoint;
    putU8(out, flags);
    putSigned(out, static_cast<std::int64_t>(c.clock) - cursor.clock);
    cursor.clock = c.clock;
    if (flags & kSteps) {
        putUnsigned(out, c.steps.size());
        for (const PlayerActions& step : c.steps) {
            std::uint8_t parts = 0;
            if (step.drive != cursor.drive || step.turn != cursor.turn) parts |= kHeld;
            if (step.aimYaw != 0.0 || step.aimPitch != 0.0) parts |= kAim;
            if (step.shell || step.missile || step.embers || step.slowMotion) parts |= kPresses;
            putU8(out, parts);
            if (parts & kHeld) {
                putFloat(out, step.drive);
                putFloat(out, step.turn);
                cursor.drive = step.drive;
                cursor.turn = step.turn;
            }
            if (parts & kAim) {
                putDouble(out, step.aimYaw);
                putDouble(out, step.aimPitch);
            }
            if (parts & kPresses) {
                putU8(out, clampPresses(step.shell));
                putU8(out, clampPresses(step.missile));
                putU8(out, clampPresses(step.embers));
                putU8(out, clampPresses(step.slowMotion));
            }
        }
    }
    if (flags & kPick) putU8(out, static_cast<std::uint8_t>(c.pickName));
    if (flags & kTiles) {
        putUnsigned(out, c.tiles.size());
        for (const TileNews& item : c.tiles)
            putUnsigned(out, item.tile * 2u + (item.ready ? 1 : 0));
    }
    if (flags & kClocks) {
        putUnsigned(out, c.spawnClocks.size());
        for (int clock : c.spawnClocks) putSigned(out, static_cast<std::int64_t>(clock) - c.clock);
    }
    if (flags & kCheckpoint) {
        const ReplayCheckpoint& k = tick.checkpoint;
        putUnsigned(out, k.tick);
        putFixed(out, k.checksum, 4);
        putSigned(out, k.hurt);
        putSigned(out, k.killed);
        putSigned(out, k.fired);
        putSigned(out, k.hit);
        putFloat(out, k.tankX);
        putFloat(out, k.tankZ);
    }
}

void encodeReplayEnd(const ReplayEnd& end, std::string& out) {
    putU8(out, kEnd);
    putUnsigned(out, end.ticks);
    putSigned(out, end.hurt);
    putSigned(out, end.killed);
    putSigned(out, end.fired);
    putSigned(out, end.hit);
}

std::string packReplayBlock(const std::string& records) {
    uLongf packedSize = compressBound(static_cast<uLong>(records.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(records.data()), static_cast<uLong>(records.size()),
              Z_BEST_COMPRESSION);
    packed.resize(packedSize);
    std::string out;
    putFixed(out, records.size(), 4);
    putFixed(out, packed.size(), 4);
    putFixed(
        out,
        crc32(0L, reinterpret_cast<const Bytef*>(packed.data()), static_cast<uInt>(packed.size())),
        4);
    return out + packed;
}

bool readReplayHeader(const std::string& bytes, ReplayHeader& h, std::size_t& used,
                      std::string& error) {
    Reader r{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
    if (bytes.size() < sizeof kReplayMagic ||
        std::memcmp(bytes.data(), kReplayMagic, sizeof kReplayMagic) != 0) {
        error = "it is not a Brakkon replay";
        return false;
    }
    r.at = sizeof kReplayMagic;
    h.formatVersion = static_cast<std::uint16_t>(r.fixed(2));
    const std::size_t length = r.u8();
    if (r.need(length)) {
        h.gameVersion.assign(bytes, r.at, length);
        r.at += length;
    }
    if (r.ok && (h.formatVersion != kReplayFormatVersion || h.gameVersion != gameVersion())) {
        error = "it was recorded by Brakkon " + h.gameVersion + " (replay format " +
                std::to_string(h.formatVersion) + "), and this is Brakkon " + gameVersion() +
                " (format " + std::to_string(kReplayFormatVersion) +
                "): a fight plays back only in the version that recorded it";
        return false;
    }
    h.viewRange = static_cast<std::uint16_t>(r.fixed(2));
    h.worldSeed = static_cast<std::uint32_t>(r.fixed(4));
    const std::size_t clocks = r.count(1);
    for (std::size_t i = 0; i < clocks && r.ok; ++i)
        h.setupClocks.push_back(static_cast<int>(r.signedNumber()));
    h.randomState = static_cast<std::uint32_t>(r.fixed(4));
    h.startChecksum = static_cast<std::uint32_t>(r.fixed(4));
    h.startTime = static_cast<std::uint32_t>(r.fixed(4));
    if (!r.ok) {
        error = "its header is cut short";
        return false;
    }
    used = r.at;
    return true;
}

bool readReplay(const std::string& bytes, ReplayFile& file, std::string& error) {
    std::size_t at = 0;
    if (!readReplayHeader(bytes, file.header, at, error)) return false;
    ReplayCursor cursor;
    // No block unpacks to more than this: 32 ticks of a busy fight are a few
    // kilobytes.
    constexpr std::uint32_t kLargestBlock = 1u << 24;
    std::string records;
    while (at < bytes.size() && !file.ended) {
        Reader frame{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), at};
        const auto rawSize = static_cast<std::uint32_t>(frame.fixed(4));
        const auto packedSize = static_cast<std::uint32_t>(frame.fixed(4));
        const auto crc = static_cast<std::uint32_t>(frame.fixed(4));
        if (!frame.ok || !frame.need(packedSize)) {
            file.problem = "it ends in the middle of a block (byte " + std::to_string(at) + ")";
            return true;
        }
        const auto* packed = reinterpret_cast<const Bytef*>(bytes.data() + frame.at);
        if (crc32(0L, packed, packedSize) != crc || rawSize > kLargestBlock) {
            file.problem = "it is damaged at byte " + std::to_string(at);
            return true;
        }
        records.assign(rawSize, '\0');
        uLongf unpacked = rawSize;
        if (uncompress(reinterpret_cast<Bytef*>(records.data()), &unpacked, packed, packedSize) !=
                Z_OK ||
            unpacked != rawSize) {
            file.problem = "it is damaged at byte " + std::to_string(at);
            return true;
        }
        at = frame.at + packedSize;
        // A block counts only when all of it reads.
        Reader r{reinterpret_cast<const unsigned char*>(records.data()), records.size()};
        std::vector<ReplayTick> ticks;
        ReplayCursor next = cursor;
        bool ended = false;
        while (r.at < r.size && r.ok && !ended) {
            ReplayTick tick;
            ReplayEnd end;
            const std::uint8_t flags = r.p[r.at];
            if (!readTick(r, next, tick, &end)) break;
            if (flags & kEnd) {
                ended = true;
                file.end = end;
            } else {
                ticks.push_back(std::move(tick));
            }
        }
        if (!r.ok) {
            file.problem = "a block at byte " + std::to_string(at) + " makes no sense";
            return true;
        }
        cursor = next;
        for (auto& tick : ticks) file.ticks.push_back(std::move(tick));
        file.ended = ended;
    }
    if (!file.ended) file.problem = "it ends before the fight did";
    return true;
}
