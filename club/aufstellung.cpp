// club/aufstellung.cpp - line-ups: the automatic line-up, swaps, cells,
// shirt numbers and the formation line values.
//
// THE AUTOMATIC LINE-UP (Team_Auto_Aufstellung), as the assistant sets it:
//
// 1. Only available players count: no injured (64) or suspended (0x780) player
//    starts or sits on the bench.
// 2. Every available player has a base value: strength (value 58, 0-12000)
//    + form (57, 0-999) + 100 x morale (90, 0-6) - 100 x appearances in a row
//    (56, 0-9, his tiredness), at least 0. In a cell of his own row group
//    (goalkeeper, defence, midfield, attack) he counts fully; in a
//    neighbouring group (defence/midfield, midfield/attack) 80 %, defence for
//    attack or the other way round 60 %; a field player in goal 25 %.
// 3. The goal: the best available goalkeeper always stands in goal. Only a
//    club without an available goalkeeper puts a field player there. A
//    goalkeeper never plays in the field (his cell is always the goal's), so
//    a club with fewer than ten available field players lines up short.
// 4. The field: the ten field cells are filled so that, in this order, (a) as
//    many cells as possible are filled, (b) the sum of the values is highest.
//    This is solved exactly over the counts per row group (a small dynamic
//    programme).
// 5. The formation: a club without a human manager takes the built-in system
//    whose best line-up by rule 4 is best (its current one on a tie, else the
//    first); a manager's club keeps the formation its manager chose.
// 6. Inside a row group the players take the group's cells in formation
//    order, the best first; the starters' slots follow their cells (slot k the
//    k-th cell in descending order of 10 x row + column, the goalkeeper 10).
// 7. The bench (slots 11-16, at most 6): first a second goalkeeper when the
//    club has one available, then the best remaining defender, midfielder and
//    forward, then the best of the rest by base value.
// 8. The reserve: the remaining available players by base value, then the
//    unavailable ones. When fewer than 11 can start, the empty cells' slots go
//    to unavailable players and the log says how many could start.
// 9. Status bits 16 and 32 follow the slots; starters get the cells of their
//    slots, everybody a shirt number, and the line values are refreshed.
#include "club/aufstellung.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "club/aufstellung_suche.h"
#include "club/club_hooks.h"
#include "club/formation.h"
#include "club/kader_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/meldung.h"

namespace velmora {
namespace {

using namespace aufstellung;

constexpr int32_t KEIN_PLATZ = -1;

bool Club_Gueltig(const char* wer, int32_t club) {
    if (club < 0 || club >= Team_Anzahl() || club == Team_Markt()) {
        Debug_Printf("%s: Team %d ungueltig\n", wer, club);
        return false;
    }
    return true;
}

int32_t Grundwert(int32_t p) {
    int32_t v = Spieler_Staerke(p) + Spieler_Form(p) +
                100 * Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN) - 100 * Spieler_Wert(SPW_EINSAETZE, p, 0, OP_LESEN);
    return v > 0 ? v : 0;
}

// The squad in list order. Each value is read straight from the player's
// records, the same values a plain read gives (none of them is kept on the
// server only); `ueber_lesen` reads them through Spieler_Wert instead, as
// the check mode's measure does.
int32_t Kader_Lesen(int32_t club, Kandidat* out, bool ueber_lesen = false) {
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) {
        Kandidat& k = out[i];
        const int32_t p = liste[i];
        k.spieler = p;
        const auto* satz = ueber_lesen ? nullptr : static_cast<const SpielerStruktur*>(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, p));
        const auto* fix = satz ? static_cast<const SpielerFix*>(Spieler_Zeiger_Lesen(SPZ_FIX, p)) : nullptr;
        k.satz = fix ? satz : nullptr;
        if (k.satz) {
            k.art = std::clamp<int32_t>(fix->art, 0, 3);   // as Spieler_Get_Art gives it
            k.verfuegbar = !(satz->status & SP_STATUS_NICHT_VERFUEGBAR);
            k.grund = std::max(0, satz->staerke + satz->form + 100 * satz->moral - 100 * satz->einsaetze);
            k.slot_alt = satz->slot;
            continue;
        }
        k.art = Spieler_Get_Art(p);
        k.verfuegbar = Spieler_Verfuegbar(p);
        k.grund = Grundwert(p);
        k.slot_alt = Spieler_Wert(SPW_SLOT, p, 0, OP_LESEN);
    }
    return n;
}

AufstellungPruefung g_pruefung;
bool g_pruefen = false;

// `lokal`: this machine holds the records (no network client), so the status
// word is written once, and only when it changes. A client sends bit changes
// (its record may not be the server's word): it clears only the bit it does
// not set again, so that a player whose bits stay sends nothing (the client's
// copy of the server's records knows that write changes nothing).
// `satz`: the player's record, read straight instead of through Spieler_Wert.
// The status bits `alt` with the start and bench bits a slot gives.
uint32_t Status_Fuer_Slot(uint32_t alt, int32_t slot, bool verfuegbar) {
    uint32_t neu = alt & ~(SP_STATUS_START | SP_STATUS_BANK);
    if (verfuegbar && slot < SLOT_STARTELF) neu |= SP_STATUS_START;
    else if (verfuegbar && slot < SLOT_BANK_ENDE) neu |= SP_STATUS_BANK;
    return neu;
}

