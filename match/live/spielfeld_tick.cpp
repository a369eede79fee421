// match/live/spielfeld_tick.cpp - one frame of a match computed live, on a single
// machine. The network branches (the waits for the other machine and the
// minute exchange) are named functions that do nothing while a networked
// match day keeps every match diced.
#include "match/live/spielfeld_tick.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "core/debug.h"
#include "core/rnd.h"
#include "core/stoppuhr.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/figur_bewegen.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/live/spielfeld_ballkontakt.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_ki.h"
#include "match/live/spielfeld_ki_basis.h"
#include "match/live/spielfeld_situation.h"
#include "match/record/spielfeld_sync.h"
#include "match/live/spielfeld_standard.h"
#include "match/live/spielfeld_zweikampf.h"
#include "match/day/spieltag.h"
#include "season/kalender.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {

namespace {

struct TickModul {
    int64_t letzte_frame_zeit = INT_MAX;   // the previous simulated frame of the live display
    int64_t nachtrag = 0;                  // the part of a late frame carried to the next one
    bool minute_gewechselt = false;        // some match passed a minute (gates the network sleeps)
    uint32_t jetzt = 0;                    // the frame time of the running tick
    // The program clock of the running tick for the lock-step's waits and
    // re-sends: the kick-off loop's frame times are counted, not measured.
    uint32_t netz_jetzt = 0;
};
TickModul t;

// The tick's working bytes in the record.
int8_t& Rr_Index(Spielfeld_Satz* s) { return reinterpret_cast<int8_t&>(s->w24992[0]); }
int8_t& Rr_Countdown(Spielfeld_Satz* s) { return reinterpret_cast<int8_t&>(s->w24992[1]); }
int8_t& Kickframe_Figur(Spielfeld_Satz* s) { return reinterpret_cast<int8_t&>(s->w24992[2]); }   // figure + 1, 0 none
uint8_t& Frame_Laeuft(Spielfeld_Satz* s) { return s->w24992[3]; }
uint8_t& Ton_Einmal(Spielfeld_Satz* s) { return s->w25216[4]; }

// Network play: the minute exchange of the lock-step.
void Netz_Minute_Austauschen(Spielfeld_Satz* satz) {
    if (Spielfeld_Hook_Netz_Modus() != 0) Spielfeld_Sync_Minute(satz, t.netz_jetzt);
}

// Network play: true when the other machine has not released the current
// minute yet; the waiting frame then does its work and the tick returns.
bool Netz_Wartet(Spielfeld_Satz* satz, bool pause) {
    if (Spielfeld_Hook_Netz_Modus() == 0) return false;
    if ((satz->bereit & 3) == 3) {
        Spielfeld_Sync_Warten_Ende(satz);
        return false;
    }
    Spielfeld_Sync_Warten(satz, t.netz_jetzt, pause);
    if ((satz->bereit & 3) != 3) return true;
    Spielfeld_Sync_Warten_Ende(satz);
    return false;
}

bool Ist_Spieler(int32_t i) { return i >= 0 && i < SF_SPIELER; }

// Fields the duels keep, read by their offsets.
constexpr size_t FOUL_X = 25044, FOUL_Y = 25048, FLAGGEN_ZUSTAND = 25127;

// The whistle after a linesman's flag or a foul: the free kick or the penalty.
void Pfiff(Spielfeld_Satz* satz) {
    const bool flagge = Satz_Feld<int8_t>(satz, FLAGGEN_ZUSTAND) == 2;
    if ((!flagge && satz->foul_countdown != 1) || satz->spielzustand == SZ_FREISTOSS) return;
    float x = 2400, y = 4403;
    int32_t seite = 1 - (satz->seiten_gewechselt ? 1 : 0);
    if (flagge) {
        x = Satz_Feld<float>(satz, SF_FAHNE_X);
        y = Satz_Feld<float>(satz, SF_FAHNE_Y);
        seite = Satz_Feld<int32_t>(satz, SF_FAHNE_SEITE);
        Spielfeld_Ereignis(satz, SE_TICK, Satz_Feld<int32_t>(satz, SF_FAHNE_SPIELER), -1);
        reinterpret_cast<uint8_t*>(satz)[FLAGGEN_ZUSTAND] = 0;
    } else {
        satz->pass_unterwegs = 0;
        satz->ball_linie = BALL_IM_SPIEL;
        const Figur& r = satz->figur[FIGUR_SCHIRI];
        SetZSA(satz, FIGUR_SCHIRI, int32_t(r.pos[0]), int32_t(r.pos[1]), 0, 0, ANIM_SCHIRI_PFEIFT, 0, -1, 0, -1, 1, 1,
               RING_OHNE_PRUEFUNG, 0, 0);
        x = Satz_Feld<float>(satz, FOUL_X);
        y = Satz_Feld<float>(satz, FOUL_Y);
        seite = satz->freistoss_seite;
        // The referee's card, once, while play still stands at the foul: it
        // records the foul (with or without a card) for the match report.
        if (satz->spielzustand == SZ_SPIEL && Ist_Spieler(satz->situation_figur[0])) Spielfeld_Karte_Entscheiden(satz);
    }
    if (!(x >= 0 && x <= SPIELFELD_LAENGE && y >= 0 && y <= SPIELFELD_BREITE) || seite < 0 || seite > 1) {
        Debug_Printf("Pfiff: Ort %.0f,%.0f Seite %d ungueltig\n", double(x), double(y), seite);
        x = 2400;
        y = 4403;
        seite = 1 - (satz->seiten_gewechselt ? 1 : 0);
    }
    Spielfeld_Pfiff(satz, int32_t(x), int32_t(y), seite);
}

float Intervall() {
    const uint32_t i = Spielfeld_Ansicht().frame_intervall;
    return i ? float(i) : 45.0f;
}

// 13. The minute change. True when the period is over.
bool Minute_Wechseln(Spielfeld_Satz* satz) {
    satz->minutenuhr = TICK_UHR_START;
    if (satz->tor_reaktion == 0) {
        satz->minute = int16_t(satz->minute + 1);
        if (Rnd(0, 5) == 0) {
            const int32_t w = int32_t(satz->wettbewerb);
            const int32_t heim = int32_t(satz->team[0]), gast = int32_t(satz->team[1]);
            Wettbewerb_KI_Taktik_Anpassen(w, heim, gast, heim, gast, satz->minute, Wettbewerb_Spielzeit(w, 0), satz);
        }
        t.minute_gewechselt = true;
        // Every nominated player on the pitch counts the minute: the count
        // tells the after-match pass who played and for how long.
        for (Spieler_Matchsatz& sm : satz->spieler)
            if ((sm.zustand & SM_AUF_PLATZ) && sm.rolle[ROLLE(143)] != 0 && sm.zaehler < 255) ++sm.zaehler;
    }
    Netz_Minute_Austauschen(satz);
    return Spieltag_Abschnitt_Pruefen(satz);
}

// 17. The play-state work of a running frame.
void Spielzustand_Arbeit(Spielfeld_Satz* satz) {
    if (satz->abschnitt_ende == 2 && satz->spielzustand != SZ_ABGANG) {
        // Substitutions still walking are finished first: clearing the codes
        // would leave the player going out on the pitch.
        Spielfeld_Wechsel_Abschliessen(satz);
        satz->spielzustand = SZ_ABGANG;
        satz->standard_flag = 0;
        std::fill(std::begin(satz->standard_marker), std::end(satz->standard_marker), int8_t(0));
        for (int32_t i = 0; i < SF_SPIELER; ++i) {
            satz->figur[i].situation = 0;
            satz->spieler[i].zustand &= SM_BLEIBT;
        }
        KI_Rauslaufen(satz);
    }
    if (satz->spielzustand != SZ_ABGANG) Pfiff(satz);
    if (satz->foul_countdown != 0 && satz->spielzustand != SZ_VERLETZUNG) {
        if (satz->elfmeter_schuss) satz->foul_countdown = 0;
        else if (satz->figur[FIGUR_BALL].pos[2] == 0) --satz->foul_countdown;
        else satz->foul_countdown = 1;
    }
    if (satz->spielzustand == SZ_ELFMETER) {
        const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
        const Figur& b = satz->figur[FIGUR_BALL];
        const int32_t h = b.pos[0] > SPIELFELD_MITTE_X ? 1 : 0;
        if (b.pos[0] != float(k.elfmeter_x[h]) || b.pos[1] != float(k.elfmeter_y[h])) Spielfeld_Elfmeter_Setzen(satz);
    }
    Spielfeld_Pass_Countdown(satz);
    if (satz->tor_reaktion != 0) {
        if (satz->tor_reaktion != 15 || satz->ball_linie != BALL_IM_SPIEL) --satz->tor_reaktion;
        if (satz->tor_reaktion == 0) {
            // A shoot-out kick in the net ends when its goal is given, as the
            // ball dies there: ended now, the next kick would be placed first
            // and the goal never counted.
            if (satz->elfmeter_schuss && satz->ball_linie != BALL_TOR) satz->elfmeter_schuss = 2;
            // The goal itself is given as the ball dies in the net (the movement
            // step); a goal refused for a pending free kick gets no reaction.
            if (satz->ball_linie == BALL_TOR && satz->foul_countdown == 0)
                Spielfeld_Tor_Reaktion(satz, satz->tor_reaktion_seite);
        }
    }
}

// 18. The decision round robin: one figure per frame is asked to decide.
void Entscheidungsreihe(Spielfeld_Satz* satz) {
    if (--Rr_Countdown(satz) > 0) return;
    int8_t& i = Rr_Index(satz);
    if (i < 0 || i > FIGUR_SCHIRI) i = 0;
    Figur& f = satz->figur[i];
    if (satz->spielzustand <= SZ_NACH_TOR && f.situation == 0 && f.entscheid_timer == 0) f.entscheiden = 1;
    if (++i > FIGUR_SCHIRI) {
        i = 0;
        bool wechsel = false;
        for (int32_t s = 0; s < SF_SPIELER; ++s) {
            const uint8_t c = satz->figur[s].situation;
            if (c == 36 || c == 37 || c == 38 || c == 39 || c == 50) wechsel = true;
        }
        if (!wechsel && satz->spielzustand == SZ_NEUE_HALBZEIT) satz->spielzustand = SZ_SPIEL;
    }
}

// 20. The figure loop. True when a figure moved.
//
// The two sides take turns at going first, frame by frame: a side always
// run second would see every kick of the other in the frame it is struck
// (its keeper answering a shot at once) and never the other way round.
bool Figuren(Spielfeld_Satz* satz, float ergebnis) {
    bool bewegt = false;
    const float schritt = TICK_FIGUR_SCHRITT;
    const bool gast_zuerst = (satz->frame_zaehler & 1) != 0;
    for (int32_t k = 0; k < SF_FIGUREN; ++k) {
        const int32_t i = gast_zuerst && k < SF_SPIELER ? (k + SF_SPIELER_SEITE) % SF_SPIELER : k;
        Figur& f = satz->figur[i];
        if (!f.gezeichnet) continue;
        f.entscheid_timer = std::max(0.0f, f.entscheid_timer - schritt);
        f.anim_timer = std::max(0.0f, f.anim_timer - schritt);
        if (Ist_Spieler(i) && f.jagt_ball && (satz->spieler[i].zustand & SM_AUF_PLATZ)) satz->halter_wort = 0;
        if (f.entscheiden) {
            Spielfeld_KI_Ausfuehren(satz, i);
            bewegt = true;
            if (Kickframe_Figur(satz) == i + 1) Kickframe_Figur(satz) = 0;
        }
        Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
        if (a.dauer > 0 && i != FIGUR_BALL) {
            Figur_Anim_Schritt(satz, i, &f, schritt);
            const Anweisung& n = *Figur_Aktuelle_Anweisung(&f);
            const Anim_Satz* z = Anim_Zeile(n.anim);
            // A figure locked out from the ball (he just played it, lost a
            // duel or holds a flag) is blocked: his kick frame takes no ball.
            // Only a player on the pitch plays the ball.
            if (z && z->kontakt_frame >= 0 && n.frame == z->kontakt_frame && Ist_Spieler(i) && Figur_Ballsperre(f) == 0 &&
                (satz->spieler[i].zustand & SM_AUF_PLATZ))
                Kickframe_Figur(satz) = int8_t(i + 1);
            bewegt = true;
        } else {
            if (Ist_Spieler(i) && (satz->spieler[i].zustand & SM_AUF_PLATZ) && satz->ausdauer_timer <= 0) {
                int32_t& s = satz->spieler[i].ausdauer;
                s = std::min(10000, s + int32_t(ergebnis * 18.0f));
            }
            // A figure in a scripted situation keeps the row its script gave
            // him: a wall man stands still in the wall's pose, and the
            // fallback would turn him to the plain stand every frame.
            if (i <= FIGUR_LINIENRICHTER_2 && !f.entscheiden && f.situation == 0) Spielfeld_Ruhehaltung(satz, i);
        }
        const Anweisung& b = *Figur_Aktuelle_Anweisung(&f);
        const bool ball = i == FIGUR_BALL;
        // Only a figure in motion takes its movement step; a held ball at rest
        // stays where it lies (stepped, a ball on the penalty spot was
        // "received" by its taker, named receiver, and shifted off the spot
        // every frame). A ball that died over a goal line, or out over a touch
        // line, still takes its step: the step restarts play with the goal
        // kick, the corner or the throw-in. So does one the possession step
        // took out of play at rest: without its step no throw-in came, and
        // nobody may touch a ball out of play, so it lay there until the
        // whistle (full world seed 2008, day 116). So does one in the net
        // brought to rest by a touch before it died there: the goal is given
        // (seed 2002, day 137: a keeper carried it over his line).
        const bool tot_im_aus = ball &&
                                (satz->ball_linie == BALL_TOR || satz->ball_linie == BALL_TORAUS ||
                                 satz->ball_linie == BALL_SEITENAUS || satz->ball_linie == BALL_HERAUSGENOMMEN) &&
                                satz->spielzustand == SZ_SPIEL;
        if (b.tempo != 0 || b.vz != 0 || f.v[0] != 0 || f.v[1] != 0 || tot_im_aus) {
            Figur_Bewegen(satz, i, &f, schritt, ball);
            bewegt = true;
        }
        // The reaction delay: a waiting figure is asked again once it ran out.
        if (f.entscheid_intervall != 0 && !ball && i < FIGUR_BALL) {
            const float grenze = i == satz->empfaenger ? 0.7f : 1.0f;
            if (f.entscheid_intervall > grenze) {
                f.entscheiden = 1;
                f.entscheid_intervall = 0;
            } else {
                f.entscheid_intervall += schritt / 1000;
            }
        }
    }
    return bewegt;
}

// A restart whose taker has the ball's say until he plays it.
bool Standard_Laeuft(uint32_t zustand) {
    switch (zustand) {
        case SZ_EINWURF:
        case SZ_ABSTOSS:
        case SZ_ECKE:
        case SZ_ANSTOSS:
        case SZ_ELFMETER:
        case SZ_ELFMETERSCHIESSEN:
        case SZ_FREISTOSS: return true;
        default: return false;
    }
}

// 22. The ball at a kick frame: it sits at the kicker's foot and he takes it.
void Ball_Am_Kickframe(Spielfeld_Satz* satz) {
    Figur& b = satz->figur[FIGUR_BALL];
    const int32_t k = Kickframe_Figur(satz) - 1;
    if (!Ist_Spieler(k)) {
        b.gezeichnet = 1;
        return;
    }
    // The mark outlives the frame until its figure decides: a player who
    // reached a kick frame in the last frame of a half and went off at the
    // break would otherwise take the ball from the bench at the kick-off.
    // Nor does a player walking off take it: his mark outlives every frame
    // (he decides nothing until he is off), and a penalty's ball taken from
    // the spot to his foot was put back and the stoppage prepared anew every
    // frame, so that nobody moved again.
    const Figur& f = satz->figur[k];
    if (!(satz->spieler[k].zustand & SM_AUF_PLATZ) || f.situation == 38) {
        Kickframe_Figur(satz) = 0;
        b.gezeichnet = 1;
        return;
    }
    // In a restart the ball is the set piece's: a kick frame left over from
    // open play (a slide or a kick reaching its frame after the whistle) by
    // a player without a part in it takes no ball. Taken, it pulled the ball
    // out of the thrower's hands to an opponent metres away, and the
    // throw-in waited for that opponent to leave a ball he now held.
    if (Standard_Laeuft(satz->spielzustand) && f.situation == 0) {
        b.gezeichnet = 1;
        return;
    }
    b.pos[0] = f.pos[0] + 0.07f * b.v[0];
    if (std::fabs(b.pos[1] - f.pos[1]) > 20 || b.v[1] != 0) b.pos[1] = f.pos[1] + 0.07f * b.v[1];
    if (satz->ballhalter != k && b.pos[0] > 0 && b.pos[0] < SPIELFELD_LAENGE) {
        satz->foul_countdown = 0;
        satz->pass_unterwegs = 0;
    }
    b.v[0] = b.v[1] = b.v[2] = 0;
    // The ball now lies at his foot: the target of its last order (a
    // clearance aimed beyond a line, say) is no longer where it goes. Kept,
    // the nudge the holder's touch gives a ball at rest ran it to that old
    // target in one step, up to 1800 cm off the pitch.
    Anweisung& ba = *Figur_Aktuelle_Anweisung(&b);
    ba.ziel[0] = b.pos[0];
    ba.ziel[1] = b.pos[1];
    Ballbesitz_Setzen(satz, k);
}

}  // namespace

