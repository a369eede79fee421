// match/day/elfmeter.cpp
#include "match/day/elfmeter.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "club/team.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/liste.h"
#include "core/rnd.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "season/spiele.h"

namespace velmora {
namespace {

struct ElfmeterModul {
    bool angelegt = false;
    Listen_Element liste{};
    // Level sudden-death rounds per game. The saved record has no field for
    // them: a loaded shoot-out counts again from 0 and stays bounded.
    std::map<int32_t, int32_t> stechen;
};
ElfmeterModul g;

Elfmeter_Satz* Finden(int32_t spiel) {
    if (!g.angelegt) return nullptr;
    Listen_Element* e = Liste_Find_Key(&g.liste, spiel);
    return e ? static_cast<Elfmeter_Satz*>(e->daten) : nullptr;
}

Spielfeld_Satz* Satz_Ohne_Meldung(int32_t spiel) {
    return Spielfeld_Anzahl() > 0 ? Spielfeld_Suchen(spiel) : nullptr;
}

bool Live(const Spielfeld_Satz* satz) { return satz && satz->live == 1 && Spielfeld_Hooks().elfmeter_schuss_live; }

int32_t Schuetze(const Elfmeter_Satz& e, int32_t seite) {
    int32_t n = std::min<int32_t>(e.anzahl[seite], 11);
    return n > 0 ? e.schuetzen[seite][e.naechster[seite] % n] : -1;
}

bool Gueltig(const Elfmeter_Satz& e) {
    for (int32_t s = 0; s < 2; ++s)
        if (e.anzahl[s] > 11 || (e.anzahl[s] > 0 && e.naechster[s] >= e.anzahl[s]) || (e.anzahl[s] == 0 && e.naechster[s] != 0))
            return false;
    return e.seite <= 1 && e.erste_seite <= 1 && (e.phase_schuesse == 5 || e.phase_schuesse == 1) && e.runden <= 5;
}

}  // namespace

bool Elfmeter_Init() {
    if (!g.angelegt) g.angelegt = Liste_Anlegen(&g.liste);
    else Liste_Delete_All(&g.liste);
    g.stechen.clear();
    return g.angelegt;
}

void Elfmeter_Freigeben() {
    if (g.angelegt) Liste_Delete_All(&g.liste);
    g.stechen.clear();
}

bool Elfmeter_Vorbereiten(int32_t spiel) {
    SpielfeldSpiel daten;
    if (!g.angelegt || !Spielfeld_Hook_Spiel(spiel, &daten)) {
        Debug_Printf("So ein Quatsch, kein Elferschiessen möglich\n");
        return false;
    }
    Spielfeld_Satz* satz = Satz_Ohne_Meldung(spiel);
    // A live match's shoot-out draws from its record's index; without a
    // record from the game's.
    std::optional<Rnd_Eigener_Index> zufall;
    if (satz) zufall.emplace(satz->rnd_index);
    if (Finden(spiel)) Liste_Delete_Element(&g.liste, Liste_Find_Key(&g.liste, spiel));
    g.stechen.erase(spiel);
    Listen_Element* el = Liste_Insert(&g.liste, nullptr, nullptr, sizeof(Elfmeter_Satz), spiel);
    if (!el) {
        Debug_Printf("So ein Quatsch, kein Elferschiessen möglich\n");
        return false;
    }
    Elfmeter_Satz& e = *static_cast<Elfmeter_Satz*>(el->daten);
    for (int32_t s = 0; s < 2; ++s) {
        uint32_t liste[SF_SPIELER_SEITE];
        int32_t n = 0;
        if (satz) {
            for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
                const Spieler_Matchsatz& sm = satz->spieler[s * SF_SPIELER_SEITE + i];
                if (sm.nummer >= 0 && (sm.zustand & SM_AUF_PLATZ)) liste[n++] = uint32_t(sm.nummer);
            }
        } else {
            // Without a record the starting elevens of the club data take the kicks.
            int32_t spieler[TEAM_SPIELER_MAX];
            int32_t m = Teamspieler_Ins_Array(s == 0 ? daten.heim : daten.gast, spieler, TEAM_SPIELER_MAX, 16);
            for (int32_t i = 0; i < std::clamp(m, 0, int32_t(SF_SPIELER_SEITE)); ++i) liste[n++] = uint32_t(spieler[i]);
        }
        if (n > 11) {
            Debug_Printf("Team %d spielt mit zu vielen Spielern\n", s == 0 ? daten.heim : daten.gast);
            n = 11;
        }
        Misch_U32(liste, n);
        for (int32_t i = 0; i < n; ++i) e.schuetzen[s][i] = int32_t(liste[i]);
        e.anzahl[s] = uint8_t(n);
        e.start_tore[s] = s == 0 ? daten.heim_tore : daten.gast_tore;
    }
    e.seite = uint8_t(Rnd(0, 1));
    e.erste_seite = e.seite;
    e.phase_schuesse = 5;
    e.runden = 5;
    if (Live(satz)) Spielfeld_Hooks().elfmeter_schuss_live(satz, e.seite, Schuetze(e, e.seite));
    return true;
}

