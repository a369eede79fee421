// screens/tabelle_screen.cpp - the table, fixtures and comparison screens.
#include "screens/tabelle_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bilder/teamfarbe.h"
#include "bilder/wappen.h"
#include "business/bank.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/font.h"
#include "gfx/schatten.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_scrollbar.h"
#include "media/sound.h"
#include "screens/tabelle.h"
#include "season/kalender.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr uint16_t WEISS = 0xFFFF, TEXT = 57115;
constexpr int32_t BALKEN_X = 777, BALKEN_Y = 132, BALKEN_H = 364, KNAUF_H = 8;
constexpr int32_t SAMPLE_SCROLL = 13;
constexpr int32_t ZEILEN_FONT = 12;   // the rows of table and comparison: the number columns' font
constexpr int32_t TEXT_STERNE = 62;    // the comparison's column over all players
const SchattenParameter POKAL_SCHATTEN{2, 2, 3, 0};

struct ScreenModul {
    s_icon gemeinsam[17];
    s_icon zeilen[TAB_ZEILEN + 1];
    s_icon plan[TAB_PLAN_ZEILEN + 1];
    s_icon vergleich[TAB_ZEILEN + 1];
    s_scrollbar balken;
    std::string eigene_text;
};
ScreenModul g;

Font* F(int32_t n) { return Font_Get(n); }
const char* T(int32_t n) {
    return Text_Oder_Leer(TAB_TEXTE, n);
}
int32_t Team() { return Menue_Lokal().team; }

// A name cut to the width of its column.
std::string Name(int32_t team, int32_t modus, int32_t breite, int32_t font = ZEILEN_FONT) {
    char puffer[128];
    Str_Auf_Breite(Team_String(modus, team, 0, 0), puffer, sizeof puffer, F(font), breite);
    return puffer;
}

void Knauf_Setzen();

const char* Rundentext(const TabDaten& d, int32_t spieltag) {
    return Wettbewerb_Get_Rundentext(d.auswahl.wettbewerb, std::max(spieltag, 1), 0);
}

// "vor dem" (text 17), "nach dem" (18), "Tabelle nach dem" (33) and "Tabelle
// vor dem" (34) before the name of round `runde`: for a feminine name ("1.
// Runde") their forms with "der", texts 63 to 66 (a text file without them
// keeps the first form).
const char* Vor_Runde(int32_t text, int32_t runde) {
    const TabDaten& d = Tabelle_Daten();
    if (!Wettbewerb_Rundentext_Weiblich(d.auswahl.wettbewerb, std::max(runde, 1))) return T(text);
    const int32_t weiblich = text == 17 ? 63 : text == 18 ? 64 : text == 33 ? 65 : text == 34 ? 66 : -1;
    const char* t = weiblich >= 0 ? T(weiblich) : "";
    return t[0] ? t : T(text);
}

// ---- the heading ----

void Pokale_Zeichnen(Rastport* z, const TabDaten& d) {
    const std::vector<int32_t>& liste = Tabelle_Liste();
    if (liste.empty()) return;
    const int32_t n = int32_t(liste.size());
    const int32_t index = std::clamp(int32_t(std::find(liste.begin(), liste.end(), d.auswahl.liste_wettbewerb) - liste.begin()), 0, n - 1);
    const int32_t w = liste[size_t(index)];
    Pokal_Zeichnen_2(liste[size_t((index + n - 1) % n)], -1, z, 333, 482, 58, 58, &POKAL_SCHATTEN);
    Pokal_Zeichnen_2(liste[size_t((index + 1) % n)], -1, z, 474, 482, 58, 58, &POKAL_SCHATTEN);
    Pokal_Zeichnen_2(w, -1, z, 400, 481, 66, 66, &POKAL_SCHATTEN);
    const char* name = Wettbewerb_Ist_Geteilte_Basisliga(w) ? Wettbewerb_Get_Land_Name(w) : Wettbewerb_Get_Landespokal(w, 0, 0);
    Text_Printf(z, F(11), "^c%05d^tz0097%s", 302, 471, WEISS, name);
}

