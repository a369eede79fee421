// core/spielstand_packen.cpp - the run-length packing of a save game's packed
// blocks, eight bytes (or 64, told from bit masks) at a time.
#include "core/spielstand_packen.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace velmora {
namespace {

// Works eight bytes at a time, giving the same bytes as the byte-wise rule.
uint64_t wort(const uint8_t* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
    return w;
}

// The index of the first zero byte of `x` (8 when none): the lowest flagged
// byte of the borrow trick is always a true zero.
uint32_t erstes_null_byte(uint64_t x) {
    uint64_t t = (x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull;
    return t ? uint32_t(__builtin_ctzll(t)) / 8 : 8;
}

// Where the run of `b` (whose byte pattern `muster` is) that reaches p[lauf]
// ends, at most `grenze`: a word at a time, the last bytes one by one.
uint32_t lauf_weiter(const uint8_t* p, uint32_t lauf, uint32_t grenze, uint64_t muster, uint8_t b) {
    while (lauf + 8 <= grenze) {
        uint64_t x = wort(p + lauf) ^ muster;
        if (x) return lauf + uint32_t(__builtin_ctzll(x)) / 8;
        lauf += 8;
    }
    while (lauf < grenze && p[lauf] == b) ++lauf;
    return lauf;
}

// The length of the run of p[0] from p[0], at most `grenze` (>= 1).
uint32_t lauf_laenge(const uint8_t* p, uint32_t grenze) {
    const uint64_t muster = 0x0101010101010101ull * p[0];
    if (grenze >= 9) {
        // Most runs are the zero bytes of a small number and end inside the first word.
        const uint64_t x = wort(p + 1) ^ muster;
        if (x) return 1 + uint32_t(__builtin_ctzll(x)) / 8;
        // A whole run (the common case of empty records) is told by one comparison of the window with itself moved by one.
        if (grenze >= 16 && std::memcmp(p, p + 1, grenze - 1) == 0) return grenze;
    }
    return lauf_weiter(p, 1, grenze, muster, p[0]);
}

// How far the run of `b` goes from p[0] (at most `grenze` bytes): empty
// records make runs of many thousand bytes, told 32 bytes at a time.
uint32_t langer_lauf(const uint8_t* p, uint32_t grenze, uint8_t b) {
    const uint64_t muster = 0x0101010101010101ull * b;
    uint32_t lauf = 0;
    while (lauf + 32 <= grenze &&
           ((wort(p + lauf) ^ muster) | (wort(p + lauf + 8) ^ muster) | (wort(p + lauf + 16) ^ muster) |
            (wort(p + lauf + 24) ^ muster)) == 0)
        lauf += 32;
    return lauf_weiter(p, lauf, grenze, muster, b);
}

constexpr uint32_t KURZ = 16;
// The bytes that decide a group: a run is counted up to 130 bytes, a plain
// group of up to 128 bytes ends before the first three equal bytes. (A run
// of 130 or more is written 130 bytes at a time, each decided by its own.)
constexpr uint32_t ENTSCHIEDEN = 130;
constexpr uint32_t NACHLAUF = SPIELSTAND_PACK_NACHLAUF;   // see the header

// A long run at i (130 bytes or more): its whole length once, then runs of 130
// as the byte-wise rule takes them; what is left of it is the next group.
inline void langen_lauf_schreiben(const uint8_t* p, uint32_t n, uint32_t& i, uint8_t*& o) {
    uint32_t ganz = 130 + langer_lauf(p + i + 130, n - i - 130, p[i]);
    for (; ganz >= 130; ganz -= 130, i += 130) {
        *o++ = uint8_t(130 + 125);
        *o++ = p[i];
    }
}

#if defined(__x86_64__)
// Bit k: q[k] == q[k + 1], for k 0-63 (reads q[0..64]).
inline uint64_t gleich_bei(const uint8_t* q) {
    uint64_t m = 0;
#pragma GCC unroll 4
    for (int c = 0; c < 4; ++c) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 16 * c));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 16 * c + 1));
        m |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(a, b)))) << (16 * c);
    }
    return m;
}

// Bit k: three equal bytes start at k, from the equal-successor bits and the next word's.
inline uint64_t dreier(uint64_t gleich, uint64_t naechstes) { return gleich & ((gleich >> 1) | (naechstes << 63)); }

// The 64 bits from bit d (0-63) of the pair lo, hi.
inline uint64_t ab_bit(uint64_t lo, uint64_t hi, unsigned d) { return (lo >> d) | ((hi << 1) << (63 - d)); }

// The groups from the start while at least this many bytes follow (every
// window a group asks for lies inside the block); the rest word by word.
constexpr uint32_t MASKEN_REST = 200;

