// match/nachbearbeitung.cpp - after a competition's match day: appearances,
// form and the statistics game of every player who took part.
#include "match/nachbearbeitung.h"

#include <algorithm>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "core/rnd.h"
#include "match/spielfeld.h"
#include "match/spielfeld_hooks.h"
#include "match/spielfeld_satz.h"
#include "match/spieltag.h"
#include "match/spieltag_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"

namespace velmora {

namespace {

constexpr int32_t ATTRIBUT_SCHONUNG = 30;     // never counts appearances
constexpr int32_t ATTRIBUT_UNSTET = 11;       // counts them only every other time
constexpr int32_t ATTRIBUT_UNVERWUESTLICH = 32;   // no minor injury from them
constexpr int32_t NOTE_OHNE_WERTUNG = 40;

struct Teilnehmer {
    int32_t spieler;
    bool gespielt;
    int32_t minuten = -1;   // minutes on the pitch of a live match; -1 the whole match
};

int32_t Wert(int32_t wert, int32_t spieler) { return Spieler_Wert(wert, spieler, 0, OP_LESEN); }
void Setzen(int32_t wert, int32_t spieler, int32_t v) { Spieler_Wert(wert, spieler, v, OP_SCHREIBEN); }

// The nominated players of one side and whether each played.
std::vector<Teilnehmer> Teilnehmer_Der_Seite(const Spielfeld_Satz* satz, int32_t team, int32_t seite) {
    std::vector<Teilnehmer> liste;
    if (satz && satz->live) {
        for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
            const Spieler_Matchsatz& sm = satz->spieler[seite * SF_SPIELER_SEITE + i];
            if (sm.nummer < 0 || sm.rolle[ROLLE(143)] == 0) continue;
            // A live match counted each player's minutes on the pitch: a
            // substitute's entry and the substituted player's are their own.
            liste.push_back({sm.nummer, sm.zaehler != 0, sm.zaehler});
        }
        return liste;
    }
    int32_t spieler[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, int32_t(SP_STATUS_START | SP_STATUS_BANK));
    for (int32_t i = 0; i < n; ++i)
        liste.push_back({spieler[i], (uint32_t(Wert(SPW_STATUS, spieler[i])) & SP_STATUS_START) != 0});
    return liste;
}

void Gespielt(int32_t team, int32_t spieler, bool fruehe_phase) {
    if (Spielfeld_Hook_Attribut(spieler, ATTRIBUT_SCHONUNG) || fruehe_phase) {
        Spielfeld_Spieler_Wert56(spieler);
        return;
    }
    if (Spielfeld_Hook_Attribut(spieler, ATTRIBUT_UNSTET) && Rnd(0, 1) == 0) return;
    if (Spieler_Get_Art(spieler) != 0 || Wert(SPW_WERT55, spieler) % 10 == 0) Spielfeld_Einsatz_Zaehlen(team, spieler);
}

}  // namespace

void Spielfeld_Spieler_Wert56(int32_t spieler) { Setzen(SPW_EINSAETZE, spieler, 0); }

void Spielfeld_Einsatz_Zaehlen(int32_t team, int32_t spieler) {
    Setzen(SPW_EINSAETZE, spieler, std::min(Wert(SPW_EINSAETZE, spieler) + 1, 9));
    const int32_t stufe = Spielfeld_Hook_Schwierigkeit();
    const int32_t chance = 31 - 3 * stufe - (stufe == 4 ? 4 : 0);
    if (Rnd(0, std::max(chance, 1) - 1) == 0 && !Spielfeld_Hook_Attribut(spieler, ATTRIBUT_UNVERWUESTLICH))
        Spieler_Verletzen(team, spieler, 4);
}

void Spielfeld_Form_Nach_Note(int32_t spieler, int32_t note) {
    auto schreiben = [spieler](int32_t f) {
        f = std::clamp(f, 0, 999);
        Setzen(SPW_FORM, spieler, f);
        return f;
    };
    int32_t f = Wert(SPW_FORM, spieler);
    f = schreiben(f > 500 ? f - 50 : f < 500 ? f + 50 : f);
    if (note < 15 && Rnd(0, 1) == 0) {
        f = schreiben(f + Rnd(50, 100));
        if (note < 11) f = schreiben(f + Rnd(50, 100));
    }
    if (note > 40 && Rnd(0, 1) == 0) {
        f = schreiben(f - Rnd(50, 100));
        if (note > 50) schreiben(f - Rnd(50, 100));
    }
}

void Spielfeld_Nachbearbeitung(int32_t wettbewerb) {
    std::vector<int32_t> spiele;
    Spieltag_Spiele_Des_Wettbewerbs(wettbewerb, spiele);
    for (int32_t nummer : spiele) {
        const SpielDatensatz* d = Spiele_Get_Spiel(nummer, 1);
        if (!d || d->tore_heim < 0 || d->ergebnis_art == SPIEL_ERGEBNIS_ABGESAGT) continue;
        const SpielDatensatz spiel = *d;
        const Spielfeld_Satz* satz = Spielfeld_Suchen(nummer);
        const uint8_t minuten = (spiel.flags & SPIEL_FLAG_VERLAENGERUNG) ? 120 : 90;
        const int32_t teams[2] = {spiel.heim, spiel.gast};
        for (int32_t seite = 0; seite < 2; ++seite) {
            const int32_t team = teams[seite];
            if (team < 0) continue;
            const bool fruehe_phase =
                Spielfeld_Hook_Schwierigkeit() == 0 && Spieltag_Hook_Tag() < 90;
            for (const Teilnehmer& t : Teilnehmer_Der_Seite(satz, team, seite)) {
                if (t.gespielt) {
                    Gespielt(team, t.spieler, fruehe_phase);
                    const uint8_t m = t.minuten >= 0 ? uint8_t(std::min<int32_t>(t.minuten, minuten)) : minuten;
                    const StatistikEintrag eintrag{spiel.wettbewerb, int16_t(team), STATISTIK_FLAG_SPIEL, m, 0};
                    Statistik_Spieler_Eintragen(t.spieler, &eintrag, 1);
                } else {
                    Spielfeld_Spieler_Wert56(t.spieler);
                }
                Spielfeld_Form_Nach_Note(t.spieler, NOTE_OHNE_WERTUNG);
            }
        }
    }
}

void Spielfeld_Tore_Eintragen(int32_t team, int32_t spiel) {
    const SpielDatensatz* d = Spiele_Get_Spiel(spiel, 1);
    if (!d || (d->heim != team && d->gast != team)) return;
    // A game computed live entered its scorers' goals as they fell.
    const Spielfeld_Satz* satz = Spielfeld_Anzahl() > 0 ? Spielfeld_Suchen(spiel) : nullptr;
    if (satz && satz->live == 1 && Spieltag_Hooks().tick) return;
    const bool heim = d->heim == team;
    int32_t cursor = 0;
    for (const SpielEreignis* e = Spiele_Ereignis_Erstes(spiel, &cursor); e;
         e = Spiele_Ereignis_Naechstes(spiel, &cursor)) {
        const bool tor = (e->art & EREIGNIS_TOR) && !(e->art & EREIGNIS_EIGENTOR);
        if (!tor || bool(e->art & EREIGNIS_HEIM) != heim || e->spieler == SPIEL_KEIN_SPIELER) continue;
        StatistikEintrag t{d->wettbewerb, int16_t(team), STATISTIK_FLAG_TOR, 0, 0};
        Statistik_Spieler_Eintragen(e->spieler, &t, 1);
    }
}

}  // namespace velmora
