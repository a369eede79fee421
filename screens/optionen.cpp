// screens/optionen.cpp - the options screen.
#include "screens/optionen.h"

#include <algorithm>

#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/meldung.h"
#include "core/optionen.h"
#include "core/text.h"
#include "gfx/bildnr_geld.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_scrollbar.h"
#include "media/sound.h"
#include "net/net.h"
#include "screens/geld_knopf.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr uint16_t HELL = 0xFFFF, OPTION_FARBE = 0xDF1B, AUS_FARBE = 0x8474, GOLD = 0xFEAC;
constexpr int32_t SLAVE = 16000, SLAVE_KNOPF = 4019, SLAVE_KNOPF_GEDRUECKT = 4018;
constexpr int32_t SAMPLE_BLAETTERN = 13;
constexpr int32_t NETZ_EINZEL = 0, NETZ_CLIENT = 1, NETZ_SERVER = 2;

enum Art : int32_t { UEBERSCHRIFT = 0, LEER = 1, OPTION = 2 };
struct Zeile {
    int32_t text;
    int32_t option;
    Art art;
};
constexpr Zeile ZEILEN[OPTIONEN_ZEILEN] = {
    {20, -1, UEBERSCHRIFT}, {4, 0, OPTION},   {15, 19, OPTION},  {16, 24, OPTION}, {24, 21, OPTION},
    {-1, -1, LEER},         {21, -1, UEBERSCHRIFT}, {17, 40, OPTION}, {19, 42, OPTION}, {23, 43, OPTION},
    {13, 13, OPTION},       {-1, -1, LEER},   {22, -1, UEBERSCHRIFT}, {5, 4, OPTION}, {6, 5, OPTION},
    {7, 8, OPTION},         {8, 11, OPTION},  {9, 12, OPTION},   {10, 10, OPTION}, {11, 14, OPTION}};

// OPTIONEN_SCREEN: the close button's help and label, the title, the minutes,
// the server's messages; ULVO_ZUSATZ 142 when no server could start.
constexpr int32_t TEXT_HILFE = 1, TEXT_SCHLIESSEN = 2, TEXT_TITEL = 3, TEXT_MINUTEN = 25, TEXT_SERVER_AN = 26,
                  TEXT_SERVER_AUS = 27, TEXT_SERVER_ZWEI = 30, TEXT_KEIN_SERVER = 142;

constexpr int32_t FENSTER_X = 32, FENSTER_Y = 83, LISTE_X0 = 30, LISTE_X1 = 651, LISTE_Y0 = 181, ZEILE_H = 27;
constexpr int32_t ZEILE_Y = 184, MARKE_X = 37, SCHALTER_X = 43, TITEL_X = 249, TITEL_Y = 146;
constexpr int32_t BALKEN_X = 748, BALKEN_Y = 181, BALKEN_H = 270, KNAUF_OBEN = 186;
constexpr int32_t KNOPF_X = 684, KNOPF_Y = 461;
constexpr int32_t FONT_GROSS = 11, FONT_KLEIN = 9;
// Above the screens' own icons (priority 5 and below), as the save screen's window:
// the advertising screen's accept button drew over the list.
constexpr int8_t PRI_FAENGER = 14, PRI_FENSTER = 15, PRI_ICON = 16;

struct OptionenModul {
    int32_t versatz = 0;
    s_icon faenger, fenster, knopf, balken, knauf;
    s_icon_text knopf_text;
    s_scrollbar scroll;
};
OptionenModul g;

const char* Text(const char* datei, int32_t nummer) {
    return Text_Oder_Leer(datei, nummer);
}

bool Ist_Client() { return Netzwerk_Modus() == NETZ_CLIENT; }

int32_t Menschen() {
    int32_t liste[TEAM_MAX];
    return Manager_Ist_Dran(liste, 0, 1);
}

// The list row under the pointer, -1 outside the visible rows.
int32_t Zeile_Unter(int32_t x, int32_t y) {
    if (x < LISTE_X0 || x > LISTE_X1 || y < LISTE_Y0) return -1;
    const int32_t sichtbar = (y - LISTE_Y0) / ZEILE_H;
    if (sichtbar >= OPTIONEN_SICHTBAR) return -1;
    const int32_t zeile = sichtbar + g.versatz;
    return zeile < OPTIONEN_ZEILEN ? zeile : -1;
}

