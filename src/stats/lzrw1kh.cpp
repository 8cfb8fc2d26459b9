// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/lzrw1kh.h"

#include "stats/lzrw1exception.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace core {

namespace {

const char* const kNoMemory = "LZRW1KH : no memory for HASH table";
const char* const kBadCall = "LZRW1KH : block buffer too small";
const char* const kCutShort = "LZRW1KH : corrupt block, an item is cut short";
const char* const kBadOffset =
    "LZRW1KH : corrupt block, a copy reaches before the start of the chunk";
const char* const kTooBig = "LZRW1KH : corrupt block, the chunk grows past 32768 bytes";

constexpr std::size_t kMaxOffset = 4095;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxRun = 4095;
// The match table holds position + kBias, so an empty slot (0) is a candidate too far back.
constexpr std::size_t kBias = kMaxOffset + 1;

constexpr bool kLittleEndian = std::endian::native == std::endian::little;
constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

inline std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// The run of b at p, known to be at least m long, counted on up to limit.
inline std::size_t runLength(const std::uint8_t* p, std::uint8_t b, std::size_t m,
                             std::size_t limit) {
    if constexpr (kLittleEndian) {
        const std::uint64_t pattern = b * kEveryByte;
        while (limit - m >= 8) {
            if (const std::uint64_t diff = load64(p + m) ^ pattern)
                return m + std::size_t(std::countr_zero(diff)) / 8;
            m += 8;
        }
    }
    while (m < limit && p[m] == b)
        ++m;
    return m;
}

// The table slot of three bytes. Of the product only bits 4 to 15 are kept, and those depend
// only on the low 16 bits of its factors: 16-bit arithmetic gives the same slot.
inline std::uint16_t hash16(std::uint16_t b0, std::uint16_t b1, std::uint16_t b2) {
    return std::uint16_t(std::uint32_t((b0 << 8) ^ (b1 << 4) ^ b2) * 40543u) >> 4;
}

// Writes a run item for m bytes of b at t[y]; returns the new output position.
inline std::size_t putRun(std::uint8_t* t, std::size_t y, std::size_t m, std::uint8_t b) {
    const std::size_t count = m - kMinRun;
    t[y] = 0;
    t[y + 1] = std::uint8_t(count >> 8);
    t[y + 2] = std::uint8_t(count);
    t[y + 3] = b;
    return y + 4;
}

// Writes a copy item (offset d, len bytes) at t[y]; returns the new output position.
inline std::size_t putCopy(std::uint8_t* t, std::size_t y, std::size_t d, std::size_t len) {
    const std::size_t w = (d << 4) + (len - kMinMatch);
    t[y] = std::uint8_t(w >> 8);
    t[y + 1] = std::uint8_t(w);
    return y + 2;
}

// How many of the first limit bytes of a and b agree; eight at a time where the machine
// lets us find the first difference from the low end of a word.
inline std::size_t commonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    std::size_t m = 0;
    if constexpr (kLittleEndian) {
        while (limit - m >= 8) {
            std::uint64_t wa;
            std::uint64_t wb;
            std::memcpy(&wa, a + m, 8);
            std::memcpy(&wb, b + m, 8);
            if (const std::uint64_t diff = wa ^ wb)
                return m + std::size_t(std::countr_zero(diff)) / 8;
            m += 8;
        }
    }
    while (m < limit && a[m] == b[m])
        ++m;
    return m;
}

// Copies 32 bytes, all read before any is written: a copy whose source ends before its
// destination starts needs no more than that, whatever lands past its own length.
inline void copy32(std::uint8_t* to, const std::uint8_t* from) {
    typedef std::uint8_t Piece __attribute__((vector_size(16)));
    Piece a;
    Piece b;
    std::memcpy(&a, from, 16);
    std::memcpy(&b, from + 16, 16);
    std::memcpy(to, &a, 16);
    std::memcpy(to + 16, &b, 16);
}