bool Spielfeld_Live_Anzeige() { return Spielfeld_Anzeige_Offen(); }

void Spielfeld_Pass_Countdown(Spielfeld_Satz* satz) {
    if (!satz) return;
    uint8_t n = Satz_Feld<uint8_t>(satz, SF_PASS_COUNTDOWN);
    if (n == 0) return;
    if (--n == 0 && satz->pass_unterwegs && satz->ballhalter < 0) {
        const Figur& b = satz->figur[FIGUR_BALL];
        if (b.v[0] != 0 || b.v[1] != 0 || b.pos[2] > 0) {
            n = PASS_NACHFRIST;
        } else {
            // The pass went nowhere: the ball lies still and nobody has it.
            if (Ist_Spieler(satz->passgeber)) Spielfeld_Statistik_Element(satz, satz->passgeber, 0);
            satz->pass_unterwegs = 0;
            satz->empfaenger = -1;
        }
    }
    Satz_Feld_Setzen<uint8_t>(satz, SF_PASS_COUNTDOWN, n);
}

void Spielfeld_Ruhehaltung(Spielfeld_Satz* satz, int32_t i) {
    if (!satz || i < 0 || i > FIGUR_LINIENRICHTER_2) return;
    Figur& f = satz->figur[i];
    Anweisung& a = *Figur_Aktuelle_Anweisung(&f);
    // A new row starts at its first frame: the frame bounds of the old one
    // may lie beyond it.
    auto zeile = [&a](int32_t anim) {
        if (a.anim == anim) return;
        a.anim = anim;
        a.erstes = a.letztes = 0;
        a.letztes_anim = int8_t(Anim_Zeile_Oder_Stand(anim, "Ruhehaltung").letzter_frame);
    };
    if (i >= FIGUR_SCHIRI) {
        zeile(ANIM_STEHEN);
    } else if (f.torwart) {
        if (a.anim != ANIM_TORW_BEREIT) zeile(ANIM_TORW_STEHEN);
    } else {
        if (a.anim > 6) {
            zeile(ANIM_STEHEN);
            a.flags = 0;
        }
        Figur_Standvariante_Waehlen(&f, -1);
        if (a.wiederholung > -1) --a.wiederholung;
    }
    a.folge = ANIM_TORW_STEHEN;
    a.frame = 0;
}

