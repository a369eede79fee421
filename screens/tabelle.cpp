// screens/tabelle.cpp - the selection of the competition screens and their rows.
#include "screens/tabelle.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "gfx/schatten.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "platform/clock.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {
namespace {

struct TabelleModul {
    std::vector<int32_t> liste;
    TabDaten daten;
    uint32_t letzter_klick = 0;
};
TabelleModul g;

int32_t Team() { return Menue_Lokal().team; }
int32_t Wort(int32_t icon) { return Team() >= 0 ? Manager_Icon_Word_Data_Lesen(Team(), icon) : 0; }
void Wort_Setzen(int32_t icon, int32_t wert) {
    if (Team() >= 0) Manager_Icon_Word_Data_Schreiben(Team(), icon, wert);
}
int32_t Zustand(int32_t icon) { return Team() >= 0 ? Manager_Icon_Button_Lesen(Team(), icon) : 0; }
void Zustand_Setzen(int32_t icon, int32_t wert) {
    if (Team() >= 0) Manager_Icon_Button_An_Aus(Team(), icon, wert);
}

// Matchdays a round has played: 0 before its start, all once it is over.
int32_t Gespielt(int32_t runde) {
    const WettbewerbSatz* s = Wettbewerb_Satz(runde);
    return s ? std::clamp(s->aktuelle_runde - 1, 0, s->spieltage) : 0;
}

void Icon_Status(int32_t nummer, uint32_t bit, bool an) {
    if (!Menue_Screen_Icon_Ist_Vorhanden(nummer)) return;
    if (s_icon* i = Menue_Screen_Icon_Aus_Nummer(nummer)) i->Status = an ? (i->Status | bit) : (i->Status & ~bit);
}
void Zeigen(int32_t nummer, bool sichtbar) { Icon_Status(nummer, ICON_ST_VERSTECKT, !sichtbar); }
void Grau(int32_t nummer, bool grau) { Icon_Status(nummer, ICON_ST_GESPERRT, grau); }

// The selection falls back to the team's league at its next matchday.
void Auswahl_Zuruecksetzen() {
    const int32_t liga = Team() >= 0 ? Team_Wert(TW_WETTBEWERB, Team(), 0, OP_LESEN) : -1;
    const auto it = std::find(g.liste.begin(), g.liste.end(), liga);
    if (it == g.liste.end()) Debug_Printf("Manager: Wettbew. nicht gef.!\n");
    const int32_t index = it == g.liste.end() ? 0 : int32_t(it - g.liste.begin());
    Wort_Setzen(ICON_TAB_WETTBEWERB, index);
    Wort_Setzen(ICON_TAB_TAG, g.liste.empty() ? 1 : Tabelle_Spieltag_Aktuell_Gesamt(g.liste[size_t(index)]) + 1);
    Wort_Setzen(ICON_TAB_GRUPPE, 0);
}

int32_t Wichtigkeit(int32_t team) {
    const int32_t liga = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
    return liga >= 0 ? Wettbewerb_Spiel_Wichtigkeit(liga, 0) : 0;
}

// The weight a fixture's team gives its pairing: nation, its league's weight and its place.
int64_t Gewicht(int32_t team, int32_t platz) {
    if (team < 0) return 0;
    const int64_t m = Wichtigkeit(team);
    return Team_Wert(TW_NATION, team, 0, OP_LESEN) + 1000 * m * m + Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN) + 100 -
           platz;
}