void Kopf_Zeichnen(s_icon*, int32_t x, int32_t y, int32_t) {
    Rastport* z = Rastport_Target();
    const TabDaten& d = Tabelle_Daten();
    if (!z || d.auswahl.wettbewerb < 0) return;
    const char* name = Wettbewerb_Get_Landespokal(d.auswahl.wettbewerb, 0, 0);
    const int32_t tx = x + 10, ty = y + 21, sy = y + 45;
    if (d.ansicht == TAB_ANSICHT_TABELLE) {
        const int32_t tag = d.auswahl.spieltag;
        const int32_t runden_nr = tag <= 0 ? 1 : d.tabellen_spieltag;
        const char* wann = Vor_Runde(tag <= 0 ? 17 : 18, runden_nr);
        const char* runde = Rundentext(d, runden_nr);
        if (d.ko) {
            Text_Printf(z, F(11), "^c%05d%d %s %s %s %s", tx, ty, WEISS, d.zeilen, T(35), name, wann, runde);
            const bool ohne_land = Wettbewerb_Get_Land(d.auswahl.wettbewerb) < 1;
            Text_Printf(z, F(10), "^c%05d^tz0149%s^tz0430%s^tz0677%s", x, sy, TEXT, T(35), T(ohne_land ? 38 : 40), T(39));
        } else {
            Text_Printf(z, F(11), "^c%05d%s %s %s %s", tx, ty, WEISS, T(5), name, wann, runde);
            Text_Printf(z, F(10), "^c%05d^tz0051%s^tz0201%s^tz0333%s^tz0379%s^tz0412%s^tz0444%s^tz0496%s^tz0589%s^tz0685%s^tz0751%s",
                        x, sy, TEXT, T(7), T(8), T(9), T(10), T(11), T(12), T(13), T(14), T(15), T(16));
        }
    } else if (d.ansicht == TAB_ANSICHT_SPIELPLAN) {
        const bool eigene = Menue_Icon_Zustand(ICON_TAB_EIGENE) != 0;
        const int32_t tag = d.spiele.empty() ? -1 : d.spiele.front().tag;
        Text_Printf(z, F(11), "^c%05d%s %s    %s^tr%04d%s", tx, ty, WEISS, eigene ? T(25) : T(20),
                    eigene ? Team_String(TS_NAME, Team(), 0, 0) : name,
                    eigene ? "" : Wettbewerb_Get_Rundentext(d.auswahl.wettbewerb, d.auswahl.runden_spieltag, 0), 766 - x,
                    tag >= 0 ? Kalender_Tag_Name(tag, 0) : "");
        Text_Printf(z, F(10), "^c%05d^tz0137%s^tz0414%s^tz0660%s", x - 3, sy, TEXT, T(22), T(23), T(24));
    } else {
        Text_Printf(z, F(11), "^c%05d%s %s %s", tx, ty, WEISS, T(29), T(35),
                    Wettbewerb_Get_Rundentext(d.auswahl.wettbewerb, d.auswahl.runden_spieltag, 0));
        // Over the starting eleven the column is the strength the header and the
        // fixtures show; over all players it is another measure, the squad's stars.
        const bool startelf = Menue_Icon_Zustand(ICON_TAB_SPIELERSATZ) != 0;
        Text_Printf(z, F(10), "^c%05d^tl0019%s^tl0052%s^tz0321%s^tz0392%s^tz0454%s^tz0556%s^tz0705%s", x - 3, sy, TEXT,
                    T(30), T(8), T(startelf ? 21 : TEXT_STERNE), T(61), T(60), T(32), T(59));
    }
    Pokale_Zeichnen(z, d);
}

// A click into the selector's cups acts as its arrows.
void Kopf_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    if (my < 478 || my > 556) return;
    if (mx >= 329 && mx <= 400) Tabelle_Auswahl_Klick(ICON_TAB_WETT_ZURUECK);
    else if (mx >= 470 && mx <= 541) Tabelle_Auswahl_Klick(ICON_TAB_WETT_VOR);
    else return;
    Knauf_Setzen();
}

// The largest of the label fonts (the digits' font, then three narrower bold
// ones) in which every line fits the label's room right of its two arrows.
Font* Label_Font(std::initializer_list<const char*> zeilen) {
    constexpr int32_t BREITE = 136;
    Font* f = nullptr;
    for (int32_t n : {11, 3, 6, 8}) {
        f = F(n);
        bool passt = f != nullptr;
        for (const char* z : zeilen) passt = passt && Text_Width(f, z) <= BREITE;
        if (passt) return f;
    }
    return f;
}

