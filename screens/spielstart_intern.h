// screens/spielstart_intern.h - what the start screen's files share: the
// screen's state lives in spielstart_screen.cpp (the start screen, the
// wizard's flow and pages), the network set-up in spielstart_netz.cpp and
// the wizard's drawn pages in spielstart_seiten.cpp. Not for other screens.
#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "gfx/bildnr_start.h"
#include "gfx/font.h"
#include "gui/icon.h"
#include "gui/menue_scrollbar.h"
#include "screens/spielstart_screen.h"
#include "screens/spielstart_wahl.h"
#include "season/spielstart.h"
#include "shell/app.h"

namespace velmora::spielstart_intern {


constexpr uint16_t Farbe(int r, int g, int b) { return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)); }
constexpr uint16_t WEISS = 65535, GESPERRT = 35921, GEWAEHLT = 52743, VERGEBEN = 50744;
constexpr uint16_t FELD = Farbe(8, 14, 22), FELD_RAND = Farbe(214, 178, 82), KARTE = Farbe(22, 40, 60),
                   BALKEN_LEER = Farbe(12, 22, 34), BALKEN_VOLL = Farbe(214, 178, 82);

constexpr int32_t SLAVE = 12000;
constexpr int32_t SLAVE_START = SLAVE + START_BILD_HINTERGRUND, SLAVE_WIZARD = SLAVE + START_BILD_WIZARD;
constexpr int32_t SLAVE_ZURUECK = 4019, SLAVE_ZURUECK_GEDRUECKT = 4018;   // the menus' slate and green buttons
constexpr int32_t SLAVE_WEITER = 4017, SLAVE_WEITER_GEDRUECKT = 4016;
constexpr const char* TEXTE = "ULVO_ZUSATZ";
// What a level changes, under the level list (texts 120, 121).
constexpr int32_t TEXT_LEVEL_GELD = 120, TEXT_LEVEL_HILFE = 121;
constexpr int32_t LEVEL_TEXT_X = 432, LEVEL_TEXT_Y = 468;
constexpr const char* VERSION = APP_ANZEIGE_VERSION;
constexpr const char* TITEL = "VELMORA";
constexpr const char* UNTERTITEL = "Fu\xdf" "ball-Manager";
constexpr int32_t SAMPLE_BLAETTERN = 13;
constexpr int32_t KNAUF_OBEN = 194;   // the knob's stored y at the top of its bar
constexpr int32_t BALKEN_X = 774, BALKEN_Y = 185;

// The summary: the column of its texts and the column of its pictures.
constexpr int32_t UEBERSICHT_X = 133, UEBERSICHT_BILD_X = 37;
constexpr int32_t SERVER_Y = 551;   // a client's server line, under the summary

struct StartModul {
    bool vorbereitet = false;
    bool welt_fehlt = false;
    int32_t seite = -1;
    int32_t versatz = 0;
    int32_t zeilen = 0, eintraege = 0;
    std::vector<int32_t> laender, vereine, ligen;
    int32_t film_hintergrund = 0, film_seite = 0;
    bool film_gemeldet = false;
    s_icon start[5];
    s_icon navi[4];
    s_icon liste[WIZARD_ZEILEN + 4];   // 885, 886, 869, the rows, the end
    s_icon anzahl[4];
    s_icon name[2];
    s_icon kader[2];
    s_scrollbar balken;
    // The network set-up: icons 895-901, the address and its state, the search.
    s_icon netz[8];
    uint32_t adresse[4] = {NETZ_ADRESSE_START[0], NETZ_ADRESSE_START[1], NETZ_ADRESSE_START[2], NETZ_ADRESSE_START[3]};
    uint32_t adresse_gesehen[4] = {0, 0, 0, 0};
    int32_t adresse_zustand = -1;
    char adresse_text[24] = {};
    bool suche_laeuft = false;
    int32_t oktett_gezeigt = 255;
    std::minstd_rand suche_zufall{20011u};   // the search display's own draws, never the game's Rnd
    uint8_t eigene_adresse[4] = {};           // this machine's, looked up once when the screen opens
    bool netz_an[4] = {};                     // the states of 895-898
    bool beigetreten = false;                 // a client joined, choosing its club
};
extern StartModul g;

// The start screen's texts (ULVO_ZUSATZ), "" for a missing one.
const char* Text(int32_t nummer);
// The current manager's choices.
SpielstartWahl& Wahl();
// A text in a colour at (x, y) of the screen; `format` takes the colour's code first.
void Text_Drucken(Font* font, const std::string& format, int32_t x, int32_t y, uint16_t farbe, const char* text);
void Bild_Blit(int32_t slave, int32_t x, int32_t y);
// Darkens a rectangle of the screen (a greyed plate of the background).
void Abdunkeln(int32_t x, int32_t y, int32_t w, int32_t h);
// A button without picture (transparent), and the end of an icon list.
s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t br, int32_t ho, int8_t pri, IconMainP klick,
             IconZeichnen zeichnen);
s_icon Ende();
void Sperren(s_icon& icon, bool an);
// Another manager of this game (an entry below the count, not the current
// one) chose the portrait / club: his entry, -1 for none.
int32_t Vergeben_An(int32_t SpielstartWahl::*feld, int32_t wert);
// The next button is locked while the page's choice is missing.
bool Wahl_Fehlt(int32_t seite);
void Naechste_Pruefen();

// The network set-up (spielstart_netz.cpp): this machine is a client; the
// set-up's on/off states (icons 895-898); which icons show; the end of a
// search; an address as text; the set-up's icons.
bool Client();
bool Icon_An(int32_t nummer);
void Icon_Setzen(int32_t nummer, bool an);
void Netz_Regeln();
void Suche_Beenden();
std::string Adresse_Text(const uint32_t a[4]);
void Netz_Icons_Anlegen();

// The wizard's pages (spielstart_seiten.cpp): the summary, the lists'
// headings, a list row and its click, the count, the new-squad switch and
// the name card.
void Uebersicht_Zeichnen(s_icon*, int32_t, int32_t, int32_t);
void Panel_Zeichnen(s_icon*, int32_t, int32_t, int32_t);
void Zeile_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t);
void Zeile_Klick(s_icon* icon, int32_t ereignis);
void Anzahl_Zeichnen(s_icon*, int32_t, int32_t, int32_t);
void Kader_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t);
void Name_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t);

}  // namespace velmora::spielstart_intern
