// match/day/spieltag_abschluss.cpp - the close of a competition's match day: once
// its last slot is closed, each game's statistics, suspensions, season
// values, points, announcements and events; the simulator's counts.
#include "match/day/spieltag.h"

#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "core/str.h"
#include "match/day/spieltag_intern.h"
#include "season/spielplan.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {

using namespace spieltag_intern;

namespace {

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
    } else {
        // A game without its match record (called off, or beyond the records
        // kept) has no report, but its results and table pages still show its
        // own competition and round: without this they took whatever page was
        // set up last, another league's, whose page they then replaced.
        h.ankuendigung_setzen(s.spiel, team, nullptr);
    }
    h.ankuendigung(5, team * 50 + 7);
    h.ankuendigung(6, team * 50 + 6);
    if (Team_Hat_Aktiven_Manager(team) && h.eigenes_team) h.eigenes_team(team);
}

}  // namespace

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
        // A client's write goes to the server, which may hold the bits this
        // machine has not: there every player's bits are cleared.
        const bool client = Club_Ist_Client();
        for (int32_t t : teams) {
            if (t < 0) continue;
            // The suspensions of both clubs count down in the game's competition.
            Spiele_Setze_Sperren_Spieler_Vor_Spiel(w, t, 0);
            // A sending-off holds for its match only; the suspension stays with the fixtures store.
            // Most players saw no card: their record stays as it is.
            constexpr int32_t KARTEN = int32_t(SP_STATUS_GELB | SP_STATUS_ROT);
            int32_t spieler[TEAM_SPIELER_MAX];
            int32_t m = Teamspieler_Ins_Array(t, spieler, TEAM_SPIELER_MAX, 0);
            for (int32_t k = 0; k < m; ++k)
                if (client || (Spieler_Wert(SPW_STATUS, spieler[k], 0, OP_LESEN) & KARTEN))
                    Spieler_Wert(SPW_STATUS, spieler[k], KARTEN, OP_LOESCHEN);
        }
        // The point bonus before the clubs' after-match work: it is the
        // match's money, so it falls into the period the match closes and its
        // finance page shows it (paid after the close it stood in the next
        // period, money no page of the match explained).
        if (tore[0] != tore[1]) {
            int32_t sieger = teams[tore[0] > tore[1] ? 0 : 1];
            if (sieger >= 0) Wettbewerb_Zahle_Punkt_U(w, sieger, 1);
        } else {
            for (int32_t t : teams)
                if (t >= 0) Wettbewerb_Zahle_Punkt_U(w, t, 0);
        }
        for (int32_t t : teams) {
            if (t < 0) continue;
            Team_Saison_Aktualisieren(t);
            Spieltag_Hooks().nach_spiel_team.Aufrufen(t, s.spiel);
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

}  // namespace velmora
