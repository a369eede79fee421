// match/spieltag.cpp - the match day: slot table, walk, start, periods,
// closing and the end of a competition's day.
#include "match/spieltag.h"

#include <algorithm>
#include <cstring>

#include "club/aufstellung.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/stoppuhr.h"
#include "core/str.h"
#include "match/elfmeter.h"
#include "match/minuten_wuerfel.h"
#include "match/spielfeld.h"
#include "match/spielfeld_anzeige.h"
#include "match/spielfeld_ereignis.h"
#include "match/spielfeld_standard.h"
#include "match/spielfeld_hooks.h"
#include "match/spielfeld_tick.h"
#include "match/spieltag_hooks.h"
#include "match/spieltag_netz.h"
#include "match/spielfeld_sync.h"
#include "net/net.h"
#include "platform/clock.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {
namespace {

constexpr int32_t UHR_START = 90;
constexpr int32_t STRAFE_NEWS = 516;
constexpr int32_t BUCHUNG_STRAFE = 22;
constexpr int32_t WETTBEWERBE_MAX = 256;
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
};
SpieltagModul g;

bool Bereit() {
    if (!g.initialisiert) Debug_Printf("Spieltag wurde nicht initialisiert!\n");
    return g.initialisiert;
}

bool Leer(const Spieltag_Slot& s) { return s.spiel == SPIELTAG_LEER; }

void Leeren(Spieltag_Slot& s) {
    std::memset(&s, 0, sizeof s);
    s.spiel = SPIELTAG_LEER;
}

// Occupied entries: the table is dense, so every walk stops at the first empty one.
int32_t Belegt() {
    int32_t n = 0;
    while (n < SPIELTAG_SLOTS && !Leer(g.slot[n])) ++n;
    return n;
}

SpielDatensatz* Spiel(const Spieltag_Slot& s) { return s.spiel > 0 ? Spiele_Get_Spiel(s.spiel, 1) : nullptr; }

Spielfeld_Satz* Satz(const Spieltag_Slot& s) {
    return (s.spiel > 0 && Spielfeld_Anzahl() > 0) ? Spielfeld_Suchen(s.spiel) : nullptr;
}

// A record is computed live only while there is a tick to compute it.
bool Live(const Spielfeld_Satz* satz) { return satz && satz->live == 1 && Spieltag_Hooks().tick; }

int32_t Netz() { return Spielfeld_Hook_Netz_Modus(); }

int32_t Slot_Von_Spiel(int32_t spiel) {
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i)
        if (g.slot[i].spiel == spiel && spiel != 0) return i;
    return -1;
}

// Every slot of the slot's start group (a slot without group is its own group) passes `f`.
template <class F>
bool Gruppe_Alle(int32_t i, F f) {
    int8_t gruppe = g.slot[i].startgruppe;
    if (gruppe == 0) return f(g.slot[i]);
    int32_t n = Belegt();
    for (int32_t j = 0; j < n; ++j)
        if (g.slot[j].spiel != 0 && g.slot[j].startgruppe == gruppe && !f(g.slot[j])) return false;
    return true;
}

// Takes a slot out of the table and closes the gap, so later slots stay reachable.
void Slot_Entfernen(int32_t i) {
    if (g.slot[i].spiel > 0) Spiele_Unlock(g.slot[i].spiel);
    int32_t n = Belegt();
    for (int32_t j = i; j + 1 < n; ++j) g.slot[j] = g.slot[j + 1];
    Leeren(g.slot[n - 1]);
}

// The ticket-price and crowd values of a game: the stake mix p, its importance
// and the spectator base.
void Zuschauer_Werte(const SpielDatensatz& sp, int32_t* p, int32_t* wichtigkeit, int32_t* basis) {
    const int32_t teams[2] = {sp.heim, sp.gast};
    int32_t anteil[2] = {80, 80};
    Wettbewerb_Spiel_Bedeutung_Teams(sp.wettbewerb, teams, anteil, 2);
    *wichtigkeit = std::clamp(Wettbewerb_Spiel_Wichtigkeit(sp.wettbewerb, sp.runde), 0, 100);
    *p = ((anteil[0] * 80 + anteil[1] * 20) / 100 - 50) * 60 / 100 + 50;
    *basis = ((*p + 50) * 60 + 4000) / 100 * *wichtigkeit / 100;
}

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

void Abgesagt_Bestrafen(int32_t team) {
    int32_t strafe = Spieltag_Absage_Strafe(team);
    const char* betrag = Spieltag_Hook_Geld_Text(float(strafe), team);
    Spieltag_Hook_News(team, STRAFE_NEWS,
                       Str_Format("Ihr Spiel wurde abgesagt, da Sie zu wenig Spieler eingesetzt haben! Sie zahlen %s Strafe.",
                                  betrag));
    Spieltag_Hook_Ueberweisung(team, -1, float(strafe), BUCHUNG_STRAFE);
}