void Status_Nach_Slot(int32_t p, int32_t slot, bool verfuegbar, bool lokal, const SpielerStruktur* satz = nullptr) {
    if (lokal) {
        const uint32_t alt = satz ? satz->status : Spieler_Status(p);
        const uint32_t neu = Status_Fuer_Slot(alt, slot, verfuegbar);
        if (neu != alt) Spieler_Wert(SPW_STATUS, p, int32_t(neu), OP_ERSETZEN);
        return;
    }
    const uint32_t soll = !verfuegbar              ? 0
                          : slot < SLOT_STARTELF    ? SP_STATUS_START
                          : slot < SLOT_BANK_ENDE   ? SP_STATUS_BANK
                                                    : 0;
    Spieler_Wert(SPW_STATUS, p, int32_t((SP_STATUS_START | SP_STATUS_BANK) & ~soll), OP_LOESCHEN);
    if (soll) Spieler_Wert(SPW_STATUS, p, int32_t(soll), OP_SETZEN);
}

// The cells of the starting slots of a formation, worked out once for a
// whole squad: the cell of slot k as Formation_Zelle_Von_Slot gives it.
struct SlotZellen {
    int32_t schluessel[FORMATION_ZELLEN];

    explicit SlotZellen(const Formation& f) {
        for (int32_t i = 0; i < FORMATION_ZELLEN; ++i) schluessel[i] = Formation_Schluessel(f.zelle[i][0], f.zelle[i][1]);
        std::sort(schluessel, schluessel + FORMATION_ZELLEN, [](int32_t a, int32_t b) { return a > b; });
    }
    // The cell of starting slot `slot` (0 to FORMATION_ZELLEN - 1).
    void Zelle(int32_t slot, int32_t* spalte, int32_t* reihe) const {
        *spalte = schluessel[slot] % 10;
        *reihe = schluessel[slot] / 10;
    }
    // The slot of a cell: the number of cells ordered before it (10 x row + column descending).
    int32_t Slot(int32_t spalte, int32_t reihe) const {
        const int32_t k = Formation_Schluessel(spalte, reihe);
        int32_t rang = 0;
        while (rang < FORMATION_ZELLEN && schluessel[rang] > k) ++rang;
        return rang;
    }
};

// A goalkeeper's cell is the goal's whatever his slot (the player record keeps
// it so). `lokal` as for Status_Nach_Slot: an unchanged value is not written
// again. `k`: the squad entry, whose kind and record are read instead.
void Zelle_Nach_Slot(const SlotZellen& zellen, int32_t p, int32_t slot, bool lokal, const Kandidat* k = nullptr) {
    const SpielerStruktur* satz = k ? k->satz : nullptr;
    if (slot < 0 || slot >= FORMATION_ZELLEN || (satz ? k->art : Spieler_Get_Art(p)) == 0) return;
    int32_t spalte = 0, reihe = 0;
    zellen.Zelle(slot, &spalte, &reihe);
    if (!lokal || (satz ? satz->spalte : Spieler_Wert(SPW_SPALTE, p, 0, OP_LESEN)) != spalte)
        Spieler_Wert(SPW_SPALTE, p, spalte, OP_SCHREIBEN);
    if (!lokal || (satz ? satz->reihe : Spieler_Wert(SPW_REIHE, p, 0, OP_LESEN)) != reihe)
        Spieler_Wert(SPW_REIHE, p, reihe, OP_SCHREIBEN);
}

void Zelle_Nach_Slot(int32_t club, int32_t p, int32_t slot) {
    Zelle_Nach_Slot(SlotZellen(*Team_Aktuelle_Formation(club)), p, slot, false);
}

// Where the records are, a squad entry read straight from its record gets
// slot, status bits and cell written straight into it, as Spieler_Wert
// would write each of these values (none is server data, each lies within
// its limits): only what changes, the record taken for writing only then.
// False (nothing written) for a value outside its limits.
bool Direkt_Schreiben(const SlotZellen& zellen, const Kandidat& k, int32_t slot) {
    const SpielerStruktur& alt = *k.satz;
    if (slot < 0 || slot >= TEAM_SPIELER_MAX) return false;
    const uint32_t status = Status_Fuer_Slot(alt.status, slot, k.verfuegbar);
    int32_t spalte = alt.spalte, reihe = alt.reihe;
    if (slot < FORMATION_ZELLEN && k.art != 0) {   // a goalkeeper's cell stays the goal's
        zellen.Zelle(slot, &spalte, &reihe);
        if (spalte < 0 || spalte >= FORMATION_SPALTEN || reihe < 0 || reihe >= FORMATION_REIHEN) return false;
    }
    if (alt.slot == slot && alt.status == status && alt.spalte == spalte && alt.reihe == reihe) return true;
    auto* satz = static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, k.spieler));
    satz->slot = int8_t(slot);
    satz->status = status;
    satz->spalte = int16_t(spalte);
    satz->reihe = int16_t(reihe);
    return true;
}

// Writes slots, status bits and cells; `slot` per squad entry. The values
// written are compared with those in the records (read straight from them
// for a squad read so).
void Aufstellung_Schreiben(const SlotZellen& zellen, const Kandidat* kader, int32_t n, const int32_t* slot) {
    const bool lokal = !Club_Ist_Client();
    for (int32_t i = 0; i < n; ++i) {
        const Kandidat& k = kader[i];
        if (lokal && k.satz && Direkt_Schreiben(zellen, k, slot[i])) continue;
        if ((k.satz ? k.satz->slot : Spieler_Wert(SPW_SLOT, k.spieler, 0, OP_LESEN)) != slot[i])
            Spieler_Wert(SPW_SLOT, k.spieler, slot[i], OP_SCHREIBEN);
        Status_Nach_Slot(k.spieler, slot[i], k.verfuegbar, lokal, k.satz);
        if (slot[i] < SLOT_STARTELF) Zelle_Nach_Slot(zellen, k.spieler, slot[i], lokal, &k);
    }
}

