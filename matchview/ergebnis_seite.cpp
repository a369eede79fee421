// matchview/ergebnis_seite.cpp - the results, table and winner windows and
// the live match's result panels.
#include "matchview/ergebnis_seite.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "bilder/wappen.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/mem.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ankuendigung_intern.h"
#include "media/sound.h"
#include "net/net.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr int32_t MODUS_TABELLE = 0, MODUS_ERGEBNISSE = 1, MODUS_SIEGER = 2;
constexpr int32_t SAMPLE_SEITE = 7, SAMPLE_SIEGER = 19;
constexpr int32_t PANEL_TABELLE_B = 164, PANEL_ERGEBNIS_B = 186, PANEL_ZEILE = 8;
constexpr int32_t TEXT_HOCH = 150, TEXT_RUNTER = 151, TEXT_ZU = 152;

const SchattenParameter WAPPEN_SCHATTEN{1, 1, 3, 0};

struct Panel {
    s_icon bild, griff;
    int32_t wettbewerb = -1;
    int32_t minute = -1;            // the live match's minute at the last drawing (a client)
    bool neu = true;                // redraw at the next frame
    bool ziehen = false;
    bool gehalten = false;          // the left button at the last drawing
    int32_t greif_x = 0, greif_y = 0;
};

struct ErgebnisModul {
    int32_t modus = MODUS_TABELLE;
    int32_t wettbewerb = -1, runde = 0, spieltag = 0;
    std::vector<SeitenTabelle> tabelle;
    std::vector<SeitenErgebnis> ergebnisse;
    int32_t anzahl = 0, erste = 0, seite = 1;
    s_icon liste[5];                // 1705-1708 and the end
    s_icon sieger[3];               // 1709, 1710 and the end
    s_icon_text zu_text;
    Panel panel[2];                 // [0] table (1711/1712), [1] results (1713/1714)
};
ErgebnisModul g;

Font* F(int32_t n) { return Font_Get(n); }

uint16_t Team_Farbe(int32_t team, int32_t sieger) {
    if (Ergebnis_Team_Hervorgehoben(team)) return ANK_MENSCH;
    return team == sieger ? ANK_WEISS : ANK_GRAU;
}

void Blaettern_Pruefen() {
    const int32_t hoch = std::clamp(g.erste - g.seite, 0, std::max(g.anzahl - g.seite, 0));
    g.liste[1].Status = hoch == g.erste ? (g.liste[1].Status | ICON_ST_GESPERRT) : (g.liste[1].Status & ~ICON_ST_GESPERRT);
    g.liste[2].Status = g.erste + g.seite >= g.anzahl ? (g.liste[2].Status | ICON_ST_GESPERRT)
                                                      : (g.liste[2].Status & ~ICON_ST_GESPERRT);
}

// The lines above every page: the day, the round and the competition.
void Kopf_Zeichnen(Rastport* z) {
    const Ankuendigung& s = Ankuendigung_Staging();
    Text_Schatten_Print(z, F(14), "^c%05d^tz0400%s", 0, 26, ANK_WEISS, Kalender_Tag_Name(int32_t(s.tag), 1));
    Text_Schatten_Print(z, F(14), "^c%05d^tz0400%s, %s", 0, 60, ANK_TEXT,
                        Wettbewerb_Get_Rundentext(g.wettbewerb, g.runde, g.spieltag),
                        Wettbewerb_Get_Landespokal(g.wettbewerb, 0, 0));
}

// Where the rows start for a page of `seite` rows `hoehe` apart: the heading band above them.
int32_t Oben_Zeichnen(Rastport* z, int32_t zeilen_max, int32_t hoehe) {
    int32_t oben = (zeilen_max - g.seite) * hoehe / 2 + 125;
    if (Rastport* rahmen = Menue_Get_Slave_Rastport(SLAVE_SEITE_RAHMEN, nullptr)) {
        Rastport_Blit(rahmen, 0, 0, -1, -1, z, 36, oben - 10, nullptr);
        oben -= 9;
    }
    return oben;
}