void Label_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* z = Rastport_Target();
    const TabDaten& d = Tabelle_Daten();
    if (!z || d.auswahl.wettbewerb < 0) return;
    if (icon->nummer == ICON_TAB_GRUPPE) {
        const char* gruppe = Wettbewerb_Get_Gruppenname(d.auswahl.wettbewerb);
        const char* name = gruppe ? gruppe : "";
        Text_Printf(z, Label_Font({name}), "^c%05d^tz0144%s", x, y + 33, WEISS, name);
        return;
    }
    int32_t text = d.ansicht == TAB_ANSICHT_SPIELPLAN ? 42 : d.ansicht == TAB_ANSICHT_VERGLEICH ? 29 : 33;
    int32_t tag = d.auswahl.runden_spieltag;
    if (d.ansicht == TAB_ANSICHT_TABELLE && d.auswahl.spieltag <= 0) text = 34, tag = 1;
    const std::string runde = Wettbewerb_Get_Rundentext(d.auswahl.wettbewerb, std::max(tag, 1), 0);
    const char* kopf = text == 33 || text == 34 ? Vor_Runde(text, tag) : T(text);
    Font* f = Label_Font({kopf, runde.c_str()});
    Text_Printf(z, f, "^c%05d^tz0144%s", x, y + 25, WEISS, kopf);
    Text_Printf(z, f, "^c%05d^tz0144%s", x, y + 43, WEISS, runde.c_str());
}

void Optionen_Text(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* z = Rastport_Target();
    if (!z) return;
    const int32_t zustand = Menue_Icon_Zustand(icon->nummer);
    std::string text;
    switch (icon->nummer) {
    case ICON_TAB_FILTER: text = T(std::clamp(zustand, 0, 2)); break;
    case ICON_TAB_SAISON: text = T(zustand ? 4 : 3); break;
    case ICON_TAB_EIGENE: text = g.eigene_text; break;
    case ICON_TAB_SPIELER: text = T(zustand ? 51 : 49); break;
    default: text = T(zustand ? 56 : 55); break;
    }
    Text_Printf(z, F(6), "^c%05d^tz%04d%s", x, y + icon->ho / 2 + 5, WEISS, icon->br / 2, text.c_str());
}

// ---- the rows ----

int32_t Zeile_Von(const s_icon* icon, int32_t erste_nummer) {
    return icon->nummer - erste_nummer + Tabelle_Daten().erste;
}