// Shirt numbers of a squad in list order (`slots` its line-up slots,
// `torwart` its goalkeepers): every player without a number of his own (0
// or one a team-mate wears before him in the list) the lowest free one,
// goalkeepers first (1 when free), then by slot. Where every player has his
// own, nothing is left to give. Only where the records are (the numbers are
// server data). `messen`: the check mode's measure, which reads through
// Spieler_Wert and orders the squad all the same.
void Nummern_Vergeben(const int32_t* liste, int32_t n, const int32_t* slots, const bool* torwart, bool messen) {
    bool vergeben[100] = {};
    int32_t nummer[TEAM_SPIELER_MAX];
    bool ohne = false;
    for (int32_t i = 0; i < n; ++i) {
        const auto* egal =
            messen ? nullptr : static_cast<const SpielerClientEgal*>(Spieler_Zeiger_Lesen(SPZ_CLIENT_EGAL, liste[i]));
        nummer[i] = egal ? egal->rueckennummer : Spieler_Wert(SPW_RUECKENNUMMER, liste[i], 0, OP_LESEN);
        if (nummer[i] > 0 && nummer[i] < 100 && !vergeben[nummer[i]]) vergeben[nummer[i]] = true;
        else nummer[i] = 0;
        ohne |= nummer[i] == 0;
    }
    if (!ohne && !messen) return;
    // Goalkeepers first (number 1 when free), then by slot.
    int32_t reihenfolge[TEAM_SPIELER_MAX];
    for (int32_t i = 0; i < n; ++i) reihenfolge[i] = i;
    std::stable_sort(reihenfolge, reihenfolge + n, [&](int32_t a, int32_t b) {
        return torwart[a] != torwart[b] ? torwart[a] : slots[a] < slots[b];
    });
    int32_t frei = 1;
    for (int32_t k = 0; k < n; ++k) {
        int32_t i = reihenfolge[k];
        if (nummer[i]) continue;
        if (torwart[i] && !vergeben[1]) {
            nummer[i] = 1;
        } else {
            while (frei < 100 && vergeben[frei]) ++frei;
            if (frei >= 100) break;
            nummer[i] = frei;
        }
        vergeben[nummer[i]] = true;
        Spieler_Wert(SPW_RUECKENNUMMER, liste[i], nummer[i], OP_SCHREIBEN);
    }
}

// Team_Rueckennummern; `messen` as for Nummern_Vergeben.
void Rueckennummern(int32_t club, bool messen) {
    if (!Club_Gueltig("Team_Rueckennummern", club) || !Club_Client_Darf("Team_Rueckennummern", club)) return;
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
    int32_t slots[TEAM_SPIELER_MAX];
    const SlotZellen zellen(*Team_Aktuelle_Formation(club));
    const bool client = Club_Ist_Client();
    for (int32_t i = 0; i < n; ++i) {
        slots[i] = Spieler_Wert(SPW_SLOT, liste[i], 0, OP_LESEN);
        if (slots[i] < SLOT_STARTELF) Zelle_Nach_Slot(zellen, liste[i], slots[i], !client);
    }
    // Shirt numbers live in the server's data; a client leaves them to the server.
    if (client) return;
    bool torwart[TEAM_SPIELER_MAX];
    for (int32_t i = 0; i < n; ++i) torwart[i] = Spieler_Get_Art(liste[i]) == 0;
    Nummern_Vergeben(liste, n, slots, torwart, messen);
}

// The line values of the players `liste` of `team` (`spieler` -1 all of
// them, else only that one). The hook gives all eight values of a cell for
// the team, so with `je_zelle_einmal` a cell several players stand in (the
// goalkeepers', a substitute's of an earlier match) is asked once and copied.
// The team's tactic is read once: nothing in the walk changes it.
void Linien_Setzen(int32_t team, const int32_t* liste, int32_t n, int32_t spieler, bool je_zelle_einmal) {
    const KaderHooks& h = Kader_Hooks();
    if (!h.spielfeld_taktik_linie) {
        Debug_Printf("Team_Spieler_Positionen_Setzen: keine Liniengeometrie, Linienwerte bleiben\n");
        return;
    }
    int8_t taktik[TAKTIK_BYTES] = {};
    bool taktik_da = false;
    auto linie = [&](int16_t out[8], int32_t spalte, int32_t reihe) {
        if (!taktik_da) {
            Team_Get_Aktuelle_Taktik(team, taktik);
            taktik_da = true;
        }
        h.spielfeld_taktik_linie(taktik, out, spalte, reihe);
    };
    constexpr int32_t ZELLEN = FORMATION_SPALTEN * FORMATION_REIHEN;
    int16_t gefragt[ZELLEN][8];
    uint8_t da[ZELLEN] = {};
    for (int32_t i = 0; i < n; ++i) {
        if (spieler >= 0 && liste[i] != spieler) continue;
        if (!je_zelle_einmal) {
            int16_t* werte = static_cast<int16_t*>(Spieler_Zeiger(SPZ_LINIE, liste[i]));
            if (!werte) continue;
            linie(werte, Spieler_Wert(SPW_SPALTE, liste[i], 0, OP_LESEN), Spieler_Wert(SPW_REIHE, liste[i], 0, OP_LESEN));
            continue;
        }
        auto* satz = static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, liste[i]));
        if (!satz) continue;
        const int32_t spalte = satz->spalte, reihe = satz->reihe;
        if (spalte < 0 || spalte >= FORMATION_SPALTEN || reihe < 0 || reihe >= FORMATION_REIHEN) {
            linie(satz->linie, spalte, reihe);
            continue;
        }
        const int32_t z = spalte * FORMATION_REIHEN + reihe;
        if (!da[z]) {
            std::memcpy(gefragt[z], satz->linie, sizeof gefragt[z]);
            linie(gefragt[z], spalte, reihe);
            da[z] = 1;
        }
        std::memcpy(satz->linie, gefragt[z], sizeof gefragt[z]);
    }
}

