// match/day/spieltag_intern.h - what the match day's files share: the slot table
// lives in spieltag.cpp; the walk (spieltag_lauf.cpp), the match start
// (spieltag_anpfiff.cpp), the day's close (spieltag_abschluss.cpp) and the
// form (spieltag_form.cpp) reach it through these. Not for modules outside
// the match day.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_hooks.h"
#include "season/spiele.h"

namespace velmora::spieltag_intern {

constexpr int32_t UHR_START = 90;
constexpr size_t SLOTS_BYTES = sizeof(Spieltag_Slot) * SPIELTAG_SLOTS;

struct SpieltagModul {
    bool initialisiert = false;
    Spieltag_Slot slot[SPIELTAG_SLOTS];
    int32_t uhr_start = UHR_START;
    int32_t minute = 0;              // the day minute and clock, scratch of one walk
    float uhr = 0;
    bool gesperrt = false;           // games were locked since the last empty table
    uint32_t client_abruf = 0;       // client: the time of the last record fetch
    bool voll = false;               // the last refill filled the table: more may wait
    bool nicht_gestartet = false;    // a slot of this walk could not start
    SpieltagStatistik statistik;
    // Per start group and question of Gruppe_Alle, the slot that last answered
    // no, and the slot Slot_Von_Spiel last found: hints, checked before use.
    int16_t gruppe_nein[4][128] = {};
    int32_t slot_gefunden = 0;
    // Per slot the record its game had, while no record left since.
    struct Gemerkt {
        int32_t spiel = 0;
        uint32_t stand = 0;
        Spielfeld_Satz* satz = nullptr;
    };
    Gemerkt satz_gemerkt[SPIELTAG_SLOTS];
    // Runs of waiting slots a walk passed over, by their first slot: the end
    // of the run, the record departures then, and each slot as it was. A later
    // walk passes the run in one step while it is unchanged (see Spieltag_Run).
    int16_t lauf_ende[SPIELTAG_SLOTS] = {};
    uint32_t lauf_abgang[SPIELTAG_SLOTS] = {};
    Spieltag_Slot lauf_bild[SPIELTAG_SLOTS] = {};
};
extern SpieltagModul g;

// The module runs (a log line when it does not).
bool Bereit();

inline bool Leer(const Spieltag_Slot& s) { return s.spiel == SPIELTAG_LEER; }

// Occupied entries: the table is dense, so every walk stops at the first empty one.
int32_t Belegt();

inline SpielDatensatz* Spiel(const Spieltag_Slot& s) { return s.spiel > 0 ? Spiele_Get_Spiel(s.spiel, 1) : nullptr; }

// The slot's record. The walk asks for it for every waiting slot every frame:
// a slot of the table remembers what it found until a record leaves.
inline Spielfeld_Satz* Satz(const Spieltag_Slot& s) {
    if (s.spiel <= 0) return nullptr;
    const std::less<const Spieltag_Slot*> vor;
    const bool im_slot = !vor(&s, g.slot) && vor(&s, g.slot + SPIELTAG_SLOTS);
    SpieltagModul::Gemerkt* m = im_slot ? &g.satz_gemerkt[&s - g.slot] : nullptr;
    if (m && m->satz && m->spiel == s.spiel && m->stand == Spielfeld_Abgang_Stand()) return m->satz;
    Spielfeld_Satz* satz = Spielfeld_Anzahl() > 0 ? Spielfeld_Suchen(s.spiel) : nullptr;
    if (m) *m = {s.spiel, Spielfeld_Abgang_Stand(), satz};
    return satz;
}

// A record is computed live only while there is a tick to compute it.
inline bool Live(const Spielfeld_Satz* satz) { return satz && satz->live == 1 && Spieltag_Hooks().tick; }

inline int32_t Netz() { return Spielfeld_Hook_Netz_Modus(); }

// The slot of a game, -1 without one.
int32_t Slot_Von_Spiel(int32_t spiel);

// The questions a walk asks of a whole start group.
enum GruppenFrage : int32_t { FRAGE_BEREIT, FRAGE_START, FRAGE_PAUSE, FRAGE_SCHLUSS };

// Every slot of the slot's start group (a slot without group is its own group)
// passes `f`. Each waiting slot asks this every frame, and a group may fill the
// table: the slot that answered no last time is asked first, and while it is
// still of the group and still says no, that is the answer without a scan.
template <class F>
bool Gruppe_Alle(int32_t i, GruppenFrage frage, F f) {
    int8_t gruppe = g.slot[i].startgruppe;
    if (gruppe == 0) return f(g.slot[i]);
    int16_t* nein = gruppe > 0 ? &g.gruppe_nein[frage][gruppe] : nullptr;
    if (nein) {
        const Spieltag_Slot& h = g.slot[*nein];
        if (!Leer(h) && h.spiel != 0 && h.startgruppe == gruppe && !f(h)) return false;
    }
    // One pass over the occupied entries (those before the first empty one).
    for (int32_t j = 0; j < SPIELTAG_SLOTS && !Leer(g.slot[j]); ++j)
        if (g.slot[j].spiel != 0 && g.slot[j].startgruppe == gruppe && !f(g.slot[j])) {
            if (nein) *nein = int16_t(j);
            return false;
        }
    return true;
}

// Takes a slot out of the table and closes the gap, so later slots stay reachable.
void Slot_Entfernen(int32_t i);

// A game's importance for its crowd, 0..100, from its competition and round.
int32_t Spiel_Wichtigkeit(const SpielDatensatz& sp);

// The ticket-price and crowd values of a game: the stake mix p, its importance
// and the spectator base. Nothing is drawn.
void Zuschauer_Werte(const SpielDatensatz& sp, int32_t* p, int32_t* wichtigkeit, int32_t* basis);

}  // namespace velmora::spieltag_intern
