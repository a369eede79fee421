// match/day/spieltag_anpfiff.cpp - the start of one match: line-up check and a
// cancelled match's fine, the venue and gate money, both elevens' set-up,
// and the match record or the all-at-once dice.
#include "match/day/spieltag.h"

#include <algorithm>

#include "club/aufstellung.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/rnd.h"
#include "core/str.h"
#include "match/day/minuten_wuerfel.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/day/spieltag_intern.h"
#include "match/day/spieltag_netz.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {

using namespace spieltag_intern;

namespace {

constexpr int32_t STRAFE_NEWS = 516;
constexpr int32_t BUCHUNG_STRAFE = 22;

}  // namespace

namespace spieltag_intern {

// The ticket-price and crowd values of a game: the stake mix p, its importance
// and the spectator base.
int32_t Spiel_Wichtigkeit(const SpielDatensatz& sp) {
    return std::clamp(Wettbewerb_Spiel_Wichtigkeit(sp.wettbewerb, sp.runde), 0, 100);
}

void Zuschauer_Werte(const SpielDatensatz& sp, int32_t* p, int32_t* wichtigkeit, int32_t* basis) {
    const int32_t teams[2] = {sp.heim, sp.gast};
    int32_t anteil[2] = {80, 80};
    Wettbewerb_Spiel_Bedeutung_Teams(sp.wettbewerb, teams, anteil, 2);
    *wichtigkeit = Spiel_Wichtigkeit(sp);
    *p = ((anteil[0] * 80 + anteil[1] * 20) / 100 - 50) * 60 / 100 + 50;
    *basis = ((*p + 50) * 60 + 4000) / 100 * *wichtigkeit / 100;
}

}  // namespace spieltag_intern

namespace {

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
    constexpr int32_t MINDESTENS = 8;   // starting players a side needs to play
    for (int32_t seite = 0; seite < 2; ++seite) {
        // Counted up to the least number only: the list stops there.
        int32_t spieler[MINDESTENS];
        int32_t n = teams[seite] >= 0 ? Teamspieler_Ins_Array(teams[seite], spieler, MINDESTENS, 16) : 0;
        if (n >= MINDESTENS) continue;
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
    const int32_t wichtigkeit = Spiel_Wichtigkeit(*sp);
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

}  // namespace velmora
