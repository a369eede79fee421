// screens/spielstart_screen.cpp - the start screen and the new-game wizard.
#include "screens/spielstart_screen.h"

#include <algorithm>
#include <string>
#include <vector>

#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "core/text.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"
#include "gfx/text_markup.h"
#include "gfx/texteingabe.h"
#include "gui/menue.h"
#include "gui/menue_requester.h"
#include "media/sound.h"
#include "net/internet_suche.h"
#include "net/net.h"
#include "screens/disk_screen.h"
#include "screens/editor.h"
#include "screens/spielstart_intern.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"

namespace velmora {

namespace spielstart_intern {

StartModul g;

const char* Text(int32_t nummer) {
    return Text_Oder_Leer(TEXTE, nummer);
}

SpielstartWahl& Wahl() { return *Spielstart_Wahl(Spielstart_Aktuell()); }

// The last question: with several managers at this machine it names each of
// them with his club, since its head shows only the last one's choice. The
// requester draws markup as it stands; "\r" begins a new paragraph.
std::string Frage_Text() {
    std::string t = Text(98);
    const int32_t n = Spielstart_Anzahl();
    for (int32_t i = 0; n > 1 && i < n; ++i) {
        const SpielstartWahl* w = Spielstart_Wahl(i);
        if (!w) continue;
        const char* verein = w->team >= 0 ? Team_String(TS_NAME, w->team, 0, 0) : nullptr;
        t += Str_Format("%s%d. %s (%s)", i == 0 ? "\r" : ", ", i + 1, w->name, verein ? verein : "");
    }
    return t;
}

void Text_Drucken(Font* font, const std::string& format, int32_t x, int32_t y, uint16_t farbe, const char* text) {
    if (Rastport* ziel = Rastport_Target(); ziel && font)
        Text_Printf(ziel, font, (std::string("^c%05d") + format).c_str(), x, y, int32_t(farbe), text);
}

void Bild_Blit(int32_t slave, int32_t x, int32_t y) {
    Rastport* ziel = Rastport_Target();
    if (Rastport* rp = ziel ? Menue_Get_Slave_Rastport(slave, nullptr) : nullptr)
        Rastport_Blit(rp, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
}

// Darkens a rectangle of the screen (a greyed plate of the background).
void Abdunkeln(int32_t x, int32_t y, int32_t w, int32_t h) {
    static BlitMode dunkel{.tint = 1, .factor = 80, .colour = Farbe(8, 12, 18)};
    if (Rastport* ziel = Rastport_Target()) Rastport_Blit(ziel, x, y, w, h, ziel, x, y, &dunkel);
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t br, int32_t ho, int8_t pri, IconMainP klick,
             IconZeichnen zeichnen) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, -1, 0, pri);
    i.br = int16_t(br);
    i.ho = int16_t(ho);
    i.Status = ICON_ST_KEY;   // no picture: transparent
    i.Main_P = klick;
    i.zeichnen = zeichnen;
    return i;
}

s_icon Ende() { return s_icon{}; }

void Sperren(s_icon& icon, bool an) {
    if (an) icon.Status |= ICON_ST_GESPERRT;
    else icon.Status &= ~ICON_ST_GESPERRT;
}

// Another manager of this game (an entry below the count, not the current
// one) chose the portrait / club.
int32_t Vergeben_An(int32_t SpielstartWahl::*feld, int32_t wert) {
    for (int32_t i = 0; i < Spielstart_Anzahl(); ++i)
        if (i != Spielstart_Aktuell() && Spielstart_Wahl(i)->*feld == wert) return i;
    return -1;
}

// The wizard.

bool Wahl_Fehlt(int32_t seite) {
    const SpielstartWahl& w = Wahl();
    switch (seite) {
    case 0: return Spielstart_Anzahl() < 1;
    case 1: return Spielstart_Level() < 0;
    case 2: return w.name[0] == 0 && !Client();   // a client's manager may stay unnamed
    case 3: return w.portrait < 0 && !Client();
    case 4: return w.nation < 0;
    case 5: return w.team < 0;
    case 6: return w.wettbewerb < 0;
    default: return false;
    }
}

void Naechste_Pruefen() { Sperren(g.navi[2], g.seite >= 0 && Wahl_Fehlt(g.seite)); }

}  // namespace spielstart_intern

