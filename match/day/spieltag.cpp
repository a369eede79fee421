// match/day/spieltag.cpp - the match day's slot table: its life, the day's
// refill and start groups, the queries on it, and its save block.
#include "match/day/spieltag.h"

#include <algorithm>
#include <cstring>

#include "club/aufstellung.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "match/day/elfmeter.h"
#include "match/record/spielfeld_sync.h"
#include "match/day/spieltag_intern.h"
#include "match/day/spieltag_netz.h"
#include "platform/clock.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {

namespace {

constexpr int32_t WETTBEWERBE_MAX = 256;

void Leeren(Spieltag_Slot& s) {
    std::memset(&s, 0, sizeof s);
    s.spiel = SPIELTAG_LEER;
}

}  // namespace

namespace spieltag_intern {

SpieltagModul g;

bool Bereit() {
    if (!g.initialisiert) Debug_Printf("Spieltag wurde nicht initialisiert!\n");
    return g.initialisiert;
}

int32_t Belegt() {
    int32_t n = 0;
    while (n < SPIELTAG_SLOTS && !Leer(g.slot[n])) ++n;
    return n;
}

int32_t Slot_Von_Spiel(int32_t spiel) {
    if (spiel == 0) return -1;
    // A game has one slot (the refill takes no game twice): the slot found
    // last, asked again frame by frame for a live record, needs no scan.
    const Spieltag_Slot& h = g.slot[g.slot_gefunden];
    if (h.spiel == spiel && !Leer(h)) return g.slot_gefunden;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i)
        if (g.slot[i].spiel == spiel) return g.slot_gefunden = i;
    return -1;
}

void Slot_Entfernen(int32_t i) {
    if (g.slot[i].spiel > 0) Spiele_Unlock(g.slot[i].spiel);
    int32_t n = Belegt();
    for (int32_t j = i; j + 1 < n; ++j) g.slot[j] = g.slot[j + 1];
    Leeren(g.slot[n - 1]);
}

}  // namespace spieltag_intern

using namespace spieltag_intern;