// The byte-wise rule told from bit masks: a run's length is the count of
// equal successors, a plain group ends where three equal bytes start. The
// masks of three 64-byte windows from 64w are kept and moved on as i goes.
uint32_t packen_mit_masken(const uint8_t* p, uint32_t n, uint8_t*& o) {
    uint32_t i = 0;
    size_t basis = 0;   // 64w
    uint64_t e0 = gleich_bei(p), e1 = gleich_bei(p + 64), e2 = gleich_bei(p + 128);
    uint64_t t0 = dreier(e0, e1), t1 = dreier(e1, e2);
    while (n - i >= MASKEN_REST) {
        size_t d = i - basis;
        if (d >= 64) {
            if (d < 128) {
                basis += 64;
                e0 = e1;
                e1 = e2;
                e2 = gleich_bei(p + basis + 128);
                t0 = t1;
                t1 = dreier(e1, e2);
            } else {
                basis = i & ~size_t(63);
                e0 = gleich_bei(p + basis);
                e1 = gleich_bei(p + basis + 64);
                e2 = gleich_bei(p + basis + 128);
                t0 = dreier(e0, e1);
                t1 = dreier(e1, e2);
            }
            d = i - basis;
        }
        uint64_t gleich = ab_bit(e0, e1, unsigned(d));
        uint64_t drei = ab_bit(t0, t1, unsigned(d));
        // The groups that end inside the 64 bits from i, the masks moved on by
        // each; the bits moved in are no bytes' (`gueltig` counts the others).
        const uint32_t anfang = i;
        for (uint32_t gueltig = 64;;) {
            uint32_t laenge;
            if (drei & 1) {
                const uint64_t ungleich = ~gleich;
                if (!ungleich) break;
                laenge = 1 + uint32_t(__builtin_ctzll(ungleich));
                if (laenge > gueltig) break;   // the run may go on past the bits
                *o++ = uint8_t(laenge + 125);
                *o++ = p[i];
            } else if (drei) {
                laenge = uint32_t(__builtin_ctzll(drei));
                *o++ = uint8_t(laenge - 1);
                // Inside the 64 bits a group is shorter than 64 bytes, and at
                // least MASKEN_REST bytes follow i.
                std::memcpy(o, p + i, KURZ);
                if (laenge > KURZ) std::memcpy(o + KURZ, p + i + KURZ, 64 - KURZ);
                o += laenge;
            } else {
                break;
            }
            i += laenge;
            gueltig -= laenge;
            if (gueltig == 0 || n - i < MASKEN_REST) break;
            gleich >>= laenge;
            drei >>= laenge;
        }
        if (i != anfang) continue;
        if (drei & 1) {
            uint32_t lauf;
            if (~gleich) {
                lauf = 1 + uint32_t(__builtin_ctzll(~gleich));
            } else {
                // 65 equal bytes: count on from i + 64 (the last two bytes read tell 129 from 130).
                const uint64_t zweites = gleich_bei(p + i + 64);
                lauf = ~zweites ? 65 + uint32_t(__builtin_ctzll(~zweites)) : 129 + uint32_t(p[i + 128] == p[i + 129]);
            }
            if (lauf == 130) {
                langen_lauf_schreiben(p, n, i, o);
                continue;
            }
            *o++ = uint8_t(lauf + 125);
            *o++ = p[i];
            i += lauf;
            continue;
        }
        uint32_t k;
        if (drei) {
            k = uint32_t(__builtin_ctzll(drei));
        } else {
            const uint64_t zweites = dreier(gleich_bei(p + i + 64), p[i + 128] == p[i + 129]);
            k = zweites ? 64 + uint32_t(__builtin_ctzll(zweites)) : 128;
        }
        *o++ = uint8_t(k - 1);
        // Fixed-size copies: `o` has NACHLAUF bytes of room behind the stream, and MASKEN_REST bytes follow i.
        if (k <= KURZ) std::memcpy(o, p + i, KURZ);
        else std::memcpy(o, p + i, NACHLAUF);
        o += k;
        i += k;
    }
    return i;
}
#endif