using namespace spielstart_intern;

namespace {

// Films of "animationen.res": the background and one per page. A page's film
// (200 x 56) stands in the lists' bed below the page's panel or name card,
// never over a row, a field or a frame.
constexpr int32_t FILM_HINTERGRUND = 55;
struct SeitenFilm {
    int32_t nummer, x, y;
};
constexpr SeitenFilm FILME[WIZARD_SEITEN] = {{0, 0, 0},     {0, 0, 0},     {57, 568, 368}, {56, 518, 418},
                                             {53, 524, 406}, {58, 422, 423}, {54, 422, 406}, {0, 0, 0}};

// The list panels by kind: picture, row size and row positions.
struct SeitenArt {
    int32_t bild;
    int32_t zeile_b, zeile_h;
    int32_t zeilen;
    int32_t pos[WIZARD_ZEILEN][2];
};
constexpr int32_t PANEL_X = 419, PANEL_Y = 166;
constexpr SeitenArt ARTEN[5] = {
    {SLAVE + START_BILD_PANEL_LEVEL, 353, 33, 5, {{426, 204}, {426, 254}, {426, 304}, {426, 354}, {426, 404}}},
    {SLAVE + START_BILD_PANEL_BILD,
     74,
     74,
     12,
     {{435, 178}, {519, 178}, {603, 178}, {687, 178}, {435, 255}, {519, 255}, {603, 255}, {687, 255}, {435, 332},
      {519, 332}, {603, 332}, {687, 332}}},
    {SLAVE + START_BILD_PANEL_LISTE, 345, 33, 6, {{427, 190}, {427, 224}, {427, 258}, {427, 292}, {427, 326}, {427, 360}}},
    {SLAVE + START_BILD_PANEL_LISTE, 345, 33, 6, {{427, 190}, {427, 224}, {427, 258}, {427, 292}, {427, 326}, {427, 360}}},
    {SLAVE + START_BILD_PANEL_VEREIN, 345, 33, 6, {{427, 190}, {427, 224}, {427, 258}, {427, 292}, {427, 326}, {427, 360}}},
};
// The kind of each page's panel (-1: none).
constexpr int32_t SEITEN_ART[WIZARD_SEITEN] = {-1, 0, -1, 1, 2, 4, 3, -1};

// A message for the start screen once it stands (outlives the module's state).
std::string g_meldung_spaeter;

SpielstartScreenHooks g_hooks;

void Filme_Schliessen();

// The films go through the hooks the root fills; without them nothing is shown.
int32_t Film_Oeffnen(int32_t nummer, int32_t x, int32_t y) {
    if (!g_hooks.film_oeffnen) {
        if (!g.film_gemeldet) Debug_Printf("Spielstart: keine Filme angebunden\n");
        g.film_gemeldet = true;
        return 0;
    }
    return g_hooks.film_oeffnen(nummer, x, y);
}

void Film_Schliessen(int32_t& slot) {
    if (slot && g_hooks.film_schliessen) g_hooks.film_schliessen(slot);
    slot = 0;
}
// The start screen.

void Titel_Zeichnen() {
    Rastport* ziel = Rastport_Target();
    if (Font* f = Font_Get(4); ziel && f)
        Text_Schatten_Print(ziel, f, "^c%05d%s", 400 - Text_Width(f, TITEL) / 2, 96, int32_t(WEISS), TITEL);
    Text_Drucken(Font_Get(8), "^tz0000%s", 400, 132, GEWAEHLT, UNTERTITEL);
    Text_Drucken(Font_Get(8), "%s", 675, 590, WEISS, VERSION);
}

void Start_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    if (!icon) return;
    if (icon->nummer == ICON_START_NEU) Titel_Zeichnen();
    const bool gesperrt = icon->Status & ICON_ST_GESPERRT;
    if (gesperrt) Abdunkeln(x, y, icon->br, icon->ho);
    // A client's new game is its join.
    const bool beitreten = icon->nummer == ICON_START_NEU && Icon_An(ICON_NETZ) && Client();
    Text_Drucken(Font_Get(11), "^tz0100%s", x + 80, y + 47, gesperrt ? GESPERRT : WEISS,
                 Text(beitreten ? 137 : 105 + icon->nummer - ICON_START_NEU));
}