namespace {

// Weather of the day from the host nation's climate: temperature in degrees
// (signed, -43..50) and precipitation 0-100.
void Wetter_Setzen(SpielDatensatz& sp, int32_t a, int32_t b, int32_t c) {
    static constexpr int32_t WINTER[12] = {90, 100, 84, 66, 50, 34, 16, 0, 16, 33, 55, 76};
    static constexpr int32_t SOMMER[12] = {10, 0, 16, 33, 50, 66, 84, 100, 84, 66, 45, 24};
    int32_t gastgeber = sp.heim;
    const WettbewerbInfo* info = Wettbewerb_Get_Info(sp.wettbewerb);
    if (info && info->gastgeber >= 0 && info->gastgeber < Team_Anzahl()) gastgeber = info->gastgeber;
    int32_t nation = gastgeber >= 0 && gastgeber < Team_Anzahl() ? Team_Wert(TW_NATION, gastgeber, 0, OP_LESEN) : -1;
    const uint8_t* klima = nation >= 0 && nation < Team_Anzahl()
                               ? static_cast<const uint8_t*>(Team_Zeiger(TZ_KLIMA, nation, nullptr, OP_LESEN))
                               : nullptr;
    int32_t winter = klima ? klima[0] - 100 : -5;
    int32_t sommer = klima ? klima[1] - 100 : 25;
    int32_t nass = klima ? klima[2] * 100 / 40 : 50;
    int32_t m = Spieltag_Hook_Monat() - 1;
    int32_t temperatur = (winter * WINTER[m] + sommer * SOMMER[m]) / 100 + a + Rnd(0, 4) - 2;
    temperatur = std::clamp(temperatur, -43, 50);
    int32_t wetter = std::clamp((nass * c + b * (100 - c)) / 100 + Rnd(0, 20) - 10, 0, 100);
    if (temperatur < 2 && Rnd(0, 4) == 0 && wetter < 76) wetter = 77;
    sp.temperatur = uint8_t(int8_t(temperatur));
    sp.niederschlag = uint8_t(wetter);
}

// Set-up of one new slot: weather, suspensions and line-ups.
void Slot_Einrichten(int32_t i) {
    SpielDatensatz* sp = Spiel(g.slot[i]);
    if (!sp) {
        Debug_Printf("Spieltag_Slot_Einrichten: Spiel %d fehlt\n", g.slot[i].spiel);
        return;
    }
    int32_t a = Rnd(0, 6) - 3, b = Rnd(0, 100), c = Rnd(0, 50);
    const int32_t teams[2] = {sp->heim, sp->gast};
    const int32_t wettbewerb = sp->wettbewerb;
    // The crowd values (they draw nothing) only serve the ticket price here.
    if (teams[0] >= 0 && Spieltag_Hooks().preis_anpassen) {
        int32_t p = 0, wichtigkeit = 0, basis = 0;
        Zuschauer_Werte(*sp, &p, &wichtigkeit, &basis);
        Spieltag_Hooks().preis_anpassen(teams[0], g.slot[i].spiel, basis);
    }
    sp = Spiel(g.slot[i]);
    Wetter_Setzen(*sp, a, b, c);
    Rnd(0, 1);
    for (int32_t t : teams)
        if (t >= 0) Spiele_Setze_Sperren_Spieler_Vor_Spiel(wettbewerb, t, 1);
    for (int32_t t : teams) {
        if (t < 0) continue;
        if (Team_Hat_Manager(t)) Check_Und_Set_Aa(t);
        else Team_Auto_Aufstellung(t);
    }
}

void Bereit_Vorgeben(Spieltag_Slot& s, const SpielDatensatz& sp) {
    const int32_t teams[2] = {sp.heim, sp.gast};
    int32_t netz = Netz();
    for (int32_t seite = 0; seite < 2; ++seite) {
        int32_t t = teams[seite];
        if (netz == 0) s.bereit[seite] = 2;
        else if (netz == 1) s.bereit[seite] = (t >= 0 && t == Team_Lokal()) ? 1 : 2;
        else {
            // Server: a side is ready when no client plays it. A client's side
            // is confirmed (1) once its client reported the end of its day; its
            // match is computed live, and the side is ready with its fetch.
            const uint32_t status = t < 0 ? 0 : uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN));
            if (t < 0 || t == Team_Lokal() || !(status & TEAM_STATUS_CLIENT))
                s.bereit[seite] = 2;
            else if ((status & TEAM_STATUS_BEREIT) && s.bereit[seite] == 0)
                s.bereit[seite] = Spieltag_Hooks().tick && Spieltag_Client_Spielt_Live(t) ? 1 : 2;
        }
    }
}

// Drops the closed slots with their game locks and closes the gaps; the
// number of slots still in use.
int32_t Geschlossene_Entfernen() {
    int32_t frei = 0;
    for (int32_t i = 0; i < SPIELTAG_SLOTS; ++i) {
        Spieltag_Slot& s = g.slot[i];
        if (Leer(s)) continue;
        if (s.status == SLOT_GESCHLOSSEN) {
            if (s.spiel > 0) Spiele_Unlock(s.spiel);
            Leeren(s);
            continue;
        }
        if (i != frei) {
            g.slot[frei] = s;
            Leeren(s);
        }
        ++frei;
    }
    return frei;
}

}  // namespace

// ---------------------------------------------------------------------------
// Lifecycle.

bool Spieltag_Init() {
    if (g.initialisiert) Spieltag_Slots_Loeschen();
    for (Spieltag_Slot& s : g.slot) Leeren(s);
    if (!Elfmeter_Init()) {
        Debug_Printf("Spieltag_Init: keine Elfmeterliste\n");
        return false;
    }
    g.initialisiert = true;
    g.gesperrt = g.voll = g.nicht_gestartet = false;
    Spielfeld_Sync_Warten_Vergessen(-1);
    Spielfeld_Init();
    g.uhr = float(g.uhr_start);
    return true;
}

void Spieltag_Slots_Loeschen() {
    for (Spieltag_Slot& s : g.slot) {
        if (!Leer(s) && s.spiel > 0) Spiele_Unlock(s.spiel);
        Leeren(s);
    }
    Elfmeter_Freigeben();
    Spielfeld_Sync_Warten_Vergessen(-1);
    Spielfeld_Abruf_Aufgeben();
    if (Spieltag_Hooks().radar_freigeben) Spieltag_Hooks().radar_freigeben();
    Spielfeld_Freigeben();
    g.gesperrt = g.voll = false;
    g.initialisiert = false;
}