bool Elfmeter_Tore(int32_t spiel, int32_t* heim, int32_t* gast) {
    Elfmeter_Satz* e = Finden(spiel);
    SpielfeldSpiel daten;
    if (!e || !Spielfeld_Hook_Spiel(spiel, &daten)) return false;
    if (heim) *heim = daten.heim_tore - e->start_tore[0];
    if (gast) *gast = daten.gast_tore - e->start_tore[1];
    return true;
}

bool Elfmeter_Schuss(int32_t spiel, int32_t* los) {
    if (los) *los = -1;
    Elfmeter_Satz* e = Finden(spiel);
    SpielfeldSpiel daten;
    if (!e || !Gueltig(*e) || !Spielfeld_Hook_Spiel(spiel, &daten)) {
        Debug_Printf("Elferschiessen nicht mehr da??\n");
        return false;
    }
    Spielfeld_Satz* satz = Satz_Ohne_Meldung(spiel);
    // A live match's shoot-out draws from its record's index; without a
    // record from the game's.
    std::optional<Rnd_Eigener_Index> zufall;
    if (satz) zufall.emplace(satz->rnd_index);
    int32_t seite = e->seite;
    int32_t schuetze = Schuetze(*e, seite);
    if (!Live(satz) && Rnd(0, 3) != 0) {
        if (Spielfeld_Hooks().spiel_ereignis)
            Spielfeld_Hooks().spiel_ereignis(spiel, seite == 0 ? EREIGNIS_TOR | EREIGNIS_HEIM : EREIGNIS_TOR,
                                             daten.minute, schuetze, SPIEL_KEIN_SPIELER);
        else
            Debug_Printf("Elfmeter_Schuss: Spiel_Ereignis nicht angebunden\n");
        Spielfeld_Hook_Spiel(spiel, &daten);
    }
    int32_t tore[2] = {daten.heim_tore - e->start_tore[0], daten.gast_tore - e->start_tore[1]};
    int32_t k = tore[seite], o = tore[1 - seite];
    int32_t beide = seite != e->erste_seite ? 1 : 0;
    int32_t r = e->runden;
    Debug_Printf("%d:%d Max:%d:%d %d\n", k, o, k + r, o + r, r);
    if (r > 0 && (k + r - 1 < o || k > o + r - beide)) {
        r = 0;
        beide = 1;
    }
    e->runden = uint8_t(r);
    if (r == 0 && k != o && beide) {
        return true;
    }
    // The index jump can cycle on the fixed table when nothing else draws, and
    // every round of the cycle may end level: after ELFMETER_STECHEN_MAX level
    // sudden-death rounds the tie goes by lot.
    if (beide && e->phase_schuesse == 1 && ++g.stechen[spiel] >= ELFMETER_STECHEN_MAX) {
        int32_t seite_los = Rnd(0, 1);
        if (los) *los = seite_los;
        Debug_Printf("Elfmeterschiessen %d: nach %d Runden Stechen entscheidet das Los\n", spiel,
                     ELFMETER_STECHEN_MAX);
        g.stechen.erase(spiel);
        return true;
    }
    if (e->anzahl[seite] > 0) e->naechster[seite] = uint8_t((e->naechster[seite] + 1) % e->anzahl[seite]);
    if (beide && e->runden > 0) {
        e->runden -= 1;
        if (e->runden == 0) {
            e->phase_schuesse = 1;
            e->runden = 1;
        }
    } else if (e->runden == 0) {
        // A level shoot-out never stops: the next round is sudden death.
        e->phase_schuesse = 1;
        e->runden = 1;
    }
    e->seite = uint8_t(1 - seite);
    if (Live(satz)) Spielfeld_Hooks().elfmeter_schuss_live(satz, e->seite, Schuetze(*e, e->seite));
    return false;
}

const Elfmeter_Satz* Elfmeter_Get(int32_t spiel) { return Finden(spiel); }

void Elfmeter_Save(std::vector<uint8_t>& out) {
    out.clear();
    if (!g.angelegt) {
        out.assign(4, 0);
        return;
    }
    out.resize(Liste_Memory_Groesse(&g.liste, LISTE_ALLE));
    Liste_To_Memory(out.data(), out.size(), &g.liste, LISTE_ALLE);
}

bool Elfmeter_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes < 4) return false;
    // The list keeps every shoot-out of the game, so it grows season by
    // season: its length is bounded by the block alone, as the list wrote it.
    uint32_t n = Bytes_Get32(in);
    if (n > (bytes - 4) / (8 + sizeof(Elfmeter_Satz))) return false;
    size_t pos = 4;
    for (uint32_t i = 0; i < n; ++i) {
        if (bytes - pos < 8 || Bytes_Get32(in + pos + 4) != sizeof(Elfmeter_Satz) ||
            bytes - pos - 8 < sizeof(Elfmeter_Satz))
            return false;
        Elfmeter_Satz e;
        std::memcpy(&e, in + pos + 8, sizeof e);
        if (!Gueltig(e)) {
            Debug_Printf("Elfmeter_Load: Elfmeterschiessen %u ungueltig\n", i);
            return false;
        }
        pos += 8 + sizeof e;
    }
    if (pos != bytes) return false;
    if (!g.angelegt && !Elfmeter_Init()) return false;
    g.stechen.clear();
    return Liste_From_Memory(in, bytes, &g.liste);
}

}  // namespace velmora