// What a line-up decided, for the check mode to compare.
struct Ergebnis {
    int32_t system = -1;
    Plan plan;
    std::vector<int32_t> feld;   // squad indices of the plan's field players
    bool wieder = false;         // the club's last search was taken again

    bool operator==(const Ergebnis& o) const {
        return system == o.system && plan.wert == o.plan.wert && plan.torwart == o.plan.torwart &&
               plan.gruppe_von == o.plan.gruppe_von && feld == o.feld;
    }
};

// The automatic line-up of a valid club. `messen`: the check mode's measure,
// the long way (every value read through the player functions, each built-in
// system searched on its own, nothing left out because it would not change),
// without a log line.
int32_t Aufstellen(int32_t club, bool messen, Ergebnis* ergebnis) {
    Kandidat kader[TEAM_SPIELER_MAX];
    int32_t n = Kader_Lesen(club, kader, messen);
    Formation* aktuell = Team_Aktuelle_Formation(club);
    if (!Formation_Pruefen(*aktuell)) {
        Formation_Standard(Team_Formation_Index(club), aktuell);
        Team_Aufstellung_Senden(club);
    }

    // Rule 5: the formation.
    Plan bester;
    std::vector<const Kandidat*> bestes_feld;
    bool computer = !Team_Hat_Manager(club);
    int32_t bester_index = Team_Formation_Index(club);
    bool wieder = false;
    if (computer) {
        const int32_t erster = bester_index;
        bester_index = messen ? Suche_Systeme_Einzeln(kader, n, erster, bester, bestes_feld)
                              : Suche_Systeme(club, kader, n, erster, bester, bestes_feld, &wieder);
        Team_Formation_Waehlen(club, bester_index);
    } else {
        Suche_Plan(*aktuell, kader, n, bester, bestes_feld);
    }
    const Formation& f = *aktuell;
    if (ergebnis) {
        ergebnis->system = bester_index;
        ergebnis->plan = bester;
        ergebnis->feld.clear();
        for (const Kandidat* k : bestes_feld) ergebnis->feld.push_back(int32_t(k - kader));
        ergebnis->wieder = wieder;
    }

    // Rule 6: cells and slots of the starters.
    int32_t slot[TEAM_SPIELER_MAX];
    bool vergeben[TEAM_SPIELER_MAX] = {};
    bool slot_belegt[TEAM_SPIELER_MAX] = {};
    for (int32_t i = 0; i < n; ++i) slot[i] = KEIN_PLATZ;
    auto index_von = [&](const Kandidat* k) { return int32_t(k - kader); };
    int32_t starter = 0;
    const SlotZellen zellen(f);
    int32_t zell_gruppe[FORMATION_ZELLEN];
    for (int32_t z = 0; z < FORMATION_ZELLEN; ++z) zell_gruppe[z] = Formation_Gruppe(f.zelle[z][1]);
    for (int32_t gr = 0; gr < GRUPPEN; ++gr) {
        int32_t spieler[TEAM_SPIELER_MAX];
        int32_t anzahl = 0;
        if (gr == 0 && bester.torwart >= 0) spieler[anzahl++] = bester.torwart;
        for (size_t j = 0; j < bestes_feld.size(); ++j)
            if (bester.gruppe_von[j] == gr) spieler[anzahl++] = index_von(bestes_feld[j]);
        int32_t wert[TEAM_SPIELER_MAX];
        for (int32_t k = 0; k < anzahl; ++k) wert[spieler[k]] = Wert_In_Gruppe(kader[spieler[k]], gr);
        Stabil_Sortieren(spieler, anzahl, [&](int32_t a, int32_t b) { return wert[a] > wert[b]; });
        int32_t naechster = 0;
        for (int32_t z = 0; z < FORMATION_ZELLEN && naechster < anzahl; ++z) {
            if (zell_gruppe[z] != gr) continue;
            int32_t i = spieler[naechster++];
            slot[i] = zellen.Slot(f.zelle[z][0], f.zelle[z][1]);
            slot_belegt[slot[i]] = true;
            vergeben[i] = true;
            ++starter;
        }
    }

    // Rule 7: the bench, first a goalkeeper and one of each field kind.
    auto bester_rest = [&](int32_t art) {
        int32_t b = -1;
        for (int32_t i = 0; i < n; ++i)
            if (!vergeben[i] && kader[i].verfuegbar && kader[i].art == art && (b < 0 || kader[i].grund > kader[b].grund))
                b = i;
        return b;
    };
    int32_t bank[SLOT_BANK_ENDE - SLOT_STARTELF];
    int32_t auf_bank = 0;
    for (int32_t art = 0; art <= 3; ++art) {
        const int32_t b = bester_rest(art);
        if (b < 0) continue;
        bank[auf_bank++] = b;
        vergeben[b] = true;
    }
    // The other available players by base value (the first of equal ones
    // first) fill the bench, the rest of them is the reserve; the unavailable
    // ones by base value after them, the empty cells' slots first.
    auto nach_grundwert = [&](int32_t a, int32_t b) { return kader[a].grund > kader[b].grund; };
    int32_t rest[TEAM_SPIELER_MAX], nicht_verfuegbar[TEAM_SPIELER_MAX];
    int32_t in_rest = 0, in_nv = 0;
    for (int32_t i = 0; i < n; ++i)
        if (!vergeben[i]) (kader[i].verfuegbar ? rest[in_rest++] : nicht_verfuegbar[in_nv++]) = i;
    Stabil_Sortieren(rest, in_rest, nach_grundwert);
    Stabil_Sortieren(nicht_verfuegbar, in_nv, nach_grundwert);
    int32_t r = 0;
    while (auf_bank < SLOT_BANK_ENDE - SLOT_STARTELF && r < in_rest) bank[auf_bank++] = rest[r++];
    int32_t nv = 0;
    for (int32_t s = 0; s < SLOT_STARTELF && nv < in_nv; ++s)
        if (!slot_belegt[s]) {
            slot[nicht_verfuegbar[nv++]] = s;
            slot_belegt[s] = true;
        }
    int32_t naechster_slot = SLOT_STARTELF;
    for (int32_t k = 0; k < auf_bank; ++k) slot[bank[k]] = naechster_slot++;
    for (; r < in_rest; ++r) slot[rest[r]] = naechster_slot++;
    // The empty cells took unavailable players first, so the rest fits below slot 20.
    for (; nv < in_nv; ++nv) slot[nicht_verfuegbar[nv]] = naechster_slot++;

    // Rule 9.
    Aufstellung_Schreiben(zellen, kader, n, slot);
    if (starter < SLOT_STARTELF && !messen)
        Debug_Printf("Team_Auto_Aufstellung: Team %d hat nur %d einsatzfaehige Spieler\n", club, starter);
    int32_t liste[TEAM_SPIELER_MAX];
    for (int32_t i = 0; i < n; ++i) liste[i] = kader[i].spieler;
    if (messen || Club_Ist_Client()) {
        Rueckennummern(club, messen);
        Linien_Setzen(club, liste, n, -1, !messen);
        return starter;
    }
    // The starters stand in the cells of their slots already (written above
    // for the same formation), so only the shirt numbers are left to give.
    bool torwart[TEAM_SPIELER_MAX];
    for (int32_t i = 0; i < n; ++i) torwart[i] = kader[i].art == 0;
    Nummern_Vergeben(liste, n, slot, torwart, false);
    Linien_Setzen(club, liste, n, -1, true);
    return starter;
}

