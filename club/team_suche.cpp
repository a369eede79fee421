// club/team_suche.cpp - squad questions and club searches, all through the
// player and team accessors.
#include "club/team_suche.h"

#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/str.h"
#include "core/zahlen.h"

namespace velmora {
namespace {

// The players Team_Berechne_Staerke and Team_Berechne_Attribute look at.
int32_t Gezaehlte_Spieler(int32_t team, int32_t filter, int32_t* liste) {
    int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, (filter & 16) ? 16 : 0);
    if (!(filter & 16)) return n;
    int32_t k = 0;
    for (int32_t i = 0; i < n; ++i)
        if (!(Spieler_Status(liste[i]) & SP_STATUS_NICHT_VERFUEGBAR)) liste[k++] = liste[i];
    return k;
}

int32_t Markt_Summe(int32_t team) {
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    int64_t summe = 0;
    for (int32_t i = 0; i < n; ++i) summe += Spieler_Wert(SPW_MARKTWERT, liste[i], 0, OP_LESEN);
    return int32_t(summe / 100000);
}

}  // namespace

int32_t Team_Berechne_Staerke(int32_t team, int32_t filter) {
    if (Team_Anzahl() == 0 || Spieler_Anzahl() == 0) return -1;
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Team_Berechne_Staerke: Team %d ungueltig\n", team);
        return 0;
    }
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Gezaehlte_Spieler(team, filter, liste);
    int32_t modus = (filter & 16) ? SPW_SPIEL_STERNE : SPW_STERNE;
    int32_t summe = 0;
    for (int32_t i = 0; i < n; ++i) summe += Spieler_Wert(modus, liste[i], 0, OP_LESEN);
    return summe;
}

int32_t Team_Berechne_Attribute(int32_t team, int32_t filter) {
    if (Team_Anzahl() == 0 || Spieler_Anzahl() == 0) return -1;
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Team_Berechne_Attribute: Team %d ungueltig\n", team);
        return 0;
    }
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Gezaehlte_Spieler(team, filter, liste);
    if (n == 0) return 0;
    int32_t talente = 0;
    for (int32_t i = 0; i < n; ++i)
        for (int32_t t = 0; t <= 52; ++t)
            if (Spieler_Wert(t, liste[i], 0, OP_LESEN) > 1) ++talente;
    return talente * 10 / n;
}

const char* Team_Format_Staerke(int32_t wert, int32_t dezimal) {
    return Str_Format("%d.%d", wert / 2, Clamp(dezimal, 0, 9, -1));
}

const char* Team_Staerke_Text(int32_t wert) { return Team_Format_Staerke(wert, wert % 2 ? 5 : 0); }

int32_t Team_Get_Staerke(int32_t team) {
    int32_t s = Team_Berechne_Staerke(team, 0);
    return s < 0 ? 0 : s;
}

int32_t Team_Get_Staerke_2(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return 0;
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    int32_t summe = 0;
    for (int32_t i = 0; i < n; ++i) summe += Spieler_Wert(SPW_MAX_STERNE, liste[i], 0, OP_LESEN);
    return summe;
}

int32_t Team_Suche_Spieler_Mit_Art(int32_t team, int32_t art) {
    int32_t liste[MARKT_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, liste, MARKT_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i)
        if (Spieler_Get_Art(liste[i]) == art) return liste[i];
    return -1;
}

int32_t Team_Suche_Spieler(int32_t team, int32_t, int32_t filter) {
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, filter);
    if (n == 0) return 0;
    int64_t summe = 0;
    for (int32_t i = 0; i < n; ++i) summe += Spieler_Wert(SPW_MARKTWERT, liste[i], 0, OP_LESEN);
    return int32_t(summe / n / 100000);
}

int32_t Team_Suche_Alle_Nach_Wert(int32_t* liste) {
    if (!liste) {
        Debug_Printf("Team_Suche_Alle_Nach_Wert: keine Liste\n");
        return 0;
    }
    static uint32_t teams[TEAM_MAX];
    static int32_t werte[TEAM_MAX];
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!Team_Ist_Normal(t, 0)) continue;
        teams[n] = uint32_t(t);
        werte[n++] = Markt_Summe(t);
    }
    Sortiere(teams, werte, n, 1);
    for (int32_t i = 0; i < n; ++i) liste[i] = int32_t(teams[i]);
    return n;
}