void Schalten(int32_t option) {
    switch (option) {
    case OPTION_ZEITLIMIT: {
        if (Ist_Client()) return;
        int32_t wert = Optionen(OPTION_ZEITLIMIT, 0, 0) + OPTIONEN_ZEITLIMIT_SCHRITT;
        if (wert > OPTIONEN_ZEITLIMIT_MAX || wert < 0) wert = 0;
        Optionen(OPTION_ZEITLIMIT, 1, wert);
        // The limit counts from now.
        if (wert != 0) Kalender_Zeit_Merken();
        return;
    }
    case 8: Optionen(8, 1, 0); return;
    case OPTION_LIVE_ANSEHEN:
    case 40: Optionen(option, 1, Optionen(option, 0, 0) ? 0 : 1); return;
    case OPTION_NETZWERK_SERVER:
        // With one manager the switch has nobody to offer: it says so and names the start screen's way.
        if (Menschen() < 2) {
            if (!Ist_Client()) Meldung("%s", Text(OPTIONEN_TEXTE, TEXT_SERVER_ZWEI));
            return;
        }
        if (Optionen(OPTION_NETZWERK_SERVER, 0, 0) != 0) Optionen_Server_Beenden();
        else if (!Ist_Client()) Optionen_Server_Starten(Menue_Lokal().team);
        return;
    default: Optionen(option, 1, Optionen(option, 0, 0) ^ 1); return;
    }
}

void Liste_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    int32_t x = 0, y = 0;
    Menue_Maus_Position(&x, &y);
    const int32_t option = Optionen_Zeile_Option(Zeile_Unter(x, y));
    if (option >= 0) Schalten(option);
}

void Knopf_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & (EV_LINKS | EV_RECHTS)) Optionen_Screen_Schliessen();
}

void Balken_Geaendert(s_icon*, int32_t position, int32_t) {
    if (position < 0 || position == g.versatz) return;
    g.versatz = std::min(position, OPTIONEN_ZEILEN - OPTIONEN_SICHTBAR);
    Sample_Spielen(SAMPLE_BLAETTERN, false);
}

void Liste_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* gross = Font_Get(FONT_GROSS);
    Font* klein = Font_Get(FONT_KLEIN);
    if (!ziel || !gross || !klein) return;
    Text_Printf(ziel, gross, "^c%05d%s", TITEL_X, TITEL_Y, int32_t(GOLD), Text(OPTIONEN_TEXTE, TEXT_TITEL));
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    const int32_t unter = Zeile_Unter(mx, my);
    if (unter >= 0 && ZEILEN[unter].art == OPTION)
        if (Rastport* rp = Menue_Get_Slave_Rastport(SLAVE + GELD_OPTIONEN_UNTER_MAUS, nullptr))
            Rastport_Blit(rp, 0, 0, -1, -1, ziel, MARKE_X, ZEILE_Y + ZEILE_H * (unter - g.versatz), BlitMode_Key);
    for (int32_t z = g.versatz; z < g.versatz + OPTIONEN_SICHTBAR && z < OPTIONEN_ZEILEN; ++z) {
        const Zeile& r = ZEILEN[z];
        const int32_t oben = ZEILE_Y + ZEILE_H * (z - g.versatz), grundlinie = oben + 18;
        if (r.art == UEBERSCHRIFT) {
            Text_Printf(ziel, gross, "^c%05d^tl0083%s", 0, grundlinie, int32_t(HELL), Text(OPTIONEN_TEXTE, r.text));
            continue;
        }
        if (r.art != OPTION) continue;
        const int32_t wert = Optionen(r.option, 0, 0);
        if (Rastport* rp = Menue_Get_Slave_Rastport(SLAVE + (wert ? GELD_OPTION_AN : GELD_OPTION_AUS), nullptr))
            Rastport_Blit(rp, 0, 0, -1, -1, ziel, SCHALTER_X, oben + 4, BlitMode_Key);
        Text_Printf(ziel, klein, "^c%05d^tl0123%s", 0, grundlinie, int32_t(OPTION_FARBE), Text(OPTIONEN_TEXTE, r.text));
        if (r.option == OPTION_ZEITLIMIT) {
            // The time limit carries its name like every row, its minutes on the right.
            Text_Printf(ziel, klein, "^c%05d^tr0640%d%s", 0, grundlinie, int32_t(wert ? OPTION_FARBE : AUS_FARBE),
                        wert / OPTIONEN_ZEITLIMIT_SCHRITT, Text(OPTIONEN_TEXTE, TEXT_MINUTEN));
            continue;
        }
        if (r.option == OPTION_NETZWERK_SERVER && wert != 0) {
            char name[64];
            uint16_t port = 0;
            uint8_t a[4] = {};
            if (Net_Local_Address(name, sizeof name, &port, a))
                Text_Printf(ziel, klein, "^c%05d^tr0640%d.%d.%d.%d", 0, grundlinie, int32_t(OPTION_FARBE), a[0], a[1],
                            a[2], a[3]);
        }
    }
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int8_t pri) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, 0, pri);
    i.Status = ICON_ST_KEY;
    return i;
}

}  // namespace

int32_t Optionen_Zeile_Option(int32_t zeile) {
    if (zeile < 0 || zeile >= OPTIONEN_ZEILEN || ZEILEN[zeile].art != OPTION) return -1;
    return ZEILEN[zeile].option;
}