void Spielfeld_Tick_Rebase(uint32_t jetzt) {
    if (t.nachtrag) {
        t.letzte_frame_zeit = int64_t(jetzt) - t.nachtrag;
        t.nachtrag = 0;
    }
    if (int64_t(jetzt) - t.letzte_frame_zeit > int64_t(Intervall())) t.letzte_frame_zeit = int64_t(jetzt) - int64_t(Intervall());
}

float Spielfeld_Tick(Spielfeld_Satz* satz, int32_t erster_aufruf, int8_t* elfer, int32_t nachholen, uint32_t jetzt) {
    // 1.-2.
    if (!Spielfeld_Ist_Initialisiert() || !satz) return TICK_NICHTS;
    t.jetzt = jetzt;
    // The network waits and re-sends run on the program clock; a single
    // machine never reads it, so every frame of every match is spared a
    // clock read.
    t.netz_jetzt = Spielfeld_Hook_Netz_Modus() == 0 ? 0 : erster_aufruf ? jetzt : Zeit_Ms();
    const bool live_anzeige = Spielfeld_Live_Anzeige();
    // Only a watched record keeps the wall clock's pace; the others of the day
    // and the kick-off loop run one frame per call, as without a display.
    const bool anzeige = live_anzeige && erster_aufruf && Spielfeld_Ist_Beobachtet(int32_t(satz->spiel));
    const int64_t uhr = anzeige ? int64_t(jetzt) : 0;
    // The match draws from the random index its record carries: two machines
    // holding the same record draw the same numbers.
    Rnd_Eigener_Index zufall(satz->rnd_index);
    // 3. Without a display the frame time of the last frame means nothing.
    if (erster_aufruf && !live_anzeige) t.letzte_frame_zeit = INT_MAX;
    // 4.
    if (satz->abgebrochen || satz->live != 1) {
        if (satz->live != 1) satz->spielzustand = SZ_SPIEL;
        return TICK_ENDE;
    }
    // 5.
    float vergangen = float(uhr - t.letzte_frame_zeit);
    if (!anzeige) vergangen = Intervall();
    else if (nachholen && vergangen < TICK_FRAME_SCHRITT) vergangen = Intervall();
    if (vergangen < 0) vergangen = Intervall();
    // 6. The walk-off ends once fewer than 17 players stand on the pitch side of y = 0.
    if (satz->spielzustand == SZ_ABGANG) {
        int32_t drauf = 0;
        for (int32_t i = 0; i < SF_SPIELER; ++i)
            if (satz->figur[i].pos[1] > 0) ++drauf;
        if (drauf < 17) return TICK_ENDE;
    }
    // 7. Throttle, only with a display: FAST (the user's bit 0, or bit 1 while
    // no view is drawn) and the calendar's fast mode run without a wait.
    if (anzeige && vergangen < Intervall() && !Spielfeld_Ansicht().fast && !Kalender_Get_Tempo()) return TICK_NICHTS;
    // 8.-10.
    ++satz->frame_zaehler;
    float ergebnis = TICK_FRAME;
    const float spaet = vergangen - Intervall();
    // The match's own clock: headless matches must not read the wall clock,
    // which would make two runs of one record differ.
    satz->spielzeit_ms += uint32_t(TICK_FRAME_SCHRITT);
    Frame_Laeuft(satz) = 1;
    // 11. A paused view holds the match: the frame does not run.
    const bool pause = anzeige && Spielfeld_Get_Pause();
    // In network play the frame waits until the other machine released the minute.
    if (pause || Netz_Wartet(satz, false)) {
        if (pause) Netz_Wartet(satz, true);
        --satz->frame_zaehler;
        satz->spielzeit_ms -= uint32_t(TICK_FRAME_SCHRITT);
        // Only a watched record's wait holds the display's clock: an unwatched
        // match waiting for a client's minute held every watched match of the
        // server to the frames in which that minute came in.
        if (anzeige) t.nachtrag = int64_t(spaet) + 1;
        return TICK_NICHTS;
    }
    // 11.-13.
    // A damaged time factor counts as 1.0: the clock must keep running.
    const float faktor = satz->zeit_faktor >= 1.0f && satz->zeit_faktor < 100.0f ? satz->zeit_faktor : 1.0f;
    satz->minutenuhr -= satz->spielzustand == SZ_SPIEL ? 2.0f : 2.0f / (10.0f / faktor);
    if (!(satz->minutenuhr > 0.001f)) {
        if (Minute_Wechseln(satz)) {
            --satz->frame_zaehler;
            Debug_Printf("NEUE_HALBZEIT\n");
            return TICK_ENDE;
        }
        ergebnis = TICK_NICHTS;
        // In network play the frame of a minute change is not run.
        if (Spielfeld_Hook_Netz_Modus() != 0) {
            --satz->frame_zaehler;
            return TICK_NICHTS;
        }
    }
    satz->sekunde = satz->tor_reaktion ? 0 : int16_t((TICK_UHR_START - satz->minutenuhr) * 60 / 90);
    // 15. A watched match that ended counts down to its release.
    if (satz->freigabe_countdown) --satz->freigabe_countdown;
    // 16. After a goal the set-piece countdown leads to the kick-off.
    if (satz->standard_flag > 0 && --satz->standard_flag == 0) {
        std::fill(std::begin(satz->standard_marker), std::end(satz->standard_marker), int8_t(0));
        Ballbesitz_Setzen(satz, -1);
        satz->ballhalter = -1;
        satz->spielzustand = SZ_ANSTOSS;
        satz->ball_linie = BALL_IM_SPIEL;
        SetAnim(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0);
        Figur& b = satz->figur[FIGUR_BALL];
        b.v[0] = b.v[1] = b.v[2] = 0;
        Figur_Aktuelle_Anweisung(&b)->tempo = 0;
    }
    if (elfer && *elfer == 0) *elfer = satz->elfmeter_schuss ? 1 : 0;
    // The frame a restart's play state began: its scripts' waits end at a bound.
    Spielfeld_Zustand_Zaehlen(satz);
    const uint32_t zustand_vorher = satz->spielzustand;
    Spielzustand_Arbeit(satz);
    // 18.
    Entscheidungsreihe(satz);
    // A restart not yet prepared has just placed its ball: a kick mark left
    // from before (open play up to the whistle) takes no ball from it. Taken,
    // the ball went to the marked player's foot (the later penalty taker 88 cm
    // from the spot, say), the penalty was placed anew, the frame preparing it
    // moved nobody and the mark, cleared only by its figure's decision, took
    // the ball again: the match stood to the whistle.
    if (satz->spielzustand != SZ_SPIEL && !satz->unterbrechung_bereit) Kickframe_Figur(satz) = 0;
    // 19. A stoppage is prepared once; a frame that placed the figures runs no figure work.
    const bool vorbereitet = satz->spielzustand != SZ_SPIEL && Spielfeld_Auswechslung_Pruefen(satz) != 0;
    satz->ausdauer_timer -= satz->spielzustand == SZ_SPIEL ? 1.0f : 0.1f;
    // 20.
    const bool bewegt = !vorbereitet && Figuren(satz, ergebnis);
    // 21.
    if (Rr_Countdown(satz) <= 0) Rr_Countdown(satz) = 1;
    if (!vorbereitet) {
        // A loose ball is chased by one of each side: one side left without
        // (its keeper, chosen while the ball ran by his area, dropped the
        // chase once it left it) gets its chasers anew. Asked only when
        // nobody chased, a ball at rest in a corner was left to the other
        // side's man running from 30 m away while one who stood beside it
        // looked on (full world seed 2003).
        bool jagt[2] = {false, false};
        for (int32_t i = 0; i < SF_SPIELER; ++i)
            if (satz->figur[i].jagt_ball) jagt[i < SF_SPIELER_SEITE ? 0 : 1] = true;
        const bool ohne = satz->spielzustand == SZ_SPIEL ? !(jagt[0] && jagt[1]) : !(jagt[0] || jagt[1]);
        if ((satz->ballhalter < 0 && ohne) || satz->spielzustand != zustand_vorher) {
            if (satz->unterbrechung_bereit || satz->spielzustand == SZ_SPIEL) Spielfeld_Spieler_Um_Ball(satz);
        }
    }
    if (satz->ausdauer_timer <= 0) satz->ausdauer_timer += std::max(satz->laengen_faktor, 1.0f);
    // 22.
    if (bewegt) Spielfeld_Zweikampf(satz);
    Ball_Am_Kickframe(satz);
    const Figur& b = satz->figur[FIGUR_BALL];
    satz->kamera_ziel[0] = b.pos[0] + b.v[0] / 3;
    satz->kamera_ziel[1] = b.pos[1] + b.v[1] / 3;
    // The shown record goes into the display ring; the view draws it behind.
    if (int32_t(satz->spiel) == Spielfeld_Gezeigtes_Spiel()) {
        Spielfeld_Anzeige_Eintragen(satz);
        if (anzeige) Spielfeld_Anzeige_Schritt(satz);
    }
    // 23. The carry belongs to the display's clock: a record run without a
    // wait must not move the watched ones' frame time.
    Ton_Einmal(satz) = 0;
    if (anzeige) t.nachtrag = int64_t(spaet) + 1;
    return ergebnis;
}