// Everything a line-up may change for a club: its players' records and
// server data, its current formation and its formation byte.
struct Abbild {
    std::vector<uint8_t> daten;
    int32_t formation_byte = 0;

    explicit Abbild(int32_t club) : formation_byte(Team_Wert(TW_FORMATION_BYTE, club, 0, OP_LESEN)) {
        int32_t liste[TEAM_SPIELER_MAX];
        const int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) {
            Anhaengen(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, liste[i]), sizeof(SpielerStruktur));
            Anhaengen(Spieler_Zeiger_Lesen(SPZ_CLIENT_EGAL, liste[i]), sizeof(SpielerClientEgal));
        }
        Anhaengen(Team_Aktuelle_Formation(club), sizeof(Formation));
    }
    void Anhaengen(const void* p, size_t n) {
        if (!p) return;
        const auto* b = static_cast<const uint8_t*>(p);
        daten.insert(daten.end(), b, b + n);
    }
    // Writes the state taken back (the club's players are the same ones).
    void Zurueckschreiben(int32_t club) const {
        int32_t liste[TEAM_SPIELER_MAX];
        const int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
        size_t stelle = 0;
        auto zurueck = [&](void* p, size_t groesse) {
            if (!p || stelle + groesse > daten.size()) return;
            std::memcpy(p, daten.data() + stelle, groesse);
            stelle += groesse;
        };
        for (int32_t i = 0; i < n; ++i) {
            zurueck(Spieler_Zeiger(SPZ_STRUKTUR, liste[i]), sizeof(SpielerStruktur));
            zurueck(Spieler_Zeiger(SPZ_CLIENT_EGAL, liste[i]), sizeof(SpielerClientEgal));
        }
        zurueck(Team_Aktuelle_Formation(club), sizeof(Formation));
        if (Team_Wert(TW_FORMATION_BYTE, club, 0, OP_LESEN) != formation_byte)
            Team_Wert(TW_FORMATION_BYTE, club, formation_byte, OP_SCHREIBEN);
    }
    bool operator==(const Abbild& o) const { return formation_byte == o.formation_byte && daten == o.daten; }
};

}  // namespace

void Aufstellung_Pruefen_Setzen(bool an) {
    g_pruefen = an;
    g_pruefung = {};
}

AufstellungPruefung Aufstellung_Pruefung() { return g_pruefung; }