void Optionen_Screen_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_OPTIONEN_FENSTER)) return;
    const int32_t team = Menue_Lokal().team;
    const int32_t positionen = OPTIONEN_ZEILEN - OPTIONEN_SICHTBAR + 1;
    const int32_t knauf_unten = BALKEN_Y + BALKEN_H - GELD_KNAUF_H - 5;
    // The knob's place from the manager's record, inside its groove.
    int32_t knauf = Manager_Icon_Button_Lesen(team, ICON_OPTIONEN_KNAUF);
    if (knauf < KNAUF_OBEN || knauf > knauf_unten) knauf = KNAUF_OBEN;
    Manager_Icon_Button_An_Aus(team, ICON_OPTIONEN_KNAUF, knauf);
    g.faenger = Icon(ICON_OPTIONEN_FAENGER, 0, 0, -1, PRI_FAENGER);
    g.faenger.br = 800;
    g.faenger.ho = 565;
    g.fenster = Icon(ICON_OPTIONEN_FENSTER, FENSTER_X, FENSTER_Y, SLAVE + GELD_OPTIONEN_FENSTER, PRI_FENSTER);
    g.fenster.Main_P = Liste_Klick;
    g.fenster.zeichnen = Liste_Zeichnen;
    g.knopf = Geld_Knopf(ICON_OPTIONEN_SCHLIESSEN, KNOPF_X, KNOPF_Y, SLAVE_KNOPF, SLAVE_KNOPF_GEDRUECKT, &g.knopf_text,
                         Text(OPTIONEN_TEXTE, TEXT_SCHLIESSEN), FONT_KLEIN, Knopf_Klick, Text(OPTIONEN_TEXTE, TEXT_HILFE),
                         PRI_ICON);
    g.balken = Icon(ICON_OPTIONEN_BALKEN, BALKEN_X, BALKEN_Y, SLAVE + GELD_SCROLL_SPUR, PRI_ICON);
    g.balken.Main_P = Menue_Scrollbar_Klick;
    g.balken.partner = ICON_OPTIONEN_KNAUF;
    g.scroll = s_scrollbar{};
    g.scroll.proc = Balken_Geaendert;
    g.scroll.fest_x = BALKEN_X;
    g.scroll.y_min = KNAUF_OBEN;
    g.scroll.y_max = int16_t(knauf_unten);
    g.scroll.positionen = int16_t(positionen);
    g.knauf = Icon(ICON_OPTIONEN_KNAUF, BALKEN_X, knauf, SLAVE + GELD_SCROLL_KNAUF, PRI_ICON + 1);
    g.knauf.typ = ICON_TYP_SCROLLBUTTON | ICON_TYP_BEWEGLICH;
    g.knauf.daten = &g.scroll;
    g.knauf.partner = ICON_OPTIONEN_BALKEN;
    if (positionen <= 1) {
        g.balken.Status |= ICON_ST_GESPERRT;
        g.knauf.Status |= ICON_ST_GESPERRT;
    }
    g.versatz = Menue_Abs_Balkenpos(&g.knauf);
    if (g.versatz < 0) g.versatz = 0;
    for (s_icon* i : {&g.faenger, &g.fenster, &g.knopf, &g.balken, &g.knauf}) Menue_Screen_Icon_Hinzufuegen(i);
    Menue_Set_Rechtsklick_Icon(ICON_OPTIONEN_SCHLIESSEN);
}

void Optionen_Screen_Schliessen() {
    for (s_icon* i : {&g.knauf, &g.balken, &g.knopf, &g.fenster, &g.faenger}) Menue_Screen_Icon_Loeschen(-1, i);
}

int32_t Optionen_Screen_Versatz() { return g.versatz; }

bool Optionen_Server_Starten(int32_t team) {
    if (Ist_Client()) return false;
    if (!Spielstart_Netz_Server(team, nullptr)) {
        Optionen(OPTION_NETZWERK_SERVER, 1, 0);
        Meldung("%s", Text("ULVO_ZUSATZ", TEXT_KEIN_SERVER));
        return false;
    }
    Optionen(OPTION_NETZWERK_SERVER, 1, OPTIONEN_SERVER_AN);
    Meldung("%s", Text(OPTIONEN_TEXTE, TEXT_SERVER_AN));
    return true;
}

void Optionen_Server_Beenden() {
    if (Netzwerk_Modus() == NETZ_SERVER) Internet_Netzwerk_Stop();
    // Every club is a club of this machine again.
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Wert(TW_STATUS, t, 0, OP_LESEN) & int32_t(TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT))
            Team_Wert(TW_STATUS, t, int32_t(TEAM_STATUS_NETZ | TEAM_STATUS_CLIENT), OP_LOESCHEN);
    Netzwerk_Modus_Setzen(NETZ_EINZEL);
    Optionen(OPTION_NETZWERK_SERVER, 1, 0);
    Meldung("%s", Text(OPTIONEN_TEXTE, TEXT_SERVER_AUS));
}

}  // namespace velmora