void Tabelle_Rechnen(TabDaten& d) {
    const TabAuswahl& a = d.auswahl;
    Zeigen(ICON_TAB_FILTER, true);
    Zeigen(ICON_TAB_SAISON, true);
    Zeigen(ICON_TAB_TAG, true);
    Zeigen(ICON_TAB_EIGENE, false);
    Zeigen(ICON_TAB_SPIELER, false);
    Zeigen(ICON_TAB_SPIELERSATZ, false);
    if (s_icon* kopf = Menue_Screen_Icon_Aus_Nummer(ICON_TAB_WETTBEWERB))
        if (Menue_Screen_Icon_Ist_Vorhanden(ICON_TAB_WETTBEWERB)) kopf->bild = d.ko ? 12130 : 12121;
    Grau(ICON_TAB_SAISON, d.ko);
    if (d.ko) {
        d.saison = false;
        Zustand_Setzen(ICON_TAB_SAISON, 0);
    }
    if (d.ko) {
        int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
        const int32_t runde = std::max(a.runden_spieltag, 1);
        const int32_t n = std::min(Wettbewerb_Get_Spieltag_Paarungen(a.wettbewerb, runde, nullptr), WETTBEWERB_TEAMS_MAX);
        Wettbewerb_Get_Spieltag_Paarungen(a.wettbewerb, runde, paare);
        for (int32_t i = 0; i < 2 * n; ++i) {
            const int32_t t = paare[i];
            if (t < 0) continue;
            const int32_t liga = Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN);
            int64_t k = int64_t(Team_Wert(TW_NATION, t, 0, OP_LESEN)) * 1000;
            if (Wettbewerb_KO_Sieger_Von_Team(a.wettbewerb, t, runde, -1) != t) k += 1000000;
            k += 100 - 1000 * int64_t(Wichtigkeit(t)) + liga;
            d.ko_zeilen.push_back({t, k});
        }
        std::stable_sort(d.ko_zeilen.begin(), d.ko_zeilen.end(),
                         [](const TabKoZeile& x, const TabKoZeile& y) { return x.schluessel < y.schluessel; });
        d.zeilen = int32_t(d.ko_zeilen.size());
    } else {
        if (d.saison) d.tabellen_spieltag = a.info.spieltage;
        const int32_t spalte = d.filter == 1 ? TABELLE_HEIM : d.filter == 2 ? TABELLE_AUSWAERTS : TABELLE_GESAMT;
        // The filter's column orders the rows; home or away games alone count for it.
        const int32_t zaehlen = (d.filter == 1 ? TABELLE_MIT_HEIM : d.filter == 2 ? TABELLE_MIT_AUSWAERTS
                                                                                  : TABELLE_MIT_HEIM | TABELLE_MIT_AUSWAERTS) |
                                TABELLE_MIT_DIREKT | TABELLE_MIT_TREND | TABELLE_MIT_VERLAUF;
        d.tabelle_zeilen = Spiele_Statistik(a.wettbewerb, d.tabellen_spieltag,
                                            (a.info.modus & MODUS_ENGLISCHE_TABELLE) != 0, zaehlen, spalte, &d.tabelle);
        d.zeilen = d.tabelle_zeilen;
    }
    d.scroll_max = d.zeilen - 17;
}

// A fixture row's legs; false when its first leg does not exist.
bool Spielplan_Zeile_Fuellen(TabSpielZeile& z, int32_t legs, bool saison) {
    for (int32_t leg = 0; leg < legs; ++leg) {
        const Spiel_Lock h = Spiele_Lock(z.wettbewerb, z.runde, z.paarung, leg);
        if (!h) {
            if (leg == 0) return false;
            continue;
        }
        const SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
        if (leg == 0) {
            z.heim = sp->heim;
            z.gast = sp->gast;
            z.tag = Kalender_Team_Frei_2(z.wettbewerb, z.runde, 0);
            // A league's places in it, a knock-out round's in each team's own league.
            const bool liga = Wettbewerb_Ist_Liga(z.wettbewerb);
            for (int32_t s = 0; s < 2; ++s) {
                const int32_t t = s == 0 ? z.heim : z.gast;
                const int32_t w = liga ? z.wettbewerb : (t >= 0 ? Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN) : -1);
                const int32_t platz = t >= 0 && w >= 0 ? Wettbewerb_Get_Tabellenplatz(w, t, 0, -1, 31, saison) : -1;
                (s == 0 ? z.platz_heim : z.platz_gast) = platz + 1;
            }
        } else {
            z.zwei_spiele = true;
        }
        z.tore[leg][0] = sp->tore_heim;
        z.tore[leg][1] = sp->tore_gast;
        std::snprintf(z.flag_text[leg], sizeof z.flag_text[leg], "%s", Spiele_Flag_Text(h));
        Spiele_Unlock(h);
    }
    return true;
}