int32_t Spielfeld_Anstoss_Ausfuehren(Spielfeld_Satz* satz) {
    // The first period starts inside the set-up, before the players may touch
    // the ball (31588): that kick-off is taken in the match day's first frames.
    if (!satz || satz->live != 1 || !satz->wetter_init) return 0;
    int32_t n = 0;
    while (satz->spielzustand != SZ_SPIEL && n < ANSTOSS_MAX_FRAMES) {
        const uint32_t frames = satz->frame_zaehler;
        // Steps of 1000 ms: the frame time only matters to a display.
        Spielfeld_Tick(satz, 0, nullptr, 0, uint32_t(n) * 1000u);
        ++n;
        // In network play a frame the other machine has not released is not
        // played here, nor is the kick-off cut short: the match day's ticks
        // take it on once the minute is released, frame for frame as the
        // other machine plays it.
        if (Spielfeld_Hook_Netz_Modus() != 0 && satz->frame_zaehler == frames && (satz->bereit & 3) != 3) return n;
    }
    if (satz->spielzustand != SZ_SPIEL) {
        Debug_Printf("Spielfeld_Anstoss_Ausfuehren: Anstoss nach %d Frames nicht ausgefuehrt, Spiel freigegeben\n", n);
        Spielfeld_Wartegrenze_Melden(satz);
        Spielfeld_Spielzustand_Freigeben(satz);
    }
    return n;
}

}  // namespace velmora