void Tabelle_Zeichnen(Rastport* z) {
    const int32_t oben = Oben_Zeichnen(z, 20, 19);
    Text_Printf(z, F(11), " ^c%05d ^tz0110%s^tz0235%s^tz0443%s^tz0543%s^tz0650%s", 0, oben + 10, ANK_WEISS,
                Ankuendigung_Text(ANK_TEXTE, 146), Ankuendigung_Text(ANK_TEXTE, 147), Ankuendigung_Text(ANK_TEXTE, 148),
                Ankuendigung_Text(ANK_TEXTE, 149), Ankuendigung_Text(ANK_TEXTE, 138));
    for (int32_t i = 0; i < g.seite && g.erste + i < g.anzahl; ++i) {
        const int32_t platz = g.erste + i;
        const SeitenTabelle& r = g.tabelle[size_t(platz)];
        const int32_t y = oben + 40 + 19 * i;
        const uint16_t platz_farbe = Wettbewerb_Get_Platz_Farbe(g.wettbewerb, platz);
        const uint16_t name_farbe = Ergebnis_Team_Hervorgehoben(r.team) ? ANK_MENSCH : ANK_TEXT;
        const char* name =
            Team_String(Wettbewerb_Get_Platz_Markierung(g.wettbewerb, Wettbewerb_Get_Team_Slot(g.wettbewerb, r.team)),
                        r.team, 0, 0);
        if (r.vorher > 0)
            Text_Printf(z, F(11),
                        "^c%05d^fb0013^tr0090%d^fe.^tl0093(^fb0013^tr0165%d.)^fe^c%05d^tl0205%s^fb0013^tr0460%d^tr0560%d"
                        "^tr0645%d^tz0650:^tr0690%d^fe",
                        0, y, platz_farbe, platz + 1, r.vorher, name_farbe, name, r.punkte, r.tore - r.gegentore, r.tore,
                        r.gegentore);
        else
            Text_Printf(z, F(11),
                        "^c%05d^fb0013^tr0090%d^fe.^tl0093(^fb0013^tr0165-- )^fe^c%05d^tl0205%s^fb0013^tr0460%d^tr0560%d"
                        "^tr0645%d^tz0650:^tr0690%d^fe",
                        0, y, platz_farbe, platz + 1, name_farbe, name, r.punkte, r.tore - r.gegentore, r.tore,
                        r.gegentore);
        Wappen_Zeichnen(r.team, z, 172, y - 13, 16, 16, &WAPPEN_SCHATTEN);
    }
}

void Ergebnisse_Zeichnen(Rastport* z) {
    const int32_t oben = Oben_Zeichnen(z, 10, 38);
    const bool zwei = std::any_of(g.ergebnisse.begin(), g.ergebnisse.end(), [](const SeitenErgebnis& e) { return e.zwei_spiele; });
    const int32_t leg = std::clamp(g.spieltag, 0, 1);
    // The third heading stands over what its column shows: the other leg's
    // score, or a game's verdict (extra time, penalties); over single games
    // decided in their time the column is empty and has no heading.
    const bool wertung = std::any_of(g.ergebnisse.begin(), g.ergebnisse.end(),
                                     [leg](const SeitenErgebnis& e) { return e.flag_text[leg][0] != 0; });
    Text_Printf(z, F(11), " ^c%05d ^tz0297%s^tz0605%s^tz0735%s", 0, oben + 10, ANK_WEISS,
                Ankuendigung_Text(ANK_TEXTE, 153), Ankuendigung_Text(ANK_TEXTE, 154),
                zwei ? Ankuendigung_Text(ANK_TEXTE, 156) : wertung ? Ankuendigung_Text(ANK_TEXTE, 155) : "");
    for (int32_t i = 0; i < g.seite && g.erste + i < g.anzahl; ++i) {
        const SeitenErgebnis& e = g.ergebnisse[size_t(g.erste + i)];
        const int32_t y = oben + 40 + 38 * i;
        if (e.tore[leg][0] >= 0)
            Text_Printf(z, F(2), "^c%05d^tl0040%s^tz0297-^c%05d^tl0345%s ^c%05d^tz0590%d^tz0605:^tz0620%d^tl0640%s", 0, y,
                        Team_Farbe(e.heim, e.sieger), Team_String(TS_NAME_KURZ, e.heim, 0, 0),
                        Team_Farbe(e.gast, e.sieger), Team_String(TS_NAME_KURZ, e.gast, 0, 0), ANK_WEISS, e.tore[leg][0],
                        e.tore[leg][1], e.flag_text[leg]);
        else
            Text_Printf(z, F(2), "^c%05d^tl0040%s^tz0297-^c%05d^tl0345%s ^c%05d^tz0605- : -", 0, y,
                        Team_Farbe(e.heim, e.sieger), Team_String(TS_NAME_KURZ, e.heim, 0, 0),
                        Team_Farbe(e.gast, e.sieger), Team_String(TS_NAME_KURZ, e.gast, 0, 0), ANK_GRAU);
        if (e.zwei_spiele && e.tore[1 - leg][0] >= 0)
            Text_Printf(z, F(2), "^c%05d^tz0717( %d^tz0735:^tz0753%d )", 0, y, ANK_GRAU, e.tore[1 - leg][0],
                        e.tore[1 - leg][1]);
        Wappen_Zeichnen(e.heim, z, 5, y - 22, 30, 30, &WAPPEN_SCHATTEN);
        Wappen_Zeichnen(e.gast, z, 310, y - 22, 30, 30, &WAPPEN_SCHATTEN);
    }
}