void Spielplan_Rechnen(TabDaten& d, int32_t team) {
    const TabAuswahl& a = d.auswahl;
    // The own-games switch takes the place the table filter has on the table screen.
    for (int32_t n : {ICON_TAB_SAISON, ICON_TAB_TAG, ICON_TAB_EIGENE}) Zeigen(n, true);
    Zeigen(ICON_TAB_FILTER, false);
    Zeigen(ICON_TAB_SPIELER, false);
    Zeigen(ICON_TAB_SPIELERSATZ, false);
    const bool eigene = Zustand(ICON_TAB_EIGENE) != 0;
    if (eigene) {
        Tabelle_Team_Spiele(a.liste_wettbewerb, team, 0, d.spiele);
        Grau(ICON_TAB_TAG_ZURUECK, true);
        Grau(ICON_TAB_TAG_VOR, true);
    } else {
        const int32_t n = Wettbewerb_Get_Spiele_Pro_Spieltag(a.wettbewerb, a.runden_spieltag);
        for (int32_t p = 0; p < n; ++p) {
            TabSpielZeile z;
            z.wettbewerb = a.wettbewerb;
            z.runde = a.runden_spieltag;
            z.paarung = p;
            d.spiele.push_back(z);
        }
    }
    // Both legs of every pairing (the first only with the own games); the
    // first missing first leg ends the list.
    for (size_t i = 0; i < d.spiele.size(); ++i) {
        TabSpielZeile& z = d.spiele[i];
        if (!Spielplan_Zeile_Fuellen(z, eigene ? 1 : 2, d.saison)) {
            d.spiele.resize(i);
            break;
        }
    }
    if (d.spiele.empty() || a.spieltag > Tabelle_Spieltag_Aktuell_Gesamt(a.wettbewerb) + 1) {
        Grau(ICON_TAB_SAISON, true);
        d.saison = false;
        Zustand_Setzen(ICON_TAB_SAISON, 0);
    } else {
        Grau(ICON_TAB_SAISON, false);
    }
    if (!eigene)
        std::stable_sort(d.spiele.begin(), d.spiele.end(), [](const TabSpielZeile& x, const TabSpielZeile& y) {
            return Gewicht(x.heim, x.platz_heim) + Gewicht(x.gast, x.platz_gast) >
                   Gewicht(y.heim, y.platz_heim) + Gewicht(y.gast, y.platz_gast);
        });
    d.zeilen = int32_t(d.spiele.size());
    d.scroll_max = d.zeilen - 8;
}

void Vergleich_Rechnen(TabDaten& d) {
    for (int32_t n : {ICON_TAB_FILTER, ICON_TAB_SAISON, ICON_TAB_TAG, ICON_TAB_EIGENE, ICON_TAB_SPIELER,
                      ICON_TAB_TAG_ZURUECK, ICON_TAB_TAG_VOR})
        Zeigen(n, false);
    Zeigen(ICON_TAB_SPIELERSATZ, true);
    static const int32_t SATZ[4] = {0, 16, 32, 65536}, AUSWAHL[4] = {0, 1, 2, 4};
    const int32_t maske = SATZ[std::clamp(Zustand(ICON_TAB_SPIELERSATZ), 0, 1)] | AUSWAHL[0];
    int32_t paare[2 * WETTBEWERB_TEAMS_MAX];
    const int32_t n = std::min(Wettbewerb_Get_Spieltag_Paarungen(d.auswahl.wettbewerb, d.auswahl.runden_spieltag, nullptr),
                               WETTBEWERB_TEAMS_MAX);
    Wettbewerb_Get_Spieltag_Paarungen(d.auswahl.wettbewerb, d.auswahl.runden_spieltag, paare);
    for (int32_t i = 0; i < n; ++i) {
        if (paare[2 * i + 1] < 0) continue;   // a missing away team ends the pair
        for (int32_t t : {paare[2 * i], paare[2 * i + 1]}) {
            TabVergleichZeile z;
            z.team = t;
            z.staerke = Team_Berechne_Staerke(t, maske);
            z.attribut = Team_Berechne_Attribute(t, maske);
            int32_t spieler[TEAM_SPIELER_MAX];
            z.spieler = Teamspieler_Ins_Array(t, spieler, TEAM_SPIELER_MAX, maske);
            for (int32_t k = 0; k < z.spieler; ++k) z.marktwert += Spieler_Wert(SPW_MARKTWERT, spieler[k], 0, OP_LESEN);
            d.vergleich.push_back(z);
        }
    }
    std::stable_sort(d.vergleich.begin(), d.vergleich.end(), [](const TabVergleichZeile& x, const TabVergleichZeile& y) {
        return int64_t(x.staerke) * 100000 + x.team > int64_t(y.staerke) * 100000 + y.team;
    });
    d.zeilen = int32_t(d.vergleich.size());
    d.scroll_max = d.zeilen - 17;
}

}  // namespace

