// match/day/spieltag_lauf.cpp - the match day's walk: one frame over the slot
// table moves each match from its start group's readiness through its
// periods, breaks and shoot-out to its close; the calendar's calls.
#include "match/day/spieltag.h"

#include <algorithm>
#include <cstring>

#include "club/team.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/stoppuhr.h"
#include "match/day/elfmeter.h"
#include "match/day/minuten_wuerfel.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/live/spielfeld_standard.h"
#include "match/record/spielfeld_sync.h"
#include "match/live/spielfeld_tick.h"
#include "match/day/spieltag_intern.h"
#include "season/spielplan.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {

using namespace spieltag_intern;

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
    // The group closes together, once none of it plays on.
    if (!Gruppe_Alle(i, FRAGE_SCHLUSS,
                     [](const Spieltag_Slot& x) { return x.status == SLOT_BEENDET || x.status == SLOT_GESCHLOSSEN; }))
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
        // While the game's minute byte holds the record's minute, the period's
        // end is the one just looked up.
        if (!live && sp->minute == satz->minute) Spieltag_Minute_Ohne_Spielfeld(&s, satz, ende);
        else if (!live) Spieltag_Minute_Ohne_Spielfeld(&s, satz);
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

// A slot waiting at half time or at its end while a slot of its group still
// plays (the one that held the group back last time, still holding it): once
// something moved this frame, its turn of the walk would change nothing. Most
// of a full table waits so for a live match through each half.
bool Wartet(const Spieltag_Slot& s) {
    const bool pause = s.status == SLOT_PAUSE;
    if ((!pause && s.status != SLOT_BEENDET) || s.startgruppe <= 0) return false;
    const Spieltag_Slot& h = g.slot[g.gruppe_nein[pause ? FRAGE_PAUSE : FRAGE_SCHLUSS][s.startgruppe]];
    if (Leer(h) || h.spiel == 0 || h.startgruppe != s.startgruppe) return false;
    const bool fertig = h.status == SLOT_BEENDET || h.status == SLOT_GESCHLOSSEN;
    if (fertig || (pause && (h.status == SLOT_PAUSE || h.status == SLOT_ELFMETER))) return false;
    return !pause || Satz(s) != nullptr;   // a paused slot without its record leaves the day
}

// A run of waiting slots recorded from slot i by an earlier walk still waits
// as a whole: its slots are byte for byte as they were when they were passed
// (each waiting in the first slot's state and start group, so one holder
// answers for all, or closed, or without a game: nothing to do for those),
// no record has left since (a paused slot's record is still there), and the
// first slot waits now. Its end, else -1.
int32_t Lauf_Wartet(int32_t i) {
    const int32_t ende = g.lauf_ende[i];
    if (ende <= i + 1 || ende > SPIELTAG_SLOTS || g.lauf_abgang[i] != Spielfeld_Abgang_Stand()) return -1;
    if (std::memcmp(&g.slot[i], &g.lauf_bild[i], size_t(ende - i) * sizeof(Spieltag_Slot)) != 0) return -1;
    return Wartet(g.slot[i]) ? ende : -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// The walk.

bool Spieltag_Run(int32_t nachholen) {
    if (Spieltag_Hooks().maus_latch) Spieltag_Hooks().maus_latch();
    if (!Bereit()) return false;
    bool bewegt = false;
    g.nicht_gestartet = false;
    int32_t i = 0;
    // Most of a full table waits through each half of a live match, frame
    // after frame: the walk records the runs of waiting slots it passes
    // (consecutive slots of one state and start group, closed ones between
    // them) and passes an unchanged run in one step the next time.
    int32_t lauf = -1;
    const auto lauf_schliessen = [&](int32_t ende) {
        if (lauf < 0) return;
        g.lauf_ende[lauf] = int16_t(ende);
        g.lauf_abgang[lauf] = Spielfeld_Abgang_Stand();
        lauf = -1;
    };
    while (i < SPIELTAG_SLOTS && !Leer(g.slot[i])) {
        Spieltag_Slot& s = g.slot[i];
        if (bewegt && s.spiel != 0 && g.lauf_ende[i] > i + 1) {
            if (const int32_t ende = Lauf_Wartet(i); ende > i) {
                lauf_schliessen(i);
                i = ende;
                continue;
            }
        }
        if (s.spiel == 0 || (bewegt && Wartet(s))) {
            if (s.spiel != 0) {
                if (lauf >= 0 && (g.slot[lauf].status != s.status || g.slot[lauf].startgruppe != s.startgruppe))
                    lauf_schliessen(i);
                if (lauf < 0) lauf = i;
            }
            if (lauf >= 0) g.lauf_bild[i] = s;
            ++i;
            continue;
        }
        // A closed slot has nothing left to do in a walk: it stays in the run.
        if (lauf >= 0 && s.status == SLOT_GESCHLOSSEN) {
            g.lauf_bild[i] = s;
            ++i;
            continue;
        }
        lauf_schliessen(i);
        if (s.status == SLOT_LAEUFT || s.status == SLOT_ELFMETER) {
            Laufendes_Spiel(i, nachholen, &bewegt);
        } else if (s.status == SLOT_NEU) {
            const SpielDatensatz* sp = Spiel(s);
            if (!sp || sp->heim == -1) {
                s.status = SLOT_BEENDET;
                Spielfeld_Abbrechen(s.spiel);
            } else if (s.bereit[0] && s.bereit[1]) {
                if (Gruppe_Alle(i, FRAGE_BEREIT, [](const Spieltag_Slot& x) { return x.bereit[0] && x.bereit[1]; })) {
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
                if (Gruppe_Alle(i, FRAGE_START, [](const Spieltag_Slot& x) { return x.bereit[0] == 2 && x.bereit[1] == 2; }))
                    s.status = SLOT_LAEUFT;
                else
                    g.nicht_gestartet = true;
            }
        } else if (s.status == SLOT_BEENDET && bewegt) {
            // A finished slot waits for its group to close, with or without its
            // record; once something moved, the record has nothing to add.
            Spiel_Schliessen(i);
        } else if (s.status != SLOT_GESCHLOSSEN) {
            Spielfeld_Satz* satz = Satz(s);
            if (satz) {
                if (s.status == SLOT_PAUSE && !Spielfeld_Ansicht().pause &&
                    Gruppe_Alle(i, FRAGE_PAUSE, [](const Spieltag_Slot& x) {
                        return x.status == SLOT_PAUSE || x.status == SLOT_BEENDET || x.status == SLOT_GESCHLOSSEN ||
                               x.status == SLOT_ELFMETER;
                    })) {
                    Naechster_Abschnitt(i);
                    satz = Satz(s);
                }
                // A watched match in a break or at its end stays in the views
                // (asked only while nothing moved: each record is a cache miss).
                if (!bewegt && satz && satz->anzeige_modus == 1) bewegt = true;
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
    lauf_schliessen(i);
    Spielfeld_Tick_Rebase(Zeit_Ms());
    if (g.nicht_gestartet) Spieltag_Slots_Vorbereiten();
    if (Spieltag_Hooks().ansicht_frame) Spieltag_Hooks().ansicht_frame();
    return bewegt;
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

}  // namespace velmora