void Seite_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* z = Rastport_Target();
    if (!z) return;
    Kopf_Zeichnen(z);
    if (g.modus == MODUS_TABELLE) Tabelle_Zeichnen(z);
    else Ergebnisse_Zeichnen(z);
}

void Sieger_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* z = Rastport_Target();
    const Ankuendigung& s = Ankuendigung_Staging();
    if (!z) return;
    const int32_t sieger = int32_t(s.heim);
    Text_Schatten_Print(z, F(11), "^c%05d^tz%04d%s %s   %d", 0, 76, ANK_TEXT, 417,
                        Ankuendigung_Text("OPTIONEN_SCREEN", 28), Wettbewerb_Get_Landespokal(g.wettbewerb, 0, 0),
                        Kalender_Datum_Kopie().jahr);
    if (Rastport* pokal = Menue_Get_Slave_Rastport(SLAVE_SIEGER_POKAL + Wettbewerb_Get_Grafik(g.wettbewerb, nullptr), nullptr))
        Rastport_Blit(pokal, 0, 0, -1, -1, z, 100, 91, BlitMode_Key);
    Wappen_Zeichnen(sieger, z, 103, 499, 40, 40, &WAPPEN_SCHATTEN);
    Text_Schatten_Print(z, F(11), "^c%05d^tz%04d%s", 0, 533, ANK_WEISS, 417, Team_String(TS_NAME, sieger, 0, 0));
}

void Schliessen(const char* spur) {
    if (g.modus == MODUS_SIEGER) Menue_Screen_Icons_Loeschen(g.sieger);
    else Menue_Screen_Icons_Loeschen(g.liste);
    if (Ankuendigung_Hooks().menue_neustart) Ankuendigung_Hooks().menue_neustart(Menue_Lokal().team);
    Debug_Printf("%s\n", spur);
    Ankuendigung_Phase_Beenden();
    if (Ankuendigung_Hooks().klick_schlucken) Ankuendigung_Hooks().klick_schlucken();
    Ankuendigung_Ton_Setzen(false);
}

void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & (EV_LINKS | EV_RECHTS))) return;
    if (icon->nummer == ICON_SEITE_HOCH && (ereignis & EV_LINKS)) {
        g.erste = std::clamp(g.erste - g.seite, 0, std::max(g.anzahl - g.seite, 0));
    } else if (icon->nummer == ICON_SEITE_RUNTER && (ereignis & EV_LINKS)) {
        if (g.erste + g.seite < g.anzahl) g.erste += g.seite;
    } else {
        Schliessen("--> SPIELANKUENDIGUNG ENDE3!");
        return;
    }
    Blaettern_Pruefen();
}

void Sieger_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & (EV_LINKS | EV_RECHTS)) Schliessen("--> SPIELANKUENDIGUNG ENDE4!");
}