// A venue on neutral ground: a club whose stadium holds the game's crowd and
// whose nation fits; the demand drops by 1000 every 100 tries.
int32_t Neutraler_Ort(const SpielDatensatz& sp, int32_t wichtigkeit) {
    int32_t bedarf = wichtigkeit * 70000 / 100, versuche = 100;
    int32_t anzahl = Team_Anzahl();
    if (anzahl <= 0) return -1;
    int32_t n_heim = sp.heim >= 0 ? Team_Wert(TW_NATION, sp.heim, 0, OP_LESEN) : -1;
    int32_t n_gast = sp.gast >= 0 ? Team_Wert(TW_NATION, sp.gast, 0, OP_LESEN) : -1;
    bool international = Wettbewerb_Ist_International(sp.wettbewerb);
    for (;;) {
        int32_t r = Rnd(0, anzahl - 1);
        int32_t kapazitaet = Team_Ist_Normal(r, 72) ? Spieltag_Hook_Kapazitaet(r) : -1;
        if (kapazitaet >= 0) {
            int32_t nation = Team_Wert(TW_NATION, r, 0, OP_LESEN);
            bool passt = international ? (nation != n_heim && nation != n_gast)
                                       : (n_heim != n_gast || nation == n_heim);
            if (passt && kapazitaet >= bedarf) return r;
        }
        if (bedarf <= 1000) return -1;
        if (--versuche == 0) {
            bedarf -= 1000;
            versuche = 100;
        }
    }
}

// Whether the match is watched: a human club plays, some club whose manager
// has a turn today is still in the competition and plays here, and the
// option to watch is on.
int32_t Anzeige_Modus(const SpielDatensatz& sp) {
    bool mensch = (sp.heim >= 0 && Team_Hat_Manager(sp.heim)) || (sp.gast >= 0 && Team_Hat_Manager(sp.gast));
    if (!mensch || !Optionen(10, 0, 0)) return 0;
    static int32_t dran[TEAM_MAX];
    int32_t n = std::clamp(Manager_Ist_Dran(dran, 0, 0), 0, int32_t(TEAM_MAX));
    bool freundschaft = Wettbewerb_Ist_Freundschaft(sp.wettbewerb);
    for (int32_t k = 0; k < n; ++k) {
        int32_t t = dran[k];
        if (t != sp.heim && t != sp.gast) continue;
        if (freundschaft || Wettbewerb_Team_Noch_Dabei(sp.wettbewerb, t, 0, 0)) return 1;
    }
    return 0;
}

void Alles_Wuerfeln(int32_t i) {
    Spieltag_Slot& s = g.slot[i];
    SpielDatensatz* sp = Spiel(s);
    if (!sp) return;
    Wuerfel_Satz w;
    Wuerfel_Satz_Fuellen(&w, sp->heim, sp->gast);
    s.status = SLOT_LAEUFT;
    for (int32_t minute = 0; minute < 90; ++minute) {
        if (minute == 46) s.abschnitt += 1;
        sp = Spiel(s);
        if (!sp) break;
        sp->minute = uint8_t(minute);
        Spieltag_Ergebnis_Wuerfeln(&s, &w);
    }
    s.status = SLOT_BEENDET;
}

}  // namespace

bool Spieltag_Abschnitt_Pruefen(Spielfeld_Satz* satz) {
    if (!satz || satz->live != 1) return false;
    const int32_t i = Slot_Von_Spiel(int32_t(satz->spiel));
    if (i < 0) return true;
    const Spieltag_Slot& s = g.slot[i];
    const SpielDatensatz* sp = Spiel(s);
    if (!sp) return true;
    const int32_t w = sp->wettbewerb;
    const int32_t ende = Wettbewerb_Halbzeit_Ende(w, satz->minute, s.abschnitt);
    if (satz->abschnitt_ende == 2) return true;
    if (ende != -1 && satz->minute + 1 >= ende) satz->abschnitt_ende = 1;
    if (ende == -1 && satz->abschnitt_ende == 1) return false;
    if (Wettbewerb_Abpfiff_Pruefen(w, satz->minute, s.abschnitt, 0, 0) == ABPFIFF_WEITER) return false;
    Spielfeld_Periode_Beenden(int32_t(satz->spiel));
    return true;
}

