// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/lzh.h"

#include "stats/bytestream.h"
#include "stats/lzrw1exception.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace core {

namespace {

const char* const kNoMemory = "LZH : Cannot get memory for dictionary tables";

constexpr int N = 4096;                      // ring buffer size
constexpr int F = 60;                        // look-ahead size, longest match
constexpr int kThreshold = 2;                // a match must be longer than this
constexpr int NIL = N;                       // "no node" in the search tree
constexpr int kChars = 256 - kThreshold + F; // 314 symbols: bytes and match lengths 3..60
constexpr int T = kChars * 2 - 1;            // nodes of the Huffman tree
constexpr int R = T - 1;                     // its root
constexpr unsigned kMaxFreq = 0x8000;
constexpr std::size_t kBufferSize = 32768;
// A valid stream never needs bytes past its end (its last byte is padded with zero bits);
// a decoder that has gone this far past the end is reading a truncated stream.
constexpr unsigned kMaxOverrun = 8;

// Prefix code for the upper 6 bits of a match distance: one code of 3 bits, 3 of 4, 8 of 5,
// 12 of 6, 24 of 7 and 16 of 8, assigned canonically (codes are left-aligned in a byte).
struct PositionCode {
    std::array<std::uint8_t, 64> len{};
    std::array<std::uint8_t, 64> code{};
    std::array<std::uint8_t, 256> decodeIndex{}; // by the next 8 bits of the stream
    std::array<std::uint8_t, 256> decodeLen{};
};

constexpr PositionCode makePositionCode() {
    PositionCode pc;
    constexpr int counts[] = {1, 3, 8, 12, 24, 16}; // for lengths 3..8
    unsigned value = 0;
    int index = 0;
    for (int l = 3; l <= 8; ++l) {
        for (int i = 0; i < counts[l - 3]; ++i) {
            pc.len[index] = std::uint8_t(l);
            pc.code[index] = std::uint8_t(value << (8 - l));
            for (unsigned low = 0; low < (1u << (8 - l)); ++low) {
                pc.decodeIndex[pc.code[index] | low] = std::uint8_t(index);
                pc.decodeLen[pc.code[index] | low] = std::uint8_t(l);
            }
            ++value;
            ++index;
        }
        value <<= 1;
    }
    return pc;
}

constexpr PositionCode kPosition = makePositionCode();

// Adaptive Huffman tree. Nodes are kept in order of frequency; children of a node are
// son[node] and son[node] + 1; leaves point at T + symbol.
struct Huffman {
    std::array<unsigned, T + 1> freq{};
    std::array<int, T + kChars> prnt{};
    std::array<int, T> son{};

    void start() {
        for (int i = 0; i < kChars; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        for (int i = 0, j = kChars; j <= R; i += 2, ++j) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[T] = 0xFFFF; // sentinel above any real frequency
        prnt[R] = 0;
    }

    // Halves every frequency and rebuilds the tree from the leaves.
    void reconst() {
        int j = 0;
        for (int i = 0; i < T; ++i) {
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        }
        for (int i = 0, n = kChars; n < T; i += 2, ++n) {
            const unsigned f = freq[i] + freq[i + 1];
            int k = n - 1;
            while (f < freq[k])
                --k;
            ++k;
            std::copy_backward(freq.begin() + k, freq.begin() + n, freq.begin() + n + 1);
            freq[k] = f;
            std::copy_backward(son.begin() + k, son.begin() + n, son.begin() + n + 1);
            son[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            const int k = son[i];
            if (k >= T) {
                prnt[k] = i;
            } else {
                prnt[k] = prnt[k + 1] = i;
            }
        }
    }

    // Counts one more occurrence of symbol c and restores the frequency order.
    void update(int c) {
        if (freq[R] == kMaxFreq) reconst();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }
};

// How many of the first F bytes of key and node agree, the first byte being known to; cmp
// gets the difference of the first pair that does not (0 when all do). Eight pairs at a
// time where the machine finds the first difference from the low end of a word.
inline int agreeing(const std::uint8_t* key, const std::uint8_t* node, int& cmp) {
    int i = 1;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= F; i += 8) {
            std::uint64_t a;
            std::uint64_t b;
            std::memcpy(&a, key + i, 8);
            std::memcpy(&b, node + i, 8);
            if (a != b) {
                i += std::countr_zero(a ^ b) / 8;
                cmp = int(key[i]) - int(node[i]);
                return i;
            }
        }
    }
    for (; i < F; ++i) {
        cmp = int(key[i]) - int(node[i]);
        if (cmp != 0) break;
    }
    return i;
}

// LZSS binary search trees over the ring buffer, one tree per first byte.
struct Dictionary {
    std::array<std::uint8_t, N + F - 1> text{};
    std::array<int, N + 1> lson{};
    std::array<int, N + 257> rson{};
    std::array<int, N + 1> dad{};
    int matchPosition = 0; // distance - 1
    int matchLength = 0;

