// club/spieler_abgleich.cpp - the server's answer of every player's public
// record as far as it changed, found "unchanged" without reading the store.
#include "club/spieler_abgleich.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <optional>
#include <random>
#include <vector>

#include "club/abgleich.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/spieler_testing.h"
#include "core/debug.h"

namespace velmora {
namespace {

// The versions of every player's public records handed out.
Abgleich_Server& spieler_fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}

// The players' public records as they were when last built, known by the
// store's version and a hash of the records, so that "unchanged" is found
// without building the 2.7 MB block again; the connections that have not
// joined and had their one answer.
struct AbgleichStand {
    bool gebaut = false;
    uint64_t fassung = 0;   // the store's version the block was built at, or last found the same
    uint64_t hash = 0;
    uint32_t gebaut_mal = 0;
    uint32_t gehasht = 0;
    uint32_t verpasst = 0;
    std::deque<uint32_t> ohne_verein;
};
AbgleichStand abgleich;
constexpr size_t OHNE_VEREIN_MERKEN = 64;

uint64_t Hash_Dazu(uint64_t h, const void* daten, size_t n) {
    const auto* b = static_cast<const uint8_t*>(daten);
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        std::memcpy(&w, b + i, 8);
        h = (h ^ w) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    for (; i < n; ++i) h = (h ^ b[i]) * 0x100000001B3ull;
    return h ^ n;
}

// Every player's record of one kind, in one run where they lie in one array.
template <typename Satz>
uint64_t Saetze_Hash(uint64_t h, int32_t modus) {
    const int32_t n = Spieler_Anzahl();
    if (n <= 0) return h;
    const auto* erster = static_cast<const Satz*>(Spieler_Zeiger_Lesen(modus, 0));
    if (static_cast<const Satz*>(Spieler_Zeiger_Lesen(modus, n - 1)) == erster + (n - 1))
        return Hash_Dazu(h, erster, sizeof(Satz) * size_t(n));
    for (int32_t p = 0; p < n; ++p) h = Hash_Dazu(h, Spieler_Zeiger_Lesen(modus, p), sizeof(Satz));
    return h;
}

// Every byte the block is built from (the main records and the fixed data).
uint64_t Oeffentlicher_Hash() {
    return Saetze_Hash<SpielerFix>(Saetze_Hash<SpielerStruktur>(0xCBF29CE484222325ull, SPZ_STRUKTUR), SPZ_FIX);
}

// Whether the public records are those the block was last built from: the
// store's version is the one it was built at (no record written since), or
// it moved (a value written again as it was, a pointer taken for writing
// that changed nothing) and the records hash the same. `hash` gets the
// records' hash when one was taken.
bool Oeffentlich_Unveraendert(std::optional<uint64_t>& hash) {
    if (!abgleich.gebaut) return false;
    if (abgleich.fassung == Spieler_Fassung()) {
#ifndef NDEBUG
        // A write that did not move the version: answered as changed, and told.
        if (Oeffentlicher_Hash() != abgleich.hash) {
            Debug_Printf("Spieler_Server_Anfrage: Spieler geschrieben ohne neue Fassung\n");
            ++abgleich.verpasst;
            return false;
        }
#endif
        return true;
    }
    ++abgleich.gehasht;
    hash = Oeffentlicher_Hash();
    if (*hash != abgleich.hash) return false;
    abgleich.fassung = Spieler_Fassung();   // the next request needs no hash while nothing is written
    return true;
}

}  // namespace

uint32_t Spieler_Abgleich_Gebaut() { return abgleich.gebaut_mal; }
uint32_t Spieler_Abgleich_Gehasht() { return abgleich.gehasht; }
uint32_t Spieler_Abgleich_Verpasst() { return abgleich.verpasst; }

void Spieler_Abgleich_Antworten(int32_t client_team, ClubLeser& l, ClubPacker& pk) {
    const uint32_t stand = uint32_t(l.i32());
    if (l.fehler) return;
    std::vector<uint8_t> inhalt;
    // A connection that has not joined reads the list once (its person
    // chooses a club by it); asked again it gets the version last built.
    const uint32_t verbindung = Club_Verbindung();
    auto& ohne = abgleich.ohne_verein;
    const bool gelesen = client_team < 0 && verbindung != 0 && std::find(ohne.begin(), ohne.end(), verbindung) != ohne.end();
    std::optional<uint64_t> hash;
    const bool gleich = gelesen || Oeffentlich_Unveraendert(hash);
    if (!gleich || !spieler_fassungen().Antworten_Unveraendert(stand, inhalt)) {
        std::vector<uint8_t> block;
        ClubPacker bp{block};
        for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
            bp.block(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, p), sizeof(SpielerStruktur));
            bp.block(Spieler_Zeiger_Lesen(SPZ_FIX, p), sizeof(SpielerFix));
        }
        inhalt.clear();
        spieler_fassungen().Antworten(block, stand, inhalt);
        abgleich.gebaut = true;
        abgleich.fassung = Spieler_Fassung();
        abgleich.hash = hash ? *hash : Oeffentlicher_Hash();
        ++abgleich.gebaut_mal;
        Debug_Printf("Spieler_Server_Anfrage: Abgleich %zu von %zu Bytes\n", inhalt.size(), block.size());
    }
    if (client_team < 0 && verbindung != 0 && !gelesen) {
        ohne.push_back(verbindung);
        if (ohne.size() > OHNE_VEREIN_MERKEN) ohne.pop_front();
    }
    pk.block_mit_laenge(inhalt.data(), inhalt.size());
}

}  // namespace velmora