void Listen_Bauen() {
    s_icon& seite = g.liste[0];
    seite = Menue_Icon_Neu(ICON_ERGEBNIS_SEITE, 0, 0, SLAVE_SEITE, 0, 1);
    seite.Status = ICON_ST_KEY;
    seite.zeichnen = Seite_Zeichnen;
    seite.Main_P = Knopf_Klick;
    const int32_t knopf[3][4] = {{ICON_SEITE_HOCH, 333, 527, SLAVE_SEITE_HOCH},
                                 {ICON_SEITE_RUNTER, 377, 527, SLAVE_SEITE_RUNTER},
                                 {ICON_SEITE_ZU, 416, 535, SLAVE_SEITE_ZU}};
    const int32_t hilfe[3] = {TEXT_HOCH, TEXT_RUNTER, TEXT_ZU};
    for (int32_t k = 0; k < 3; ++k) {
        s_icon& i = g.liste[k + 1];
        i = Menue_Icon_Neu(knopf[k][0], knopf[k][1], knopf[k][2], knopf[k][3], ICON_TYP_MAUS_INFO, 3);
        i.Status = ICON_ST_KEY | ICON_ST_DRUCK;
        if (k < 2) i.bild_gedrueckt = knopf[k][3] + 1;
        i.Main_P = Knopf_Klick;
        i.hilfe = Ankuendigung_Text(ANK_TEXTE, hilfe[k]);
    }
    // The close button carries its caption.
    g.zu_text = s_icon_text{};
    g.zu_text.font = 6;
    g.zu_text.flags = 0x10 | 0x20;
    g.zu_text.farbe_an = g.zu_text.farbe_aus = ANK_WEISS;
    g.zu_text.text = Ankuendigung_Text(ANK_TEXTE, TEXT_ZU);
    g.liste[3].typ |= ICON_TYP_TEXT;
    g.liste[3].daten = &g.zu_text;
    g.liste[3].hilfe = nullptr;
    g.liste[4] = s_icon{};
    g.sieger[0] = Menue_Icon_Neu(ICON_SIEGER_FENSTER, 0, 0, -1, 0, 1);
    g.sieger[0].br = 800;
    g.sieger[0].ho = 600;
    g.sieger[0].Status = ICON_ST_KEY;
    g.sieger[0].Main_P = Sieger_Klick;
    g.sieger[1] = Menue_Icon_Neu(ICON_SIEGER_BILD, 94, 51, SLAVE_SIEGER, 0, 2);
    g.sieger[1].Status = ICON_ST_KEY;
    g.sieger[1].zeichnen = Sieger_Zeichnen;
    g.sieger[1].Main_P = Sieger_Klick;
    g.sieger[2] = s_icon{};
}

// ---- the live panels ----

Panel& Panel_Von(int32_t welche) { return g.panel[welche == 1 ? 1 : 0]; }

int32_t Lokal() { return Menue_Lokal().team; }

void Panel_Bild(Panel& p, int32_t welche) {
    const Spielfeld_Satz* satz = Spielfeld_Get_Aktives();
    Rastport* rp = p.bild.rp;
    if (!rp || !satz) return;
    Rastport_Fill(rp, 0, 0, -1, -1, 1, nullptr);
    Rastport_Draw_Frame(rp, 0, 0, int32_t(rp->width), int32_t(rp->height), ANK_GRAU, 1, nullptr);
    Font* f = F(5);
    if (welche == 1) {
        const int32_t leg = int32_t(satz->spieltag) & 1;
        for (size_t i = 0; i < g.ergebnisse.size(); ++i) {
            const SeitenErgebnis& e = g.ergebnisse[i];
            const bool gedreht = leg == 1;
            const int32_t heim = gedreht ? e.gast : e.heim, gast = gedreht ? e.heim : e.gast;
            const int32_t th = std::max(e.tore[leg][gedreht ? 1 : 0], 0), tg = std::max(e.tore[leg][gedreht ? 0 : 1], 0);
            Text_Printf(rp, f, "^c%05d^tl0002%s^tz0080-^c%05d^tl0085%s ^c%05d^tz0168%d^tz0174:^tz0180%d", 0,
                        9 + PANEL_ZEILE * int32_t(i), Team_Farbe(heim, -2), Team_String(TS_NAME_KURZ, heim, 0, 0),
                        Team_Farbe(gast, -2), Team_String(TS_NAME_KURZ, gast, 0, 0), ANK_WEISS, th, tg);
        }
        return;
    }
    for (size_t i = 0; i < g.tabelle.size(); ++i) {
        const SeitenTabelle& r = g.tabelle[i];
        const uint16_t farbe = Ergebnis_Team_Hervorgehoben(r.team) ? ANK_MENSCH : ANK_TEXT;
        if (r.vorher > 0)
            Text_Printf(rp, f, "^c%05d^fb0005^tr0015%d^fe.^tl0017(^fb0005^tr0040%d.)^fe^tl0042%s^fb0006^tr0140%d^tr0160%d^fe",
                        0, 9 + PANEL_ZEILE * int32_t(i), farbe, int32_t(i) + 1, r.vorher,
                        Team_String(TS_NAME_KURZ, r.team, 0, 0), r.tore - r.gegentore, r.punkte);
        else
            Text_Printf(rp, f, "^c%05d^fb0005^tr0015%d^fe.^tl0017(^fb0005^tr0040--)^fe^tl0042%s^fb0006^tr0140%d^tr0160%d^fe",
                        0, 9 + PANEL_ZEILE * int32_t(i), farbe, int32_t(i) + 1, Team_String(TS_NAME_KURZ, r.team, 0, 0),
                        r.tore - r.gegentore, r.punkte);
    }
}