int32_t Team_Auto_Aufstellung(int32_t club) {
    if (!Club_Gueltig("Team_Auto_Aufstellung", club) || !Club_Client_Darf("Team_Auto_Aufstellung", club)) return -1;
    if (!g_pruefen || Club_Ist_Client()) return Aufstellen(club, false, nullptr);
    // Check mode: the line-up the long way, undone, then the usual way; both
    // must decide the same and leave the same records behind.
    const Abbild vorher(club);
    Ergebnis soll, ist;
    const int32_t soll_starter = Aufstellen(club, true, &soll);
    const Abbild erwartet(club);
    vorher.Zurueckschreiben(club);
    const int32_t starter = Aufstellen(club, false, &ist);
    ++g_pruefung.aufstellungen;
    g_pruefung.wiederverwendet += ist.wieder;
    if (starter != soll_starter || !(ist == soll) || !(Abbild(club) == erwartet)) ++g_pruefung.abweichungen;
    return starter;
}

bool Check_Und_Set_Aa(int32_t club) {
    if (!Club_Gueltig("Check_Und_Set_Aa", club) || !Club_Client_Darf("Check_Und_Set_Aa", club)) return false;
    Kandidat kader[TEAM_SPIELER_MAX];
    int32_t n = Kader_Lesen(club, kader);
    if (!Team_Hat_Manager(club)) {
        int32_t start = 0, bank = 0;
        for (int32_t i = 0; i < n; ++i) {
            if (!kader[i].verfuegbar) continue;
            uint32_t st = Spieler_Status(kader[i].spieler);
            if ((st & SP_STATUS_START) && kader[i].slot_alt < SLOT_STARTELF) ++start;
            if ((st & SP_STATUS_BANK) && kader[i].slot_alt >= SLOT_STARTELF && kader[i].slot_alt < SLOT_BANK_ENDE) ++bank;
        }
        if (start != SLOT_STARTELF || bank != SLOT_BANK_ENDE - SLOT_STARTELF) Team_Auto_Aufstellung(club);
        return true;
    }
    if (Team_Formation_Assi(club)) {
        Team_Auto_Aufstellung(club);
        return true;
    }
    const bool lokal = !Club_Ist_Client();
    for (int32_t i = 0; i < n; ++i) Status_Nach_Slot(kader[i].spieler, kader[i].slot_alt, kader[i].verfuegbar, lokal);
    return true;
}

bool Spieler_Setze_Formationsposition(int32_t spieler, int32_t spalte, int32_t reihe) {
    int32_t club = Spieler_Get_Team(spieler);
    if (!Club_Gueltig("Spieler_Setze_Formationsposition", club) ||
        !Club_Client_Darf("Spieler_Setze_Formationsposition", club))
        return false;
    int32_t slot = Spieler_Wert(SPW_SLOT, spieler, 0, OP_LESEN);
    if (slot >= SLOT_STARTELF || spalte < 0 || spalte >= FORMATION_SPALTEN || reihe < 0 || reihe >= FORMATION_REIHEN) {
        Debug_Printf("Spieler_Setze_Formationsposition: Spieler %d (Slot %d) nach %d/%d ungueltig\n", spieler, slot,
                     spalte, reihe);
        return false;
    }
    bool tor = spalte == FORMATION_TW_SPALTE && reihe == 0;
    if ((slot == SLOT_TORWART) != tor || (reihe == 0 && !tor)) {
        Debug_Printf("Spieler_Setze_Formationsposition: das Tor gehoert Slot %d\n", SLOT_TORWART);
        return false;
    }
    Formation* f = Team_Aktuelle_Formation(club);
    if (!Formation_Pruefen(*f)) Formation_Standard(Team_Formation_Index(club), f);
    int32_t alt_spalte, alt_reihe;
    Formation_Zelle_Von_Slot(*f, slot, &alt_spalte, &alt_reihe);
    int32_t zelle = -1;
    for (int32_t i = 0; i < FORMATION_ZELLEN; ++i) {
        if (f->zelle[i][0] == spalte && f->zelle[i][1] == reihe && (spalte != alt_spalte || reihe != alt_reihe)) {
            Debug_Printf("Spieler_Setze_Formationsposition: Feld %d/%d ist besetzt\n", spalte, reihe);
            return false;
        }
        if (f->zelle[i][0] == alt_spalte && f->zelle[i][1] == alt_reihe) zelle = i;
    }
    // The starters' cells before the move, by their slots.
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0);
    int32_t zellen[TEAM_SPIELER_MAX][2];
    for (int32_t i = 0; i < n; ++i) {
        int32_t s = Spieler_Wert(SPW_SLOT, liste[i], 0, OP_LESEN);
        zellen[i][0] = zellen[i][1] = -1;
        if (s < SLOT_STARTELF) Formation_Zelle_Von_Slot(*f, s, &zellen[i][0], &zellen[i][1]);
        if (liste[i] == spieler) {
            zellen[i][0] = spalte;
            zellen[i][1] = reihe;
        }
    }
    f->zelle[zelle][0] = int16_t(spalte);
    f->zelle[zelle][1] = int16_t(reihe);
    Team_Aufstellung_Senden(club);
    const SlotZellen slots(*f);
    for (int32_t i = 0; i < n; ++i) {
        if (zellen[i][0] < 0) continue;
        Spieler_Wert(SPW_SLOT, liste[i], slots.Slot(zellen[i][0], zellen[i][1]), OP_SCHREIBEN);
        Spieler_Wert(SPW_SPALTE, liste[i], zellen[i][0], OP_SCHREIBEN);
        Spieler_Wert(SPW_REIHE, liste[i], zellen[i][1], OP_SCHREIBEN);
    }
    Team_Spieler_Positionen_Setzen(club, -1);
    return true;
}