// Expands the run item at item (already known to be whole) to out[o]; returns the new size.
inline std::size_t expandRun(const std::uint8_t* item, std::uint8_t* out, std::size_t o,
                             std::size_t limit) {
    const std::size_t count = ((std::size_t(item[1]) << 8) | item[2]) + kMinRun;
    if (count > limit - o) throw ELzrw1KHCompressor(kTooBig);
    std::memset(out + o, item[3], count);
    return o + count;
}

// A whole group: sixteen items that all lie in the body with 32 bytes to spare, and whose
// copies cannot reach the chunk's limit. It is taken as literal runs, each followed by a copy:
// the run's length is the count of clear flags before the next set one, and its bytes move in
// one 16-byte piece whatever that count, so the mix of literals and copies costs no branch.
// A run item may bring the chunk near its limit; the caller's careful loop then takes the rest
// of the group.
constexpr std::size_t kExpandGroupBody = 16 * 4 + 32;
constexpr std::size_t kExpandGroupOut = 16 * kMaxMatch + 32;

// Copies 16 bytes, all read before any is written, so the two may overlap.
inline void copy16(std::uint8_t* to, const std::uint8_t* from) {
    typedef std::uint8_t Piece __attribute__((vector_size(16)));
    Piece a;
    std::memcpy(&a, from, 16);
    std::memcpy(to, &a, 16);
}

void expandGroup(const std::uint8_t* s, std::size_t& pos, std::uint8_t* out, std::size_t& o,
                 std::uint32_t& control, unsigned& flags, std::size_t limit) {
    std::size_t p = pos;
    std::size_t q = o;
    std::uint32_t c = (control << 16) | 0x8000; // the flags in the top bits, then a stop bit
    for (;;) {
        const unsigned lits = unsigned(std::countl_zero(c));
        copy16(out + q, s + p);
        q += lits;
        p += lits;
        c <<= lits + 1;
        if (c == 0) break; // that was the stop bit
        const std::size_t w = (std::size_t(s[p]) << 8) | s[p + 1];
        const std::size_t d = w >> 4;
        const std::size_t n = (w & 0x0F) + kMinMatch;
        if (std::int64_t((q - d) | (d - n)) < 0) {
            // A run (d is 0), a corrupt offset (d > q) or a copy overlapping itself (d < n):
            // rare, taken one by one.
            if (d == 0) {
                q = expandRun(s + p, out, q, limit);
                p += 4;
                if (limit - q < kExpandGroupOut) {
                    pos = p;
                    o = q;
                    control = c >> 16;
                    flags = 31 - unsigned(std::countr_zero(c));
                    return;
                }
                continue;
            }
            if (d > q) throw ELzrw1KHCompressor(kBadOffset);
            for (std::size_t i = 0; i < n; ++i)
                out[q + i] = out[q - d + i];
        } else {
            // Sixteen bytes, then the last two of the longest copy, read once the sixteen
            // are written. Reading 18 bytes rather than 32 keeps a source close behind from
            // reaching far into the bytes just past the output, which the over-long stores of
            // the last few items have only just written: a read spanning several stores not
            // yet in the cache waits for all of them. How often this loop waits turns on such
            // details, and even on how the compiler lays it out: 32-byte reads ran at about
            // 1.6 GB/s built with -O3 and 2.5 GB/s with -O2 on the bench corpus. Time any
            // change with bench_codecblocks in both builds.
            copy16(out + q, out + q - d);
            std::memcpy(out + q + 16, out + q - d + 16, 2);
        }
        q += n;
        p += 2;
    }
    pos = p;
    o = q;
    control = 0;
    flags = 0;
}

// Compressing a whole group of sixteen items at once: the input it may look at and the body
// it may write.
constexpr std::size_t kCompressGroupIn = 16 * kMaxMatch + 8;
constexpr std::size_t kCompressGroupBody = 16 * 4;

// The length of a match of at least three bytes whose first eight differ by diff, with at
// least 24 bytes readable from both a and b.
inline std::size_t matchLength(const std::uint8_t* a, const std::uint8_t* b, std::uint64_t diff) {
    if (diff != 0) return std::size_t(std::countr_zero(diff)) / 8;
    const std::uint64_t diff2 = load64(a + 8) ^ load64(b + 8);
    if (diff2 != 0) return 8 + std::size_t(std::countr_zero(diff2)) / 8;
    const unsigned diff3 = unsigned(a[16] ^ b[16]) | unsigned(a[17] ^ b[17]) << 8 | 1u << 16;
    return 16 + std::size_t(std::countr_zero(diff3)) / 8;
}