namespace {

void Naechster_Abschnitt_Slot(int32_t i) {
    Spieltag_Slot& s = g.slot[i];
    SpielDatensatz* sp = Spiel(s);
    if (!sp) {
        s.status = SLOT_BEENDET;
        return;
    }
    Spielfeld_Satz* satz = Satz(s);
    int32_t p = s.abschnitt;
    int32_t minute = Live(satz) ? satz->minute : sp->minute;
    int32_t ende = Wettbewerb_Halbzeit_Ende(sp->wettbewerb, minute, p);
    if (ende < 0) ende = minute;
    if (Wettbewerb_Elfmeterschiessen_Noetig(sp->wettbewerb, sp->runde, sp->paarung, sp->minute, p, -1, 0, 0)) {
        Spieltag_Elfmeter_Vorbereiten(i);
        if (satz) Spielfeld_Ereignis(satz, SE_ELFMETERSCHIESSEN, -1, -1);
    } else {
        s.status = SLOT_LAEUFT;
        sp = Spiel(s);
        sp->minute = uint8_t(std::clamp(ende, 0, 255));
        s.minute = sp->minute;
        g.minute = ende;
        g.uhr = 1.0f;
        if (satz) {
            if (p == 2) Spielfeld_Ereignis(satz, SE_VERLAENGERUNG, -1, -1);
            satz->minute = int16_t(ende);
            satz->sekunde = 0;
            Spielfeld_Periode_Starten(s.spiel);
        }
    }
    s.abschnitt += 1;
}

// Resumes a slot in a break, or its whole start group.
void Naechster_Abschnitt(int32_t i) {
    int8_t gruppe = g.slot[i].startgruppe;
    if (gruppe == 0) {
        if (g.slot[i].status == SLOT_PAUSE) Naechster_Abschnitt_Slot(i);
        return;
    }
    int32_t n = Belegt();
    for (int32_t j = 0; j < n; ++j)
        if (g.slot[j].spiel != 0 && g.slot[j].startgruppe == gruppe && g.slot[j].status == SLOT_PAUSE)
            Naechster_Abschnitt_Slot(j);
}

void Spiel_Schliessen(int32_t i) {
    if (g.slot[i].status != SLOT_BEENDET) return;
    // One walk over the occupied slots, stopping at the first of the group
    // still playing: a finished slot asks this every pass while its group
    // plays on, over up to 300 slots.
    if (g.slot[i].startgruppe != 0)
        for (int32_t j = 0; j < SPIELTAG_SLOTS && !Leer(g.slot[j]); ++j)
            if (j != i && g.slot[j].spiel != 0 && g.slot[j].startgruppe == g.slot[i].startgruppe &&
                g.slot[j].status != SLOT_BEENDET && g.slot[j].status != SLOT_GESCHLOSSEN)
                return;
    bool mit = Satz(g.slot[i]) != nullptr;
    g.slot[i].status = SLOT_GESCHLOSSEN;
    Spielfeld_Sync_Warten_Vergessen(g.slot[i].spiel);
    Spieltag_Weiterschalten(i, mit);
}

// The shoot-out is decided: its goals go to the game as the shoot-out result;
// a shoot-out that went by lot is stored as the competitions store a lot.
void Elfmeter_Eintragen(const Spieltag_Slot& s, int32_t los) {
    if (los >= 0) {
        Spiele_Set_Flag(s.spiel, SPIEL_FLAG_LOS, true);
        Spiele_Set_Flag(s.spiel, SPIEL_FLAG_HEIM_ENTSCHIEDEN, los == 0);
        return;
    }
    const SpielDatensatz* sp = Spiel(s);
    if (sp) Spiele_Set_Elfmeter(s.spiel, sp->elfmeter_heim, sp->elfmeter_gast);
}

// Client: a fetch of the slot's record is looked after in every pass while
// it is out; a new one starts at most once per 400 ms after the last ended.
bool Abruf_Faellig(const Spieltag_Slot& s) {
    return Spielfeld_Abruf_Offen() == s.spiel || g.client_abruf == 0 || Zeit_Ms() - g.client_abruf >= SPIELTAG_ABRUF_MS;
}
void Abruf_Zeit_Nehmen(const Spieltag_Slot& s) {
    if (Spielfeld_Abruf_Offen() != s.spiel) g.client_abruf = Zeit_Ms() ? Zeit_Ms() : 1;
}

// Client: a fetch of the slot's record; true when a fetched record was taken
// (both sides are then ready).
bool Client_Holen(Spieltag_Slot& s) {
    if (!Abruf_Faellig(s)) return false;
    const int32_t r = Spielfeld_Vom_Server_Holen(s.spiel);
    Abruf_Zeit_Nehmen(s);
    if (r > 0) s.bereit[0] = s.bereit[1] = 2;
    return r > 0;
}

// Client: the record of a running slot is fetched again when the lock-step
// found it drifted, or after a load; the views learn of a replaced record.
void Client_Abgleich(Spieltag_Slot& s, Spielfeld_Satz* satz) {
    if (!Spielfeld_Resync_Offen() && !Spielfeld_Client_Holen_Offen()) return;
    if (!Abruf_Faellig(s)) return;
    if (Spielfeld_Resync_Offen()) Spielfeld_Resync_Pruefen(satz);
    else Spielfeld_Client_Fortsetzen(satz);
    Abruf_Zeit_Nehmen(s);
    // The old record is freed: only its address goes to the views, which drop it.
    Spielfeld_Satz* neu = Satz(s);
    if (neu && neu != satz && Spieltag_Hooks().satz_ersetzt) Spieltag_Hooks().satz_ersetzt(satz, neu);
}

// One frame of a running slot (state 2 or 32).
void Laufendes_Spiel(int32_t i, int32_t nachholen, bool* bewegt) {
    Spieltag_Slot& s = g.slot[i];
    int8_t elfer = s.elfer;
    Spielfeld_Satz* satz = Satz(s);
    if (satz && Netz() == 1) {
        Client_Abgleich(s, satz);
        satz = Satz(s);
    }
    if (!satz) {
        if (Netz() != 1) s.status = SLOT_BEENDET;
        else Client_Holen(s);
        return;
    }
    int32_t alt = satz->minute;
    float tick = 2.0f;
    bool live = Live(satz);
    if (!live && s.status != SLOT_ELFMETER && satz->anzeige_modus == 1 && Spieltag_Hooks().wuerfel_warten &&
        Spieltag_Hooks().wuerfel_warten(satz)) {
        *bewegt = true;
        return;
    }
    if (!live) {
        if (s.status != SLOT_ELFMETER) satz->minute = int16_t(satz->minute + 1);
        else elfer = 1;
    } else {
        tick = Spieltag_Hooks().tick(satz, &elfer, nachholen);
        s.minute = uint8_t(std::clamp<int32_t>(satz->minute, 0, 255));
        if (tick == 1000.0f) alt = -1;
    }
    g.minute = satz->minute;
    *bewegt = true;
    if (elfer) alt = -1;
    s.elfer = elfer;
    if (tick == -1.0f || satz->minute == alt) return;

    g.uhr = float(g.uhr_start);
    if (!elfer) g.minute += 1;
    SpielDatensatz* sp = Spiel(s);
    if (!sp) {
        Debug_Printf("Spieltag_Run: sp==NULL!\n");
        s.status = SLOT_BEENDET;
        return;
    }
    const int32_t w = sp->wettbewerb;
    int32_t ende = Wettbewerb_Halbzeit_Ende(w, satz->minute, s.abschnitt);
    sp->minute = uint8_t(std::clamp<int32_t>(satz->minute, 0, 255));
    bool erzwingen = live ? (satz->abschnitt_ende == 2 && satz->spielzustand == SZ_ABGANG) : ende != -1;
    if (s.status == SLOT_LAEUFT) {
        if (!live) Spieltag_Minute_Ohne_Spielfeld(&s, satz);
        sp = Spiel(s);
        if (sp && s.status == SLOT_LAEUFT && (ende != -1 || erzwingen)) {
            int32_t sofort = (!live || (Netz() == 0 && !satz->abschnitt_gestartet)) ? 1 : 0;
            int32_t antwort = Wettbewerb_Abpfiff_Pruefen(w, sp->minute, s.abschnitt, erzwingen ? 1 : 0, sofort);
            if (antwort != ABPFIFF_WEITER) {
                if (!erzwingen) Spielfeld_Periode_Beenden(s.spiel);
                if (antwort == ABPFIFF_SPIELENDE && Wettbewerb_Paarung_Sieger(w, sp->runde, sp->paarung, -1, 0, 0) >= 0) {
                    s.status = SLOT_BEENDET;
                    Spielfeld_Abbrechen(s.spiel);
                } else if (Wettbewerb_Anz_Spielabschnitte(w) <= s.abschnitt + 1) {
                    s.status = SLOT_BEENDET;
                    Spielfeld_Abbrechen(s.spiel);
                } else {
                    if (antwort == ABPFIFF_SPIELENDE) Spiele_Set_Flag(s.spiel, SPIEL_FLAG_VERLAENGERUNG, true);
                    if (satz->anzeige_modus == 1 && Optionen(8, 0, 0) && Spieltag_Hooks().schnellansicht)
                        Spieltag_Hooks().schnellansicht();
                    s.status = SLOT_PAUSE;
                }
            }
        }
    }
    s.minute = uint8_t(std::clamp(g.minute, 0, 255));
    s.uhr = g.uhr;
    if (s.status == SLOT_ELFMETER) {
        if (!Elfmeter_Get(s.spiel)) {
            // Without its shoot-out the tie goes to the competition's lot.
            s.status = SLOT_BEENDET;
            Spielfeld_Abbrechen(s.spiel);
        } else if (live && !Spielfeld_Schuss_Erledigt(s.spiel)) {
            // The kick on the pitch is still running: the shoot-out waits for it.
        } else if (int32_t los = -1; Elfmeter_Schuss(s.spiel, &los)) {
            Elfmeter_Eintragen(s, los);
            s.status = SLOT_BEENDET;
            Spielfeld_Periode_Beenden(s.spiel);
            Spielfeld_Abbrechen(s.spiel);
        }
    }
    // A client whose match ended holds the server's last minutes no longer.
    if (Netz() == 1 && s.status == SLOT_BEENDET && live) Spielfeld_Sync_Client_Ende(Satz(s));
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

// The counts of the simulator's statistics, for one closed game.
void Statistik_Zaehlen(const Spieltag_Slot& s) {
    const SpielDatensatz* sp = Spiel(s);
    if (!sp) return;
    SpieltagStatistik& st = g.statistik;
    if (sp->ergebnis_art == SPIEL_ERGEBNIS_ABGESAGT) {
        ++st.abgesagt;
        return;
    }
    if (sp->tore_heim < 0 || sp->tore_gast < 0) return;
    ++st.spiele;
    st.tore += sp->tore_heim + sp->tore_gast;
    if (sp->tore_heim > sp->tore_gast) ++st.heimsiege;
    else if (sp->tore_heim < sp->tore_gast) ++st.auswaertssiege;
    else ++st.remis;
    if (sp->flags & SPIEL_FLAG_VERLAENGERUNG) ++st.verlaengerungen;
    if (sp->flags & SPIEL_FLAG_ELFMETER) ++st.elfmeterschiessen;
    if (Satz(s)) ++st.mit_spielfeld;
}

// The announcement pages of a human club's game.
void Ankuendigen(const Spieltag_Slot& s, const SpielDatensatz& sp) {
    const SpieltagHooks& h = Spieltag_Hooks();
    if (!h.ankuendigung_setzen || !h.ankuendigung) return;
    bool mensch[2] = {sp.heim >= 0 && Team_Hat_Manager(sp.heim), sp.gast >= 0 && Team_Hat_Manager(sp.gast)};
    int32_t seite = mensch[0] ? 0 : (mensch[1] ? 1 : -1);
    if (seite < 0) return;
    int32_t team = seite == 0 ? sp.heim : sp.gast;
    const Spielfeld_Satz* satz = Satz(s);
    int32_t t = Team_Anzahl();
    if (satz) {
        h.ankuendigung_setzen(s.spiel, team, satz);
        for (int32_t k = 0; k < 3; ++k) h.ankuendigung(2 + k, team * 50 + t * 50 + 10 - k);
        if (seite == 0 && mensch[1]) {
            h.ankuendigung_setzen(s.spiel, sp.gast, satz);
            h.ankuendigung(4, team * 50 + t * 50 + 8);
        }
    }
    h.ankuendigung(5, team * 50 + 7);
    h.ankuendigung(6, team * 50 + 6);
    if (Team_Hat_Aktiven_Manager(team) && h.eigenes_team) h.eigenes_team(team);
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

namespace {

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
// The walk.

bool Spieltag_Run(int32_t nachholen) {
    if (Spieltag_Hooks().maus_latch) Spieltag_Hooks().maus_latch();
    if (!Bereit()) return false;
    bool bewegt = false;
    g.nicht_gestartet = false;
    int32_t i = 0;
    while (i < SPIELTAG_SLOTS && !Leer(g.slot[i])) {
        Spieltag_Slot& s = g.slot[i];
        if (s.spiel == 0) {
            ++i;
            continue;
        }
        if (s.status == SLOT_LAEUFT || s.status == SLOT_ELFMETER) {
            Laufendes_Spiel(i, nachholen, &bewegt);
        } else if (s.status == SLOT_NEU) {
            const SpielDatensatz* sp = Spiel(s);
            if (!sp || sp->heim == -1) {
                s.status = SLOT_BEENDET;
                Spielfeld_Abbrechen(s.spiel);
            } else if (s.bereit[0] && s.bereit[1]) {
                if (Gruppe_Alle(i, [](const Spieltag_Slot& x) { return x.bereit[0] && x.bereit[1]; })) {
                    s.status = SLOT_START;
                    Spiele_Clear_Tore(s.spiel);
                    Spieltag_Spiel_Starten(i);
                } else {
                    g.nicht_gestartet = true;
                }
            } else if (Netz() == 1 && (s.bereit[0] || s.bereit[1])) {
                for (int32_t seite = 0; seite < 2; ++seite) {
                    int32_t t = seite == 0 ? sp->heim : sp->gast;
                    if (t != Team_Lokal()) s.bereit[seite] = 2;
                    else if (s.bereit[seite] == 2) s.bereit[seite] = 1;
                }
            }
        } else if (s.status == SLOT_START) {
            if (Netz() == 1 && !Satz(s)) Client_Holen(s);
            if (s.bereit[0] == 2 && s.bereit[1] == 2) {
                if (Gruppe_Alle(i, [](const Spieltag_Slot& x) { return x.bereit[0] == 2 && x.bereit[1] == 2; }))
                    s.status = SLOT_LAEUFT;
                else
                    g.nicht_gestartet = true;
            }
        } else if (s.status != SLOT_GESCHLOSSEN) {
            Spielfeld_Satz* satz = Satz(s);
            if (satz) {
                if (s.status == SLOT_PAUSE && !Spielfeld_Ansicht().pause &&
                    Gruppe_Alle(i, [](const Spieltag_Slot& x) {
                        return x.status == SLOT_PAUSE || x.status == SLOT_BEENDET || x.status == SLOT_GESCHLOSSEN ||
                               x.status == SLOT_ELFMETER;
                    }))
                    Naechster_Abschnitt(i);
                satz = Satz(s);
                // A watched match in a break or at its end stays in the views.
                if (satz && satz->anzeige_modus == 1) bewegt = true;
                if (s.status == SLOT_BEENDET) Spiel_Schliessen(i);
            } else {
                if (s.status == SLOT_BEENDET) Spiel_Schliessen(i);
                if (s.status != SLOT_BEENDET && s.status != SLOT_GESCHLOSSEN) {
                    // A slot that cannot go on without its record leaves the day;
                    // the gap is closed so the slots behind it stay in the walk.
                    Debug_Printf("Spieltag_Run: Spiel %d ohne Spielfeld in Status %d entfernt\n", s.spiel, s.status);
                    Slot_Entfernen(i);
                    continue;
                }
            }
        }
        ++i;
    }
    Spielfeld_Tick_Rebase(Zeit_Ms());
    if (g.nicht_gestartet) Spieltag_Slots_Vorbereiten();
    if (Spieltag_Hooks().ansicht_frame) Spieltag_Hooks().ansicht_frame();
    return bewegt;
}

void Spieltag_Spiel_Starten(int32_t i) {
    if (!Bereit() || i < 0 || i >= SPIELTAG_SLOTS || Leer(g.slot[i]) || Netz() == 1) return;
    Spieltag_Slot& s = g.slot[i];
    SpielDatensatz* sp = Spiel(s);
    if (!sp) {
        Debug_Printf("Spieltag_Spiel_Starten: Spiel %d fehlt\n", s.spiel);
        s.status = SLOT_BEENDET;
        return;
    }
    const int32_t teams[2] = {sp->heim, sp->gast};
    int32_t ergebnis[2] = {-1, -1};
    for (int32_t seite = 0; seite < 2; ++seite) {
        int32_t spieler[TEAM_SPIELER_MAX];
        int32_t n = teams[seite] >= 0 ? Teamspieler_Ins_Array(teams[seite], spieler, TEAM_SPIELER_MAX, 16) : 0;
        if (n >= 8) continue;
        if (teams[seite] != -1) Abgesagt_Bestrafen(teams[seite]);
        ergebnis[0] = seite == 0 ? 0 : 2;
        ergebnis[1] = seite == 0 ? 2 : 0;
    }
    if (ergebnis[0] >= 0) {
        s.status = SLOT_BEENDET;
        Spiele_Set_Ergebnis(s.spiel, ergebnis[0], ergebnis[1], SPIEL_ERGEBNIS_ABGESAGT);
        Spiele_Set_Wert(s.spiel, 0);
        Spieltag_Weiterschalten(i, false);
        return;
    }
    sp = Spiel(s);
    int32_t p = 0, wichtigkeit = 0, basis = 0;
    Zuschauer_Werte(*sp, &p, &wichtigkeit, &basis);
    int32_t ort = teams[0], anteil[2] = {100, 0};
    const WettbewerbInfo* info = Wettbewerb_Get_Info(sp->wettbewerb);
    if (info && !(info->modus & MODUS_HEIMRECHT)) {
        ort = info->gastgeber_stadion >= 0 && Spieltag_Hook_Kapazitaet(info->gastgeber_stadion) >= 0
                  ? info->gastgeber_stadion
                  : Neutraler_Ort(*sp, wichtigkeit);
        anteil[0] = anteil[1] = 0;
    }
    if (info && (info->modus & MODUS_EINNAHMEN_TEILEN)) anteil[0] = anteil[1] = 50;
    int32_t zuschauer = Spieltag_Hook_Einnahmen(ort, s.spiel, anteil[0], anteil[1]);
    Spiele_Set_Wert(s.spiel, zuschauer);
    // Both sides' pairs reach the set-up: the squads are cleared once and the
    // two calls keep each other's pairs.
    for (int32_t seite = 0; seite < 2; ++seite) Assi_Paare_Loeschen(teams[seite]);
    for (int32_t seite = 0; seite < 2; ++seite) {
        int32_t t = teams[seite];
        int32_t wert = 0;
        if (Team_Hat_Manager(t)) {
            int8_t taktik[TAKTIK_BYTES] = {};
            wert = Team_Get_Aktuelle_Taktik(t, taktik) && taktik[3] ? 0 : 100;
        } else {
            wert = Rnd(0, 100);
        }
        Assi_Mannschaftsaufstellung(t, teams[1 - seite], wert, true);
    }
    sp = Spiel(s);
    int32_t anzeige = Anzeige_Modus(*sp);
    // Without a tick no record is computed live: all of them are diced minute
    // by minute. With one a match is live when watched or when its
    // competition asks for it, on a single machine and on a server alike. On
    // the server the match of a client that asked for its slot is computed
    // live (the client plays it in lock-step); that of a client that only
    // reports its days is diced here.
    int32_t live = Spieltag_Hooks().tick ? 0 : -1;
    if (Spieltag_Hooks().tick && Netz() == 2)
        for (int32_t t : teams)
            if (t >= 0 && (uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & TEAM_STATUS_CLIENT))
                live = Spieltag_Client_Spielt_Live(t) ? 1 : -1;
    // On a single machine a background record that is not computed live from
    // its start is never computed, watched or fetched: it is set up for the
    // dice only.
    if (Netz() == 0 && anzeige == 0 && (live == -1 || (live == 0 && !Spielfeld_Hook_Schalter(sp->wettbewerb, 5))))
        live = SPIELFELD_NUR_WUERFEL;
    if (Spielfeld_Anlegen(s.spiel, anzeige, anzeige ? 1 : 0, zuschauer, ort, live) == 1) {
        // The match day asks for the view as a watched match starts.
        if (anzeige == 1) Spielfeld_Beobachten(Spielfeld_Suchen(s.spiel), true);
        return;
    }
    Alles_Wuerfeln(i);
}

int32_t Spieltag_Absage_Strafe(int32_t team) {
    int32_t niveau = Wettbewerb_Team_Niveau(team);
    int32_t strafe = int32_t(double(niveau) * 200000.0 / 100.0);
    return strafe / 10000 * 10000;
}

void Spieltag_Elfmeter_Vorbereiten(int32_t i) {
    if (!Bereit() || i < 0 || i >= SPIELTAG_SLOTS || Leer(g.slot[i])) return;
    g.slot[i].status = SLOT_ELFMETER;
    // The game shows its shoot-out from the first kick on.
    Spiele_Set_Flag(g.slot[i].spiel, SPIEL_FLAG_ELFMETER, true);
    // Without a shoot-out record the tie goes to the competition's lot.
    if (!Elfmeter_Vorbereiten(g.slot[i].spiel)) {
        Spiele_Set_Flag(g.slot[i].spiel, SPIEL_FLAG_ELFMETER, false);
        g.slot[i].status = SLOT_BEENDET;
    }
}

void Spieltag_Weiterschalten(int32_t i, bool mit_spielfeld) {
    if (!mit_spielfeld) Debug_Printf("Weiterschalten ohne Spielfeld\n");
    if (!Bereit() || Netz() == 1 || i < 0 || i >= SPIELTAG_SLOTS) return;
    int32_t w = Spieltag_Slot_Wettbewerb(i);
    if (w < 0) return;
    int32_t n = Belegt();
    for (int32_t j = 0; j < n; ++j)
        if (g.slot[j].status != SLOT_GESCHLOSSEN && Spieltag_Slot_Wettbewerb(j) == w) return;
    Spieltag_Tagesabschluss(w);
    Spieltag_Hooks().nachbearbeitung.Aufrufen(w);
    Wettbewerb_Spiele_Beendet_Tag(w, Spieltag_Hooks().tag_index ? Spieltag_Hook_Tag() : -1);
    if (Spielfeld_Anzahl() > 0) Spielfeld_Entfernen(w);
}

void Spieltag_Tagesabschluss(int32_t w) {
    if (!Bereit()) return;
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i) {
        Spieltag_Slot& s = g.slot[i];
        const SpielDatensatz* sp = Spiel(s);
        if (!sp || sp->wettbewerb != w) continue;
        Spiele_Set_Nachspiel_Statistik(s.spiel);
        if (Spieltag_Hooks().stadion_eintragen) Spieltag_Hooks().stadion_eintragen(s.spiel);
        Spieltag_Form_Nach_Spiel(s.spiel);
        sp = Spiel(s);
        const int32_t teams[2] = {sp->heim, sp->gast};
        const int32_t tore[2] = {std::max<int32_t>(sp->tore_heim, 0), std::max<int32_t>(sp->tore_gast, 0)};
        for (int32_t t : teams) {
            if (t < 0) continue;
            // The suspensions of both clubs count down in the game's competition.
            Spiele_Setze_Sperren_Spieler_Vor_Spiel(w, t, 0);
            // A sending-off holds for its match only; the suspension stays with the fixtures store.
            int32_t spieler[TEAM_SPIELER_MAX];
            int32_t m = Teamspieler_Ins_Array(t, spieler, TEAM_SPIELER_MAX, 0);
            for (int32_t k = 0; k < m; ++k)
                Spieler_Wert(SPW_STATUS, spieler[k], int32_t(SP_STATUS_GELB | SP_STATUS_ROT), OP_LOESCHEN);
        }
        for (int32_t t : teams) {
            if (t < 0) continue;
            Team_Saison_Aktualisieren(t);
            Spieltag_Hooks().nach_spiel_team.Aufrufen(t, s.spiel);
        }
        if (tore[0] != tore[1]) {
            int32_t sieger = teams[tore[0] > tore[1] ? 0 : 1];
            if (sieger >= 0) Wettbewerb_Zahle_Punkt_U(w, sieger, 1);
        } else {
            for (int32_t t : teams)
                if (t >= 0) Wettbewerb_Zahle_Punkt_U(w, t, 0);
        }
        sp = Spiel(s);
        Ankuendigen(s, *sp);
        for (int32_t t : teams) {
            if (t < 0 || !Team_Hat_Manager(t)) continue;
            Spieltag_Hooks().ereignis_spiel.Aufrufen(t, i, tore[0], tore[1]);
            if (!Spieltag_Hooks().ereignis_serie.Leer() &&
                Spiele_Serie(-1, t, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 2))
                Spieltag_Hooks().ereignis_serie.Aufrufen(t);
        }
        Statistik_Zaehlen(s);
    }
}

void Spieltag_Form_Nach_Spiel(int32_t spiel) {
    const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 1);
    if (!sp) return;
    const int32_t teams[2] = {sp->heim, sp->gast};
    const int32_t tore[2] = {std::max<int32_t>(sp->tore_heim, 0), std::max<int32_t>(sp->tore_gast, 0)};
    int32_t staerke[2];
    for (int32_t s = 0; s < 2; ++s) staerke[s] = teams[s] >= 0 ? Team_Berechne_Staerke(teams[s], 0) : 0;
    bool fruehe_phase = Spielfeld_Hook_Schwierigkeit() == 0 && Spieltag_Hook_Tag() < 90;
    for (int32_t seite = 0; seite < 2; ++seite) {
        int32_t team = teams[seite];
        if (team < 0) continue;
        int32_t eigen = tore[seite], andere = tore[1 - seite];
        int32_t s_eigen = staerke[seite], s_andere = staerke[1 - seite];
        bool frueh = fruehe_phase && Team_Hat_Manager(team);
        int32_t spieler[TEAM_SPIELER_MAX];
        int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, frueh ? 0 : 48);
        int32_t basis = (eigen - andere) * 10 + (seite == 0 ? 90 : 100);
        if (eigen + 3 <= andere) {
            if (seite == 0 && s_andere < s_eigen - 17 + 3 * (eigen - andere)) basis -= 25;
            if (seite == 1 && s_eigen < s_andere - 22 + 3 * (eigen - andere)) basis -= 25;
        }
        for (int32_t k = 0; k < n; ++k) {
            int32_t p = spieler[k];
            int32_t f = Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN);
            if (frueh) {
                f = 4;
            } else {
                if (4 * f + 130 - Rnd(0, 40) < basis) f += 1;
                if (Rnd(0, 40) + 70 - 4 * (6 - f) > basis) f -= 1;
                if (f < 3 && Rnd(0, 5) == 0) f += 1;
                else if (f > 3 && Rnd(0, 5) == 0) f -= 1;
            }
            int32_t unten = Attribute_Hat_Attribut(p, 10) ? 3 : 0;
            int32_t oben = Attribute_Hat_Attribut(p, 45) ? 3 : 6;
            f = std::clamp(std::clamp(f, unten, std::max(unten, oben)), 0, 6);
            Spieler_Wert(SPW_MORAL, p, f, OP_SCHREIBEN);
        }
    }
}