// Every country entry of which a club plays in a competition, in team order.
void Laender_Bauen() {
    g.laender.clear();
    std::vector<bool> spielt(size_t(std::max(Team_Anzahl(), 0)), false);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        const int32_t nation = Team_Wert(TW_NATION, t, 0, OP_LESEN);
        if (Team_Hat_Wettbewerb(t) && nation >= 0 && nation < Team_Anzahl()) spielt[size_t(nation)] = true;
    }
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Ist_Nationalteam(t) && (Team_Hat_Wettbewerb(t) || spielt[size_t(t)])) g.laender.push_back(t);
}

// The save screen's load page over the start screen: it loads as it does in a
// game, and "back" (also a right click anywhere, or Escape) brings the start
// screen again.
void Ladeseite_Zurueck(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & (EV_LINKS | EV_RECHTS))) return;
    Disk_Screen_Schliessen();
    Spielstart_Screen_Oeffnen();
}

void Ladeseite_Oeffnen() {
    Disk_Screen_Laden_Oeffnen();
    if (s_icon* zurueck = Menue_Screen_Icon_Aus_Nummer(ICON_DISK_ZURUECK)) zurueck->Main_P = Ladeseite_Zurueck;
}

// Countries of which the server offers a club (a client's country list).
void Laender_Des_Servers() {
    std::vector<int32_t> alle;
    alle.swap(g.laender);
    for (int32_t land : alle)
        for (int32_t i = 0; i < Team_Startteams_Anzahl(); ++i)
            if (const StartTeam* e = Team_Startteam(i); e && e->team >= 0 && e->nation == land) {
                g.laender.push_back(land);
                break;
            }
}

void Server_Starten();
bool Welt_Bauen();

// "Neues Spiel" in network play: a client joins the server at the entered
// address and walks the wizard from the manager's name to a club the server
// offers; a server's persons walk the whole wizard, as on one machine.
void Netz_Starten() {
    Suche_Beenden();
    if (Client()) {
        if (!Internet_Server_Suche_Frage(g.adresse[0], g.adresse[1], g.adresse[2], g.adresse[3], Net_Port(), true)) {
            g.adresse_zustand = 0;
            Meldung("%s", Text(138));
            return;
        }
        g.adresse_zustand = 1;
        Net_Server_Adresse_Setzen(g.adresse);
        if (!Spielstart_Client_Beitreten()) {
            Icon_Setzen(ICON_NETZ, false);
            Netz_Regeln();
            Meldung("%s", Text(142));
            return;
        }
        g.beigetreten = true;
        Laender_Bauen();
        Laender_Des_Servers();
        Spielstart_Seite_Wechseln(3);   // the manager's name, as on one machine
        return;
    }
    // The server's persons choose as on one machine; the game opens to the
    // clients when it starts (Server_Starten).
    if (!Welt_Bauen()) return;
    Menue_Set_Hintergrund(SLAVE_WIZARD);
    Laender_Bauen();
    Spielstart_Seite_Wechseln(1);
}

