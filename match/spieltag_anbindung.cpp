// match/spieltag_anbindung.cpp
#include "match/spieltag_anbindung.h"

#include <algorithm>

#include "club/club_config.h"
#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/kader_hooks.h"
#include "core/debug.h"
#include "match/spielfeld.h"
#include "match/spielfeld_anbindung.h"
#include "match/spieltag.h"
#include "match/spieltag_hooks.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/spiele.h"
#include "season/statistik.h"

namespace velmora {
namespace {

int32_t kapazitaet(int32_t team) {
    const StadionVorgabe* v = Team_Stadion_Vorgabe(team);
    return v ? std::max(v->sitze, 0) + std::max(v->stehplaetze, 0) : -1;
}

// The fine goes to the bank the club data's transfers use, once it exists.
void ueberweisung(int32_t von, int32_t an, float betrag, int32_t kategorie) {
    if (Kader_Hooks().bank_ueberweisung) {
        Kader_Hooks().bank_ueberweisung(von, an, betrag, kategorie);
        return;
    }
    Debug_Printf("Spieltag: keine Bank, %.0f von Team %d nicht gebucht\n", double(betrag), von);
}

int32_t monat() { return Kalender_Datum_Kopie().monat; }

int32_t heute_spielende(int32_t* out, int32_t max) {
    int32_t alle[256];
    int32_t n = std::min(Kalender_Freier_Tag(-1, 1, alle), max);
    std::copy(alle, alle + n, out);
    return n;
}

// After each match of a club: its starters' game and every goal it scored go
// into the player statistics, then the club's after-match work.
void nach_spiel_team(int32_t team, int32_t spiel) {
    const SpielDatensatz* d = Spiele_Get_Spiel(spiel, 1);
    if (d && (d->heim == team || d->gast == team)) {
        const bool heim = d->heim == team;
        int32_t elf[TEAM_SPIELER_MAX];
        int32_t n = Teamspieler_Ins_Array(team, elf, TEAM_SPIELER_MAX, int32_t(SP_STATUS_START));
        StatistikEintrag eintrag{d->wettbewerb, int16_t(team), STATISTIK_FLAG_SPIEL, 90, 0};
        for (int32_t i = 0; i < std::min(n, 11); ++i) Statistik_Spieler_Eintragen(elf[i], &eintrag, 1);
        int32_t cursor = 0;
        for (const SpielEreignis* e = Spiele_Ereignis_Erstes(spiel, &cursor); e;
             e = Spiele_Ereignis_Naechstes(spiel, &cursor)) {
            const bool tor = (e->art & EREIGNIS_TOR) && !(e->art & EREIGNIS_EIGENTOR);
            if (!tor || bool(e->art & EREIGNIS_HEIM) != heim || e->spieler == SPIEL_KEIN_SPIELER) continue;
            StatistikEintrag t{d->wettbewerb, int16_t(team), STATISTIK_FLAG_TOR, 0, 0};
            Statistik_Spieler_Eintragen(e->spieler, &t, 1);
        }
    }
    Nach_Spiel_Team(team, spiel);
}

}  // namespace

void Spieltag_Anbinden() {
    SpieltagHooks& h = Spieltag_Hooks();
    h.stadion_kapazitaet = kapazitaet;
    h.bank_ueberweisung = ueberweisung;
    h.tag_index = Tag_Index;
    h.monat = monat;
    h.heute_spielende_wettbewerbe = heute_spielende;
    h.heutige_spiele = Kalender_Heutige_Spiele;
    h.nach_spiel_team = nach_spiel_team;
    KalenderHooks& k = Kalender_Hooks();
    k.spieltag_start = Spieltag_Start;
    k.spieltag_frame = Spieltag_Frame;
    k.vor_saisonwechsel = Spieltag_Geschlossene_Freigeben;
}

void Match_Anbinden() {
    Spielfeld_Anbinden();
    Spieltag_Anbinden();
    ClubHooks& c = Club_Hooks();
    if (c.speicher_registrieren) {
        c.speicher_registrieren("Spieltag", Spieltag_Save, Spieltag_Load);
        c.speicher_registrieren("Spielfeld", Spielfeld_Save, Spielfeld_Load);
    }
}

void Match_Abbinden() {
    Spielfeld_Abbinden();
    Spieltag_Hooks() = SpieltagHooks{};
    Kalender_Hooks().spieltag_start = nullptr;
    Kalender_Hooks().spieltag_frame = nullptr;
    Kalender_Hooks().vor_saisonwechsel = nullptr;
}

}  // namespace velmora