namespace {

// The ids of a chain walked from `erste` along `naechste` (at most 256) into `out`; their count.
int32_t Kette(int32_t wettbewerb, int32_t (*erste)(int32_t), int32_t (*naechste)(int32_t), int32_t* out) {
    int32_t n = 0;
    for (int32_t r = Wettbewerb_Get_Info(wettbewerb) ? erste(wettbewerb) : -1; r >= 0 && n < TAB_RUNDEN_MAX; r = naechste(r)) {
        if (out) out[n] = r;
        ++n;
    }
    return n;
}

}  // namespace

int32_t Tabelle_Runden(int32_t wettbewerb, int32_t* out) {
    return Kette(wettbewerb, Wettbewerb_Erste_Runde, Wettbewerb_Naechste_Runde, out);
}

int32_t Tabelle_Gruppen(int32_t wettbewerb, int32_t* out) {
    return Kette(wettbewerb, Wettbewerb_Erste_Gruppe, Wettbewerb_Naechste_Gruppe, out);
}

int32_t Tabelle_Spieltage_Gesamt(int32_t wettbewerb) {
    int32_t runden[TAB_RUNDEN_MAX], summe = 0;
    for (int32_t i = 0, n = Tabelle_Runden(wettbewerb, runden); i < n; ++i) summe += Wettbewerb_Get_Info(runden[i])->spieltage;
    return summe;
}

int32_t Tabelle_Spieltag_Aktuell_Gesamt(int32_t wettbewerb) {
    int32_t runden[TAB_RUNDEN_MAX], summe = 0;
    for (int32_t i = 0, n = Tabelle_Runden(wettbewerb, runden); i < n; ++i) summe += Gespielt(runden[i]);
    return summe;
}

int32_t Tabelle_Runde_Zu_Spieltag(int32_t wettbewerb, int32_t spieltag, int32_t* runden_spieltag) {
    int32_t w = wettbewerb, s = spieltag + 1;
    Tabelle_Runde_Waehlen(&w, &s);
    if (runden_spieltag) *runden_spieltag = s - 1;
    return w;
}

void Tabelle_Runde_Waehlen(int32_t* wettbewerb, int32_t* spieltag) {
    int32_t runden[TAB_RUNDEN_MAX];
    const int32_t n = Tabelle_Runden(*wettbewerb, runden);
    if (n == 0) return;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t tage = Wettbewerb_Get_Info(runden[i])->spieltage;
        // A round of the chain that holds the competition keeps it (its group).
        const int32_t runde = Wettbewerb_Erste_Gruppe(*wettbewerb) == Wettbewerb_Erste_Gruppe(runden[i]) ? *wettbewerb
                                                                                                          : runden[i];
        if (*spieltag <= tage || i == n - 1) {
            *wettbewerb = runde;
            if (*spieltag > tage) *spieltag = tage;
            return;
        }
        *spieltag -= tage;
    }
}

void Tabelle_Gruppe_Waehlen(int32_t* wettbewerb, int32_t gruppe) {
    int32_t gruppen[TAB_RUNDEN_MAX];
    const int32_t n = Tabelle_Gruppen(*wettbewerb, gruppen);
    const int32_t* start = std::find(gruppen, gruppen + n, *wettbewerb);
    if (n == 0 || start == gruppen + n) return;
    *wettbewerb = gruppen[(int32_t(start - gruppen) + std::max(gruppe, 0)) % n];
}