void Tabelle_Zeile_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* z = Rastport_Target();
    const TabDaten& d = Tabelle_Daten();
    const int32_t i = Zeile_Von(icon, ICON_TAB_ZEILE);
    if (!z || i < 0 || i >= d.zeilen) return;
    const int32_t basis = y - 4 + icon->ho;
    if (d.ko) {
        const int32_t team = d.ko_zeilen[size_t(i)].team;
        const int32_t w = d.auswahl.wettbewerb, runde = std::max(d.auswahl.runden_spieltag, 1);
        const bool letzte = d.auswahl.spieltag >= Tabelle_Spieltage_Gesamt(d.auswahl.liste_wettbewerb);
        const int32_t sieger = Wettbewerb_KO_Sieger_Von_Team(w, team, runde, -1);
        int32_t status = 41;
        if (d.auswahl.spieltag > 0 && sieger >= 0) {
            status = sieger == team ? (letzte ? 46 : 36) : (letzte ? 47 : 37);
            if (Rastport* bild = Menue_Get_Slave_Rastport(sieger == team ? SLAVE_TAB_WEITER : SLAVE_TAB_RAUS, nullptr))
                Blit_Alpha(bild, 0, 0, -1, -1, z, x, y, 35);
        }
        std::string spalte;
        const int32_t land = Team_Wert(TW_NATION, team, 0, OP_LESEN);
        if (Wettbewerb_Get_Land(w) < 1 && land >= 0) {
            char puffer[96];
            std::snprintf(puffer, sizeof puffer, "^gll%04d^tl0323%s", land, Team_String(TS_NAME, land, 0, 0));
            spalte = puffer;
        } else {
            const int32_t liga = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
            spalte = std::string("^tl0301") + (liga >= 0 ? Wettbewerb_Get_Landespokal(liga, 0, 0) : "");
        }
        Text_Printf(z, F(ZEILEN_FONT), "^c%05d^tl0018^gll%04d^tl0043%s^tl0298%s^tl0580%s", x, basis,
                    Manager_Textfarbe(team, w), team, Name(team, TS_NAME, 250).c_str(), spalte.c_str(), T(status));
        return;
    }
    const TabellenPuffer& p = d.tabelle;
    const TabellenZeile& r = p.zeile[p.reihenfolge[i]];
    const int32_t s = d.filter == 1 ? TABELLE_HEIM : d.filter == 2 ? TABELLE_AUSWAERTS : TABELLE_GESAMT;
    int32_t zaehler[3] = {0, 0, 0};
    const int32_t bis = d.saison ? d.auswahl.info.spieltage : d.tabellen_spieltag;
    for (int32_t k = 0; k < std::min(bis, TABELLE_RUNDEN_MAX); ++k) {
        const int32_t code = r.verlauf[k];
        if (code == 3 || (d.filter == 1 && code < 4) || (d.filter == 2 && code >= 4)) continue;
        ++zaehler[code & 3];
    }
    const int32_t diff = r.tore[s] - r.gegentore[s];
    char diff_text[24], vorher[24];
    if (diff > 0) std::snprintf(diff_text, sizeof diff_text, "^tz0685+ %3d", diff);
    else if (diff < 0) std::snprintf(diff_text, sizeof diff_text, "^tz0685- %3d", -diff);
    else std::snprintf(diff_text, sizeof diff_text, "^tz0685    0");
    if (d.tabellen_spieltag >= 2 && r.vorher >= 0) std::snprintf(vorher, sizeof vorher, "^tr0111(%2d.)", r.vorher + 1);
    else std::snprintf(vorher, sizeof vorher, "^tr0104(-)");
    const int32_t team = r.team, w = d.auswahl.wettbewerb;
    const int32_t liga = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
    Text_Printf(z, F(ZEILEN_FONT),
                "^c%05d^tr0049^fb0011%d.%s^c%05d^fe^tl0114^gll%04d^tl0131%s^fb0011^tz0333%2d^tz0379%2d^tz0412%2d^tz0444%2d"
                "^tz0496%3d^tz0586%3d:%3d%s^fe",
                x, basis, Wettbewerb_Get_Platz_Farbe(w, i), i + 1, vorher, Manager_Textfarbe(team, w), team,
                Name(team, Wettbewerb_Get_Platz_Markierung(liga, i), 186).c_str(), r.spiele[s], zaehler[0], zaehler[1],
                zaehler[2], r.punkte[s], r.tore[s], r.gegentore[s], diff_text);
    const int32_t k = Tabelle_Trend(Tabelle_Form(r, d.tabellen_spieltag, d.filter), d.tabellen_spieltag);
    if (Rastport* pfeil = Menue_Get_Slave_Rastport(SLAVE_TAB_TREND + k, nullptr))
        Rastport_Blit(pfeil, 0, 0, -1, -1, z, 746, y, BlitMode_Key);
}

// A fixture team's lines: name and crest, its place, its strength.
void Plan_Team(Rastport* z, const TabDaten& d, const TabSpielZeile& r, int32_t team, int32_t platz, int32_t x,
               int32_t y, int32_t tab, int32_t wappen_x, int32_t rechts) {
    Text_Printf(z, F(11), "^c%05d^tl%04d%s", x, y + 15, Manager_Textfarbe(team, r.wettbewerb), tab,
                Name(team, TS_NAME, 190, 11).c_str());
    Wappen_Zeichnen(team, z, x + wappen_x, y + 1, 28, 28, nullptr);
    const bool liga = Wettbewerb_Ist_Liga(r.wettbewerb);
    const int32_t eigene_liga = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
    if (liga) {
        if (d.auswahl.runden_spieltag > 1 && platz > 0)
            Text_Printf(z, F(9), "^c%05d^tl%04d%d. %s", x, y + 28, TEXT, tab, platz, T(7));
    } else if (Wettbewerb_Get_Land(r.wettbewerb) < 1 && (!Wettbewerb_Ist_Basisliga(eigene_liga) || Wettbewerb_Get_Land(r.wettbewerb) == 0)) {
        const int32_t land = Team_Wert(TW_NATION, team, 0, OP_LESEN);
        if (land >= 0)
            Text_Printf(z, F(9), "^c%05d^tl%04d(^gll%04d %s)", x, y + 28, TEXT, tab, land, Team_String(TS_NAME, land, 0, 0));
    } else if (platz > 0 && eigene_liga >= 0) {
        Text_Printf(z, F(9), "^c%05d^tl%04d%d. (%s)", x, y + 28, TEXT, tab, platz, Wettbewerb_Get_Landespokal(eigene_liga, 0, 0));
    }
    Text_Printf(z, F(9), "^c%05d^tr%04d%s %s", x, y + 28, TEXT, rechts, T(21),
                Team_Staerke_Text(Team_Berechne_Staerke(team, 16)));
}