    void init() {
        for (int i = N + 1; i <= N + 256; ++i)
            rson[i] = NIL;
        for (int i = 0; i < N; ++i)
            dad[i] = NIL;
    }

    void insert(int r) {
        int cmp = 1;
        const std::uint8_t* key = &text[r];
        int p = N + 1 + key[0];
        rson[r] = lson[r] = NIL;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson[p] != NIL) {
                    p = rson[p];
                } else {
                    rson[p] = r;
                    dad[r] = p;
                    return;
                }
            } else {
                if (lson[p] != NIL) {
                    p = lson[p];
                } else {
                    lson[p] = r;
                    dad[r] = p;
                    return;
                }
            }
            const int i = agreeing(key, &text[p], cmp);
            if (i > kThreshold) {
                if (i > matchLength) {
                    matchPosition = ((r - p) & (N - 1)) - 1;
                    if ((matchLength = i) >= F) break;
                }
                if (i == matchLength) {
                    const int c = ((r - p) & (N - 1)) - 1;
                    if (c < matchPosition) matchPosition = c;
                }
            }
        }
        // Full-length match: r takes p's place in the tree.
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = r;
        dad[rson[p]] = r;
        if (rson[dad[p]] == p) {
            rson[dad[p]] = r;
        } else {
            lson[dad[p]] = r;
        }
        dad[p] = NIL;
    }

    void remove(int p) {
        if (dad[p] == NIL) return;
        int q;
        if (rson[p] == NIL) {
            q = lson[p];
        } else if (lson[p] == NIL) {
            q = rson[p];
        } else {
            q = lson[p];
            if (rson[q] != NIL) {
                do {
                    q = rson[q];
                } while (rson[q] != NIL);
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = q;
            }
            rson[q] = rson[p];
            dad[rson[p]] = q;
        }
        dad[q] = dad[p];
        if (rson[dad[p]] == p) {
            rson[dad[p]] = q;
        } else {
            lson[dad[p]] = q;
        }
        dad[p] = NIL;
    }
};

class Reader {
public:
    Reader(ByteSource& src, std::vector<std::uint8_t>& buf, const std::string& failText,
           const std::function<void()>& idle)
        : m_src(src), m_buf(buf), m_failText(failText), m_idle(idle) {}

    // Next byte, or -1 at the end of the data.
    int get() {
        if (m_pos == m_len && !refill()) return -1;
        return m_buf[m_pos++];
    }
    std::uint64_t count() const { return m_count; }

private:
    bool refill() {
        if (m_eof) return false;
        std::size_t got = 0;
        if (!m_src.read(m_buf.data(), m_buf.size(), got)) throw ELzrw1Exception(m_failText);
        if (got < m_buf.size()) m_eof = true;
        m_pos = 0;
        m_len = got;
        m_count += got;
        if (m_idle) m_idle();
        return got > 0;
    }

    ByteSource& m_src;
    std::vector<std::uint8_t>& m_buf;
    const std::string& m_failText;
    const std::function<void()>& m_idle;
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
    std::uint64_t m_count = 0;
    bool m_eof = false;
};