// The last question answered on a server: listening, the wizard's managers
// on their clubs, the other clubs offered to the clients.
void Server_Starten() {
    Filme_Schliessen();
    if (Spielstart_Netz_Server_Neu()) return;
    Icon_Setzen(ICON_NETZ, false);
    Spielstart_Screen_Oeffnen();
    Meldung("%s", Text(142));
}

// The world for a new game or the editor; when it cannot be built both stay greyed and the fault is named.
bool Welt_Bauen() {
    if (Spielstart_Welt_Aufbauen() && Spielstart_Platzhalter_Anlegen()) return true;
    g.welt_fehlt = true;
    Sperren(g.start[0], true);
    Sperren(g.start[1], true);
    Meldung("%s", Spielstart_Welt_Fehler().c_str());
    return false;
}

// The team editor's one entry: a placeholder manager without a portrait on team 1.
void Editor_Wahl_Setzen() {
    Spielstart_Anzahl_Setzen(1);
    Spielstart_Aktuell_Setzen(0);
    SpielstartWahl& w = *Spielstart_Wahl(0);
    std::snprintf(w.name, sizeof w.name, "%s", Text(104));
    w.nation = -1;
    w.team = 1;
    w.wettbewerb = Team_Wert(TW_WETTBEWERB, 1, 0, OP_LESEN);
    w.portrait = -1;
    w.startkader = 0;
}

void Start_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    if (g_hooks.spiel_sperren && (icon->nummer == ICON_START_NEU || icon->nummer == ICON_START_LETZTES))
        g_hooks.spiel_sperren();
    switch (icon->nummer) {
    case ICON_START_NEU:
        if (Icon_An(ICON_NETZ) && Netzwerk_Modus() != 0) {
            Netz_Starten();
            return;
        }
        if (!Welt_Bauen()) return;
        Menue_Set_Hintergrund(SLAVE_WIZARD);
        Laender_Bauen();
        Spielstart_Seite_Wechseln(1);
        break;
    case ICON_START_LADEN:
        Ladeseite_Oeffnen();
        break;
    case ICON_START_LETZTES:
        if (const int32_t slot = Spielstand_Letzter_Holen(); slot != -1) K_NEUER_TAG(K_LADEN, slot);
        break;
    case ICON_START_EDITOR:
        // A client's edits would change only its copy, a server's the world its clients joined.
        if (Netzwerk_Modus() != 0) return;
        if (!Welt_Bauen()) return;
        Editor_Wahl_Setzen();
        Spielstart_Starten();
        Editor_Start();
        break;
    default: break;
    }
}

void Navi_Klick(s_icon* icon, int32_t ereignis) {
    if (icon && (ereignis & EV_LINKS)) Spielstart_Seite_Wechseln(icon->nummer == ICON_WIZARD_WEITER ? 1 : -1);
}

// A locked button keeps its label, greyed: the player sees what it will do.
void Navi_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    if (!icon) return;
    const bool weiter = icon->nummer == ICON_WIZARD_WEITER;
    const uint16_t farbe = (icon->Status & ICON_ST_GESPERRT) ? GESPERRT : WEISS;
    Text_Drucken(Font_Get(6), "^tz0040%s", x, y + icon->ho / 2 + 5, farbe, Text(weiter ? 96 : 95));
}

void Balken_Geaendert(s_icon*, int32_t position, int32_t) {
    if (position < 0 || position == g.versatz) return;
    g.versatz = position;
    Sample_Spielen_Lautstaerke(SAMPLE_BLAETTERN, false, 100);
    Schatten_Cache_Leeren();
}

