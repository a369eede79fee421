// business/training.cpp - the attribute training unit.
#include "business/training.h"

#include <algorithm>
#include <cmath>

#include "business/bank.h"
#include "business/training_worte.h"
#include "club/club_hooks.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/le.h"
#include "core/rnd.h"
#include "core/spielstand.h"

namespace velmora {
namespace {

constexpr uint32_t SCHRITT_MS = 51;        // at most one step per 51 ms
constexpr uint32_t PAUSE_MS = 100;
constexpr uint32_t BONUS_BILD_MS = 50;
constexpr int32_t BONUS_BILDER = 56;
constexpr int32_t BONUS_AUSZAHL_BILD = 15;  // the bonus pays out while its animation shows frame 15
constexpr int32_t BONUS_TEXT_BILD[4] = {28501, 28531, 28561, 28591};
constexpr int32_t BONUS_TEXT_BILDER[4] = {30, 30, 30, 33};

struct TrainingModul {
    bool offen = false;
    bool neu_basis = false;      // times are relative to the next frame (after a load)
    uint32_t uhr = 0;            // the clock of the last frame
    Training_Sitzung s{};
};
TrainingModul g;
TrainingHooks g_hooks;

void anzeige(int32_t was, int32_t a = 0, int32_t b = 0) {
    if (g_hooks.anzeige) g_hooks.anzeige(was, a, b);
}

int32_t klemme(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

int32_t param(int32_t p) { return Global_Parameter(p, 0); }

// The range (219 - level) x q of the crash and bonus draws, kept within 32 bits.
int32_t bereich(int32_t level, int32_t q) {
    int64_t b = int64_t(TR_LEVEL_MAX - level) * q;
    return int32_t(std::clamp<int64_t>(b, INT32_MIN, INT32_MAX));
}

int32_t talent_wert(int32_t t) { return Spieler_Wert(t, g.s.spieler, 0, OP_LESEN); }
void talent_schreiben(int32_t t, int32_t v) { Spieler_Wert(t, g.s.spieler, v, OP_SCHREIBEN); }

void own_refresh() {
    if (Club_Ist_Client()) Club_Client_Refresh_Alle();
}

void zeiten_verschieben(Training_Sitzung& s, uint32_t basis, bool plus) {
    for (uint32_t* t : {&s.letzter_schritt, &s.uhr1_start, &s.uhr2_start, &s.bonus_start, &s.bonus_text_start})
        *t = plus ? *t + basis : *t - basis;
}

void animationen_leeren() {
    g.s.bonus_laeuft = 0;
    g.s.bonus_text_laeuft = 0;
    anzeige(TR_ANZ_ANIM_LEEREN);
}

// The bonus animation and text end after their frames.
void animationen_pruefen(uint32_t jetzt) {
    if (g.s.bonus_laeuft && jetzt - g.s.bonus_start >= uint32_t(BONUS_BILDER) * BONUS_BILD_MS) g.s.bonus_laeuft = 0;
    if (g.s.bonus_text_laeuft && jetzt - g.s.bonus_text_start >= uint32_t(g.s.bonus_text_bilder) * BONUS_BILD_MS)
        g.s.bonus_text_laeuft = 0;
}

// Peak start levels and hold times of a new unit.
void spitzen_ziehen() {
    g.s.spitzen_anzahl = Rnd(2, TR_SPITZEN_MAX);
    int32_t start[TR_SPITZEN_MAX + 1];
    int32_t max_halten = param(GP_TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE);
    max_halten = klemme(max_halten, 0, INT32_MAX / 1000);
    for (int32_t i = 0; i <= TR_SPITZEN_MAX; ++i) {
        if (i < g.s.spitzen_anzahl) {
            start[i] = i == 0 ? 52 : Rnd(55, 212);
            g.s.halte_zeit[i] = Rnd(1000, max_halten * 1000);
        } else {
            start[i] = 1000;
            g.s.halte_zeit[i] = 0;
        }
    }
    std::sort(start, start + TR_SPITZEN_MAX + 1);
    for (int32_t i = 0; i < TR_SPITZEN_MAX; ++i) g.s.spitze_start[i] = i < g.s.spitzen_anzahl ? start[i] : -1;
    g.s.halte_zeit[TR_SPITZEN_MAX] = -1;
}

// The row of crash bands for the peaks passed; after the last peak of a
// six-peak unit the last row stands for the seventh.
int32_t absturz_folge() {
    int32_t zeilen = Global_Parameter_Zeilen(GP_TRAINING_ABSTURZ_PROCENT_PARAM);
    int32_t r = Rnd(0, 100);
    if (zeilen < 1) return TR_FOLGE_NICHTS;
    int32_t zeile = std::min(std::min(g.s.spitze_index, TR_SPITZEN_MAX - 1), zeilen - 1);
    if (zeile < 0) zeile = 0;
    int32_t t[GP_WERTE];
    for (int32_t i = 0; i < GP_WERTE; ++i) t[i] = Global_Parameter_Zeile(GP_TRAINING_ABSTURZ_PROCENT_PARAM, zeile, i);
    static constexpr int32_t BAND_FOLGE[6] = {TR_FOLGE_PUNKTE, TR_FOLGE_MORAL,   TR_FOLGE_ERSCHOEPFT,
                                              TR_FOLGE_STAERKE, TR_FOLGE_NICHTS, TR_FOLGE_VERLETZT};
    for (int32_t b = 0; b < 6; ++b)
        if (t[b] <= r && r < t[b + 1]) return BAND_FOLGE[b];
    return TR_FOLGE_NICHTS;
}

// The breakdown: the outcome is drawn and its effect on the player made at once
// (only the lost points wait for the result).
void absturz() {
    animationen_leeren();
    anzeige(TR_ANZ_SAMPLES_STOP);
    anzeige(TR_ANZ_FILME_FREI);
    anzeige(TR_ANZ_HERZ);
    anzeige(TR_ANZ_SAMPLE, 4);
    g.s.herz_film = 1;
    g.s.zustand = TR_ABSTURZ;
    g.s.folge_betrag = 0;
    int32_t folge = absturz_folge();
    int32_t p = g.s.spieler;
    switch (folge) {
    case TR_FOLGE_MORAL: {
        int32_t m = Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN);
        if (m < 1) {
            folge = TR_FOLGE_NICHTS;
            break;
        }
        int32_t neu = std::max(m - Rnd(1, 3), 0);
        Spieler_Wert(SPW_MORAL, p, neu, OP_SCHREIBEN);
        g.s.folge_betrag = m - neu;
        break;
    }
    case TR_FOLGE_ERSCHOEPFT: {
        int32_t e = 2 * (Spieler_Wert(SPW_EINSAETZE, p, 0, OP_LESEN) / 2);
        if (e >= 9) {
            folge = TR_FOLGE_NICHTS;
            break;
        }
        int32_t neu = std::min(e + Rnd(2, 8), 9);
        if (neu != 0 && neu / 2 == e / 2) {
            folge = TR_FOLGE_NICHTS;
            break;
        }
        Spieler_Wert(SPW_EINSAETZE, p, neu, OP_SCHREIBEN);
        g.s.folge_betrag = neu / 2 - e / 2;
        break;
    }
    case TR_FOLGE_STAERKE: {
        int32_t d = Rnd(0, 4) == 0 ? 2 : 1;
        int32_t st = Spieler_Sterne(p);
        if (d > st) {
            folge = TR_FOLGE_NICHTS;
            break;
        }
        Spieler_Wert(SPW_STERNE, p, st - d, OP_SCHREIBEN);
        g.s.folge_betrag = d;
        break;
    }
    case TR_FOLGE_VERLETZT:
        Spieler_Verletzen(Team_Lokal(), p, 2);
        g.s.herz_film = 0;
        anzeige(TR_ANZ_FILME_FREI);
        anzeige(TR_ANZ_KWAGEN);
        anzeige(TR_ANZ_SAMPLE, 2);
        break;
    default:
        break;
    }
    g.s.folge = folge;
}

// A crash in rise and hold: random(0, (219 - level) x q) below 3.
void absturz_pruefen() {
    int32_t q = klemme(param(GP_TRAINING_ABSTURZ_PARAM), 0, 40);
    if (Rnd(0, bereich(g.s.level, q)) < 3) absturz();
}

// The bonus start, after each step of states 3 to 6 and every frame of 7 and 9.
void bonus_starten(uint32_t jetzt) {
    if (g.s.zustand == TR_ABSTURZ || g.s.zustand == TR_ENDE) {
        if (g.s.bonus_laeuft || g.s.bonus_text_laeuft) animationen_leeren();
        return;
    }
    if (g.s.bonus_laeuft || g.s.bonus_text_laeuft || g.s.zustand == TR_BEREIT) return;
    int32_t q = klemme(param(GP_TRAINING_EXTRA_BONUS_PARAM), 0, 40);
    if (Rnd(0, bereich(g.s.level, q)) >= 2) return;
    g.s.bonus_laeuft = 1;
    g.s.bonus_start = jetzt;
    g.s.bonus_x = 130;
    g.s.bonus_y = 400 - g.s.level;
    anzeige(TR_ANZ_BONUS, g.s.bonus_x, g.s.bonus_y);
}

// The payout while the bonus animation shows frame 15: 25, 50, 75 or 100 points.
void bonus_auszahlen(uint32_t jetzt) {
    if (g.s.bonus_text_laeuft || !g.s.bonus_laeuft) return;
    if ((jetzt - g.s.bonus_start) / BONUS_BILD_MS != uint32_t(BONUS_AUSZAHL_BILD)) return;
    int32_t r = Rnd(1, 4);
    g.s.punkte += 25 * r;
    g.s.bonus_text_laeuft = 1;
    g.s.bonus_text_start = jetzt;
    g.s.bonus_text_bilder = BONUS_TEXT_BILDER[r - 1];
    anzeige(TR_ANZ_BONUS_TEXT, r, BONUS_TEXT_BILD[r - 1]);
}

void beenden_ohne_folge() {
    g.s.zustand = TR_ENDE;
    animationen_leeren();
    anzeige(TR_ANZ_SAMPLES_STOP);
    anzeige(TR_ANZ_FILME_FREI);
}

// The checks at the top of every frame, in their fixed order.
void pruefungen() {
    Training_Sitzung& s = g.s;
    int32_t schwelle = Training_Schwelle(s.talent);
    bool laeuft = s.zustand != TR_BEREIT;   // nothing moves before the unit is paid
    if (laeuft && s.start_wert + s.punkte >= schwelle && s.zustand != TR_ENDE) {
        s.punkte = schwelle - s.start_wert;
        beenden_ohne_folge();
        anzeige(TR_ANZ_GELERNT, s.talent);
    }
    if (laeuft && s.sicher && s.punkte >= s.basis_punkte && s.zustand != TR_ENDE) beenden_ohne_folge();
    if (laeuft && !s.sicher && s.punkte >= s.basis_punkte && s.zustand < TR_PAUSE) s.zustand = TR_PAUSE;
    if (s.level >= TR_LEVEL_MAX && s.zustand != TR_ABSTURZ && s.zustand != TR_ENDE) {
        s.haltend = 0;
        absturz();
    }
    if (!s.haltend && s.zustand == TR_ANSTIEG && s.spitze_index < s.spitzen_anzahl &&
        s.level >= s.spitze_start[s.spitze_index]) {
        s.zustand = TR_SPITZE;
        s.ziel = s.spitze_start[s.spitze_index] + Rnd(30, 50);
        if (s.ziel >= TR_LEVEL_MAX) s.ziel -= TR_LEVEL_MAX - Rnd(10, 60);
    }
    if (s.haltend && s.zustand != TR_ENDE && s.zustand != TR_ABSTURZ && s.spitze_index >= 0 &&
        s.spitze_index <= TR_SPITZEN_MAX && g.uhr - s.uhr2_start > uint32_t(s.halte_zeit[s.spitze_index])) {
        s.haltend = 0;
        s.zustand = TR_ABFALL;
        if (s.spitze_index < s.spitzen_anzahl) {
            s.ziel = s.level - Rnd(20, 45);
            if (s.ziel < 35) s.ziel = Rnd(35, 65);
        }
    }
    if (laeuft && s.spitze_index >= s.spitzen_anzahl && s.zustand != TR_ENDE && s.zustand != TR_ABSTURZ)
        s.zustand = TR_ANSTIEG;
}

}  // namespace

TrainingHooks& Training_Hooks() { return g_hooks; }

int32_t Training_Schwelle(int32_t talent) {
    if (talent == ATTRIBUT_STERNE) return Attribut_Sterne_Grenze();
    return Attribut_Schwelle(talent);
}

bool Training2_Oeffnen(int32_t spieler, int32_t talent) {
    if (g.offen) {
        Debug_Printf("Training2_Oeffnen: eine Trainingseinheit ist schon offen\n");
        return false;
    }
    if (spieler < 0 || spieler >= Spieler_Anzahl() || talent < 0 || talent > ATTRIBUT_STERNE) {
        Debug_Printf("Training2_Oeffnen: Spieler %d / Talent %d ungueltig\n", spieler, talent);
        return false;
    }
    if (Team_Lokal() < 0 || Spieler_Get_Team(spieler) != Team_Lokal()) {
        Debug_Printf("Training2_Oeffnen: Spieler %d gehoert nicht zum eigenen Verein\n", spieler);
        return false;
    }
    int32_t schwelle = Training_Schwelle(talent);
    int32_t wert = Spieler_Wert(talent, spieler, 0, OP_LESEN);
    if (schwelle < 2 || wert < 0 || wert >= schwelle) {
        // Writing a start value would wipe a learnt or blocked talent.
        Debug_Printf("Training2_Oeffnen: Talent %d (Wert %d, noetig %d) nicht trainierbar\n", talent, wert, schwelle);
        return false;
    }
    g.s = Training_Sitzung{};
    Training_Sitzung& s = g.s;
    s.spieler = spieler;
    s.talent = talent;
    s.alter_wert = wert;
    s.start_wert = wert < 2 ? 0 : wert;
    Spieler_Wert(talent, spieler, s.start_wert, OP_SCHREIBEN);
    s.ziel = -1;
    s.folge = TR_FOLGE_KEINE;
    s.zustand = TR_BEREIT;
    anzeige(TR_ANZ_ANIM_LEEREN);
    const AttributDaten* d = Attribut_Daten(talent);
    int32_t grund = d ? d->punkte_training : 0;
    s.basis_punkte = grund + 2 * Spieler_Form(spieler) / 100 -
                     4 * Spieler_Wert(SPW_EINSAETZE, spieler, 0, OP_LESEN) / 100 +
                     2 * Spieler_Wert(SPW_WERT55, spieler, 0, OP_LESEN) / 10 + Rnd(0, 50);
    spitzen_ziehen();
    s.preis = Attribut_Get_Preis(talent, spieler);
    s.letzter_schritt = g.uhr;
    g.offen = true;
    g.neu_basis = false;
    return true;
}

bool Training_Start() {
    if (!g.offen || g.s.zustand != TR_BEREIT) {
        Debug_Printf("Training_Start: keine bereite Trainingseinheit\n");
        return false;
    }
    // A unit without a price (the strength stars have none) starts without a booking.
    if (g.s.preis > 0 &&
        !Bank_Ueberweisung(Team_Lokal(), -1, float(g.s.preis), BUCHUNG_TRAINING, 0, -1))
        return false;
    anzeige(TR_ANZ_FILM_START, g.s.talent);
    anzeige(TR_ANZ_SAMPLE, 1);
    g.s.zustand = TR_AUFWAERMEN;
    g.s.letzter_schritt = g.uhr - SCHRITT_MS;
    own_refresh();
    return true;
}

void Training_Stop() {
    if (!g.offen || g.s.zustand == TR_BEREIT) {
        Debug_Printf("Training_Stop: keine laufende Trainingseinheit\n");
        return;
    }
    beenden_ohne_folge();
}

void Training_Schritt(uint32_t jetzt) {
    if (!g.offen) return;
    Training_Sitzung& s = g.s;
    bool phase = s.zustand >= TR_ANSTIEG && s.zustand <= TR_SPITZE;
    if (phase) bonus_auszahlen(jetzt);
    if (jetzt - s.letzter_schritt < SCHRITT_MS) return;
    if (s.zustand != TR_AUFWAERMEN && !phase) return;
    s.letzter_schritt = jetzt;
    int32_t schnell = klemme(param(GP_TRAINING_PUNKTE_SCHNELL_PARAM), 0, 40);
    int32_t langsam = klemme(param(GP_TRAINING_PUNKTE_LANGZAM_PARAM), 0, 20);
    switch (s.zustand) {
    case TR_AUFWAERMEN: {
        s.punkte += s.basis_punkte - s.punkte < 6 ? 1 : 20;
        if (s.basis_punkte > 0) {
            int64_t prozent = (int64_t(s.punkte) * 200 + s.basis_punkte) / (2 * int64_t(s.basis_punkte));
            s.level = klemme(int32_t((prozent + 1) / 2), 0, 50);
        }
        return;
    }
    case TR_ANSTIEG: {
        int32_t st = 5 - s.level * 5 / TR_LEVEL_MAX;
        if (Rnd(0, klemme(langsam - st + 1, 0, 20)) == 0) s.punkte += 1;
        s.level += 2;
        break;
    }
    case TR_SPITZE:
        if (Rnd(0, schnell) < 3) s.punkte += 4;
        if (s.level >= s.ziel) {
            s.zustand = TR_HALTEN;
            s.ziel = -1;
            s.uhr2_start = jetzt;
            s.haltend = 1;
        } else {
            s.level += 3;
        }
        absturz_pruefen();
        break;
    case TR_HALTEN: {
        s.level = Rnd(s.level - 2, s.level + 3);
        if (s.level >= TR_LEVEL_MAX) s.level -= Rnd(5, 25);
        int32_t st = 10 - s.level * 10 / TR_LEVEL_MAX;
        if (Rnd(0, klemme(schnell - st + 3, 0, 40)) < 3) s.punkte += 4;
        absturz_pruefen();
        break;
    }
    case TR_ABFALL:
        if (Rnd(0, langsam) == 0) s.punkte += 1;
        if (s.level <= s.ziel) {
            s.zustand = TR_ANSTIEG;
            s.ziel = -1;
            s.spitze_index += 1;
        } else {
            s.level -= 2;
        }
        break;
    default:
        break;
    }
    bonus_starten(jetzt);
}

void Training2_Frame(uint32_t jetzt) {
    if (!g.offen) return;
    if (g.neu_basis) {
        zeiten_verschieben(g.s, jetzt, true);
        g.neu_basis = false;
    }
    g.uhr = jetzt;
    animationen_pruefen(jetzt);
    pruefungen();
    Training_Sitzung& s = g.s;
    switch (s.zustand) {
    case TR_AUFWAERMEN:
    case TR_ANSTIEG:
    case TR_HALTEN:
    case TR_ABFALL:
    case TR_SPITZE:
        s.uhr1_laeuft = 0;
        Training_Schritt(jetzt);
        break;
    case TR_PAUSE:
        if (!s.uhr1_laeuft) {
            s.uhr1_laeuft = 1;
            s.uhr1_start = jetzt;
        } else if (jetzt - s.uhr1_start > PAUSE_MS) {
            s.zustand = TR_ANSTIEG;
            s.uhr1_laeuft = 0;
        }
        break;
    case TR_ABSTURZ:
    case TR_ENDE:
        bonus_starten(jetzt);
        break;
    default:
        break;
    }
    if (s.zustand == TR_ENDE && s.folge == TR_FOLGE_PUNKTE)
        s.angezeigte_punkte = std::max(s.angezeigte_punkte - 10, 0);
    else
        s.angezeigte_punkte = s.punkte;
}

namespace {

// After learning: the new talent takes the place of a lower active one.
void aktivieren(int32_t p, int32_t t) {
    if (t == ATTRIBUT_STERNE || Spieler_Get_Art(p) == 0 || Attribute_Attribut_Aktief(p, t)) return;
    int32_t aktiv[ATTRIBUT_MAX_AKTIV];
    Attribute_Get_Attribute(p, aktiv, ATTRIBUT_MAX_AKTIV, 0);
    for (int32_t i = ATTRIBUT_MAX_AKTIV - 1; i >= 0; --i) {
        int32_t a = aktiv[i];
        if (a < 0 || a >= t || Attribut_Ist_Negativ(p, a)) continue;
        Spieler_Wert(a, p, Attribut_Schwelle(a), OP_SCHREIBEN);
        Spieler_Wert(t, p, Attribut_Schwelle(t) + 1, OP_SCHREIBEN);
        return;
    }
}

void schliessen() {
    g.offen = false;
    g.s.zustand = TR_BEREIT;
    g.s.level = 0;
    g.s.folge = TR_FOLGE_KEINE;
    anzeige(TR_ANZ_SCHLIESSEN);
}

}  // namespace

bool Training_Anwenden() {
    if (!g.offen) {
        Debug_Printf("Training_Anwenden: keine Trainingseinheit offen\n");
        return false;
    }
    Training_Sitzung& s = g.s;
    if (s.zustand == TR_ABSTURZ) {
        s.zustand = TR_ENDE;
        if (s.folge == TR_FOLGE_VERLETZT)
            anzeige(TR_ANZ_SAMPLE, 2);
        else if (s.herz_film)
            anzeige(TR_ANZ_SAMPLE, 4);
        return true;
    }
    if (s.zustand != TR_ENDE) return false;
    int32_t p = s.spieler, t = s.talent;
    int32_t schwelle = Training_Schwelle(t);
    if (s.folge == TR_FOLGE_PUNKTE) s.punkte = 0;
    // A bonus paid after the last check of a frame may overshoot: the
    // requirement is the most a unit can bring.
    int32_t gesamt = std::min(s.start_wert + s.punkte, schwelle);
    bool sterne_voll = false;
    if (t == ATTRIBUT_STERNE && gesamt == schwelle) {
        talent_schreiben(t, 0);
        Spieler_Wert(SPW_STERNE, p, std::min(Spieler_Sterne(p) + 1, 12), OP_SCHREIBEN);
        sterne_voll = true;
    } else if (gesamt != schwelle) {
        talent_schreiben(t, gesamt);
    } else if (Attribut_Spieler_Setze_Wert(p, t, ATTRIBUT_LERNEN)) {
        aktivieren(p, t);
    } else {
        Debug_Printf("Training_Anwenden: Talent %d von Spieler %d nicht lernbar\n", t, p);
    }
    Spieler_Wert(SPW_TRAININGSGELD, p, Spieler_Wert(SPW_TRAININGSGELD, p, 0, OP_LESEN) + s.preis, OP_SCHREIBEN);
    anzeige(TR_ANZ_FILME_FREI);
    anzeige(TR_ANZ_SAMPLES_STOP);
    if (t != ATTRIBUT_STERNE) {
        if (talent_wert(t) == 0) talent_schreiben(t, 1);
    } else if (Spieler_Sterne(p) < 12 && talent_wert(t) == 0 && !sterne_voll) {
        talent_schreiben(t, 1);
    }
    Spieler_Wert(SPW_TRAINING_EINHEITEN, p, 1, OP_PLUS);
    if (Club_Ist_Client()) Spieler_Internet_Client_Refresh();
    schliessen();
    return true;
}

bool Training_Schliessen() {
    if (!g.offen || g.s.zustand != TR_BEREIT) {
        Debug_Printf("Training_Schliessen: nur vor dem Start moeglich\n");
        return false;
    }
    talent_schreiben(g.s.talent, g.s.alter_wert);
    schliessen();
    return true;
}

void Training_Sicher_Setzen(bool an) { g.s.sicher = an ? 1 : 0; }

bool Training_Offen() { return g.offen; }

const Training_Sitzung* Training_Sitzung_Holen() { return g.offen ? &g.s : nullptr; }

void Training_Reset() {
    g = TrainingModul{};
}

void Training_Save(std::vector<uint8_t>& out) {
    Le_Put_U32(out, g.offen ? 1 : 0);
    Training_Sitzung s = g.s;
    if (!g.neu_basis) zeiten_verschieben(s, g.uhr, false);
    Training_Worte_Schreiben(s, out);
}

bool Training_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes != 4 + sizeof(Training_Sitzung)) {
        Debug_Printf("Training_Load: Block mit %zu Bytes beschaedigt\n", bytes);
        return false;
    }
    uint32_t offen = Bytes_Get32(in);
    size_t pos = 4;
    Training_Sitzung s{};
    Training_Worte_Lesen(in, bytes, &pos, &s);
    bool zustand_ok = (s.zustand >= TR_BEREIT && s.zustand <= TR_ABSTURZ) || s.zustand == TR_ENDE;
    bool ok = offen <= 1 &&
              (offen == 0 || (s.spieler >= 0 && s.spieler < Spieler_Anzahl() && s.talent >= 0 &&
                              s.talent <= ATTRIBUT_STERNE && zustand_ok && s.spitzen_anzahl >= 2 &&
                              s.spitzen_anzahl <= TR_SPITZEN_MAX && s.spitze_index >= 0 &&
                              s.spitze_index <= TR_SPITZEN_MAX && s.folge >= TR_FOLGE_KEINE &&
                              s.folge <= TR_FOLGE_NICHTS && s.bonus_text_bilder >= 0 && s.bonus_text_bilder <= 33));
    if (!ok) {
        Debug_Printf("Training_Load: Trainingseinheit beschaedigt\n");
        return false;
    }
    g = TrainingModul{};
    g.offen = offen == 1;
    if (g.offen) g.s = s;
    g.neu_basis = true;
    return true;
}

bool Training_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Training", 45, Training_Save, Training_Load, Training_Reset});
}

}  // namespace velmora