// Rows of the live match's competition: its results of the matchday, or its table up to it.
int32_t Panel_Zeilen(int32_t welche) {
    const Spielfeld_Satz* satz = Spielfeld_Get_Aktives();
    if (!satz) return 0;
    const int32_t w = int32_t(satz->wettbewerb), runde = int32_t(satz->runde);
    if (welche == 1) return Ergebnis_Paarungen(w, runde, g.ergebnisse);
    Spiele_Tabellen_Cache_Loeschen(w);
    return Ergebnis_Tabelle_Zeilen(w, runde, g.tabelle);
}

void Panel_Setzen(Panel& p, int32_t welche, int32_t x, int32_t y) {
    const int32_t b = welche == 1 ? PANEL_ERGEBNIS_B : PANEL_TABELLE_B;
    const int32_t x_min = welche == 1 ? -155 : -105, x_max = (welche == 1 ? 960 : 905) - b;
    const int32_t unten = welche == 1 ? 564 : 565;
    x = std::clamp(x, x_min, std::max(x_min, x_max));
    y = std::clamp(y, 31, std::max(31, unten - p.bild.ho));
    p.bild.x = p.griff.x = int16_t(x);
    p.bild.y = p.griff.y = int16_t(y);
    const int32_t team = Lokal();
    const int32_t nummer = welche == 1 ? ICON_PANEL_ERGEBNIS : ICON_PANEL_TABELLE;
    if (team >= 0) {
        Manager_Icon_Button_An_Aus(team, nummer, x);
        Manager_Icon_Button_An_Aus(team, nummer + 1, y);
    }
}

void Panel_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const int32_t welche = icon->nummer == ICON_PANEL_ERGEBNIS ? 1 : 0;
    Panel& p = Panel_Von(welche);
    const Spielfeld_Satz* satz = Spielfeld_Get_Aktives();
    // A press on the panel takes it; it follows the mouse while the button is held.
    const bool gehalten = Ankuendigung_Hooks().maus_klick && (Ankuendigung_Hooks().maus_klick() & 1);
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    if (gehalten && !p.gehalten && !p.ziehen && mx >= p.bild.x && mx < p.bild.x + p.bild.br && my >= p.bild.y &&
        my < p.bild.y + p.bild.ho) {
        p.ziehen = true;
        p.greif_x = mx - p.bild.x;
        p.greif_y = my - p.bild.y;
    }
    p.gehalten = gehalten;
    if (!gehalten) p.ziehen = false;
    if (p.ziehen) Panel_Setzen(p, welche, mx - p.greif_x, my - p.greif_y);
    if (satz && Netzwerk_Modus() == 1 && satz->minute != p.minute) {
        p.minute = satz->minute;
        p.neu = true;
    }
    if (!p.neu) return;
    p.neu = false;
    Panel_Zeilen(welche);
    Panel_Bild(p, welche);
}

// A right click on a panel closes it.
void Panel_Klick(s_icon* icon, int32_t ereignis) {
    if (ereignis & EV_RECHTS) Ergebnis_Seite_Tabelle(icon->nummer >= ICON_PANEL_ERGEBNIS ? 1 : 0);
}

}  // namespace

int32_t Ergebnis_Tabelle_Zeilen(int32_t wettbewerb, int32_t runde, std::vector<SeitenTabelle>& out) {
    out.clear();
    const WettbewerbSatz* s = Wettbewerb_Satz(wettbewerb);
    if (!s || (s->modus & MODUS_KO_SYSTEM)) return 0;
    auto* p = static_cast<TabellenPuffer*>(Mem_Alloc(sizeof(TabellenPuffer), "Ergebnis_Seite"));
    if (!p) return 0;
    // The rows are the buffer's: at most 40, whatever the competition's size.
    const int32_t n = Spiele_Statistik(wettbewerb, runde, s->modus & MODUS_ENGLISCHE_TABELLE, 31, TABELLE_GESAMT, p);
    for (int32_t i = 0; i < n && i < TABELLE_TEAMS_MAX; ++i) {
        const TabellenZeile& z = p->zeile[p->reihenfolge[i]];
        out.push_back({z.team, z.spiele[0], z.punkte[0], z.tore[0], z.gegentore[0], z.vorher >= 0 ? z.vorher + 1 : -1});
    }
    Mem_Free(p);
    return int32_t(out.size());
}