int32_t Tabelle_Team_Spiele(int32_t wettbewerb, int32_t team, int32_t erster, std::vector<TabSpielZeile>& out) {
    out.clear();
    const int32_t stamm = Wettbewerb_Get_Info(wettbewerb) ? Wettbewerb_Get_Stamm_Id(wettbewerb) : -1;
    if (stamm < 0 || team < 0) return 0;
    for (int32_t i = 0; const SpielDatensatz* s = Spiele_Nummer(i); ++i) {
        if (s->spieltag != 0 || s->runde < erster || (s->heim != team && s->gast != team)) continue;
        if (Wettbewerb_Get_Stamm_Id(s->wettbewerb) != stamm) continue;
        TabSpielZeile z;
        z.wettbewerb = s->wettbewerb;
        z.runde = s->runde;
        z.paarung = s->paarung;
        z.tag = Kalender_Team_Frei_2(s->wettbewerb, s->runde, 0);
        out.push_back(z);
        if (out.size() >= size_t(TAB_RUNDEN_MAX)) break;
    }
    std::stable_sort(out.begin(), out.end(), [](const TabSpielZeile& a, const TabSpielZeile& b) { return a.tag < b.tag; });
    return int32_t(out.size());
}

int32_t Tabelle_Suche_Wettbewerb(int32_t* puffer, int32_t waehlen) {
    g.liste.clear();
    const int32_t team = Team();
    if (team >= 0) {
        std::vector<int32_t> ids(size_t(std::max(Wettbewerb_Liste_Team(team, nullptr, 0), 0)));
        Wettbewerb_Liste_Team(team, ids.data(), 0);
        // Weighted once, where the list is built: the heading and the rows
        // then resolve 802 against the same order.
        const int32_t n = int32_t(ids.size()), land = Team_Wert(TW_NATION, team, 0, OP_LESEN);
        std::vector<std::pair<int32_t, int32_t>> gewichtet;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t w = ids[size_t(i)];
            const bool stark = Wettbewerb_Hat_Menschliches_Team(w) || Wettbewerb_Get_Land(w) == land;
            gewichtet.push_back({(n - i) * (stark ? 100 : 10), w});
        }
        std::stable_sort(gewichtet.begin(), gewichtet.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        for (const auto& e : gewichtet) g.liste.push_back(e.second);
    }
    if (puffer) std::copy(g.liste.begin(), g.liste.end(), puffer);
    if (waehlen && Wort(ICON_TAB_WETTBEWERB) < 0) Auswahl_Zuruecksetzen();
    return int32_t(g.liste.size());
}

const std::vector<int32_t>& Tabelle_Liste() { return g.liste; }

namespace {

// The selection of the stored words: the competition of 802, moved to the
// round that holds matchday 834 (past the last round the last round's last
// matchday), and its group 835. False when a word names no competition of
// the list, no matchday or no group of the round.
bool Auswahl_Aufloesen(TabAuswahl& a) {
    const int32_t index = Wort(ICON_TAB_WETTBEWERB);
    if (index < 0 || index >= int32_t(g.liste.size())) return false;
    const int32_t w = g.liste[size_t(index)];
    int32_t tag = Wort(ICON_TAB_TAG);
    const int32_t gruppe = Wort(ICON_TAB_GRUPPE);
    if (tag < 1) return false;
    // Once every matchday is played the daily refresh selects the one after
    // the last: the chain's last matchday.
    const int32_t gesamt = Tabelle_Spieltage_Gesamt(w);
    if (gesamt > 0) tag = std::min(tag, gesamt);
    int32_t runde = w, runden_tag = tag;
    Tabelle_Runde_Waehlen(&runde, &runden_tag);
    const int32_t gruppen = Tabelle_Gruppen(runde, nullptr);
    if (gruppe < 0 || gruppe >= std::max(gruppen, 1)) return false;
    a.liste_wettbewerb = w;
    a.spieltag = tag;
    a.gruppe = gruppen > 1 ? gruppe : 0;
    a.gruppen = std::max(gruppen, 1);
    Tabelle_Gruppe_Waehlen(&runde, a.gruppe);
    a.wettbewerb = runde;
    a.runden_spieltag = runden_tag;
    if (const WettbewerbInfo* info = Wettbewerb_Get_Info(runde)) a.info = *info;
    return true;
}

}  // namespace