void Icons_Anlegen() {
    for (int32_t i = 0; i < 4; ++i)
        g.start[i] = Knopf(ICON_START_NEU + i, START_PLATTE_X, START_PLATTE_Y + i * START_PLATTE_ABSTAND,
                           START_PLATTE_B, START_PLATTE_H, 1, Start_Klick, Start_Zeichnen);
    // The order on screen: new game, last game, load, editor.
    g.start[1].y = int16_t(START_PLATTE_Y + 3 * START_PLATTE_ABSTAND);
    g.start[2].y = int16_t(START_PLATTE_Y + 2 * START_PLATTE_ABSTAND);
    g.start[3].y = int16_t(START_PLATTE_Y + 1 * START_PLATTE_ABSTAND);
    g.start[4] = Ende();

    g.navi[0] = Knopf(ICON_WIZARD_UEBERSICHT, 0, 100, 1, 1, 0, nullptr, Uebersicht_Zeichnen);
    g.navi[0].typ = ICON_TYP_PASSIV;
    g.navi[1] = Knopf(ICON_WIZARD_ZURUECK, 424, 492, 80, 20, 1, Navi_Klick, Navi_Zeichnen);
    g.navi[1].bild = SLAVE_ZURUECK;
    g.navi[1].bild_gedrueckt = SLAVE_ZURUECK_GEDRUECKT;
    g.navi[2] = Knopf(ICON_WIZARD_WEITER, 710, 492, 80, 20, 1, Navi_Klick, Navi_Zeichnen);
    g.navi[2].bild = SLAVE_WEITER;
    g.navi[2].bild_gedrueckt = SLAVE_WEITER_GEDRUECKT;
    for (int32_t i : {1, 2}) g.navi[i].Status = ICON_ST_KEY | ICON_ST_DRUCK;
    g.navi[3] = Ende();

    g.liste[0] = Knopf(ICON_WIZARD_BALKEN, BALKEN_X, BALKEN_Y, 9, 364, 2, Menue_Scrollbar_Klick, nullptr);
    g.liste[0].partner = ICON_WIZARD_KNAUF;
    g.liste[1] = Knopf(ICON_WIZARD_KNAUF, BALKEN_X, KNAUF_OBEN, 8, 8, 3, nullptr, nullptr);
    g.liste[1].bild = SLAVE + START_BILD_KNAUF;
    g.liste[1].typ = ICON_TYP_SCROLLBUTTON | ICON_TYP_BEWEGLICH;
    g.liste[1].daten = &g.balken;
    g.liste[1].partner = ICON_WIZARD_BALKEN;
    g.liste[2] = Knopf(ICON_WIZARD_PANEL, PANEL_X, PANEL_Y, 380, 460, 0, nullptr, Panel_Zeichnen);
    g.liste[2].typ = ICON_TYP_PASSIV;
    for (int32_t z = 0; z < WIZARD_ZEILEN; ++z)
        g.liste[3 + z] = Knopf(ICON_WIZARD_ZEILE + z, 415, 220 + 30 * z, 190, 20, 1, Zeile_Klick, Zeile_Zeichnen);
    g.liste[3 + WIZARD_ZEILEN] = Ende();

    g.anzahl[0] = Knopf(ICON_WIZARD_PLUS, 567, 240, 50, 60, 1, Zeile_Klick, nullptr);
    g.anzahl[0].bild = SLAVE + START_BILD_PLUS;
    g.anzahl[1] = Knopf(ICON_WIZARD_MINUS, 567, 354, 50, 60, 1, Zeile_Klick, nullptr);
    g.anzahl[1].bild = SLAVE + START_BILD_MINUS;
    for (int32_t i : {0, 1}) {
        g.anzahl[i].Status = ICON_ST_KEY | ICON_ST_DRUCK;
        g.anzahl[i].bild_gedrueckt = g.anzahl[i].bild;
    }
    g.anzahl[2] = Knopf(ICON_WIZARD_ANZAHL, 519, 166, 200, 30, 1, nullptr, Anzahl_Zeichnen);
    g.anzahl[2].typ = ICON_TYP_PASSIV;
    g.anzahl[3] = Ende();

    g.name[0] = Knopf(ICON_WIZARD_NAME, 419, 264, 350, 90, 1, nullptr, Name_Zeichnen);
    g.name[0].typ = ICON_TYP_PASSIV;
    g.name[1] = Ende();

    g.kader[0] = Knopf(ICON_WIZARD_KADER, 427, 396, 350, 20, 2, Zeile_Klick, Kader_Zeichnen);
    g.kader[1] = Ende();
}

