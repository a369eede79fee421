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
#include "platform/clock.h"

namespace velmora {
namespace {

// The versions of every player's public records handed out.
Abgleich_Server& spieler_fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}

// One peer address's stock of lists: full, it covers the clients that choose
// a club at once behind one address (two at a time, Net_Zeiten) and a few
// that gave up or lost answers; a read before joining comes back when its
// connection joins, and one list comes back every ADRESSE_NACHFUELLEN_MS.
constexpr uint32_t ADRESSE_VORRAT = 4;
constexpr uint32_t ADRESSE_NACHFUELLEN_MS = 30000;

// What the server handed one connection of the players' list.
struct Verbindungsstand {
    uint32_t verbindung = 0;
    uint32_t adresse = 0;   // its peer's address (0 unknown)
    uint32_t stand = 0, laenge = 0, crc = 0;   // the version its last answer named (0 none)
    uint32_t gelesen = 0;   // players it read before it joined (the list by request 1043 or 1005)
    bool von_adresse = false;   // that read came from its address's stock, given back when it joins
    uint32_t fassung = 0;   // the newest version when it last got records ...
    uint32_t mit_bytes = 0; // ... and how many answers with records it got of it
};

// The lists one peer address may still draw: each connection's read before
// it joins, and a joined client's records beyond what its connection is owed.
struct Adressstand {
    uint32_t adresse = 0;
    uint32_t vorrat = 0;
    uint32_t seit_ms = 0;   // from when the next list comes back by time
};

// The players' public records as they were when last built, known by the
// store's version and a hash of the records, so that "unchanged" is found
// without building the 2.7 MB block again; what each connection and each
// address was handed.
struct AbgleichStand {
    bool gebaut = false;
    uint64_t fassung = 0;   // the store's version the block was built at, or last found the same
    uint64_t hash = 0;
    uint32_t gebaut_mal = 0;
    uint32_t gehasht = 0;
    uint32_t verpasst = 0;
    // The connections served last, the most recent at the back. Connection
    // numbers are never given twice in a process, so a record never passes
    // to a later connection; one pushed out by many others only gets what a
    // new connection gets.
    std::deque<Verbindungsstand> verbindungen;
    // The addresses served last, the most recent at the back; one pushed out
    // starts again with a full stock.
    std::deque<Adressstand> adressen;
    uint32_t vorrat_max = ADRESSE_VORRAT;
    uint32_t nachfuellen_ms = ADRESSE_NACHFUELLEN_MS;   // 0: never
};
AbgleichStand abgleich;
constexpr size_t VERBINDUNGEN_MERKEN = 256;
constexpr size_t ADRESSEN_MERKEN = 256;
// A joined client gets records of one newest version this often on one
// connection (an answer sent ahead and dropped, a copy found damaged); more
// of them come from its address's stock, and while that is empty it hears
// "unchanged" of the newest.
constexpr uint32_t MIT_BYTES_JE_FASSUNG = 2;

// The record of the connection being answered, moved to the back; null when
// the request came from no connection (`Club_Verbindung` 0).
Verbindungsstand* Verbindung_Stand() {
    const uint32_t nr = Club_Verbindung();
    if (nr == 0) return nullptr;
    auto& verbindungen = abgleich.verbindungen;
    auto it = std::find_if(verbindungen.begin(), verbindungen.end(),
                           [nr](const Verbindungsstand& v) { return v.verbindung == nr; });
    Verbindungsstand v;
    v.verbindung = nr;
    v.adresse = Club_Verbindung_Adresse();
    if (it != verbindungen.end()) {
        v = *it;
        verbindungen.erase(it);
    }
    verbindungen.push_back(v);
    if (verbindungen.size() > VERBINDUNGEN_MERKEN) verbindungen.pop_front();
    return &verbindungen.back();
}

// The stock of `adresse`, moved to the back and topped up by the time gone.
Adressstand& Adresse_Stand(uint32_t adresse) {
    auto& adressen = abgleich.adressen;
    auto it = std::find_if(adressen.begin(), adressen.end(), [adresse](const Adressstand& a) { return a.adresse == adresse; });
    const uint32_t jetzt = Plat_Ms();
    Adressstand a{adresse, abgleich.vorrat_max, jetzt};
    if (it != adressen.end()) {
        a = *it;
        adressen.erase(it);
    }
    if (abgleich.nachfuellen_ms > 0 && a.vorrat < abgleich.vorrat_max) {
        const uint32_t dazu = (jetzt - a.seit_ms) / abgleich.nachfuellen_ms;
        a.vorrat = std::min(abgleich.vorrat_max, a.vorrat + dazu);
        a.seit_ms += dazu * abgleich.nachfuellen_ms;
    }
    if (a.vorrat >= abgleich.vorrat_max) a.seit_ms = jetzt;
    adressen.push_back(a);
    if (adressen.size() > ADRESSEN_MERKEN) adressen.pop_front();
    return adressen.back();
}

// Takes one list from the stock of the connection's address; false when it
// is empty or the address is unknown.
bool Von_Adresse_Nehmen(const Verbindungsstand& v) {
    if (v.adresse == 0) return false;
    Adressstand& a = Adresse_Stand(v.adresse);
    if (a.vorrat == 0) {
        Debug_Printf("Spieler_Server_Anfrage: %u.%u.%u.%u hat keine Spielerliste mehr frei (Verbindung %u)\n",
                     v.adresse & 255, (v.adresse >> 8) & 255, (v.adresse >> 16) & 255, v.adresse >> 24, v.verbindung);
        return false;
    }
    --a.vorrat;
    return true;
}

// The read before joining of a connection that has joined since goes back
// to its address: it was a client choosing its club.
void Beitritt_Zurueckgeben(int32_t client_team, Verbindungsstand& v) {
    if (client_team < 0 || !v.von_adresse) return;
    v.von_adresse = false;
    Adressstand& a = Adresse_Stand(v.adresse);
    a.vorrat = std::min(abgleich.vorrat_max, a.vorrat + 1);
}

// A connection's first read before it joins, by either request: on a
// connection of a known address it takes a list from that address's stock.
bool Erste_Lesung(Verbindungsstand& v) {
    if (v.adresse == 0) return true;
    if (!Von_Adresse_Nehmen(v)) return false;
    v.von_adresse = true;
    return true;
}

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

bool Spieler_Abgleich_Block_Erlaubt(int32_t client_team, int32_t anzahl) {
    if (client_team >= 0) return true;
    Verbindungsstand* v = Verbindung_Stand();
    if (!v) return true;
    if (anzahl < 0 || int64_t(v->gelesen) + anzahl > Spieler_Anzahl()) return false;
    if (v->gelesen == 0 && anzahl > 0 && !Erste_Lesung(*v)) return false;
    v->gelesen += uint32_t(anzahl);
    return true;
}

namespace {

// The newest version of the block, built from the store when a record
// changed since it was last built: its number, length and CRC-32.
void Neueste_Fassung(uint32_t& neu, uint32_t& laenge, uint32_t& crc) {
    Abgleich_Server& fassungen = spieler_fassungen();
    std::optional<uint64_t> hash;
    if (Oeffentlich_Unveraendert(hash) && fassungen.Neueste(neu, laenge, crc)) return;
    std::vector<uint8_t> block;
    ClubPacker bp{block};
    for (int32_t p = 0; p < Spieler_Anzahl(); ++p) {
        bp.block(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, p), sizeof(SpielerStruktur));
        bp.block(Spieler_Zeiger_Lesen(SPZ_FIX, p), sizeof(SpielerFix));
    }
    fassungen.Aufnehmen(block);
    fassungen.Neueste(neu, laenge, crc);
    abgleich.gebaut = true;
    abgleich.fassung = Spieler_Fassung();
    abgleich.hash = hash ? *hash : Oeffentlicher_Hash();
    ++abgleich.gebaut_mal;
}

// Whether the connection may get the records of newest version `neu` that
// its request calls for: a connection that has not joined once (from its
// address's stock), a joined one MIT_BYTES_JE_FASSUNG times a version, then
// from its address's stock. Counts what it gets.
bool Records_Erlaubt(int32_t client_team, Verbindungsstand& v, uint32_t neu) {
    if (v.fassung != neu) {
        v.fassung = neu;
        v.mit_bytes = 0;
    }
    if (client_team < 0) {
        if (!Erste_Lesung(v)) return false;
        v.gelesen = uint32_t(std::max(Spieler_Anzahl(), 1));
    } else if (v.mit_bytes >= MIT_BYTES_JE_FASSUNG && !Von_Adresse_Nehmen(v)) {
        return false;
    }
    ++v.mit_bytes;
    return true;
}

}  // namespace