int32_t Ergebnis_Paarungen(int32_t wettbewerb, int32_t runde, std::vector<SeitenErgebnis>& out) {
    out.clear();
    const int32_t n = Wettbewerb_Satz(wettbewerb) ? Wettbewerb_Get_Spiele_Pro_Spieltag(wettbewerb, runde) : 0;
    for (int32_t p = 0; p < n; ++p) {
        SeitenErgebnis e;
        for (int32_t leg = 0; leg < 2; ++leg) {
            const Spiel_Lock h = Spiele_Lock(wettbewerb, runde, p, leg);
            if (!h) continue;
            const SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
            if (leg == 0) {
                e.heim = sp->heim;
                e.gast = sp->gast;
                const int32_t sieger = Wettbewerb_Paarung_Sieger(wettbewerb, runde, p, -1, 0, 0);
                e.sieger = sieger >= 0 ? sieger : -1;
            } else {
                e.zwei_spiele = true;
            }
            if (sp->tore_heim >= 0) {
                // Oriented as the first leg: a second leg's home side is the first leg's away side.
                const bool gedreht = sp->heim != e.heim;
                e.tore[leg][gedreht ? 1 : 0] = sp->tore_heim;
                e.tore[leg][gedreht ? 0 : 1] = sp->tore_gast;
            }
            std::snprintf(e.flag_text[leg], sizeof e.flag_text[leg], "%s", Spiele_Flag_Text(h));
            Spiele_Unlock(h);
        }
        out.push_back(e);
    }
    return int32_t(out.size());
}

int32_t Ergebnis_Seitengroesse(int32_t anzahl, int32_t grenze) {
    if (anzahl < 10) return std::max(anzahl, 1);
    int32_t beste = grenze, rest = anzahl % grenze;
    for (int32_t p = grenze - 1; p >= 6; --p)
        if (anzahl % p < rest) beste = p, rest = anzahl % p;
    return beste;
}

void Ergebnis_Seite_Blatt(int32_t* erste, int32_t* seite, int32_t* anzahl) {
    if (erste) *erste = g.erste;
    if (seite) *seite = g.seite;
    if (anzahl) *anzahl = g.anzahl;
}

bool Ergebnis_Team_Hervorgehoben(int32_t team) {
    if (team < 0 || !Team_Hat_Manager(team)) return false;
    if (Netzwerk_Modus() == 0) return true;
    // A club left to the clients keeps its manager record while no client
    // plays it (a dropped client's club): the computer plays it.
    const uint32_t status = uint32_t(Team_Wert(TW_STATUS, team, 0, OP_LESEN));
    return !(status & TEAM_STATUS_NETZ) || (status & TEAM_STATUS_CLIENT);
}

void Ankuendigung_Ergebnis_Seite_Oeffnen(int32_t modus) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_ERGEBNIS_SEITE)) return;
    const Ankuendigung& s = Ankuendigung_Staging();
    g.modus = modus;
    g.wettbewerb = int32_t(s.wettbewerb);
    g.runde = int32_t(s.runde);
    g.spieltag = int32_t(s.spieltag);
    if (modus == MODUS_TABELLE) g.anzahl = Ergebnis_Tabelle_Zeilen(g.wettbewerb, g.runde, g.tabelle);
    else if (modus == MODUS_ERGEBNISSE) g.anzahl = Ergebnis_Paarungen(g.wettbewerb, g.runde, g.ergebnisse);
    else g.anzahl = 1;
    if (g.anzahl == 0) {
        Ankuendigung_Phase_Beenden();
        return;
    }
    Menue_Screen_Bereich_Loeschen(5, 0, 0, 800, 600);
    Menue_Set_Hintergrund(SLAVE_SEITE_HINTERGRUND);
    Listen_Bauen();
    if (modus == MODUS_SIEGER) {
        Menue_Screen_Icons_Hinzufuegen(g.sieger);
        Menue_Set_Rechtsklick_Icon(ICON_SIEGER_BILD);
    } else {
        Menue_Screen_Icons_Hinzufuegen(g.liste);
        Menue_Set_Rechtsklick_Icon(ICON_SEITE_ZU);
    }
    g.erste = 0;
    g.seite = Ergebnis_Seitengroesse(g.anzahl, modus == MODUS_TABELLE ? 20 : 10);
    Blaettern_Pruefen();
}