// Builds a page: its icons, rows, list and scroll range.
void Seite_Bauen(int32_t seite, bool mit_film) {
    const SpielstartWahl& w = Wahl();
    int32_t balken_bild = -1;
    int32_t balken_h = START_BALKEN_LISTE_H;
    g.zeilen = 0;
    g.eintraege = 0;
    int32_t bereich = 0;
    switch (seite) {
    case 0: Menue_Screen_Icons_Hinzufuegen(g.anzahl); break;   // back leads to the start screen
    case 1: g.zeilen = g.eintraege = SPIELSTART_LEVEL; break;
    case 2: Menue_Screen_Icons_Hinzufuegen(g.name); break;
    case 3:
        balken_bild = SLAVE + START_BILD_BALKEN_BILD;
        balken_h = START_BALKEN_BILD_H;
        g.zeilen = g.eintraege = SPIELSTART_PORTRAITS;
        break;
    case 4:
        balken_bild = SLAVE + START_BILD_BALKEN_LISTE;
        g.zeilen = 6;
        g.eintraege = int32_t(g.laender.size());
        bereich = g.eintraege - 5;
        break;
    case 5: {
        balken_bild = SLAVE + START_BILD_BALKEN_VEREIN;
        Menue_Screen_Icons_Hinzufuegen(g.kader);
        g.vereine.assign(size_t(std::max(Team_Anzahl(), 1)), -1);
        int32_t n = w.nation >= 0 ? Team_Suche_Vereine_Von_Nation(w.nation, g.vereine.data(), 1, 1) : 0;
        g.vereine.resize(size_t(std::max(n, 0)));
        if (Client()) {   // only the clubs the server offers
            std::erase_if(g.vereine, [](int32_t t) {
                const StartTeam* e = Team_Startteam(t);
                return !e || e->team != t;
            });
            n = int32_t(g.vereine.size());
        }
        g.zeilen = 6;
        g.eintraege = n;
        bereich = n - 5;
        break;
    }
    case 6: {
        g.ligen.assign(size_t(std::max(int32_t(Wettbewerb_Alle().size()), 1)), -1);
        const int32_t n = Wettbewerb_Liste_Team(-1, g.ligen.data(), 1);
        g.ligen.resize(size_t(std::max(n, 0)));
        balken_bild = SLAVE + START_BILD_BALKEN_LISTE;
        g.zeilen = 6;
        g.eintraege = n;
        bereich = n - 5;
        break;
    }
    default: break;
    }
    if (mit_film && FILME[seite].nummer)
        g.film_seite = Film_Oeffnen(FILME[seite].nummer, FILME[seite].x, FILME[seite].y);

    Menue_Screen_Icons_Hinzufuegen(g.navi);
    const int32_t art = SEITEN_ART[seite];
    if (art < 0) return;
    const SeitenArt& a = ARTEN[art];
    g.liste[2].bild = a.bild;
    g.liste[0].bild = balken_bild;
    g.liste[0].Status = balken_bild < 0 ? (ICON_ST_KEY | ICON_ST_VERSTECKT) : ICON_ST_KEY;
    g.balken = s_scrollbar{};
    g.balken.proc = Balken_Geaendert;
    g.balken.fest_x = BALKEN_X;
    g.balken.y_min = KNAUF_OBEN;
    g.balken.y_max = int16_t(BALKEN_Y + balken_h - START_BALKEN_KAPPE - START_KNAUF_H);
    g.balken.positionen = int16_t(std::max(bereich, 0));
    const int32_t sichtbar = std::min(g.zeilen, g.eintraege);
    for (int32_t z = 0; z < WIZARD_ZEILEN; ++z) {
        s_icon& i = g.liste[3 + z];
        i.Status = ICON_ST_KEY;
        if (z >= sichtbar || z >= a.zeilen) {
            i.Status |= ICON_ST_VERSTECKT;
            continue;
        }
        i.x = int16_t(a.pos[z][0]);
        i.y = int16_t(a.pos[z][1]);
        i.br = int16_t(a.zeile_b);
        i.ho = int16_t(a.zeile_h);
    }
    Menue_Screen_Icons_Hinzufuegen(g.liste);
}