// Where the compressor stands: input and output positions, the control word and its items.
struct Packer {
    std::size_t x;
    std::size_t y;
    std::uint32_t c;
    unsigned k;
};

// The items of one group, given kCompressGroupIn bytes of input and kCompressGroupBody of body
// ahead; only a run may bring the end of the chunk nearer, and the items after it are then
// left to the caller. The chunk is read from a copy with kBias bytes in front of it, so a slot
// of the table, position + kBias, is at once the candidate's offset in the copy: an empty slot
// reads the padding, and the candidate is made to differ when it lies too far back. Literals
// are found in a tight loop and written together.
[[gnu::noinline]] void compressGroup(const std::uint8_t* padded, std::size_t n, std::uint8_t* t,
                                     const std::uint16_t* hashes, std::uint16_t* table, Packer& p) {
    const std::uint8_t* s = padded + kBias;
    std::size_t x = p.x;
    std::size_t y = p.y;
    std::uint32_t c = p.c;
    unsigned k = p.k;
    std::uint64_t w;
    std::uint64_t diff;
    std::size_t d;
    const std::uint8_t* from;
    // Looks up the candidate for x, whose first eight bytes are w, and files x in its place.
    auto probe = [&] {
        const std::uint32_t h = hashes[x];
        const std::size_t slot = table[h];
        table[h] = std::uint16_t(x + kBias);
        d = x + kBias - slot;
        from = padded + slot;
        diff = (w ^ load64(from)) | std::uint64_t(d > kMaxOffset);
    };
    while (k < 16) {
        const std::size_t start = x;
        const std::size_t end = x + (16 - k);
        bool maybeRun;
        for (;;) {
            w = load64(s + x);
            maybeRun = ((w ^ (w << 8)) >> 8) == 0; // eight bytes the same
            if (maybeRun) break;
            probe();
            if ((diff & 0xFFFFFF) == 0) break;
            if (++x == end) break;
        }
        const std::size_t lits = x - start;
        std::memcpy(t + y, s + start, 16);
        y += lits;
        c <<= lits;
        k += unsigned(lits);
        if (k == 16) break;
        ++k;
        if (maybeRun) {
            const std::uint8_t b = std::uint8_t(w);
            const std::size_t m = runLength(s + x, b, 8, std::min(kMaxRun, n - x));
            if (m >= kMinRun) {
                y = putRun(t, y, m, b);
                x += m;
                c = (c << 1) | 1;
                if (x + kCompressGroupIn > n) break;
                continue;
            }
            probe();
            if ((diff & 0xFFFFFF) != 0) {
                t[y++] = b;
                x += 1;
                c <<= 1;
                continue;
            }
        }
        const std::size_t len = matchLength(s + x, from, diff);
        y = putCopy(t, y, d, len);
        x += len;
        c = (c << 1) | 1;
    }
    p = {x, y, c, k};
}

} // namespace

Lzrw1KHCompressor::Lzrw1KHCompressor() {
    try {
        m_table = std::make_unique<std::uint16_t[]>(kTableSize);
        m_hashes = std::make_unique<std::uint16_t[]>(kChunkSize);
        m_padded = std::make_unique<std::uint8_t[]>(kBias + kChunkSize);
    } catch (const std::bad_alloc&) {
        throw ELzrw1KHCompressor(kNoMemory);
    }
}