// Packs into `o`, which holds at least n + n / 128 + 1 + NACHLAUF bytes (the most
// plain groups can take, and room for one group's fixed-size copy); returns
// the bytes written. With `bis_ende` false the bytes go on behind p[n]: only
// the groups that the bytes up to p[n] decide are written (a group starting at
// i reads at most p[i + ENTSCHIEDEN - 1]), and `*gepackt` gets where the next one starts.
size_t packen(const uint8_t* p, uint32_t n, uint8_t* o, bool bis_ende = true, uint32_t* gepackt = nullptr) {
    uint8_t* const anfang = o;
    uint32_t i = 0;
#if defined(__x86_64__)
    if (n >= MASKEN_REST) i = packen_mit_masken(p, n, o);
#endif
    bool lauf_folgt = false;   // three equal bytes start at i
    while (bis_ende ? i < n : n - i >= ENTSCHIEDEN) {
        if (!lauf_folgt && n - i >= 10) {
            // The common case: a few plain bytes (a small number) and then a
            // run (its zeros). k is where the first three equal bytes start,
            // so k > 0 is a plain group of k bytes as the rule takes it.
            const uint64_t a = wort(p + i);
            const uint32_t k = erstes_null_byte((a ^ wort(p + i + 1)) | (a ^ wort(p + i + 2)));
            if (k > 0 && k < 8) {
                *o++ = uint8_t(k - 1);
                std::memcpy(o, p + i, 8);   // n - i >= 10 bytes to read, room for KURZ to write
                o += k;
                i += k;
                lauf_folgt = true;
                continue;
            }
        }
        lauf_folgt = false;
        uint32_t lauf = lauf_laenge(p + i, std::min<uint32_t>(130, n - i));
        if (lauf == 130) {
            langen_lauf_schreiben(p, n, i, o);
            continue;
        }
        if (lauf >= 3) {
            *o++ = uint8_t(lauf + 125);
            *o++ = p[i];
            i += lauf;
            continue;
        }
        // The plain group ends before the next three equal bytes, after 128 bytes or at the end.
        uint32_t ende = std::min<uint32_t>(n, i + 128);
        uint32_t j = i;
        while (j + 10 <= n && j < ende) {
            uint64_t a = wort(p + j);
            uint32_t k = erstes_null_byte((a ^ wort(p + j + 1)) | (a ^ wort(p + j + 2)));
            j += k;
            if (k < 8) break;
        }
        if (j + 10 > n)
            while (j < ende && !(j + 2 < n && p[j] == p[j + 1] && p[j] == p[j + 2])) ++j;
        j = std::min(j, ende);
        *o++ = uint8_t(j - i - 1);
        // Short groups (one byte before the zeros of a small number) are
        // copied as one fixed word; `o` has that much room behind it.
        if (j - i <= KURZ && n - i >= KURZ) std::memcpy(o, p + i, KURZ);
        else std::memcpy(o, p + i, j - i);
        o += j - i;
        i = j;
    }
    if (gepackt) *gepackt = i;
    return size_t(o - anfang);
}

// Walks a packed stream without writing: true when it unpacks to exactly `soll` bytes.
bool gepackt_pruefen(const uint8_t* s, size_t n, uint32_t soll) {
    size_t k = 0;
    uint64_t aus = 0;
    while (k < n) {
        uint8_t c = s[k++];
        if (c < 128) {
            size_t anzahl = size_t(c) + 1;
            if (n - k < anzahl) return false;
            k += anzahl;
            aus += anzahl;
        } else {
            if (k >= n) return false;
            ++k;
            aus += uint32_t(c) - 125;
        }
        if (aus > soll) return false;
    }
    return aus == soll;
}

void entpacken(const uint8_t* s, size_t n, uint8_t* ziel) {
    size_t k = 0;
    while (k < n) {
        uint8_t c = s[k++];
        if (c < 128) {
            std::memcpy(ziel, s + k, size_t(c) + 1);
            ziel += size_t(c) + 1;
            k += size_t(c) + 1;
        } else {
            std::memset(ziel, s[k++], size_t(c) - 125);
            ziel += size_t(c) - 125;
        }
    }
}

}  // namespace

size_t Spielstand_Packen(const uint8_t* p, uint32_t n, uint8_t* o) { return packen(p, n, o); }

size_t Spielstand_Packen_Stuecke(const SpielstandStueck* stuecke, size_t anzahl, uint8_t* o) {
    // Each piece is packed where it stands as far as its own bytes decide the
    // groups; the undecided end (under ENTSCHIEDEN bytes) is carried on,
    // joined with the next piece's start in `naht`, until the groups run
    // past the seam into that piece.
    constexpr size_t VORLAUF = 4 * ENTSCHIEDEN;
    uint8_t naht[ENTSCHIEDEN + VORLAUF];
    size_t rest = 0;   // carried bytes at the front of `naht`
    uint8_t* const anfang = o;
    for (size_t k = 0; k < anzahl; ++k) {
        const uint8_t* p = stuecke[k].daten;
        size_t n = stuecke[k].laenge, von = 0;
        bool letztes = true;
        for (size_t j = k + 1; j < anzahl && letztes; ++j) letztes = stuecke[j].laenge == 0;
        if (rest > 0 && n > 0) {
            const size_t dazu = std::min(n, VORLAUF);
            std::memcpy(naht + rest, p, dazu);
            const size_t m = rest + dazu;
            uint32_t i = 0;
            const bool ganz = letztes && dazu == n;
            o += packen(naht, uint32_t(m), o, ganz, &i);
            if (ganz) return size_t(o - anfang);
            if (i < rest) {   // a short piece: still inside the carried bytes
                std::memmove(naht, naht + i, m - i);
                rest = m - i;
                continue;
            }
            von = i - rest;
            rest = 0;
        }
        if (rest > 0 || von >= n) continue;
        uint32_t i = 0;
        o += packen(p + von, uint32_t(n - von), o, letztes, &i);
        if (letztes) return size_t(o - anfang);
        rest = n - von - i;
        std::memcpy(naht, p + von + i, rest);
    }
    if (rest > 0) o += packen(naht, uint32_t(rest), o);
    return size_t(o - anfang);
}

bool Spielstand_Gepackt_Pruefen(const uint8_t* s, size_t n, uint32_t soll) { return gepackt_pruefen(s, n, soll); }

void Spielstand_Entpacken(const uint8_t* s, size_t n, uint8_t* ziel) { entpacken(s, n, ziel); }

}  // namespace velmora