void Ankuendigung_Ergebnis_Seite_Ton() {
    if (!Ankuendigung_Aktiv() || Ankuendigung_Ton_Gespielt()) return;
    Sample_Spielen(g.modus == MODUS_SIEGER ? SAMPLE_SIEGER : SAMPLE_SEITE, false);
    Ankuendigung_Ton_Setzen(true);
}

bool Ergebnis_Seite(int32_t welche) {
    const int32_t nummer = welche == 1 ? ICON_PANEL_ERGEBNIS : ICON_PANEL_TABELLE;
    if (Menue_Screen_Icon_Ist_Vorhanden(nummer)) return true;
    const Spielfeld_Satz* satz = Spielfeld_Get_Aktives();
    if (!satz) return false;
    Panel& p = Panel_Von(welche);
    const int32_t zeilen = Panel_Zeilen(welche);
    const int32_t b = welche == 1 ? PANEL_ERGEBNIS_B : PANEL_TABELLE_B, h = PANEL_ZEILE * zeilen + 2;
    p.bild = Menue_Icon_Neu(nummer, welche == 1 ? 150 : 350, 120, -1, ICON_TYP_PROZ_VOR_TEXT, 12);
    p.bild.br = int16_t(b);
    p.bild.ho = int16_t(h);
    p.bild.zeichnen = Panel_Zeichnen;
    p.bild.Status = ICON_ST_KEY;
    p.griff = Menue_Icon_Neu(nummer + 1, p.bild.x, p.bild.y, -1, ICON_TYP_RECHTSKLICK, 13);
    p.griff.br = int16_t(b);
    p.griff.ho = int16_t(h);
    p.griff.Status = ICON_ST_KEY;
    p.griff.Main_P = Panel_Klick;
    p.wettbewerb = int32_t(satz->wettbewerb);
    p.neu = true;
    p.ziehen = false;
    const int32_t team = Lokal();
    int32_t x = team >= 0 ? Manager_Icon_Button_Lesen(team, nummer) : 0;
    int32_t y = team >= 0 ? Manager_Icon_Button_Lesen(team, nummer + 1) : 0;
    if (x == 0 && y == 0) x = p.bild.x, y = p.bild.y;
    Menue_Screen_Icon_Hinzufuegen(&p.bild);
    Menue_Screen_Icon_Hinzufuegen(&p.griff);
    Panel_Setzen(p, welche, x, y);
    return true;
}

void Ergebnis_Seite_Tabelle(int32_t welche) {
    Panel& p = Panel_Von(welche);
    const int32_t nummer = welche == 1 ? ICON_PANEL_ERGEBNIS : ICON_PANEL_TABELLE;
    if (!Menue_Screen_Icon_Ist_Vorhanden(nummer)) return;
    Menue_Screen_Icon_Loeschen(-1, &p.griff);
    Menue_Screen_Icon_Loeschen(-1, &p.bild);
    p.ziehen = false;
    if (Lokal() >= 0)
        Manager_Icon_Button_An_Aus(Lokal(), welche == 1 ? ICON_OPTION_ERGEBNISSE : ICON_OPTION_TABELLE, 0);
}

void Ankuendigung_Flags() {
    g.panel[0].neu = true;
    g.panel[1].neu = true;
}

void Ankuendigung_Ergebnis_Panels_Schliessen() {
    for (int32_t w = 0; w < 2; ++w) {
        Panel& p = g.panel[w];
        const int32_t nummer = w == 1 ? ICON_PANEL_ERGEBNIS : ICON_PANEL_TABELLE;
        if (Menue_Screen_Icon_Ist_Vorhanden(nummer)) {
            Menue_Screen_Icon_Loeschen(-1, &p.griff);
            Menue_Screen_Icon_Loeschen(-1, &p.bild);
        }
        p.ziehen = false;
    }
}

}  // namespace velmora
