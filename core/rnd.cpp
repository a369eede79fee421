// core/rnd.cpp - the random table.
#include "core/rnd.h"

#include <cstring>

#include "core/bytes.h"
#include "core/debug.h"

namespace velmora {
namespace {

constexpr uint64_t SAAT = 0x56454C4D4F524131ull;   // fixed: every machine builds the same table
constexpr int STAPEL = 16;

struct RndModul {
    uint32_t tabelle[RND_TABELLE];
    int32_t index = 0;
    int32_t stapel[STAPEL];
    int32_t stapel_tiefe = 0;
    uint32_t* eigener = nullptr;   // the index of the guard in force
    int32_t spiel_index = 0;       // the game's own index while a guard is in force
    bool bereit = false;
};
RndModul g;

void sicher_bereit() {
    if (!g.bereit) Rnd_Init();
}



}  // namespace

void Rnd_Init() {
    // splitmix64, the top 31 bits of each output.
    uint64_t x = SAAT;
    for (int i = 0; i < RND_TABELLE; ++i) {
        x += 0x9E3779B97F4A7C15ull;
        uint64_t z = x;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        g.tabelle[i] = uint32_t(z >> 33);
    }
    g.index = 0;
    g.stapel_tiefe = 0;
    g.bereit = true;
}

int32_t Rnd(int32_t lo, int32_t hi) {
    sicher_bereit();
    // The index always lies in 0..5999 (every setter takes it mod 6000).
    if (++g.index >= RND_TABELLE) g.index = 0;
    if (hi < lo) return lo;
    const uint32_t wert = g.tabelle[g.index];   // below 2^31
    const uint64_t spanne = uint64_t(int64_t(hi) - lo) + 1;
    // A span that fits 32 bits takes the cheaper 32-bit division, same remainder;
    // only the whole int32 range (2^32) needs 64 bits, and there the value is its own remainder.
    const uint32_t rest = spanne <= UINT32_MAX ? wert % uint32_t(spanne) : wert;
    return int32_t(uint32_t(lo) + rest);
}

int32_t Rnd_Bereich(int32_t lo, int32_t hi) {
    if (hi < lo) {
        Debug_Printf("Rnd: bis (%d) < von (%d) !\n", hi, lo);
        return 0;
    }
    int64_t spanne = int64_t(hi) - lo;
    if (spanne < 10000) return Rnd(lo, hi);
    int32_t hunderter_max = int32_t(spanne / 100);
    for (;;) {
        int64_t einer = Rnd(0, 99);
        int64_t hunderter = Rnd(0, hunderter_max);
        int64_t wert = int64_t(lo) + 100 * hunderter + einer;
        if (wert <= hi) return int32_t(wert);
    }
}

void Rnd_Set_Index(int32_t wert, int32_t zufall) {
    sicher_bereit();
    if (zufall) {
        g.index = Rnd(0, RND_TABELLE - 1);
        return;
    }
    int64_t w = wert;
    if (w < 0) w = -w;
    g.index = int32_t(w % RND_TABELLE);
}

int32_t Rnd_Get_Index() {
    sicher_bereit();
    return g.index;
}

void Rnd_Push() {
    sicher_bereit();
    if (g.stapel_tiefe >= STAPEL) {
        Debug_Printf("Rnd_Push: Stapel voll\n");
        return;
    }
    g.stapel[g.stapel_tiefe++] = g.index;
}

void Rnd_Pop() {
    if (g.stapel_tiefe <= 0) {
        Debug_Printf("Rnd_Pop: Stapel leer\n");
        return;
    }
    g.index = g.stapel[--g.stapel_tiefe];
}

Rnd_Eigener_Index::Rnd_Eigener_Index(uint32_t& index) {
    sicher_bereit();
    if (g.eigener == &index) return;
    index_ = &index;
    vorher_ = g.eigener;
    spiel_index_ = g.index;
    if (!vorher_) g.spiel_index = g.index;
    g.eigener = &index;
    g.index = int32_t(index % uint32_t(RND_TABELLE));
}

Rnd_Eigener_Index::~Rnd_Eigener_Index() {
    if (!index_) return;
    *index_ = uint32_t(g.index);
    // The outermost guard gives back the game's index as the game's own draws
    // inside it left it.
    g.index = vorher_ ? spiel_index_ : g.spiel_index;
    g.eigener = vorher_;
}

Rnd_Spiel_Index::Rnd_Spiel_Index() {
    if (!g.eigener) return;
    eigener_ = g.eigener;
    satz_index_ = g.index;
    g.eigener = nullptr;
    g.index = g.spiel_index;
}

Rnd_Spiel_Index::~Rnd_Spiel_Index() {
    if (!eigener_) return;
    g.spiel_index = g.index;
    g.index = satz_index_;
    g.eigener = eigener_;
}

void Misch_U32(uint32_t* array, int32_t count) {
    if (!array) return;
    for (int32_t i = count - 1; i > 0; --i) {
        int32_t j = Rnd(0, i);
        uint32_t t = array[i];
        array[i] = array[j];
        array[j] = t;
    }
}

void Rnd_Zustand_Schreiben(uint8_t out[RND_ZUSTAND_BYTES]) {
    sicher_bereit();
    for (int i = 0; i < RND_TABELLE; ++i) Bytes_Put32(out + 4 * i, g.tabelle[i]);
    Bytes_Put32(out + 4 * RND_TABELLE, uint32_t(g.index));
}

bool Rnd_Zustand_Lesen(const uint8_t* in, size_t bytes) {
    if (!in || bytes < RND_ZUSTAND_BYTES) {
        Debug_Printf("Rnd_Zustand_Lesen: Block zu kurz (%zu)\n", bytes);
        return false;
    }
    uint32_t index = Bytes_Get32(in + 4 * RND_TABELLE);
    if (index >= uint32_t(RND_TABELLE)) {
        Debug_Printf("Rnd_Zustand_Lesen: Index %u ungueltig\n", index);
        return false;
    }
    for (int i = 0; i < RND_TABELLE; ++i)
        if (Bytes_Get32(in + 4 * i) > 0x7FFFFFFFu) {
            Debug_Printf("Rnd_Zustand_Lesen: Wert %d ungueltig\n", i);
            return false;
        }
    for (int i = 0; i < RND_TABELLE; ++i) g.tabelle[i] = Bytes_Get32(in + 4 * i);
    g.index = int32_t(index);
    g.stapel_tiefe = 0;
    g.bereit = true;
    return true;
}

}  // namespace velmora
