// match/day/minuten_wuerfel.cpp
#include "match/day/minuten_wuerfel.h"

#include <algorithm>

#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "match/record/spielfeld_satz.h"
#include "match/day/spieltag_hooks.h"
#include "season/spiele.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {
namespace {

constexpr int32_t KEIN_SPIELER = SPIEL_KEIN_SPIELER;
constexpr uint32_t TREFFER = EREIGNIS_SCHUSS | EREIGNIS_TOR;

// The minute an event carries: the game's minute + 1, or the period's end
// minute once the period has reached it (stoppage time keeps the last minute);
// `ende` is Wettbewerb_Halbzeit_Ende of that minute.
int32_t Ereignis_Minute(int32_t minute, int32_t ende) { return ende != -1 ? ende : minute + 1; }
int32_t Ereignis_Minute(const SpielDatensatz& sp, int32_t abschnitt) {
    return Ereignis_Minute(sp.minute, Wettbewerb_Halbzeit_Ende(sp.wettbewerb, sp.minute, abschnitt));
}

// A kind of goal: plain, or one of the marked kinds.
uint32_t Tor_Art() {
    if (Rnd_Bereich(0, 10) == 3) return TREFFER | TORART_80;
    if (Rnd_Bereich(0, 17) == 5) return TREFFER | TORART_STANDARD_8000;
    if (Rnd_Bereich(0, 12) == 7) return TREFFER | TORART_2000;
    if (Rnd_Bereich(0, 10) == 2) return TREFFER | TORART_STANDARD_4000;
    return TREFFER;
}

int32_t Startelf(int32_t team, int32_t* out) {
    if (team < 0) return 0;
    return std::clamp(Teamspieler_Ins_Array(team, out, WUERFEL_SPIELER, 16), 0, WUERFEL_SPIELER);
}

// The scorer and, unless the kind is a set piece without assist, a second
// player other than the scorer. False when the side has nobody on the pitch.
bool Torschuetzen(const int32_t* spieler, int32_t n, uint32_t art, int32_t* schuetze, int32_t* zweiter) {
    if (n <= 0) return false;
    *schuetze = spieler[Rnd(0, n - 1)];
    *zweiter = KEIN_SPIELER;
    if (art & TORART_OHNE_VORLAGE) return true;
    *zweiter = spieler[Rnd(0, n - 1)];
    while (*zweiter == *schuetze && n > 1) *zweiter = spieler[Rnd(0, n - 1)];
    return true;
}

int32_t Tore_Summe(Spiel_Lock h) {
    const SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
    return sp ? std::max<int32_t>(sp->tore_heim, 0) + std::max<int32_t>(sp->tore_gast, 0) : 0;
}

// A golden goal ends the match, but only a goal that really counted: a goal
// roll for a side without players, or one that was taken back, leaves the
// sudden-death period running, so it never ends level.
void Golden_Goal(Spieltag_Slot* slot, const SpielDatensatz& sp, uint32_t art, int32_t tore_vorher) {
    if (!(art & EREIGNIS_TOR) || !Wettbewerb_Ist_Sudden_Death(sp.wettbewerb, slot->abschnitt)) return;
    if (Tore_Summe(slot->spiel) > tore_vorher) slot->status = SLOT_BEENDET;
}

}  // namespace

void Wuerfel_Satz_Fuellen(Wuerfel_Satz* w, int32_t heim, int32_t gast) {
    if (!w) return;
    *w = Wuerfel_Satz{};
    const int32_t teams[2] = {heim, gast};
    for (int32_t s = 0; s < 2; ++s) {
        int32_t st = teams[s] >= 0 ? std::max(Team_Berechne_Staerke(teams[s], 16), 0) : 0;
        w->staerke[s] = std::clamp(st * 999 / TEAM_STAERKE_SKALA / 10, 0, 99);
        w->anzahl[s] = Startelf(teams[s], w->spieler[s]);
    }
}