void Spieltag_Geschlossene_Freigeben() { Geschlossene_Entfernen(); }

bool Spieltag_Ist_Initialisiert() { return g.initialisiert; }

int32_t Spieltag_Slots_Auffuellen() {
    if (!Bereit() || Netz() == 1) return 0;
    int32_t frei = Geschlossene_Entfernen();
    if (frei == 0 && g.gesperrt) {
        // Nothing of the days before is left: no lock of the match day remains.
        g.gesperrt = false;
        Spiele_Lock_Alle();
    }
    int32_t wettbewerbe[WETTBEWERBE_MAX];
    int32_t n = Spieltag_Hook_Wettbewerbe(wettbewerbe, WETTBEWERBE_MAX);
    int32_t eingetragen = 0;
    g.voll = false;
    for (int32_t k = 0; k < n; ++k) {
        int32_t platz = SPIELTAG_SLOTS - frei;
        if (platz <= 0) {
            g.voll = true;
            break;
        }
        int32_t spiele[SPIELTAG_SLOTS];
        int32_t m = Spieltag_Hook_Spiele(wettbewerbe[k], spiele, platz);
        if (m >= platz) g.voll = true;
        for (int32_t j = 0; j < m; ++j) {
            int32_t h = spiele[j];
            const SpielDatensatz* sp = h > 0 && h <= 0x7FFF ? Spiele_Get_Spiel(h, 1) : nullptr;
            bool schon = Slot_Von_Spiel(h) >= 0;
            if (!sp || schon || (sp->flags & SPIEL_FLAG_GESPIELT) || frei >= SPIELTAG_SLOTS) {
                // Already in the table, played or unknown: the lock goes back.
                Spiele_Unlock(h);
                continue;
            }
            Spieltag_Slot& s = g.slot[frei++];
            Leeren(s);
            s.spiel = int16_t(h);
            s.status = SLOT_NEU;
            g.gesperrt = true;
            ++eingetragen;
        }
    }
    for (int32_t i = 0; i < frei; ++i)
        if (g.slot[i].status == SLOT_NEU) Slot_Einrichten(i);
    return eingetragen;
}

bool Spieltag_Slots_Vorbereiten() {
    if (!Bereit()) return false;
    int32_t n = Belegt();
    int32_t gruppe = 1;
    for (bool belegt = true; belegt && gruppe < 127;) {
        belegt = false;
        for (int32_t i = 0; i < n; ++i)
            if (g.slot[i].startgruppe == gruppe) belegt = true;
        if (belegt) ++gruppe;
    }
    bool vorbereitet = false;
    uint32_t jetzt = Plat_Ms();
    for (int32_t i = 0; i < n; ++i) {
        Spieltag_Slot& s = g.slot[i];
        if (s.spiel == 0 || s.status != SLOT_NEU) continue;
        const SpielDatensatz* sp = Spiel(s);
        if (!sp) continue;
        s.startgruppe = int8_t(gruppe);
        s.zeit_vorbereitet = s.zeit_vorbereitet_2 = jetzt;
        Spiele_Ereignis_Array(s.spiel);
        sp = Spiel(s);
        Bereit_Vorgeben(s, *sp);
        vorbereitet = true;
    }
    return vorbereitet;
}

// ---------------------------------------------------------------------------
// Queries.

bool Spieltag_Team_Hat_Spiel(int32_t team) {
    if (!Bereit()) return false;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        // A game already played (its slot stays until the next match day fills
        // the table) is not today's: the day after a match has none.
        const SpielDatensatz* sp = Spiel(g.slot[i]);
        if (sp && sp->tore_heim < 0 && (sp->heim == team || sp->gast == team)) return true;
    }
    return false;
}