class Writer {
public:
    Writer(ByteSink& sink, std::vector<std::uint8_t>& buf, const std::string& failText,
           const std::function<void()>& idle)
        : m_sink(sink), m_buf(buf), m_failText(failText), m_idle(idle) {}

    void put(std::uint8_t b) {
        if (m_len == m_buf.size()) flush();
        m_buf[m_len++] = b;
    }
    // Appends the low n bits of v (n <= 32), most significant first.
    void putBits(int n, std::uint32_t v) {
        m_acc = (m_acc << n) | (v & ((std::uint64_t(1) << n) - 1));
        m_bits += n;
        while (m_bits >= 8) {
            m_bits -= 8;
            put(std::uint8_t(m_acc >> m_bits));
        }
        m_acc &= (std::uint64_t(1) << m_bits) - 1;
    }
    // Pads the last byte with zero bits and hands everything to the sink.
    void finish() {
        if (m_bits > 0) putBits(8 - m_bits, 0);
        flush();
    }
    std::uint64_t count() const { return m_count + m_len; }

    void flush() {
        if (m_len == 0) return;
        if (!m_sink.write(m_buf.data(), m_len)) throw ELzrw1Exception(m_failText);
        m_count += m_len;
        m_len = 0;
        if (m_idle) m_idle();
    }

private:
    ByteSink& m_sink;
    std::vector<std::uint8_t>& m_buf;
    const std::string& m_failText;
    const std::function<void()>& m_idle;
    std::size_t m_len = 0;
    std::uint64_t m_count = 0;
    std::uint64_t m_acc = 0;
    int m_bits = 0;
};

class BitReader {
public:
    BitReader(Reader& in, const std::string& failText) : m_in(in), m_failText(failText) {}

    unsigned bit() {
        if (m_bits == 0) {
            m_byte = next();
            m_bits = 8;
        }
        --m_bits;
        return (m_byte >> m_bits) & 1;
    }
    unsigned bits(int n) {
        unsigned v = 0;
        while (n-- > 0)
            v = (v << 1) | bit();
        return v;
    }

private:
    unsigned next() {
        const int c = m_in.get();
        if (c >= 0) return unsigned(c);
        if (++m_overrun > kMaxOverrun) throw ELzrw1Exception(m_failText);
        return 0;
    }

    Reader& m_in;
    const std::string& m_failText;
    unsigned m_byte = 0;
    int m_bits = 0;
    unsigned m_overrun = 0;
};

void encodeChar(Huffman& h, Writer& w, int c) {
    // Walk from the leaf to the root; the bit of each level is whether the node is the
    // second child. Codes can exceed 16 bits in a skewed tree, so collect them in 64 bits.
    std::uint64_t code = 0;
    int len = 0;
    int k = h.prnt[c + T];
    do {
        code |= std::uint64_t(k & 1) << len;
        ++len;
    } while ((k = h.prnt[k]) != R);
    if (len > 32) {
        w.putBits(len - 32, std::uint32_t(code >> 32));
        len = 32;
    }
    w.putBits(len, std::uint32_t(code));
    h.update(c);
}

void encodePosition(Writer& w, int c) {
    const int i = c >> 6;
    w.putBits(kPosition.len[i], kPosition.code[i] >> (8 - kPosition.len[i]));
    w.putBits(6, unsigned(c) & 0x3F);
}

int decodeChar(Huffman& h, BitReader& r) {
    int c = h.son[R];
    while (c < T) {
        c += int(r.bit());
        c = h.son[c];
    }
    c -= T;
    h.update(c);
    return c;
}

int decodePosition(BitReader& r) {
    unsigned i = r.bits(8);
    const unsigned upper = kPosition.decodeIndex[i];
    const int more = kPosition.decodeLen[i] - 2;
    for (int j = 0; j < more; ++j)
        i = (i << 1) | r.bit();
    return int((upper << 6) | (i & 0x3F));
}

} // namespace

struct LzhCompressor::Tables {
    Huffman huff;
    Dictionary dict;
    std::vector<std::uint8_t> inBuf;
    std::vector<std::uint8_t> outBuf;
};