void Spielplan_Zeile(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* z = Rastport_Target();
    const TabDaten& d = Tabelle_Daten();
    const int32_t i = Zeile_Von(icon, ICON_TAB_PLAN_ZEILE);
    if (!z) return;
    if (d.spiele.empty()) {
        if (i == 0) Text_Printf(z, F(11), "^c%05d^tl0052%s", x, y + 25, TEXT, T(44));
        return;
    }
    if (i < 0 || i >= int32_t(d.spiele.size())) return;
    const TabSpielZeile& r = d.spiele[size_t(i)];
    if (r.heim < 0 || r.gast < 0) {
        Text_Printf(z, F(11), "^c%05d^tl0052%s", x, y + 25, TEXT, T(43));
        return;
    }
    Plan_Team(z, d, r, r.heim, r.platz_heim, x, y, 52, 7, 250);
    Plan_Team(z, d, r, r.gast, r.platz_gast, x, y, 321, 276, 514);
    const bool eigene = Menue_Icon_Zustand(ICON_TAB_EIGENE) != 0;
    if (r.tore[0][0] < 0) {
        if (eigene && r.tag >= 0) Text_Printf(z, F(11), "^c%05d^tr0742(%s)^fe", x, y + 22, TEXT, Kalender_Tag_Name(r.tag, 0));
        else Text_Printf(z, F(11), "^c%05d^tz0650- : -^fe", x, y + 22, TEXT);
    } else if (!r.zwei_spiele || r.tore[1][0] < 0) {
        Text_Printf(z, F(11), "^c%05d^tl0630^fb0012%1d:%1d ^fe%s", x, y + 25, WEISS, r.tore[0][0], r.tore[0][1], r.flag_text[0]);
    } else {
        // The second leg from the first leg's sides, the first leg in brackets.
        Text_Printf(z, F(11), "^c%05d^tl0570^fb0010%1d:%1d (%1d:%1d) ^fe%s", x, y + 25, WEISS, r.tore[1][1], r.tore[1][0],
                    r.tore[0][0], r.tore[0][1], r.flag_text[1]);
    }
}

void Vergleich_Zeile(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* z = Rastport_Target();
    const TabDaten& d = Tabelle_Daten();
    const int32_t i = Zeile_Von(icon, ICON_TAB_VERGLEICH);
    if (!z || i < 0 || i >= int32_t(d.vergleich.size())) return;
    const TabVergleichZeile& r = d.vergleich[size_t(i)];
    const int32_t basis = y - 4 + icon->ho;
    const uint16_t farbe = Manager_Textfarbe(r.team, d.auswahl.wettbewerb);
    const std::string staerke = Team_Staerke_Text(r.staerke);
    const std::string name = Name(r.team, TS_NAME, 200);
    if (r.spieler <= 0) {
        const std::string null = Geld_Text(0, r.team, -1);
        Text_Printf(z, F(ZEILEN_FONT),
                    "^c%05d^tr0051^fb0011%d.^fe^tl0044^gll%04d^tl0074%s^fb0011^tz0313%s^tz0384%d^tz0446%s^tr0607%s^tr0762%s^fe",
                    x, basis, farbe, i + 1, r.team, name.c_str(), staerke.c_str(), 0, "-", null.c_str(), null.c_str());
        return;
    }
    const std::string schnitt = Geld_Text(float(r.marktwert / r.spieler), r.team, -1);
    const std::string summe = Geld_Text(float(r.marktwert), r.team, -1);
    Text_Printf(z, F(ZEILEN_FONT),
                "^c%05d^tr0051^fb0011%d.^fe^tl0044^gll%04d^tl0074%s^fb0011^tr0336%s^tr0395%d^tr0463%2.1f^tr0607%s^tr0762%s^fe",
                x, basis, farbe, i + 1, r.team, name.c_str(), staerke.c_str(), r.spieler,
                double(r.staerke) / r.spieler / 2.0, schnitt.c_str(), summe.c_str());
}