void Filme_Schliessen() {
    Film_Schliessen(g.film_seite);
    Film_Schliessen(g.film_hintergrund);
}

void Vorbereiten() {
    g.vorbereitet = true;
    g.welt_fehlt = false;
    g.seite = -1;
    if ((Team_Anzahl() <= 0 || Team_Markt() < 0) && !Spielstart_Welt_Aufbauen()) g.welt_fehlt = true;
    Spielstart_Wahl_Zuruecksetzen();
    if (!g.welt_fehlt && !Spielstart_Platzhalter_Anlegen()) g.welt_fehlt = true;
    Spielstart_Screen_Oeffnen();
    // Over the start screen: why no game can be started.
    if (g.welt_fehlt) Meldung("%s", Spielstart_Welt_Fehler().c_str());
}

}  // namespace

SpielstartScreenHooks& Spielstart_Screen_Hooks() { return g_hooks; }

bool Spielstart_Screen_Frame() {
    if (Spielstart_Spiel_Laeuft()) return true;
    // A load that failed may have taken the world with it: the start is prepared again.
    // The team editor runs on the start's frame without the placeholder, which the editor's start removed.
    if (!g.vorbereitet || (!Editor_Offen() && !g.welt_fehlt && (Team_Markt() < 0 || !Manager_Record(Team_Markt()))))
        Vorbereiten();
    // A joined client keeps its connection while its person chooses; once
    // the connection is gone the start screen comes back and says so.
    if (g.beigetreten && !Spielstart_Client_Halten()) {
        g.beigetreten = false;
        Filme_Schliessen();
        Texteingabe_Free();
        Vorbereiten();
        Meldung("%s", Text(146));
    }
    if (!g_meldung_spaeter.empty() && g.seite == -1 && !g.welt_fehlt) {
        Meldung("%s", g_meldung_spaeter.c_str());
        g_meldung_spaeter.clear();
    }
    Menue_Frame();
    return Spielstart_Spiel_Laeuft() != 0;
}

void Spielstart_Screen_Oeffnen() {
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 800, 600);
    Menue_Set_Hintergrund(SLAVE_START);
    g.seite = -1;
    Icons_Anlegen();
    Sperren(g.start[0], g.welt_fehlt);
    Sperren(g.start[1], g.welt_fehlt || Netzwerk_Modus() != 0);
    Sperren(g.start[3], Spielstand_Letzter_Holen() == -1);
    Menue_Screen_Icons_Hinzufuegen(g.start);
    Netz_Icons_Anlegen();
    Netz_Regeln();
    Menue_Screen_Icons_Hinzufuegen(g.netz);
    // A message shown before the screen was built anew (a refused load that
    // took the world with it) stays over it.
    Menue_Requester_Auflegen();
}

void Spielstart_Netz_Adresse(uint32_t out[4]) {
    if (out) std::copy(g.adresse, g.adresse + 4, out);
}
int32_t Spielstart_Netz_Adresse_Zustand() { return g.adresse_zustand; }