LzhCompressor::LzhCompressor() = default;
LzhCompressor::~LzhCompressor() = default;
LzhCompressor::LzhCompressor(LzhCompressor&&) noexcept = default;
LzhCompressor& LzhCompressor::operator=(LzhCompressor&&) noexcept = default;

LzhCompressor::Tables& LzhCompressor::freshTables() {
    if (!m_tables) {
        try {
            auto t = std::make_unique<Tables>();
            t->inBuf.resize(kBufferSize);
            t->outBuf.resize(kBufferSize);
            m_tables = std::move(t);
        } catch (const std::bad_alloc&) {
            throw ElzhException(kNoMemory);
        }
        return *m_tables;
    }
    // What a run may read before writing starts out as zeros, as in new tables.
    Dictionary& d = m_tables->dict;
    d.text.fill(0);
    d.lson.fill(0);
    d.rson.fill(0);
    d.dad.fill(0);
    d.matchPosition = 0;
    d.matchLength = 0;
    return *m_tables;
}

LzhCompressor::Counts LzhCompressor::Encode(ByteSource& in, ByteSink& out, const IoTexts& texts,
                                            const std::function<void()>& idle) {
    Tables& tables = freshTables();
    Huffman& h = tables.huff;
    Dictionary& d = tables.dict;
    std::uint8_t* text = d.text.data();
    Reader rd(in, tables.inBuf, texts.readFailed, idle);
    Writer wr(out, tables.outBuf, texts.writeFailed, idle);

    h.start();
    d.init();
    int s = 0;
    int r = N - F;
    std::fill(text, text + r, std::uint8_t(' '));
    int len = 0;
    int c = 0;
    for (; len < F && (c = rd.get()) != -1; ++len)
        text[r + len] = std::uint8_t(c);
    if (len == 0) return {rd.count(), 0};

    for (int i = 1; i <= F; ++i)
        d.insert(r - i);
    d.insert(r);
    do {
        if (d.matchLength > len) d.matchLength = len;
        if (d.matchLength <= kThreshold) {
            d.matchLength = 1;
            encodeChar(h, wr, text[r]);
        } else {
            encodeChar(h, wr, 255 - kThreshold + d.matchLength);
            encodePosition(wr, d.matchPosition);
        }
        const int last = d.matchLength;
        int i = 0;
        for (; i < last && (c = rd.get()) != -1; ++i) {
            d.remove(s);
            text[s] = std::uint8_t(c);
            if (s < F - 1) text[s + N] = std::uint8_t(c);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            d.insert(r);
        }
        while (i++ < last) {
            d.remove(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len) d.insert(r);
        }
    } while (len > 0);
    wr.finish();
    return {rd.count(), wr.count()};
}

LzhCompressor::Counts LzhCompressor::Decode(ByteSource& in, ByteSink& out, std::uint32_t size,
                                            const IoTexts& texts,
                                            const std::function<void()>& idle) {
    if (size == 0) return {};
    Tables& tables = freshTables();
    Huffman& h = tables.huff;
    std::uint8_t* text = tables.dict.text.data();
    Reader rd(in, tables.inBuf, texts.readFailed, idle);
    BitReader bits(rd, texts.readFailed);
    Writer wr(out, tables.outBuf, texts.writeFailed, idle);

    h.start();
    std::fill(text, text + (N - F), std::uint8_t(' '));
    int r = N - F;
    std::uint64_t count = 0;
    while (count < size) {
        const int c = decodeChar(h, bits);
        if (c < 256) {
            wr.put(std::uint8_t(c));
            text[r++] = std::uint8_t(c);
            r &= N - 1;
            ++count;
        } else {
            const int i = (r - decodePosition(bits) - 1) & (N - 1);
            const int j = c - 255 + kThreshold;
            for (int k = 0; k < j; ++k) {
                const std::uint8_t b = text[(i + k) & (N - 1)];
                wr.put(b);
                text[r++] = b;
                r &= N - 1;
                ++count;
            }
        }
    }
    wr.flush();
    return {rd.count(), wr.count()};
}

} // namespace core