TabAuswahl Tabelle_Get_Auswahl() {
    TabAuswahl a;
    if (g.liste.empty()) return a;
    if (Auswahl_Aufloesen(a)) return a;
    // A selection a damaged save or a shrunk list leaves falls back once to
    // the team's league at its next matchday, which always resolves: a valid
    // index, a matchday from 1 on, the first group.
    Auswahl_Zuruecksetzen();
    a = TabAuswahl{};
    if (!Auswahl_Aufloesen(a)) {
        Debug_Printf("Tabelle_Get_Auswahl: Auswahl nicht aufloesbar\n");
        return TabAuswahl{};
    }
    return a;
}

void Tabelle_Screen_Aktualisieren() {
    if (Team() < 0) return;
    Tabelle_Suche_Wettbewerb(nullptr, 1);
    const int32_t index = Wort(ICON_TAB_WETTBEWERB);
    if (index >= 0 && index < int32_t(g.liste.size()))
        Wort_Setzen(ICON_TAB_TAG, Tabelle_Spieltag_Aktuell_Gesamt(g.liste[size_t(index)]) + 1);
    Tabelle_Berechnen();
}

int32_t Tabelle_Ansicht() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_TAB_ZEILE)) return TAB_ANSICHT_TABELLE;
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_TAB_PLAN_ZEILE)) return TAB_ANSICHT_SPIELPLAN;
    return TAB_ANSICHT_VERGLEICH;
}

void Tabelle_Auswahl_Klick(int32_t icon) {
    Schatten_Cache_Leeren();
    g.letzter_klick = Plat_Ms();
    const int32_t n = int32_t(g.liste.size());
    if (n == 0) return;
    const TabAuswahl a = Tabelle_Get_Auswahl();
    int32_t index = Wort(ICON_TAB_WETTBEWERB);
    switch (icon) {
    case ICON_TAB_WETT_ZURUECK:
    case ICON_TAB_WETT_VOR:
        index = (index + (icon == ICON_TAB_WETT_VOR ? 1 : n - 1)) % n;
        Wort_Setzen(ICON_TAB_WETTBEWERB, index);
        Wort_Setzen(ICON_TAB_TAG, Tabelle_Spieltag_Aktuell_Gesamt(g.liste[size_t(index)]) + 1);
        Wort_Setzen(ICON_TAB_GRUPPE, 0);
        break;
    case ICON_TAB_TAG_ZURUECK:
    case ICON_TAB_TAG_VOR: {
        const int32_t hoechster = Tabelle_Ansicht() == TAB_ANSICHT_TABELLE
                                      ? std::max(Tabelle_Spieltag_Aktuell_Gesamt(a.liste_wettbewerb), 1)
                                      : Tabelle_Spieltage_Gesamt(a.liste_wettbewerb);
        int32_t tag = std::min(a.spieltag, hoechster);
        if (icon == ICON_TAB_TAG_ZURUECK) tag = tag < 2 ? hoechster : tag - 1;
        else tag = tag >= hoechster ? 1 : tag + 1;
        Wort_Setzen(ICON_TAB_TAG, tag);
        break;
    }
    case ICON_TAB_GRUPPE_ZURUECK:
    case ICON_TAB_GRUPPE_VOR:
        Wort_Setzen(ICON_TAB_GRUPPE, (a.gruppe + (icon == ICON_TAB_GRUPPE_VOR ? 1 : a.gruppen - 1)) % a.gruppen);
        break;
    default: return;
    }
    Zustand_Setzen(ICON_TAB_SAISON, 0);
    Tabelle_Berechnen();
}

void Tabelle_Optionen_Prozedur(int32_t icon) {
    const int32_t maximum = icon == ICON_TAB_FILTER ? 2 : icon == ICON_TAB_SPIELER ? 0 : 1;
    if (icon != ICON_TAB_FILTER && icon != ICON_TAB_SAISON && icon != ICON_TAB_EIGENE && icon != ICON_TAB_SPIELER &&
        icon != ICON_TAB_SPIELERSATZ)
        return;
    const int32_t wert = Zustand(icon) + 1;
    Zustand_Setzen(icon, wert > maximum ? 0 : wert);
    Schatten_Cache_Leeren();
    Tabelle_Berechnen();
}