std::size_t Lzrw1KHCompressor::CompressBlock(std::span<const std::uint8_t> chunk,
                                             std::span<std::uint8_t> body) {
    const std::size_t n = chunk.size();
    if (n > kChunkSize || body.size() < n + kSlack) throw ELzrw1KHCompressor(kBadCall);
    const std::uint8_t* s = chunk.data();
    std::uint8_t* t = body.data();
    // The table holds position + 4096 in its 16 bits, so an empty slot (0) is simply a
    // candidate too far back, and one comparison tests both.
    std::uint16_t* table = m_table.get();
    std::fill_n(table, kTableSize, std::uint16_t(0));
    // The hash of every position with two bytes after it, in one pass the compiler can do
    // many positions at a time: the item loop then finds it with one load.
    std::uint16_t* hashes = m_hashes.get();
    for (std::size_t i = 0; i + 2 < n; ++i)
        hashes[i] = hash16(s[i], s[i + 1], s[i + 2]);
    std::uint8_t* padded = m_padded.get();
    if (n > 0) std::memcpy(padded + kBias, s, n);

    t[0] = kCompressed;
    std::size_t x = 0;   // input position
    std::size_t y = 3;   // output position
    std::size_t z = 1;   // where the current control word goes
    unsigned k = 0;      // items under the current control word
    std::uint32_t c = 0; // control word; only its low 16 bits are ever stored

    while (x < n && y <= n) {
        if (k > 15) {
            t[z] = std::uint8_t(c >> 8);
            t[z + 1] = std::uint8_t(c);
            z = y;
            k = 0;
            y += 2;
        }
        if (kLittleEndian && k == 0 && x + kCompressGroupIn <= n && y + kCompressGroupBody <= n) {
            // Sixteen items, none of which can reach the end of the chunk or make the body
            // too long to pay, so none needs a look at either.
            Packer p{x, y, c, k};
            compressGroup(padded, n, t, hashes, table, p);
            x = p.x;
            y = p.y;
            c = p.c;
            k = p.k;
            continue;
        }
        if (kLittleEndian && x + 8 <= n) {
            // Eight bytes are left from x on: one load gives the byte and the first look at a
            // run, and the candidate is compared a word at a time without a branch on whether
            // there is one.
            const std::uint64_t w = load64(s + x);
            const std::uint8_t b = std::uint8_t(w);
            const std::uint64_t same = (w ^ (b * kEveryByte)) >> 8; // bytes x+1 .. x+7
            std::size_t m = 1;
            if (same == 0) m = runLength(s + x, b, 8, std::min(kMaxRun, n - x));
            if (m >= kMinRun) {
                y = putRun(t, y, m, b);
                x += m;
                c = (c << 1) | 1;
            } else {
                const std::uint32_t h = hashes[x];
                const std::size_t d = x + kTableSize - table[h];
                table[h] = std::uint16_t(x + kTableSize);
                // A candidate too far back (or none) is compared against the chunk's start and
                // made to differ, as arithmetic rather than a branch that cannot be predicted.
                const std::size_t near = 0 - std::size_t(d <= kMaxOffset); // then also d <= x
                const std::uint8_t* from = s + ((x - d) & near);
                const std::uint64_t diff = (w ^ load64(from)) | (~near & 1);
                if ((diff & 0xFFFFFF) == 0) {
                    std::size_t len = 8;
                    if (diff != 0)
                        len = std::size_t(std::countr_zero(diff)) / 8;
                    else
                        len += commonLength(s + x + 8, from + 8, std::min(kMaxMatch, n - x) - 8);
                    y = putCopy(t, y, d, len);
                    x += len;
                    c = (c << 1) | 1;
                } else {
                    t[y++] = b;
                    x += 1;
                    c <<= 1;
                }
            }
            ++k;
            continue;
        }
        // The last few bytes of the chunk, one at a time.
        const std::uint8_t b = s[x];
        std::size_t m = 1;
        const std::size_t runLimit = std::min(kMaxRun, n - x);
        while (m < runLimit && s[x + m] == b)
            ++m;
        if (m >= kMinRun) {
            y = putRun(t, y, m, b);
            x += m;
            c = (c << 1) | 1;
        } else {
            // Past the end of the chunk the hash sees zeros; that only picks another slot,
            // and no match can start that close to the end anyway.
            const std::uint32_t h = hash16(b, x + 1 < n ? s[x + 1] : std::uint8_t(0),
                                           x + 2 < n ? s[x + 2] : std::uint8_t(0));
            const std::size_t d = x + kTableSize - table[h];
            table[h] = std::uint16_t(x + kTableSize);
            std::size_t len = 0;
            if (d <= kMaxOffset) len = commonLength(s + x, s + x - d, std::min(kMaxMatch, n - x));
            if (len >= kMinMatch) {
                y = putCopy(t, y, d, len);
                x += len;
                c = (c << 1) | 1;
            } else {
                t[y++] = b;
                x += 1;
                c <<= 1;
            }
        }
        ++k;
    }
    c <<= (16 - k);
    t[z] = std::uint8_t(c >> 8);
    t[z + 1] = std::uint8_t(c);

    if (y > n) {
        t[0] = kStored;
        if (n > 0) std::memcpy(t + 1, s, n);
        return n + 1;
    }
    return y;
}