// ---- the icons ----

void Auswahl_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    Tabelle_Auswahl_Klick(icon->nummer);
    Knauf_Setzen();
}

void Optionen_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    Tabelle_Optionen_Prozedur(icon->nummer);
    Knauf_Setzen();
}

void Balken_Prozedur(s_icon*, int32_t position, int32_t flag) {
    if (flag == SCROLL_REFRESH) return;
    const int32_t vorher = Tabelle_Daten().erste;
    Tabelle_Erste_Zeile(position);
    if (Tabelle_Daten().erste != vorher) {
        Sample_Spielen_Lautstaerke(SAMPLE_SCROLL, false, 100);
        Schatten_Cache_Leeren();
    }
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t bild, IconMainP proc, int32_t pri = 3) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, 0, int8_t(pri));
    i.Status = ICON_ST_KEY | ICON_ST_DRUCK;
    i.bild_gedrueckt = bild + 1;
    i.Main_P = proc;
    return i;
}

s_icon Schalter(int32_t nummer, int32_t x, int32_t y, int32_t bild, int32_t bild_an) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, ICON_TYP_PROZ_VOR_TEXT, 3);
    i.Status = ICON_ST_KEY | (bild_an >= 0 ? ICON_ST_TOGGLE : 0);
    i.bild_an = bild_an;
    i.Main_P = Optionen_Klick;
    i.zeichnen = Optionen_Text;
    return i;
}

void Listen_Bauen(int32_t kopf_bild) {
    s_icon* l = g.gemeinsam;
    int32_t k = 0;
    Menue_Senkrechter_Balken(&l[k], &l[k + 1], &g.balken, ICON_TAB_BALKEN, ICON_TAB_KNAUF, BALKEN_X, BALKEN_Y, BALKEN_H, 1,
                             KNAUF_H, SLAVE_TAB_BALKEN, SLAVE_TAB_KNAUF, Balken_Prozedur);
    k += 2;
    l[k++] = Knopf(ICON_TAB_GRUPPE_ZURUECK, 570, 457, SLAVE_TAB_GRUPPE_ZURUECK, Auswahl_Klick);
    l[k++] = Knopf(ICON_TAB_GRUPPE_VOR, 602, 457, SLAVE_TAB_GRUPPE_VOR, Auswahl_Klick);
    l[k++] = Knopf(ICON_TAB_WETT_ZURUECK, 265, 487, SLAVE_TAB_WETT_ZURUECK, Auswahl_Klick);
    l[k++] = Knopf(ICON_TAB_WETT_VOR, 297, 487, SLAVE_TAB_WETT_VOR, Auswahl_Klick);
    l[k++] = Knopf(ICON_TAB_TAG_ZURUECK, 14, 457, SLAVE_TAB_TAG_ZURUECK, Auswahl_Klick);
    l[k++] = Knopf(ICON_TAB_TAG_VOR, 46, 457, SLAVE_TAB_TAG_VOR, Auswahl_Klick);
    l[k] = Menue_Icon_Neu(ICON_TAB_WETTBEWERB, 4, 86, kopf_bild, ICON_TYP_PROZ_VOR_TEXT, 1);
    l[k].Status = ICON_ST_KEY;
    l[k].zeichnen = Kopf_Zeichnen;
    l[k++].Main_P = Kopf_Klick;
    l[k++] = Schalter(ICON_TAB_FILTER, 57, 522, SLAVE_TAB_SCHALTER, -1);
    l[k++] = Schalter(ICON_TAB_SAISON, 600, 522, SLAVE_TAB_SAISON, SLAVE_TAB_SAISON_AN);
    for (int32_t n : {ICON_TAB_TAG, ICON_TAB_GRUPPE}) {
        l[k] = Menue_Icon_Neu(n, n == ICON_TAB_TAG ? 7 : 563, 452, SLAVE_TAB_LABEL, ICON_TYP_PASSIV, 2);
        l[k].Status = ICON_ST_KEY;
        l[k++].zeichnen = Label_Zeichnen;
    }
    l[k++] = Schalter(ICON_TAB_EIGENE, 57, 522, SLAVE_TAB_EIGENE, SLAVE_TAB_EIGENE_AN);
    l[k++] = Schalter(ICON_TAB_SPIELER, 57, 522, SLAVE_TAB_SCHALTER, SLAVE_TAB_SCHALTER_AN);
    l[k++] = Schalter(ICON_TAB_SPIELERSATZ, 600, 522, SLAVE_TAB_SPIELERSATZ, SLAVE_TAB_SPIELERSATZ_AN);
    l[k] = s_icon{};
    // The row lists: 18 table and comparison rows of 17 pixels, 9 fixture rows of 34.
    const auto zeilen = [](s_icon* liste, int32_t erste, int32_t anzahl, int32_t abstand, int32_t hoehe, IconZeichnen proc) {
        for (int32_t i = 0; i < anzahl; ++i) {
            liste[i] = Menue_Icon_Neu(erste + i, 9, 136 + abstand * i, -1, ICON_TYP_PASSIV, 2);
            liste[i].br = 768;
            liste[i].ho = int16_t(hoehe);
            liste[i].Status = ICON_ST_KEY;
            liste[i].zeichnen = proc;
        }
        liste[anzahl] = s_icon{};
    };
    zeilen(g.zeilen, ICON_TAB_ZEILE, TAB_ZEILEN, 17, 16, Tabelle_Zeile_Zeichnen);
    zeilen(g.plan, ICON_TAB_PLAN_ZEILE, TAB_PLAN_ZEILEN, 34, 33, Spielplan_Zeile);
    zeilen(g.vergleich, ICON_TAB_VERGLEICH, TAB_ZEILEN, 17, 16, Vergleich_Zeile);
}