bool Spieltag_Team_Im_Spiel(int32_t team) {
    if (!Bereit()) return false;
    int32_t schwelle = Netz() == 1 ? 0 : 1;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        const Spieltag_Slot& s = g.slot[i];
        const SpielDatensatz* sp = Spiel(s);
        if (!sp) continue;
        int32_t seite = sp->heim == team ? 0 : (sp->gast == team ? 1 : -1);
        if (seite < 0) continue;
        if ((s.status & SLOT_LAUFEND_MASKE) || (s.bereit[seite] > schwelle && s.status != SLOT_GESCHLOSSEN)) return true;
    }
    return false;
}

bool Spieltag_Spiele_Offen() {
    if (!Bereit()) return false;
    // Asked every frame: one walk that stops at the first open slot.
    for (int32_t i = 0; i < SPIELTAG_SLOTS && !Leer(g.slot[i]); ++i)
        if (g.slot[i].status != SLOT_GESCHLOSSEN) return true;
    return false;
}

bool Spieltag_Team_Spiel_Ausstehend(int32_t team) {
    if (!Bereit()) return false;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        const SpielDatensatz* sp = Spiel(g.slot[i]);
        if (sp && g.slot[i].status != SLOT_GESCHLOSSEN && sp->tore_heim < 0 && (sp->heim == team || sp->gast == team))
            return true;
    }
    return false;
}

int32_t Spieltag_Spiel_Info(int32_t team, int32_t* seite, int32_t* wichtigkeit, int32_t* spiel, int32_t* wettbewerb) {
    if (!Bereit()) return -1;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        const SpielDatensatz* sp = Spiel(g.slot[i]);
        if (!sp || sp->tore_heim >= 0 || (sp->heim != team && sp->gast != team)) continue;
        int32_t s = sp->heim == team ? 0 : 1;
        if (!Wettbewerb_Hat_Heimrecht(sp->wettbewerb)) s = 0;
        if (seite) *seite = s;
        if (wichtigkeit) *wichtigkeit = Wettbewerb_Spiel_Wichtigkeit(sp->wettbewerb, sp->runde);
        if (spiel) *spiel = g.slot[i].spiel;
        if (wettbewerb) *wettbewerb = sp->wettbewerb;
        return sp->heim == team ? sp->gast : sp->heim;
    }
    // No game today: the next one of the team's fixtures, with its side and competition.
    int32_t gegner = -1, w = -1;
    Spiel_Lock naechstes = Statistik_Spiele_Von_Team(team, 0, 0, &gegner, &w, nullptr);
    if (naechstes) {
        const SpielDatensatz* sp = Spiele_Get_Spiel(naechstes, 0);
        if (seite) *seite = sp && sp->gast == team && Wettbewerb_Hat_Heimrecht(w) ? 1 : 0;
        if (wettbewerb) *wettbewerb = w;
        Spiele_Unlock(naechstes);
    }
    return gegner;
}

void Spieltag_Spiele_Des_Wettbewerbs(int32_t wettbewerb, std::vector<int32_t>& liste) {
    if (!g.initialisiert) {
        Debug_Printf("Spieltag-Modul nicht initialisiert!\n");
        return;
    }
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i)
        if (Spieltag_Slot_Wettbewerb(i) == wettbewerb) liste.push_back(g.slot[i].spiel);
}

int32_t Spieltag_Slot_Status(int32_t spiel) {
    if (!Bereit()) return 0;
    int32_t i = Slot_Von_Spiel(spiel);
    return i >= 0 ? g.slot[i].status : 0;
}

int32_t Spieltag_Slot_Wettbewerb(int32_t i) {
    if (!Bereit() || i < 0 || i >= SPIELTAG_SLOTS) return -1;
    const SpielDatensatz* sp = Spiel(g.slot[i]);
    return sp ? sp->wettbewerb : -1;
}

bool Spieltag_Get_Slot(int32_t i, Spieltag_Slot* out) {
    if (!g.initialisiert || i < 0 || i >= SPIELTAG_SLOTS || !out || Leer(g.slot[i])) return false;
    *out = g.slot[i];
    return true;
}

int32_t Spieltag_Slot_Anzahl() { return g.initialisiert ? Belegt() : 0; }