void Spieltag_Ergebnis_Wuerfeln(Spieltag_Slot* slot, Wuerfel_Satz* w) {
    if (!slot || !w) return;
    SpielDatensatz* sp = Spiele_Get_Spiel(slot->spiel, 1);
    if (!sp) {
        Debug_Printf("Spieltag_Ergebnis_Wuerfeln: Spiel %d fehlt\n", slot->spiel);
        return;
    }
    const Spiel_Lock h = slot->spiel;
    const int32_t minute = Ereignis_Minute(*sp, slot->abschnitt);
    if (Rnd(0, 30) == 4) {
        int32_t seite = Rnd(1, 5) < 3 ? 1 : 0;
        uint32_t art = seite == 0 ? EREIGNIS_HEIM : 0;
        int32_t n = std::clamp(w->anzahl[seite], 0, WUERFEL_SPIELER);
        if (n > 0) {
            int32_t i = Rnd(0, n - 1);
            int32_t p = w->spieler[seite][i];
            if (p != -1) {
                if (Rnd(0, 10) != 2) {
                    if (w->gebucht[seite][i]) {
                        w->spieler[seite][i] = -1;
                        art |= EREIGNIS_GELBROT;
                    } else {
                        w->gebucht[seite][i] = 1;
                        art |= EREIGNIS_GELB;
                    }
                } else {
                    art |= EREIGNIS_ROT;
                    w->spieler[seite][i] = -1;
                }
                Spiel_Ereignis(h, art, minute, p, KEIN_SPIELER);
            }
        }
    }
    sp = Spiele_Get_Spiel(h, 1);
    if (!sp) return;
    int32_t th = std::max<int32_t>(sp->tore_heim, 0), tg = std::max<int32_t>(sp->tore_gast, 0);
    if (Rnd(0, 3 * (th + tg) + 7) != 4 || slot->status != SLOT_LAEUFT || Rnd(0, 15) < 6) return;
    int32_t a = std::clamp(w->staerke[0] - w->staerke[1] + 6, 10, 20);
    int32_t b = std::clamp(w->staerke[1] - w->staerke[0], 8, 14);
    a = Rnd(0, 5 * a);
    b = Rnd(0, 5 * b);
    uint32_t art = Tor_Art();
    int32_t seite = a >= b ? 0 : 1;
    if (seite == 0) art |= EREIGNIS_HEIM;
    int32_t elf[WUERFEL_SPIELER];
    int32_t n = Startelf(seite == 0 ? sp->heim : sp->gast, elf);
    const SpielDatensatz kopie = *sp;
    int32_t vorher = th + tg;
    if (n > 0) {
        if (Rnd(0, 7) > 4) art ^= EREIGNIS_TOR;
        int32_t schuetze = 0, zweiter = 0;
        Torschuetzen(elf, n, art, &schuetze, &zweiter);
        bool schon = (seite == 0 ? th : tg) > 0;
        if (!(schon && Rnd(0, 2) == 0)) Spiel_Ereignis(h, art, minute, schuetze, zweiter);
    }
    Golden_Goal(slot, kopie, art, vorher);
}

void Spieltag_Minute_Ohne_Spielfeld(Spieltag_Slot* slot, const Spielfeld_Satz* satz) {
    if (!slot || !satz) return;
    const SpielDatensatz* sp = Spiele_Get_Spiel(slot->spiel, 1);
    const int32_t ende = sp ? Wettbewerb_Halbzeit_Ende(sp->wettbewerb, sp->minute, slot->abschnitt) : -1;
    Spieltag_Minute_Ohne_Spielfeld(slot, satz, ende);
}

void Spieltag_Minute_Ohne_Spielfeld(Spieltag_Slot* slot, const Spielfeld_Satz* satz, int32_t halbzeit_ende) {
    if (!slot || !satz) return;
    const Spiel_Lock h = slot->spiel;
    SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
    if (!sp) {
        Debug_Printf("Spieltag_Minute_Ohne_Spielfeld: Spiel %d fehlt\n", h);
        return;
    }
    const int32_t minute = Ereignis_Minute(sp->minute, halbzeit_ende);
    const int32_t teams[2] = {sp->heim, sp->gast};
    const int32_t wettbewerb = sp->wettbewerb;
    int32_t elf[WUERFEL_SPIELER];
    if (Rnd(0, 25) == 4) {
        int32_t seite = Rnd(1, 5) < 3 ? 1 : 0;
        uint32_t art = seite == 0 ? EREIGNIS_HEIM : 0;
        int32_t n = Startelf(teams[seite], elf);
        if (n > 0) {
            int32_t p = elf[Rnd(0, n - 1)];
            if (Rnd(0, 10) != 2) {
                int32_t vorher = Spiele_Get_Wettbewerb_Ereignis(wettbewerb, 1, -1, p, -1, -1);
                art |= (vorher == -1 || !(vorher & KARTE_GEBUCHT)) ? EREIGNIS_GELB : EREIGNIS_GELBROT;
            } else {
                art |= EREIGNIS_ROT;
            }
            Spiel_Ereignis(h, art, minute, p, KEIN_SPIELER);
            // The event may have moved the game store: the game is looked up again.
            sp = Spiele_Get_Spiel(h, 1);
            if (!sp) return;
        }
    }
    int32_t th = std::max<int32_t>(sp->tore_heim, 0), tg = std::max<int32_t>(sp->tore_gast, 0);
    if (Rnd(0, 2 * th + 2 * tg + 6) != 4 || (satz->live == 1 && Spieltag_Hooks().tick) || slot->status != SLOT_LAEUFT ||
        Rnd(0, 15) <= 5 + (th > 0 ? 1 : 0) + (tg > 0 ? 1 : 0))
        return;
    int32_t a = std::clamp(int32_t(satz->staerke[0]) - int32_t(satz->staerke[1]) + 6, 10, 14);
    int32_t b = std::clamp(int32_t(satz->staerke[1]) - int32_t(satz->staerke[0]), 8, 14);
    a = Rnd(0, 5 * a);
    b = Rnd(0, 5 * b);
    uint32_t art = Tor_Art();
    int32_t seite = a >= b ? 0 : 1;
    if (seite == 0) art |= EREIGNIS_HEIM;
    int32_t n = Startelf(teams[seite], elf);
    const SpielDatensatz kopie = *sp;
    if (n > 0) {
        if (Rnd(0, 7) > 4) art ^= EREIGNIS_TOR;
        int32_t schuetze = 0, zweiter = 0;
        Torschuetzen(elf, n, art, &schuetze, &zweiter);
        Spiel_Ereignis(h, art, minute, schuetze, zweiter);
    }
    Golden_Goal(slot, kopie, art, th + tg);
}

}  // namespace velmora