int32_t Team_Suche_Vereine_Von_Nation(int32_t nation, int32_t* liste, int32_t sortieren, int32_t ohne_wettbewerb) {
    if (!liste) {
        Debug_Printf("Team_Suche_Vereine_Von_Nation: keine Liste\n");
        return 0;
    }
    static uint32_t teams[TEAM_MAX];
    static int32_t schluessel[TEAM_MAX];
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (t == Team_Markt() || (uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & (TEAM_STATUS_1 | TEAM_STATUS_LAND)))
            continue;
        if (Team_Wert(TW_NATION, t, 0, OP_LESEN) != nation) continue;
        int32_t wettbewerb = Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN);
        if (wettbewerb < 0 && !ohne_wettbewerb) continue;
        int32_t staerke = Team_Get_Staerke(t);
        teams[n] = uint32_t(t);
        schluessel[n++] = wettbewerb < 0 ? 999240 - staerke : wettbewerb * 1000 + (240 - staerke);
    }
    if (sortieren) Sortiere(teams, schluessel, n, 0);
    for (int32_t i = 0; i < n; ++i) liste[i] = int32_t(teams[i]);
    return n;
}

int32_t Team_Get_Spieler_Art_Array(int32_t team, int32_t* out, int32_t, int32_t) {
    if (!out) {
        Debug_Printf("Team_Get_Spieler_Art_Array: keine Ausgabe\n");
        return 0;
    }
    for (int32_t k = 0; k < 4; ++k) out[k] = 0;
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) {
        int32_t art = Spieler_Get_Art(liste[i]);
        if (art >= 0) ++out[art];
    }
    return n;
}

int32_t Team_Zufaelliger_Gegner(int32_t team, int32_t gleiche_liga) {
    static int32_t kandidaten[TEAM_MAX];
    int32_t liga = team >= 0 && team < Team_Anzahl() ? Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN) : -1;
    int32_t n = 0;
    if (gleiche_liga && liga >= 0)
        for (int32_t t = 0; t < Team_Anzahl(); ++t)
            if (t != team && Team_Ist_Normal(t, 0) && Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN) == liga)
                kandidaten[n++] = t;
    if (n == 0)
        for (int32_t t = 0; t < Team_Anzahl(); ++t)
            if (t != team && Team_Ist_Normal(t, 0)) kandidaten[n++] = t;
    return n ? kandidaten[Rnd_Bereich(0, n - 1)] : -1;
}

int32_t Team_Zufaelliges_Aus_Liste() {
    static uint32_t liste[TEAM_MAX];
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Ist_Normal(t, 0)) liste[n++] = uint32_t(t);
    if (n == 0) return -1;
    Misch_U32(liste, n);
    return int32_t(liste[0]);
}

int32_t Team_Set_Moral(int32_t prozent) {
    if (Club_Ist_Client()) {
        Debug_Printf("Team_Set_Moral: CLIENT-WRITE!\n");
        return 0;
    }
    if (prozent < -100 || prozent > 100) {
        Debug_Printf("Team_Set_Moral: Prozent %d ungueltig\n", prozent);
        return 0;
    }
    int32_t liste[TEAM_SPIELER_MAX];
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!Team_Ist_Normal(t, 0)) continue;
        int32_t n = Teamspieler_Ins_Array(t, liste, TEAM_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) {
            int32_t m = Spieler_Wert(SPW_MORAL, liste[i], 0, OP_LESEN);
            Spieler_Wert(SPW_MORAL, liste[i], Clamp(m + m * prozent / 100, 0, 6, -1), OP_SCHREIBEN);
        }
    }
    return 1;
}

void Team_Zufaellige_Spieler(int32_t team) {
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    // Draw without putting back: a squad of fewer than four is halved whole
    // instead of drawing forever for a fourth different player.
    int32_t ziehen = n < 4 ? n : 4;
    for (int32_t k = 0; k < ziehen; ++k) {
        int32_t i = Rnd_Bereich(k, n - 1);
        Tausche(&liste[k], &liste[i]);
        Spieler_Wert(SPW_STAERKE, liste[k], Spieler_Staerke(liste[k]) / 2, OP_SCHREIBEN);
    }
}

void Team_Saison_Aktualisieren(int32_t team) {
    int32_t liste[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    if (n == 0) return;
    int64_t summe = 0;
    for (int32_t i = 0; i < n; ++i) summe += Spieler_Staerke(liste[i]);
    int32_t wert = int32_t(summe / n / 100);
    Team_Wert(TW_TEAMWERT, team, wert < 40 ? 40 : wert, OP_SCHREIBEN);
}

}  // namespace velmora