// The knob stands where the first row shown puts it; the bar hides below 2 positions.
void Knauf_Setzen() {
    const TabDaten& d = Tabelle_Daten();
    g.balken.positionen = int16_t(d.scroll_max + 1);
    const int32_t y = g.balken.y_min + (d.scroll_max > 0 ? (g.balken.y_max - g.balken.y_min) * d.erste / d.scroll_max : 0);
    if (Team() >= 0) Manager_Icon_Button_An_Aus(Team(), ICON_TAB_KNAUF, y);
    if (s_icon* knauf = Menue_Screen_Icon_Aus_Nummer(ICON_TAB_KNAUF); knauf && Menue_Screen_Icon_Ist_Vorhanden(ICON_TAB_KNAUF)) {
        Menue_Scrollbuttonpos_Zuweisen(knauf);
        Menue_Scrollbar_Sichtbarkeit(knauf);
    }
}

void Oeffnen(int32_t zeilen_nummer, s_icon* zeilen, int32_t kopf_bild, bool ganzer_schirm) {
    if (Menue_Screen_Icon_Ist_Vorhanden(zeilen_nummer)) return;
    if (ganzer_schirm) Menue_Screen_Bereich_Loeschen(4, 0, 0, 800, 600);
    else Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Schatten_Cache_Leeren();
    Listen_Bauen(kopf_bild);
    g.eigene_text = Team() >= 0 ? Team_String(TS_NAME, Team(), 0, 0) : "";
    Menue_Screen_Icons_Hinzufuegen(g.gemeinsam);
    Menue_Screen_Icons_Hinzufuegen(zeilen);
    Tabelle_Suche_Wettbewerb(nullptr, 1);
    Tabelle_Erste_Zeile(0);
    Tabelle_Berechnen();
    Knauf_Setzen();
}

}  // namespace

void Tabelle_Screen() { Oeffnen(ICON_TAB_ZEILE, g.zeilen, SLAVE_TAB_KOPF_TABELLE, false); }
void Tabelle_Spielplan_Oeffnen() { Oeffnen(ICON_TAB_PLAN_ZEILE, g.plan, SLAVE_TAB_KOPF_SPIELPLAN, false); }
void Tabelle_Bestenliste_Oeffnen() { Oeffnen(ICON_TAB_VERGLEICH, g.vergleich, SLAVE_TAB_KOPF_VERGLEICH, true); }

}  // namespace velmora