void Spielstart_Seite_Wechseln(int32_t schritt) {
    if (g.seite == -1) {
        Menue_Set_Hintergrund(SLAVE_WIZARD);
        g.film_hintergrund = Film_Oeffnen(FILM_HINTERGRUND, 0, 0);
    } else if (schritt == 1 && Wahl_Fehlt(g.seite)) {
        return;
    } else if (Client() && g.seite == 2 && schritt == -1) {
        return;   // a client's wizard begins with the manager's name
    } else if (g.seite == 0 && schritt == -1) {
        // Back from the first page: the start screen again.
        Filme_Schliessen();
        Texteingabe_Free();
        Spielstart_Screen_Oeffnen();
        return;
    }
    if (Client() && g.seite == 5 && schritt == 1) schritt = 2;   // the server's league stays
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 800, 600);
    Manager_Icon_Button_An_Aus(Team_Lokal(), ICON_WIZARD_KNAUF, KNAUF_OBEN);
    Texteingabe_Free();
    g.versatz = 0;
    if (g.seite == 2 && schritt == -1 && Spielstart_Aktuell() > 0) {
        Spielstart_Aktuell_Setzen(Spielstart_Aktuell() - 1);
        g.seite = 7;
    }
    g.seite = std::clamp(g.seite + schritt, 0, WIZARD_SEITEN - 1);
    Sperren(g.navi[1], false);
    Film_Schliessen(g.film_seite);
    if (g.seite < 7) {
        Seite_Bauen(g.seite, true);
        return;
    }
    if (Spielstart_Aktuell() + 1 < Spielstart_Anzahl()) {
        Spielstart_Aktuell_Setzen(Spielstart_Aktuell() + 1);
        g.seite = 2;
        Seite_Bauen(2, true);
        return;
    }
    // The last manager's league is chosen (a client's club): the last question.
    g.seite = Client() ? 5 : 6;
    Seite_Bauen(g.seite, false);
    Film_Schliessen(g.film_hintergrund);
    // The question shows the last manager as he chose himself: portrait, club, name.
    const SpielstartWahl& w = Wahl();
    Menue_Requester_Person(
        2, RequesterPerson{w.portrait, w.team, w.name}, Frage_Text().c_str(),
        [](const int32_t*, const int32_t*) {
            if (Client()) {
                if (Spielstart_Client_Starten()) {
                    g.beigetreten = false;
                    Filme_Schliessen();
                    return;
                }
                // The connection is gone: the next frame says so, no club was refused.
                if (Net_Server_Verbindung() < 0) return;
                // Refused (taken meanwhile): the club page again, with the server's table.
                Team_Internet_Client_Startteams();
                Wahl().team = -1;
                g.film_hintergrund = Film_Oeffnen(FILM_HINTERGRUND, 0, 0);
                Spielstart_Seite_Wechseln(0);
                Meldung("%s", Text(143));
                return;
            }
            if (Icon_An(ICON_NETZ) && Netzwerk_Modus() == 2) {
                Server_Starten();
                return;
            }
            Filme_Schliessen();
            Spielstart_Starten();
        },
        [](const int32_t*, const int32_t*) {
            g.film_hintergrund = Film_Oeffnen(FILM_HINTERGRUND, 0, 0);
            Spielstart_Seite_Wechseln(0);
        });
}

int32_t Spielstart_Seite() { return g.seite; }
int32_t Spielstart_Versatz() { return g.versatz; }

int32_t Spielstart_Laender(const int32_t** liste) {
    if (liste) *liste = g.laender.data();
    return int32_t(g.laender.size());
}
int32_t Spielstart_Vereine_Liste(const int32_t** liste) {
    if (liste) *liste = g.vereine.data();
    return int32_t(g.vereine.size());
}
int32_t Spielstart_Ligen(const int32_t** liste) {
    if (liste) *liste = g.ligen.data();
    return int32_t(g.ligen.size());
}

void Spielstart_Screen_Meldung(const char* text) { g_meldung_spaeter = text ? text : ""; }

void Spielstart_Screen_Zuruecksetzen() {
    Filme_Schliessen();
    Texteingabe_Free();
    g = StartModul{};
}

}  // namespace velmora