void Spieler_Abgleich_Antworten(int32_t client_team, ClubLeser& l, ClubPacker& pk) {
    const uint32_t stand = uint32_t(l.i32());
    if (l.fehler) return;
    std::vector<uint8_t> inhalt;
    Verbindungsstand* v = Verbindung_Stand();
    if (v) Beitritt_Zurueckgeben(client_team, *v);
    // A connection that has not joined reads the list once (its person
    // chooses a club by it); asked again in whatever form it hears that the
    // version it was handed is unchanged, and nothing is built for it.
    if (client_team < 0 && v && v->gelesen > 0) {
        Abgleich_Unveraendert(v->stand, v->laenge, v->crc, inhalt);
        pk.block_mit_laenge(inhalt.data(), inhalt.size());
        return;
    }
    uint32_t neu = 0, laenge = 0, crc = 0;
    Neueste_Fassung(neu, laenge, crc);
    const Abgleich_Server& fassungen = spieler_fassungen();
    const bool mit_records = fassungen.Art(stand) != ABGLEICH_UNVERAENDERT;
    if (mit_records && v && !Records_Erlaubt(client_team, *v, neu)) {
        Debug_Printf("Spieler_Server_Anfrage: Verbindung %u bekommt Fassung %u nicht noch einmal, nur \"unveraendert\"\n",
                     v->verbindung, neu);
        Abgleich_Unveraendert(neu, laenge, crc, inhalt);
    } else {
        fassungen.Antworten_Aus_Neuester(stand, inhalt);
        if (mit_records) Debug_Printf("Spieler_Server_Anfrage: Abgleich %zu von %u Bytes\n", inhalt.size(), laenge);
    }
    if (v) {
        v->stand = neu;
        v->laenge = laenge;
        v->crc = crc;
    }
    pk.block_mit_laenge(inhalt.data(), inhalt.size());
}

void Spieler_Abgleich_Adressen_Setzen(uint32_t vorrat, uint32_t nachfuellen_ms) {
    abgleich.vorrat_max = vorrat;
    abgleich.nachfuellen_ms = nachfuellen_ms;
    abgleich.adressen.clear();
}

}  // namespace velmora