void Spieltag_Team_Bereit_Setzen(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return;
    // The bit is kept also before the day's slots exist: their presetting reads it.
    Team_Wert(TW_STATUS, team, int32_t(TEAM_STATUS_BEREIT), OP_SETZEN);
    if (!Bereit()) return;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        Spieltag_Slot& s = g.slot[i];
        const SpielDatensatz* sp = Spiel(s);
        if (!sp) continue;
        // Once the match day prepared a slot, a report only makes a side
        // that is not ready ready: a side the computer took over (2, its
        // client dropped) stays the computer's. Lowered to 1 it waited for a
        // fetch of the record that a client arriving on the match day never
        // makes, and its start group, a human's match among them, with it.
        const bool vorbereitet = s.status != SLOT_NEU || s.startgruppe != 0;
        for (int32_t seite = 0; seite < 2; ++seite) {
            if ((seite == 0 ? sp->heim : sp->gast) != team) continue;
            if (!vorbereitet) s.bereit[seite] = 1;
            else if (s.bereit[seite] == 0) s.bereit[seite] = Spieltag_Hooks().tick && Spieltag_Client_Spielt_Live(team) ? 1 : 2;
        }
    }
}

void Spieltag_Team_Freigeben(int32_t team) {
    if (team < 0 || !Bereit()) return;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        Spieltag_Slot& s = g.slot[i];
        const SpielDatensatz* sp = Spiel(s);
        if (!sp || s.status == SLOT_BEENDET || s.status == SLOT_GESCHLOSSEN) continue;
        for (int32_t seite = 0; seite < 2; ++seite) {
            if ((seite == 0 ? sp->heim : sp->gast) != team) continue;
            s.bereit[seite] = 2;
            if (Spielfeld_Satz* satz = Satz(s)) satz->computer[seite] = satz->computer2[seite] = 1;
        }
    }
}

void Spieltag_Team_Bereit_Loeschen(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return;
    Team_Wert(TW_STATUS, team, int32_t(TEAM_STATUS_BEREIT), OP_LOESCHEN);
    if (!Bereit()) return;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        const SpielDatensatz* sp = Spiel(g.slot[i]);
        if (!sp) continue;
        for (int32_t seite = 0; seite < 2; ++seite)
            if ((seite == 0 ? sp->heim : sp->gast) == team && g.slot[i].bereit[seite] == 1) g.slot[i].bereit[seite] = 0;
    }
}

bool Spieltag_Seite_Geladen(int32_t spiel, int32_t seite) {
    if (!Bereit() || seite < 0 || seite > 1 || Netz() != 2) return false;
    int32_t i = Slot_Von_Spiel(spiel);
    if (i < 0 || g.slot[i].bereit[0] < 1 || g.slot[i].bereit[1] < 1) return false;
    g.slot[i].bereit[seite] = 2;
    return true;
}

int32_t Spieltag_Team_Zustand(int32_t team) {
    if (!g.initialisiert || team < 0) return 0;
    const int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        const SpielDatensatz* sp = Spiel(g.slot[i]);
        if (sp && (sp->heim == team || sp->gast == team) && g.slot[i].status != SLOT_GESCHLOSSEN)
            return g.slot[i].status;
    }
    return 0;
}

bool Spieltag_Client_Slot_Setzen(const Spieltag_Slot& neu) {
    if (!Bereit() || Netz() != 1 || neu.spiel <= 0) return false;
    if (Belegt() > 0) Slot_Entfernen(0);
    Spieltag_Slot& s = g.slot[Belegt()];
    s = neu;
    // A slot taken from the server starts here: the client's own side is
    // confirmed (1), the other side ready.
    if (s.status < SLOT_NEU || s.status > SLOT_ELFMETER) s.status = SLOT_NEU;
    g.gesperrt = true;
    return true;
}

bool Spieltag_Client_Abschnitt_Folgen(int32_t spiel) {
    if (!Bereit() || Netz() != 1) return false;
    const int32_t i = Slot_Von_Spiel(spiel);
    Spielfeld_Satz* satz = i >= 0 ? Satz(g.slot[i]) : nullptr;
    // The record counts its periods from 1, the slot from 0.
    if (!satz || satz->abschnitt < 1 || satz->abschnitt > 127) return false;
    g.slot[i].abschnitt = int8_t(satz->abschnitt - 1);
    return true;
}

// ---------------------------------------------------------------------------
// Save game.