std::size_t Lzrw1KHCompressor::ExpandBlock(std::span<const std::uint8_t> body,
                                           std::span<std::uint8_t> chunk) {
    const std::size_t len = body.size();
    if (len <= 1) return 0;
    if (len > kMaxBody) throw ELzrw1KHCompressor(kTextTooLong);
    const std::uint8_t* s = body.data();
    std::uint8_t* out = chunk.data();
    const std::size_t room = chunk.size();                // what we may touch
    const std::size_t limit = std::min(room, kChunkSize); // what the chunk may hold

    if (s[0] == kStored) {
        const std::size_t n = len - 1;
        if (n > limit) throw ELzrw1KHCompressor(kTooBig);
        std::memcpy(out, s + 1, n);
        return n;
    }
    if (len < 3) throw ELzrw1KHCompressor(kCutShort);

    std::uint32_t control = (std::uint32_t(s[1]) << 8) | s[2]; // flags in bits 15 downwards
    unsigned flags = 16;
    std::size_t pos = 3;
    std::size_t o = 0;
    while (pos < len) {
        if (flags == 0) {
            if (len - pos < 2) throw ELzrw1KHCompressor(kCutShort);
            control = (std::uint32_t(s[pos]) << 8) | s[pos + 1];
            pos += 2;
            flags = 16;
            if (pos >= len) throw ELzrw1KHCompressor(kCutShort);
        }
        if (flags == 16 && len - pos >= kExpandGroupBody && limit - o >= kExpandGroupOut) {
            // All sixteen items of this control word are in the body and cannot fill the chunk.
            expandGroup(s, pos, out, o, control, flags, limit);
            continue;
        }
        if ((control & 0x8000) == 0) {
            // All the literals up to the next copy or run at once; the body simply ends
            // when it runs out of bytes.
            const std::uint16_t rest = std::uint16_t(control);
            std::size_t lits = std::min<std::size_t>(rest ? std::countl_zero(rest) : 16, flags);
            lits = std::min(lits, len - pos);
            if (lits > limit - o) throw ELzrw1KHCompressor(kTooBig);
            if (len - pos >= 16 && room - o >= 16) {
                std::memcpy(out + o, s + pos, 16); // a fixed size copies fastest
            } else {
                std::memcpy(out + o, s + pos, lits);
            }
            o += lits;
            pos += lits;
            control <<= lits;
            flags -= unsigned(lits);
            continue;
        }
        if (len - pos < 2) throw ELzrw1KHCompressor(kCutShort);
        const std::uint8_t b0 = s[pos];
        const std::uint8_t b1 = s[pos + 1];
        if (b0 == 0 && b1 < 16) {
            if (len - pos < 4) throw ELzrw1KHCompressor(kCutShort);
            o = expandRun(s + pos, out, o, limit);
            pos += 4;
        } else {
            const std::size_t d = (std::size_t(b0) << 4) | (b1 >> 4);
            const std::size_t n = (b1 & 0x0F) + kMinMatch;
            if (d > o) throw ELzrw1KHCompressor(kBadOffset);
            if (n > limit - o) throw ELzrw1KHCompressor(kTooBig);
            std::uint8_t* to = out + o;
            const std::uint8_t* from = to - d;
            if (d >= n && room - o >= 32) {
                copy32(to, from);
            } else {
                for (std::size_t i = 0; i < n; ++i)
                    to[i] = from[i];
            }
            o += n;
            pos += 2;
        }
        control <<= 1;
        --flags;
    }
    return o;
}

} // namespace core