int32_t Tabelle_Berechnen() {
    TabDaten& d = g.daten;
    const int32_t erste = d.erste;
    d = TabDaten{};
    d.ansicht = Tabelle_Ansicht();
    if (g.liste.empty()) Tabelle_Suche_Wettbewerb(nullptr, 1);
    d.auswahl = Tabelle_Get_Auswahl();
    d.filter = std::clamp(Zustand(ICON_TAB_FILTER), 0, 2);
    d.saison = Zustand(ICON_TAB_SAISON) != 0;
    const TabAuswahl& a = d.auswahl;
    d.ko = (a.info.modus & MODUS_KO_SYSTEM) != 0;
    if (a.wettbewerb >= 0) {
        // The table shows no matchday that has not been played.
        const int32_t gespielt = Tabelle_Spieltag_Aktuell_Gesamt(a.liste_wettbewerb);
        if (d.ansicht == TAB_ANSICHT_TABELLE && a.spieltag > gespielt) {
            int32_t w = a.liste_wettbewerb, tag = std::max(gespielt, 1);
            Tabelle_Runde_Waehlen(&w, &tag);
            Tabelle_Gruppe_Waehlen(&w, a.gruppe);
            d.auswahl.wettbewerb = w;
            d.auswahl.runden_spieltag = gespielt == 0 ? 0 : tag;
            d.auswahl.spieltag = gespielt;
            if (const WettbewerbInfo* info = Wettbewerb_Get_Info(w)) d.auswahl.info = *info;
            d.ko = (d.auswahl.info.modus & MODUS_KO_SYSTEM) != 0;
        }
        d.tabellen_spieltag = d.auswahl.runden_spieltag;
        const bool wenige = d.ansicht == TAB_ANSICHT_TABELLE && gespielt < 2;
        Grau(ICON_TAB_TAG_ZURUECK, wenige);
        Grau(ICON_TAB_TAG_VOR, wenige);
        const bool eine_gruppe = d.auswahl.gruppen < 2;
        for (int32_t n : {ICON_TAB_GRUPPE_ZURUECK, ICON_TAB_GRUPPE_VOR, ICON_TAB_GRUPPE}) Zeigen(n, !eine_gruppe);
        if (d.ansicht == TAB_ANSICHT_TABELLE) Tabelle_Rechnen(d);
        else if (d.ansicht == TAB_ANSICHT_SPIELPLAN) Spielplan_Rechnen(d, Team());
        else Vergleich_Rechnen(d);
    }
    d.scroll_max = std::max(d.scroll_max, 0);
    d.erste = std::clamp(erste, 0, d.scroll_max);
    return d.scroll_max + 1;
}

const TabDaten& Tabelle_Daten() { return g.daten; }

void Tabelle_Erste_Zeile(int32_t erste) { g.daten.erste = std::clamp(erste, 0, g.daten.scroll_max); }

int32_t Tabelle_Trend(int32_t t, int32_t spieltag) {
    static const int32_t SCHWELLE[5][4] = {{0, 1, 2, 3}, {1, 2, 3, 5}, {2, 4, 5, 7}, {2, 5, 7, 9}, {4, 7, 8, 11}};
    if (spieltag <= 0) return 2;
    const int32_t* s = SCHWELLE[std::min(spieltag - 1, 4)];
    if (t > s[3]) return 0;
    if (t > s[2]) return 1;
    if (t < s[0]) return 4;
    if (t < s[1]) return 3;
    return 2;
}

int32_t Tabelle_Form(const TabellenZeile& z, int32_t spieltag, int32_t filter) {
    int32_t punkte = 0;
    for (int32_t r = std::min(spieltag, TABELLE_RUNDEN_MAX); r > std::max(spieltag - 5, 0); --r) {
        const int32_t code = z.verlauf[r - 1];
        if (code == 3 || (filter == 1 && code < 4) || (filter == 2 && code >= 4)) continue;
        punkte += (code & 3) == 0 ? 3 : (code & 3) == 1 ? 1 : 0;
    }
    return punkte;
}

}  // namespace velmora