void Spieltag_Vor_Tag(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return;
    if (Spielfeld_Hook_Schwierigkeit() != 0 || Spieltag_Hook_Tag() >= 90) return;
    int32_t spieler[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
    for (int32_t k = 0; k < n; ++k) {
        int32_t p = spieler[k];
        Spieler_Wert(SPW_MORAL, p, 4, OP_SCHREIBEN);
        Spieler_Wert(SPW_EINSAETZE, p, 0, OP_SCHREIBEN);
        for (int32_t t = 0; t <= 52; ++t)
            if (Attribute_Hat_Attribut(p, t)) Spieler_Wert(t, p, 0, OP_SCHREIBEN);
    }
}

// ---------------------------------------------------------------------------
// The calendar's calls.

bool Spieltag_Start() {
    if (!g.initialisiert && !Spieltag_Init()) return false;
    Spielfeld_Beobachtete_Loeschen();
    Spieltag_Slots_Auffuellen();
    Spieltag_Slots_Vorbereiten();
    return Spieltag_Spiele_Offen();
}

bool Spieltag_Frame() {
    if (!g.initialisiert) return false;
    Spieltag_Run(0);
    if (Spieltag_Spiele_Offen()) return true;
    // A full table may have left games of today out: they follow now.
    if (g.voll && Spieltag_Slots_Auffuellen() > 0) {
        Spieltag_Slots_Vorbereiten();
        return Spieltag_Spiele_Offen();
    }
    return false;
}

bool Spieltag_Alle_Spielen() {
    if (!Spieltag_Start()) return false;
    // A match takes about a hundred frames; the bound only stops a table that never closes.
    for (int32_t frame = 0; frame < 100000; ++frame)
        if (!Spieltag_Frame()) return true;
    Debug_Printf("Spieltag_Alle_Spielen: Spieltag nach 100000 Frames nicht beendet\n");
    return true;
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
    int32_t n = Belegt();
    for (int32_t i = 0; i < n; ++i)
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
        const SpielDatensatz* sp = Spiel(g.slot[i]);
        if (!sp) continue;
        if (sp->heim == team) g.slot[i].bereit[0] = 1;
        if (sp->gast == team) g.slot[i].bereit[1] = 1;
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
        if (g.initialisiert) Spieltag_Slots_Loeschen();
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

// ---------------------------------------------------------------------------
// Statistics.

const SpieltagStatistik& Spieltag_Statistik() { return g.statistik; }
void Spieltag_Statistik_Zuruecksetzen() { g.statistik = SpieltagStatistik{}; }

std::string Spieltag_Statistik_Text() {
    const SpieltagStatistik& s = g.statistik;
    double n = s.spiele > 0 ? double(s.spiele) : 1.0;
    std::string t;
    t += Str_Format("Spiele: %lld (abgesagt %lld, mit Spielfeld %lld)\n", (long long)s.spiele, (long long)s.abgesagt,
                    (long long)s.mit_spielfeld);
    t += Str_Format("Tore pro Spiel: %.2f\n", double(s.tore) / n);
    t += Str_Format("Heimsiege: %.1f %%  Unentschieden: %.1f %%  Auswaertssiege: %.1f %%\n", 100.0 * double(s.heimsiege) / n,
                    100.0 * double(s.remis) / n, 100.0 * double(s.auswaertssiege) / n);
    t += Str_Format("Verlaengerungen: %lld  Elfmeterschiessen: %lld\n", (long long)s.verlaengerungen,
                    (long long)s.elfmeterschiessen);
    return t;
}

bool Spieltag_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Spieltag", 30, Spieltag_Save, Spieltag_Load, [] { Spieltag_Init(); }});
}

}  // namespace velmora