bool Spieler_Tauschen_Intern(int32_t spieler1, int32_t spieler2, int32_t club1, int32_t club2) {
    if (!Club_Gueltig("Spieler_Tauschen_Intern", club1) || !Club_Client_Darf("Spieler_Tauschen_Intern", club1)) return false;
    if (club1 != club2 || spieler1 == spieler2 || Spieler_Get_Team(spieler1) != club1 ||
        Spieler_Get_Team(spieler2) != club1) {
        Debug_Printf("Spieler_Tauschen_Intern: Spieler %d/%d nicht beide in Team %d/%d\n", spieler1, spieler2, club1,
                     club2);
        return false;
    }
    int32_t s1 = Spieler_Wert(SPW_SLOT, spieler1, 0, OP_LESEN), s2 = Spieler_Wert(SPW_SLOT, spieler2, 0, OP_LESEN);
    bool v1 = Spieler_Verfuegbar(spieler1), v2 = Spieler_Verfuegbar(spieler2);
    if ((s2 < SLOT_STARTELF && !v1) || (s1 < SLOT_STARTELF && !v2)) {
        Message_An_Manager(1, club1, "%s", "Ein verletzter oder gesperrter Spieler kann nicht in die Startelf!");
        Debug_Printf("Spieler_Tauschen_Intern: Spieler nicht einsatzfaehig\n");
        return false;
    }
    Spieler_Wert(SPW_SLOT, spieler1, s2, OP_SCHREIBEN);
    Spieler_Wert(SPW_SLOT, spieler2, s1, OP_SCHREIBEN);
    Status_Nach_Slot(spieler1, s2, v1, false);
    Status_Nach_Slot(spieler2, s1, v2, false);
    if (s2 < SLOT_STARTELF) Zelle_Nach_Slot(club1, spieler1, s2);
    if (s1 < SLOT_STARTELF) Zelle_Nach_Slot(club1, spieler2, s1);
    Team_Spieler_Positionen_Setzen(club1, -1);
    return true;
}

void Team_Rueckennummern(int32_t club) { Rueckennummern(club, false); }

void Team_Spieler_Positionen_Setzen(int32_t team, int32_t spieler) {
    if (team == -1) return;
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Team_Spieler_Positionen_Setzen: Team %d ungueltig\n", team);
        return;
    }
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    Linien_Setzen(team, liste, n, spieler, true);
}

void Team_Aufstellung_Ordnen(int32_t club) {
    if (!Club_Gueltig("Team_Aufstellung_Ordnen", club) || !Club_Client_Darf("Team_Aufstellung_Ordnen", club)) return;
    Kandidat kader[TEAM_SPIELER_MAX];
    int32_t n = Kader_Lesen(club, kader);
    int32_t folge[TEAM_SPIELER_MAX];
    for (int32_t i = 0; i < n; ++i) folge[i] = i;
    std::stable_sort(folge, folge + n, [&](int32_t a, int32_t b) { return kader[a].slot_alt < kader[b].slot_alt; });
    int32_t slot[TEAM_SPIELER_MAX];
    bool belegt[SLOT_STARTELF] = {};
    std::vector<int32_t> rest;
    for (int32_t k = 0; k < n; ++k) {
        int32_t i = folge[k], s = kader[i].slot_alt;
        if (s >= 0 && s < SLOT_STARTELF && !belegt[s]) {
            slot[i] = s;
            belegt[s] = true;
        } else {
            rest.push_back(i);
        }
    }
    // Vacant starting slots: the first available players of the bench and reserve.
    for (int32_t s = 0; s < SLOT_STARTELF; ++s) {
        if (belegt[s]) continue;
        auto it = std::find_if(rest.begin(), rest.end(), [&](int32_t i) { return kader[i].verfuegbar; });
        if (it == rest.end()) it = rest.begin();
        if (it == rest.end()) break;
        slot[*it] = s;
        belegt[s] = true;
        rest.erase(it);
    }
    int32_t naechster = SLOT_STARTELF;
    for (int32_t i : rest) slot[i] = naechster++;
    Aufstellung_Schreiben(SlotZellen(*Team_Aktuelle_Formation(club)), kader, n, slot);
    Team_Spieler_Positionen_Setzen(club, -1);
}

void Team_Aufstellung_Initialisieren(int32_t team) {
    if (team == -1) {
        for (int32_t t = 0; t < Team_Anzahl(); ++t)
            if (t != Team_Markt() && Teamspieler_Ins_Array(t, nullptr, 0, 0) > 0) Team_Aufstellung_Initialisieren(t);
        return;
    }
    if (!Club_Gueltig("Team_Aufstellung_Initialisieren", team) ||
        !Club_Client_Darf("Team_Aufstellung_Initialisieren", team))
        return;
    Formation* f = Team_Aktuelle_Formation(team);
    if (!Formation_Pruefen(*f)) Formation_Standard(Team_Formation_Index(team), f);
    bool manager = Team_Hat_Manager(team);
    if (!manager && !Team_Formation_Assi(team))
        Team_Wert(TW_FORMATION_BYTE, team, int8_t(uint8_t(Team_Formation_Index(team) | FORMATION_BYTE_ASSI)),
                  OP_SCHREIBEN);
    if (!manager || Team_Formation_Assi(team) || !Team_Aufstellung_Pruefen(team)) {
        Team_Auto_Aufstellung(team);
        return;
    }
    Team_Rueckennummern(team);
    Team_Spieler_Positionen_Setzen(team, -1);
}

