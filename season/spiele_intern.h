// season/spiele_intern.h - what the fixtures store's save and network file
// shares with the store: the store's state lives in spiele.cpp, these reach
// it. Not for modules outside the store.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "season/spiele.h"

namespace velmora::spiele_intern {

constexpr uint32_t SPIELE_MAGIC = 0x4C495053;   // "SPIL"
constexpr uint32_t SPIELE_VERSION = 1;

#pragma pack(push, 1)
struct SperrEintrag {            // 12 bytes: a player's cards in one competition
    int16_t wettbewerb;
    uint16_t spieler;
    uint8_t gelb;                // bookings
    uint8_t gelbrot;             // sendings-off after a second booking
    uint8_t rot;                 // red cards
    uint8_t sperre;              // EREIGNIS_GELBROT / EREIGNIS_ROT / SPERRE_GELB_SUMME | games left (low 5 bits)
    uint8_t im_spiel;            // card kind in the running game, KARTE_GEBUCHT marks a booking
    uint8_t vermerkt;            // sits out the game of the day
    uint8_t elf_der_runde;       // times in the competition's team of the round
    uint8_t reserve;
};
struct SperrRegel {              // 8 bytes
    int16_t wettbewerb;
    uint8_t gelb_grenze;         // every n-th booking costs a game (0: never)
    uint8_t spiele_gelbrot;
    uint8_t spiele_rot;
    uint8_t reserve[3];
};
#pragma pack(pop)
static_assert(sizeof(SperrEintrag) == 12);
static_assert(sizeof(SperrRegel) == 8);

// The suspension entries, one per (competition, player), stored one
// behind the other as they come (a deque's entries stay where they are
// while entries are added). Each player's entries form a chain through
// the store, found by his number: `letzter` by player number holds
// the place of his latest entry plus one (0: none), `kette` by
// place the place of his entry before it plus one (a player has entries
// in a few competitions; the look-ups of a whole squad before and after
// every match read one slot and his entries). The save writes them in
// key order: `ordnung` holds (key, place) sorted up to
// `geordnet`, the newer ones behind, sorted in when the order is
// asked for. Entries leave only with their competition (the whole store
// is then rebuilt). `je_wettbewerb` counts the entries per competition.
struct SperrSpeicher {
    std::deque<SperrEintrag> eintraege;
    std::vector<uint32_t> letzter;
    std::vector<uint32_t> kette;
    std::vector<std::pair<uint32_t, uint32_t>> ordnung;
    size_t geordnet = 0;
    std::unordered_map<int32_t, int32_t> je_wettbewerb;
};

struct SpieleModul {
    bool initialisiert = false;
    std::vector<SpielDatensatz> spiele;
    std::vector<int32_t> locks;                     // per game
    std::vector<SpielEreignis> ereignisse;          // shared by all games
    std::unordered_map<uint64_t, int32_t> index;    // coordinates -> game number
    SperrSpeicher sperr;
    std::map<int32_t, SperrRegel> regeln;
    uint32_t folge = 0;
    SpielDatensatz kopie{};
    // The game numbers of each competition in ascending order, rebuilt after
    // games are added or removed, so a table reads its own games only.
    std::unordered_map<int32_t, std::vector<int32_t>> nach_wettbewerb;
    bool nach_wettbewerb_gueltig = false;
};
extern SpieleModul g;

// The entry of (competition, player) (both taken as 16 bits, as in the key), null when there is none.
SperrEintrag* Sperr_Eintrag_Finden(SperrSpeicher& m, int32_t w, int32_t spieler);
// The entry of (competition, player), made empty when there is none yet.
SperrEintrag& Sperr_Eintrag_Neu(SperrSpeicher& m, int32_t w, int32_t spieler);
// Adds an entry whose (competition, player) the store does not hold yet.
void Sperr_Eintrag_Anhaengen(SperrSpeicher& m, const SperrEintrag& e);
// Sorts the entries made since the last call into the key order.
void Sperren_Ordnen(SperrSpeicher& m);

// Change counters for readers that keep what they computed from the games
// (the table order). They outlive the store, so a store loaded or built anew
// never shows a count seen before: `stand_alle` counts changes to the whole
// store, `stand_von` changes to one competition's games.
extern uint32_t stand_alle;
extern std::vector<uint32_t> stand_von;

// The key of a game's coordinates (competition, round, pairing, leg) and of
// a player's cards in a competition.
uint64_t Schluessel(int32_t w, int32_t r, int32_t p, int32_t s);
uint64_t Schluessel(const SpielDatensatz& s);
uint32_t Sperr_Schluessel(int32_t w, int32_t spieler);
// Closes a game's block: it keeps the entries it used; a block at the end of
// the array gives its tail back at once.
void Ereignisse_Schliessen(SpielDatensatz& s);

}  // namespace velmora::spiele_intern