void Spieltag_Save(std::vector<uint8_t>& out) {
    out.push_back(g.initialisiert ? 1 : 0);
    if (!g.initialisiert) return;
    size_t pos = out.size();
    out.resize(pos + SLOTS_BYTES);
    std::memcpy(out.data() + pos, g.slot, SLOTS_BYTES);
    std::vector<uint8_t> elfer;
    Elfmeter_Save(elfer);
    out.insert(out.end(), elfer.begin(), elfer.end());
    uint8_t uhr[4];
    Bytes_Put32(uhr, uint32_t(g.uhr_start));
    out.insert(out.end(), uhr, uhr + 4);
}

bool Spieltag_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes < 1 || in[0] > 1) {
        Debug_Printf("Spieltag_Load: Block ungueltig\n");
        return false;
    }
    if (in[0] == 0) {
        if (bytes != 1) {
            Debug_Printf("Spieltag_Load: Block ungueltig\n");
            return false;
        }
        // A game saved before its first match day: its table stands empty.
        Spieltag_Init();
        return true;
    }
    if (bytes < 1 + SLOTS_BYTES + 4 + 4) {
        Debug_Printf("Spieltag_Load: Block zu kurz (%zu Bytes)\n", bytes);
        return false;
    }
    // Check everything before anything changes: dense slots of known states
    // whose games exist, the shoot-out list and the clock start.
    Spieltag_Slot neu[SPIELTAG_SLOTS];
    std::memcpy(neu, in + 1, SLOTS_BYTES);
    bool leer_gesehen = false;
    for (int32_t i = 0; i < SPIELTAG_SLOTS; ++i) {
        const Spieltag_Slot& s = neu[i];
        if (Leer(s)) {
            leer_gesehen = true;
            continue;
        }
        bool status_ok = s.status == 0 || s.status == 1 || s.status == 2 || s.status == 4 || s.status == 8 ||
                         s.status == 16 || s.status == 32;
        bool spiel_ok = s.spiel == 0 || (s.spiel > 0 && Spiele_Get_Spiel(s.spiel, 1));
        if (leer_gesehen || !status_ok || !spiel_ok || s.bereit[0] < 0 || s.bereit[0] > 2 || s.bereit[1] < 0 ||
            s.bereit[1] > 2 || s.abschnitt < 0 || s.abschnitt > 16) {
            Debug_Printf("Spieltag_Load: Slot %d ungueltig\n", i);
            return false;
        }
    }
    const uint8_t* liste = in + 1 + SLOTS_BYTES;
    size_t liste_bytes = bytes - 1 - SLOTS_BYTES - 4;
    int32_t uhr_start = int32_t(Bytes_Get32(in + bytes - 4));
    if (uhr_start < 0 || uhr_start > 1000) {
        Debug_Printf("Spieltag_Load: Uhrstart %d ungueltig\n", uhr_start);
        return false;
    }
    bool war = g.initialisiert;
    if (!war && !Elfmeter_Init()) return false;
    if (!Elfmeter_Load(liste, liste_bytes)) {
        Debug_Printf("Spieltag_Load: Elfmeterliste ungueltig\n");
        return false;
    }
    for (Spieltag_Slot& s : g.slot)
        if (!Leer(s) && s.spiel > 0) Spiele_Unlock(s.spiel);
    std::memcpy(g.slot, neu, SLOTS_BYTES);
    Spielfeld_Sync_Warten_Vergessen(-1);
    // The fixtures store does not keep locks in the save: the table takes its games' locks again.
    for (Spieltag_Slot& s : g.slot) {
        if (Leer(s) || s.spiel <= 0) continue;
        const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 1);
        Spiel_Lock h = Spiele_Lock(sp->wettbewerb, sp->runde, sp->paarung, sp->spieltag);
        if (h != s.spiel) {
            Spiele_Unlock(h);
            Debug_Printf("Spieltag_Load: Spiel %d hat Sperre %d\n", s.spiel, h);
        }
    }
    g.uhr_start = uhr_start;
    g.initialisiert = true;
    g.gesperrt = Belegt() > 0;
    g.voll = false;
    return true;
}

bool Spieltag_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Spieltag", 30, Spieltag_Save, Spieltag_Load, [] { Spieltag_Init(); }});
}

}  // namespace velmora