void Team_Aufstellung_Nach_Wechsel(int32_t team, int32_t anderes, int32_t spieler, int32_t anderer) {
    // `spieler` went from `team` to `anderes`, `anderer` the other way; their
    // slots are still those of their old clubs.
    int32_t slot_spieler = spieler >= 0 ? Spieler_Wert(SPW_SLOT, spieler, 0, OP_LESEN) : -1;
    int32_t slot_anderer = anderer >= 0 ? Spieler_Wert(SPW_SLOT, anderer, 0, OP_LESEN) : -1;
    auto ankommen = [](int32_t club, int32_t p, int32_t slot) {
        if (p < 0) return;
        if (club == Team_Markt()) {
            Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_START | SP_STATUS_BANK | SP_STATUS_AUFGABEN), OP_LOESCHEN);
            Spieler_Wert(SPW_PARTNER, p, -1, OP_SCHREIBEN);
            Spieler_Wert(SPW_SLOT, p, TEAM_SPIELER_MAX - 1, OP_SCHREIBEN);
            return;
        }
        // The newcomer takes the place of the one who left, or the last one.
        Spieler_Wert(SPW_SLOT, p, slot >= 0 ? slot : TEAM_SPIELER_MAX - 1, OP_SCHREIBEN);
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_AUFGABEN), OP_LOESCHEN);
        Spieler_Wert(SPW_PARTNER, p, -1, OP_SCHREIBEN);
    };
    ankommen(anderes, spieler, slot_anderer);
    ankommen(team, anderer, slot_spieler);
    for (int32_t club : {team, anderes}) {
        if (club == Team_Markt() || club < 0 || club >= Team_Anzahl()) continue;
        if (!Team_Hat_Manager(club) || Team_Formation_Assi(club)) Team_Auto_Aufstellung(club);
        else Team_Aufstellung_Ordnen(club);
    }
}

bool Team_Aufstellung_Pruefen(int32_t club) {
    if (!Club_Gueltig("Team_Aufstellung_Pruefen", club)) return false;
    Kandidat kader[TEAM_SPIELER_MAX];
    int32_t n = Kader_Lesen(club, kader);
    bool belegt[TEAM_SPIELER_MAX] = {};
    const Formation& f = *Team_Aktuelle_Formation(club);
    if (!Formation_Pruefen(f)) {
        Debug_Printf("Team_Aufstellung_Pruefen: Team %d hat keine gueltige Formation\n", club);
        return false;
    }
    for (int32_t i = 0; i < n; ++i) {
        int32_t p = kader[i].spieler, s = kader[i].slot_alt;
        if (s < 0 || s >= TEAM_SPIELER_MAX || belegt[s]) {
            Debug_Printf("Team_Aufstellung_Pruefen: Spieler %d hat Slot %d doppelt/ungueltig\n", p, s);
            return false;
        }
        belegt[s] = true;
        uint32_t st = Spieler_Status(p);
        bool start = s < SLOT_STARTELF && kader[i].verfuegbar;
        bool bank = s >= SLOT_STARTELF && s < SLOT_BANK_ENDE && kader[i].verfuegbar;
        if (bool(st & SP_STATUS_START) != start || bool(st & SP_STATUS_BANK) != bank) {
            Debug_Printf("Team_Aufstellung_Pruefen: Spieler %d (Slot %d) hat Status %u\n", p, s, st);
            return false;
        }
        int32_t spalte, reihe;
        if (start && Spieler_Get_Art(p) != 0 && Formation_Zelle_Von_Slot(f, s, &spalte, &reihe) &&
            (Spieler_Wert(SPW_SPALTE, p, 0, OP_LESEN) != spalte ||
             Spieler_Wert(SPW_REIHE, p, 0, OP_LESEN) != reihe)) {
            Debug_Printf("Team_Aufstellung_Pruefen: Spieler %d steht nicht im Feld seines Slots %d\n", p, s);
            return false;
        }
    }
    return true;
}

int32_t Spieler_Positionsstaerke(int32_t spieler, int32_t linie_x, bool gespiegelt) {
    int32_t art = Spieler_Get_Art(spieler);
    if (art < 0) return 0;
    // The pitch as the panel's window shows it: length down the window, 258
    // rows, the own goal at the bottom. Only the row decides the band.
    int64_t x = (int64_t(linie_x) - 1000) * 10800 / 8800;
    if (!gespiegelt) x = 10800 - x;
    int64_t fenster_y = std::min<int64_t>(x * 257 / 10800, 257);
    int64_t band = std::clamp<int64_t>((280 - fenster_y) / 22 - 1, 0, 10);
    if (art == 0) return band == 0 ? 0 : Spieler_Wert(SPW_SPIEL_STERNE, spieler, 0, OP_LESEN) * 80 / 100;
    int32_t klasse = band <= 3 ? 1 : (band <= 7 ? 2 : 3);
    return klasse > art ? 2 * (klasse - art) : 2 * (art - klasse);
}

}  // namespace velmora
