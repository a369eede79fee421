// screens/editor.cpp - the team editor's main screen.
#include "screens/editor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "club/aufstellung.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/programm.h"
#include "platform/clock.h"
#include "core/taste.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/bildnr_editor.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "bilder/portrait.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gfx/texteingabe.h"
#include "bilder/wappen.h"
#include "business/sterne.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_requester.h"
#include "platform/display.h"
#include "screens/editor_aussehen.h"
#include "screens/editor_daten.h"
#include "screens/editor_listen.h"
#include "screens/editor_nation.h"
#include "screens/editor_zeichnen.h"
#include "screens/editor_wappen.h"
#include "screens/talent_panel.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "EDITOR_SCREEN";
// EDITOR_SCREEN texts: headings, help, questions and answers.
constexpr int32_t TEXT_NR = 0, TEXT_TYP = 1, TEXT_NAME = 2, TEXT_STAERKE = 3, TEXT_KADER = 6, TEXT_LADEN = 13,
                  TEXT_SPEICHERN = 14, TEXT_JA = 18, TEXT_NEIN = 19, TEXT_GESPEICHERT = 20, TEXT_OK = 21,
                  TEXT_SCOUTS = 22, TEXT_ENDE = 24, TEXT_NICHT_GESPEICHERT = 31, TEXT_MARKT = 47, TEXT_SCOUT_KNOPF = 48;

constexpr int32_t ZEILE_H = 17, ZEILEN_Y = 116;
constexpr int32_t TEAMS_X = 8, TEAMS_B = 355, SPIELER_X = 382, SPIELER_B = 390;
constexpr int32_t LISTE_H = ZEILE_H * EDITOR_ZEILEN_SICHTBAR;
constexpr int32_t TEAM_SCROLL_X = 363, SPIELER_SCROLL_X = 774, SCROLL_B = 8;
constexpr int32_t KNOPF_Y = 569, KNOPF_B = 90, KNOPF_H = 24;
constexpr int8_t PRI_HINTERGRUND = 1, PRI_LISTE = 5, PRI_KNOPF = 6;
constexpr int32_t FONT_ZEILE = 9, FONT_KLEIN = 15, FONT_TITEL = 11;
constexpr uint16_t WEISS = EDITOR_WEISS, GOLD = EDITOR_GOLD, GRAU = EDITOR_GRAU;

// The player columns Tab walks: where the field starts, how wide it is and its picture while edited.
struct Spalte {
    int32_t feld, x, breite, bild;
};
constexpr Spalte SPALTEN[7] = {{EDITOR_FELD_NUMMER, 398, 17, EDITOR_BILD_FELD_ZAHL},
                               {EDITOR_FELD_ART, 416, 34, EDITOR_BILD_FELD_ART},
                               {EDITOR_FELD_INITIAL, 451, 20, EDITOR_BILD_FELD_INITIAL},
                               {EDITOR_FELD_NAME, 467, 90, EDITOR_BILD_FELD_NAME},
                               {EDITOR_FELD_STAERKE, 557, 17, EDITOR_BILD_FELD_ZAHL},
                               {EDITOR_FELD_MAXIMUM, 574, 17, EDITOR_BILD_FELD_ZAHL},
                               {EDITOR_FELD_WERT55, 593, 30, EDITOR_BILD_FELD_WERT}};
constexpr int32_t CLUB_FELD_B = 132;
// The kinds' short names of the type column.
constexpr const char* ART_KURZ[4] = {"TW", "AB", "MF", "ST"};

struct EditorModul {
    bool offen = false;
    std::vector<int32_t> teams, spieler;
    int32_t team_versatz = 0, spieler_versatz = 0;
    bool aufsteigend = true;
    int32_t sortierung = EDITOR_NAME_AUF;
    int32_t club = -1, markiert = -1, markt_art = -1;
    int32_t zug = -1, zug_team = -1;   // the player waiting to move, and his club
    // The edit in progress.
    bool edit = false, team_edit = false;
    int32_t ziel = -1, spalte = 0;
    char puffer[40] = {};
    std::string fehler;
    EditorTakt takt_art, takt_auf, takt_ab;   // the type's steps; strength and maximum up and down
    EditorTakt takt_spalte;                   // Tab and Shift+Tab between the player columns
    s_icon bild, team_liste, spieler_liste, team_scroll, spieler_scroll, sort_name, sort_nation, markt, scouts,
        laden, speichern, ende;
};
EditorModul g;

const char* T(int32_t n) { return Text_Oder_Leer(TEXTE, n); }

int32_t Zeile_Unter(int32_t y) {
    if (y < ZEILEN_Y || y >= ZEILEN_Y + LISTE_H) return -1;
    return (y - ZEILEN_Y) / ZEILE_H;
}

// Typed text is shown as typed: a markup character stands for itself, cut to the column.
void Zelle(Font* f, int32_t x, int32_t y, int32_t breite, uint16_t farbe, const char* text) {
    std::string s = text ? text : "";
    std::replace(s.begin(), s.end(), '^', '\x88');
    char aus[128];
    Editor_Schreiben(f, x, y, farbe, Str_Auf_Breite(s.c_str(), aus, sizeof aus, f, breite));
}

void Rechts(Font* f, int32_t x_ende, int32_t y, uint16_t farbe, const char* text) {
    if (f) Editor_Schreiben(f, x_ende - Text_Width(f, text), y, farbe, text);
}

void Teams_Fuellen() {
    g.teams = Editor_Teamliste();
    Editor_Teamliste_Sortieren(g.teams, g.sortierung);
    g.team_versatz = std::clamp(g.team_versatz, 0, Editor_Scrollbereich(int32_t(g.teams.size())));
}

void Spieler_Fuellen() {
    g.spieler = g.markt_art < 0 ? Editor_Spielerliste(g.club) : Editor_Marktliste(g.markt_art, nullptr);
    g.spieler_versatz = std::clamp(g.spieler_versatz, 0, Editor_Scrollbereich(int32_t(g.spieler.size())));
    if (g.markt_art >= 0) Screen_Talente_2_Liste_Setzen(g.spieler.data(), int32_t(g.spieler.size()));
}

void Edit_Beenden() {
    Texteingabe_Free();
    g.edit = false;
    g.ziel = -1;
}

void Club_Waehlen(int32_t club) {
    Edit_Beenden();
    if (g.markt_art >= 0) g.zug = -1;
    g.club = club;
    g.markt_art = -1;
    g.spieler_versatz = 0;
    Spieler_Fuellen();
}

int32_t Feld() { return g.team_edit ? TS_NAME_KURZ : SPALTEN[g.spalte].feld; }

void Edit_Starten(int32_t ziel, bool team, int32_t spalte) {
    Texteingabe_Free();
    g.edit = true;
    g.team_edit = team;
    g.ziel = ziel;
    g.spalte = spalte;
    const std::string text =
        team ? std::string(Team_String(TS_NAME_KURZ, ziel, 0, 0)) : Editor_Feld_Text(ziel, SPALTEN[spalte].feld);
    std::snprintf(g.puffer, sizeof g.puffer, "%s", text.c_str());
}

void Uebernehmen() {
    if (g.team_edit) Editor_Team_Text_Setzen(g.ziel, TS_NAME_KURZ, g.puffer);
    else if (SPALTEN[g.spalte].feld != EDITOR_FELD_ART) Editor_Feld_Uebernehmen(g.ziel, SPALTEN[g.spalte].feld, g.puffer);
}

// Tab past the last column takes the next player (the previous one backwards).
void Spalte_Wechseln(int32_t richtung) {
    int32_t spalte = g.spalte + (richtung ? 1 : -1), ziel = g.ziel;
    if (spalte > 6 || spalte < 0) {
        ziel = Editor_Naechster_Spieler(g.spieler, g.ziel, richtung, g.markt_art >= 0);
        spalte = spalte > 6 ? 0 : 6;
        if (ziel < 0) return Edit_Beenden();
        // The list follows the player when he is out of sight.
        const auto it = std::find(g.spieler.begin(), g.spieler.end(), ziel);
        const int32_t i = int32_t(it - g.spieler.begin());
        if (i < g.spieler_versatz || i >= g.spieler_versatz + EDITOR_ZEILEN_SICHTBAR)
            g.spieler_versatz = std::clamp(i, 0, Editor_Scrollbereich(int32_t(g.spieler.size())));
    }
    Edit_Starten(ziel, false, spalte);
}

// Strength or maximum being edited: they step by arrow key or click.
bool Schritt_Feld() {
    return g.edit && !g.team_edit && (Feld() == EDITOR_FELD_STAERKE || Feld() == EDITOR_FELD_MAXIMUM);
}

// One step of the strength or maximum being edited, at most once per 200 ms each way.
void Feld_Schritt(int32_t richtung) {
    if (!Editor_Takt(richtung ? g.takt_auf : g.takt_ab, Plat_Ms(), 200)) return;
    Uebernehmen();
    const int32_t wert = Feld() == EDITOR_FELD_STAERKE ? Editor_Staerke_Schritt(g.ziel, richtung)
                                                       : Editor_Maximum_Schritt(g.ziel, richtung);
    Texteingabe_Free();
    std::snprintf(g.puffer, sizeof g.puffer, "%d", wert);
}

// One frame of the edit at row position (x, y): the field's picture, then the entry.
void Edit_Frame(int32_t x, int32_t y, int32_t breite, int32_t bild) {
    Rastport* ziel = Rastport_Target();
    Font* f = Font_Get(FONT_ZEILE);
    if (!ziel || !f) return;
    Editor_Bild(bild, x, y);
    int32_t ende = 0;
    if (!g.team_edit && SPALTEN[g.spalte].feld == EDITOR_FELD_ART) {
        // The type is stepped with the arrow keys; Tab, Enter and Escape as in a text.
        Rechts(f, x + breite - 3, y + 13, GOLD, ART_KURZ[std::clamp(Spieler_Get_Art(g.ziel), 0, 3)]);
        const int32_t code = Taste_Get_Code();
        switch (code) {
        case VK_UP:
        case VK_DOWN:
            if (Editor_Takt(g.takt_art, Plat_Ms(), 300)) Editor_Art_Schritt(g.ziel, code == VK_UP ? 1 : 0);
            break;
        case VK_TAB: ende = Taste_Shift() ? TEXTEINGABE_SHIFT_TAB : TEXTEINGABE_TAB; break;
        case VK_RETURN: ende = TEXTEINGABE_ENTER; break;
        case VK_ESCAPE: ende = TEXTEINGABE_ESCAPE; break;
        default: break;
        }
    } else {
        const int32_t feld = Feld();
        // Strength and maximum also step with the arrow keys.
        const int32_t taste = Taste_Get_Code();
        if (Schritt_Feld() && (taste == VK_UP || taste == VK_DOWN)) Feld_Schritt(taste == VK_UP ? 1 : 0);
        const int32_t laenge = Editor_Feld_Laenge(feld, g.team_edit);
        const uint32_t flags = (Editor_Feld_Numerisch(feld, g.team_edit) ? TEXTEINGABE_ZAHL : TEXTEINGABE_STANDARD) |
                               TEXTEINGABE_ALLES_MARKIERT | TEXTEINGABE_NUR_TASTEN;
        ende = Texteingabe_Edit(f, g.puffer, int32_t(sizeof g.puffer), laenge, flags, x, y, EDITOR_EINGABE_B,
                                EDITOR_EINGABE_H, 3,
                                0, nullptr, 0, 0, nullptr, GOLD);
    }
    // The key that ends an edit of the list is the edit's: Escape does not
    // also close the talent panel or another box beside the list.
    if (ende == TEXTEINGABE_ENTER || ende == TEXTEINGABE_TAB || ende == TEXTEINGABE_SHIFT_TAB ||
        ende == TEXTEINGABE_ESCAPE)
        Taste_Verbrauchen();
    switch (ende) {
    case TEXTEINGABE_ENTER:
        Uebernehmen();
        Edit_Beenden();
        break;
    case TEXTEINGABE_TAB:
    case TEXTEINGABE_SHIFT_TAB:
        // The columns change at most once per 150 ms: a held Tab walks the
        // row at a readable pace; a Tab within that time is dropped and the
        // field stays in edit as it is.
        if (!g.team_edit && !Editor_Takt(g.takt_spalte, Plat_Ms(), 150)) break;
        Uebernehmen();
        if (g.team_edit) Edit_Beenden();
        else Spalte_Wechseln(ende == TEXTEINGABE_TAB ? 1 : 0);
        break;
    case TEXTEINGABE_ESCAPE: Edit_Beenden(); break;
    default: break;
    }
}

void Hintergrund_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!ziel) return;
    Editor_Bild(EDITOR_BILD_HINTERGRUND, 0, 0);
    Font* titel = Font_Get(FONT_TITEL);
    Font* klein = Font_Get(FONT_KLEIN);
    if (titel) Editor_Schreiben(titel, 24, 48, GOLD, T(23));
    if (g.club >= 0 && g.markt_art < 0) Zelle(titel, 400, 48, 380, WEISS, Team_String(TS_NAME_KURZ, g.club, 0, 0));
    else if (g.markt_art >= 0) Editor_Schreiben(titel, 400, 48, WEISS, T(g.markt_art == 0 ? TEXT_KADER : TEXT_SCOUTS));
    // Column headings.
    Editor_Schreiben(klein, TEAMS_X + 20, 112, GRAU, T(TEXT_NAME));
    Editor_Schreiben(klein, TEAMS_X + 146, 112, GRAU, T(5));
    Editor_Schreiben(klein, TEAMS_X + 228, 112, GRAU, T(7));
    Rechts(klein, SPIELER_X + 32, 112, GRAU, T(TEXT_NR));
    Editor_Schreiben(klein, SPIELER_X + 40, 112, GRAU, T(TEXT_TYP));
    Editor_Schreiben(klein, SPIELER_X + 93, 112, GRAU, T(TEXT_NAME));
    Editor_Schreiben(klein, SPIELER_X + 176, 112, GRAU, T(TEXT_STAERKE));
    Editor_Schreiben(klein, SPIELER_X + 252, 112, GRAU, T(8));
    Editor_Schreiben(klein, SPIELER_X + 310, 112, GRAU, T(5));
}

void Scroll_Zeichnen(int32_t x, int32_t versatz, int32_t anzahl) {
    const int32_t bereich = Editor_Scrollbereich(anzahl);
    const int32_t knopf_h = 24;
    const int32_t y = ZEILEN_Y + (bereich > 0 ? (LISTE_H - knopf_h) * versatz / bereich : 0);
    Editor_Bild(EDITOR_BILD_KNAUF, x + 1, y);
}

void Scroll_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    const bool teams = icon->nummer == ICON_EDITOR_TEAM_SCROLL;
    const int32_t bereich = Editor_Scrollbereich(int32_t(teams ? g.teams.size() : g.spieler.size()));
    const int32_t wert = std::clamp((my - ZEILEN_Y) * (bereich + 1) / LISTE_H, 0, bereich);
    Edit_Beenden();
    (teams ? g.team_versatz : g.spieler_versatz) = wert;
}

// A list's shown entries into `zeilen`; the row under the pointer, -1 none,
// also where a box over the list (the talent panel) takes the pointer: the
// row it covers is not lit through its gaps.
int32_t Zeilen_Sichtbar(const std::vector<int32_t>& liste, int32_t versatz, const s_icon& flaeche, int32_t x0,
                        int32_t breite, int32_t* zeilen) {
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    Editor_Zeilen(liste, versatz, zeilen);
    return mx >= x0 && mx < x0 + breite && Menue_Icon_An(mx, my) == &flaeche ? Zeile_Unter(my) : -1;
}

void Teams_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* f = Font_Get(FONT_ZEILE);
    Font* klein = Font_Get(FONT_KLEIN);
    if (!ziel || !f) return;
    int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
    const int32_t unter = Zeilen_Sichtbar(g.teams, g.team_versatz, g.team_liste, TEAMS_X, TEAMS_B, zeilen);
    for (int32_t k = 0; k < EDITOR_ZEILEN_SICHTBAR; ++k) {
        const int32_t t = zeilen[k];
        if (t < 0) continue;
        const int32_t y = ZEILEN_Y + ZEILE_H * k;
        if (t == g.club) Editor_Bild(EDITOR_BILD_TEAM_AN, TEAMS_X, y);
        else if (k == unter) Editor_Bild(EDITOR_BILD_TEAM_LICHT, TEAMS_X, y);
        if (g.markiert >= 0) Editor_Bild(t == g.markiert ? EDITOR_BILD_MARKE : EDITOR_BILD_MARKE_ANDERE, TEAMS_X + 3, y + 3);
        // A name being typed (up to 30 characters) takes the row's nation and
        // league columns: it ran into them.
        const bool im_edit = g.edit && g.team_edit && g.ziel == t;
        if (im_edit) Edit_Frame(TEAMS_X + 16, y, CLUB_FELD_B, EDITOR_BILD_FELD_CLUB);
        else Zelle(f, TEAMS_X + 20, y + 12, 125, WEISS, Team_String(TS_NAME_KURZ, t, 0, 0));
        if (!im_edit) Zelle(f, TEAMS_X + 146, y + 12, 78, WEISS, Team_String(TS_NATION, t, 0, 0));
        const int32_t liga = Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN);
        if (const WettbewerbSatz* w = klein && liga >= 0 && !im_edit ? Wettbewerb_Satz(liga) : nullptr)
            Zelle(klein, TEAMS_X + 228, y + 11, 106, GRAU, std::string(w->name, strnlen(w->name, sizeof w->name)).c_str());
        // The crest column opens the club page.
        Wappen_Zeichnen(t, ziel, TEAMS_X + 340, y + 1, 14, 14, nullptr);
    }
    Scroll_Zeichnen(TEAM_SCROLL_X, g.team_versatz, int32_t(g.teams.size()));
}

// The entry of a list under the pointer for a click, -1 none; the pointer's x into `mx`.
int32_t Eintrag_Unter(int32_t ereignis, const std::vector<int32_t>& liste, int32_t versatz, int32_t* mx) {
    if (!(ereignis & (EV_LINKS | EV_RECHTS))) return -1;
    int32_t my = 0;
    Editor_Maus(mx, &my);
    const int32_t k = Zeile_Unter(my);
    if (k < 0) return -1;
    int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
    Editor_Zeilen(liste, versatz, zeilen);
    return zeilen[k];
}

// The club row's help text: the screen text's format filled with the
// strength's label and the club's strength.
const char* Teams_Hilfe(s_icon*) {
    static std::string text;
    int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
    const int32_t k = Zeilen_Sichtbar(g.teams, g.team_versatz, g.team_liste, TEAMS_X, TEAMS_B, zeilen);
    if (k < 0 || zeilen[k] < 0) return nullptr;
    text = Text_Format(T(4), {T(TEXT_STAERKE), Team_Get_Staerke(zeilen[k])});
    return text.c_str();
}

void Gespeichert(const int32_t*, const int32_t*) {}

// A save that failed: the requester says so with the file and its reason
// ("Nicht gespeichert: ..."); what is on screen stays to be saved again.
void Nicht_Gespeichert(const std::string& fehler) {
    g.fehler = fehler;
    const std::string text = std::string(T(TEXT_NICHT_GESPEICHERT)) + " " + fehler;
    Menue_Requester(1, -1, text.c_str(), "NOK", T(TEXT_OK), Gespeichert, nullptr, 0, nullptr, 0, nullptr);
}

void Teams_Klick(s_icon*, int32_t ereignis) {
    int32_t mx = 0;
    const int32_t t = Eintrag_Unter(ereignis, g.teams, g.team_versatz, &mx);
    if (t < 0) return;
    Club_Waehlen(t);
    const bool links = ereignis & EV_LINKS;
    if (mx > 8 && mx < 24) {
        // The league swap: a right click marks, a left click on another club swaps.
        if (!links || g.markiert < 0) g.markiert = t;
        else {
            // The swap is written at once; one that cannot be is said as a failed save is.
            if (g.markiert != t && Editor_Ligen_Tauschen(g.markiert, t)) {
                const std::string f = Editor_Speichern();
                if (!f.empty()) Nicht_Gespeichert(f);
            }
            g.markiert = -1;
            Teams_Fuellen();
        }
        return;
    }
    if (links && mx > 24 && mx < 179) Edit_Starten(t, true, 0);
    if (links && mx > 347 && mx < 363) Editor_Wappen_Oeffnen(t);
}

void Spieler_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* f = Font_Get(FONT_ZEILE);
    Font* klein = Font_Get(FONT_KLEIN);
    if (!ziel || !f) return;
    int32_t zeilen[EDITOR_ZEILEN_SICHTBAR];
    const int32_t unter = Zeilen_Sichtbar(g.spieler, g.spieler_versatz, g.spieler_liste, SPIELER_X, SPIELER_B, zeilen);
    int32_t maus_x = 0, maus_y = 0;
    Editor_Maus(&maus_x, &maus_y);
    const int32_t x = SPIELER_X;
    for (int32_t k = 0; k < EDITOR_ZEILEN_SICHTBAR; ++k) {
        const int32_t p = zeilen[k];
        if (p < 0) continue;
        const int32_t y = ZEILEN_Y + ZEILE_H * k, grund = y + 12;
        const bool edit = g.edit && !g.team_edit && g.ziel == p;
        if (edit || p == g.zug) Editor_Bild(EDITOR_BILD_SPIELER_AN, x, y);
        else if (k == unter) Editor_Bild(EDITOR_BILD_SPIELER_LICHT, x, y);
        const int32_t feld = edit ? SPALTEN[g.spalte].feld : -1;
        // Typed text may reach past its column: the columns it covers are left out.
        int32_t frei_ab = 0, frei_bis = 0;
        if (edit && feld != EDITOR_FELD_ART) {
            frei_ab = SPALTEN[g.spalte].x;
            frei_bis = frei_ab + 3 + Texteingabe_Breite(f, g.puffer, int32_t(std::strlen(g.puffer))) + 4;
        }
        auto frei = [&](int32_t links) { return links < frei_ab || links >= frei_bis; };
        if (g.zug >= 0) Editor_Bild(p == g.zug ? EDITOR_BILD_MARKE : EDITOR_BILD_MARKE_ANDERE, x + 3, y + 3);
        char zahl[16];
        if (feld != EDITOR_FELD_NUMMER) {
            std::snprintf(zahl, sizeof zahl, "%d", Spieler_Wert(SPW_DATEI_NUMMER, p, 0, OP_LESEN));
            Rechts(f, x + 32, grund, WEISS, zahl);
        }
        const int32_t art = Spieler_Get_Art(p);
        if (feld != EDITOR_FELD_ART) {
            Editor_Bild(EDITOR_BILD_ART + std::clamp(art, 0, 3), x + 36, y + 1);
            Editor_Schreiben(klein, x + 53, y + 11, GOLD, ART_KURZ[std::clamp(art, 0, 3)]);
        }
        // Over the strength columns, or while one is edited, the row shows the
        // player's stars in place of his name.
        const bool sterne = feld == EDITOR_FELD_STAERKE || feld == EDITOR_FELD_MAXIMUM ||
                            (k == unter && !g.edit && maus_x > 558 && maus_x < 591);
        if (sterne) Liste_Fuellen(p, 0, x + 72, y + 1, 0, true);
        if (!sterne && feld != EDITOR_FELD_INITIAL) {
            // The first name shows as its initial.
            const std::string initial = Editor_Feld_Text(p, EDITOR_FELD_INITIAL);
            if (!initial.empty()) Zelle(f, x + 72, grund, 20, WEISS, (initial + ".").c_str());
        }
        if (!sterne && feld != EDITOR_FELD_NAME)
            Zelle(f, x + 93, grund, 84, WEISS, Spieler_String(SPS_NAME_FELD, p, 0, 0));
        if (feld != EDITOR_FELD_STAERKE && frei(x + 178)) {
            std::snprintf(zahl, sizeof zahl, "%d", Spieler_Wert(SPW_STERNE, p, 0, OP_LESEN));
            Rechts(f, x + 190, grund, WEISS, zahl);
        }
        if (feld != EDITOR_FELD_MAXIMUM && frei(x + 196)) {
            std::snprintf(zahl, sizeof zahl, "%d", Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN));
            Rechts(f, x + 208, grund, GRAU, zahl);
        }
        if (feld != EDITOR_FELD_WERT55 && frei(x + 222)) {
            std::snprintf(zahl, sizeof zahl, "%d", Spieler_Wert(SPW_WERT55, p, 0, OP_LESEN));
            Rechts(f, x + 241, grund, WEISS, zahl);
        }
        // Up to three of his talents as their small badges.
        int32_t talente[3] = {-1, -1, -1};
        const int32_t n = Attribute_Get_Attribute(p, talente, 3, 0);
        for (int32_t i = 0; i < n; ++i)
            if (frei(x + 251 + 18 * i)) Editor_Bild(TALENT_BILD_ERSTER[TALENT_16] + talente[i], x + 251 + 18 * i, y);
        const int32_t nation = Spieler_Wert(SPW_NATION, p, 0, OP_LESEN);
        // A scout player from a continent shown as a list names his continent.
        const Kontinent* heimat = Kontinent_Daten(Spieler_Get_Heimat_Wert(p));
        if (!frei(x + 310)) {
        } else if (klein && (Spieler_Status(p) & FILTER_NUR_SCOUT) && heimat && heimat->liste)
            Zelle(klein, x + 310, y + 11, 66, GRAU, heimat->name);
        else if (klein && nation >= 0 && nation < Team_Anzahl())
            Zelle(klein, x + 310, y + 11, 66, GRAU, Team_String(TS_NAME_KURZ, nation, 0, 0));
        // The portrait column: the face small, and large beside the row under the pointer.
        Portrait_Zeichnen(p, g.club, ziel, x + 378, y, 12, 15);
        if (edit) Edit_Frame(SPALTEN[g.spalte].x, y, SPALTEN[g.spalte].breite, SPALTEN[g.spalte].bild);
    }
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    const bool seite = Editor_Aussehen_Offen() || Editor_Wappen_Offen() || Editor_Nation_Offen();
    if (unter >= 0 && zeilen[unter] >= 0 && mx > 761 && mx < 783 && !g.edit && !seite) {
        const int32_t y = std::min(ZEILEN_Y + ZEILE_H * unter + 20, 600 - 108);
        Editor_Bild(EDITOR_BILD_PORTRAIT, 676, y);
        Portrait_Zeichnen(zeilen[unter], g.club, ziel, 680, y + 4, 85, 100);
    }
    Scroll_Zeichnen(SPIELER_SCROLL_X, g.spieler_versatz, int32_t(g.spieler.size()));
}

// The move column: a right click makes the player wait to move; a left click
// with one waiting swaps the two (their line-up slots in one club, their
// clubs between two), the same player again clears it.
void Spieler_Bewegen(int32_t p, bool links) {
    Edit_Beenden();
    if (!links || g.zug < 0) {
        g.zug = p;
        g.zug_team = g.club;
        return;
    }
    if (g.zug != p) {
        if (g.zug_team == g.club) Spieler_Tauschen_Intern(g.zug, p, g.club, g.club);
        else Team_Spieler_Kommt_Und_Geht(g.club, g.zug_team, p, g.zug, 0);
    }
    g.zug = -1;
    Spieler_Fuellen();
}

void Spieler_Klick(s_icon*, int32_t ereignis) {
    int32_t mx = 0;
    const int32_t p = Eintrag_Unter(ereignis, g.spieler, g.spieler_versatz, &mx);
    if (p < 0) return;
    const bool links = ereignis & EV_LINKS;
    if (mx > 381 && mx < 397 && g.markt_art < 0) {
        Spieler_Bewegen(p, links);
        return;
    }
    if (links) g.zug = -1;
    if (mx > 418 && mx < 450) {
        if (Editor_Takt(g.takt_art, Plat_Ms(), 300)) Editor_Art_Schritt(p, links ? 1 : 0);
        return;
    }
    // A click inside the strength or maximum being edited steps it: left up, right down.
    if (Schritt_Feld() && g.ziel == p && mx >= SPALTEN[g.spalte].x && mx < SPALTEN[g.spalte].x + 20) {
        Feld_Schritt(links ? 1 : 0);
        return;
    }
    if (!links) return;
    if (mx > 761 && mx < 783) {
        Edit_Beenden();
        Editor_Aussehen_Oeffnen(p);
        return;
    }
    if (mx > 697 && mx < 761) {
        Edit_Beenden();
        Editor_Nation_Oeffnen(p);
        return;
    }
    if (mx > 630 && mx < 685) {
        Edit_Beenden();
        Screen_Talente_2_Oeffnen(p, 30, 100, g.markt_art >= 0 ? Team_Markt() : g.club);
        return;
    }
    const struct {
        int32_t von, bis, spalte;
    } bereiche[] = {{398, 416, 0}, {452, 472, 2}, {473, 558, 3}, {558, 575, 4}, {574, 591, 5}, {598, 625, 6}};
    for (const auto& b : bereiche)
        if (mx > b.von && mx < b.bis) {
            if (g.edit) Uebernehmen();
            Edit_Starten(p, false, b.spalte);
            return;
        }
}

void Sortieren_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    Edit_Beenden();
    if (icon->nummer == ICON_EDITOR_SORT_NAME) {
        g.aufsteigend = !g.aufsteigend;
        g.sortierung = g.aufsteigend ? EDITOR_NAME_AUF : EDITOR_NAME_AB;
    } else {
        g.sortierung = EDITOR_NATION_LIGA;
    }
    Teams_Fuellen();
}

void Markt_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    Edit_Beenden();
    g.markt_art = icon->nummer == ICON_EDITOR_MARKT ? 0 : 1;
    g.club = Team_Markt();
    g.spieler_versatz = 0;
    Spieler_Fuellen();
}

void Speichern_Ja(const int32_t*, const int32_t*) {
    Edit_Beenden();
    const std::string f = Editor_Speichern();
    if (f.empty()) {
        g.fehler.clear();
        Menue_Requester(1, -1, T(TEXT_GESPEICHERT), "NOK", T(TEXT_OK), Gespeichert, nullptr, 0, nullptr, 0, nullptr);
        return;
    }
    Nicht_Gespeichert(f);
}

void Laden_Ja(const int32_t*, const int32_t*) {
    Edit_Beenden();
    Editor_Neu_Laden();
    g.markiert = -1;
    Teams_Fuellen();
    Club_Waehlen(g.teams.empty() ? -1 : g.teams.front());
}

void Ende_Ja(const int32_t*, const int32_t*) {
    Editor_Schliessen();
    Programm_Beenden_Anfordern();
}

void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    const int32_t frage = icon->nummer == ICON_EDITOR_SPEICHERN ? TEXT_SPEICHERN
                          : icon->nummer == ICON_EDITOR_LADEN   ? TEXT_LADEN
                                                                : TEXT_ENDE;
    RequesterProc ja = icon->nummer == ICON_EDITOR_SPEICHERN ? Speichern_Ja
                       : icon->nummer == ICON_EDITOR_LADEN   ? Laden_Ja
                                                             : Ende_Ja;
    Menue_Requester(2, -1, T(frage), T(TEXT_JA), T(TEXT_NEIN), ja, nullptr, 0, nullptr, 0, nullptr);
}

// A button: a gold-edged plate with its label, lit under the pointer.
void Knopf_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!icon || !ziel) return;
    int32_t mx = 0, my = 0;
    Editor_Maus(&mx, &my);
    const bool unter = mx >= x && mx < x + icon->br && my >= y && my < y + icon->ho;
    const bool an = (icon->nummer == ICON_EDITOR_MARKT && g.markt_art == 0) ||
                    (icon->nummer == ICON_EDITOR_SCOUTS && g.markt_art == 1);
    const char* text = "";
    int32_t bild = EDITOR_BILD_KNOPF + (unter ? 1 : 0);
    if (icon->nummer == ICON_EDITOR_SORT_NAME || icon->nummer == ICON_EDITOR_SORT_NATION)
        bild = EDITOR_BILD_SORTIEREN + (unter ? 1 : 0);
    else if (icon->nummer == ICON_EDITOR_MARKT || icon->nummer == ICON_EDITOR_SCOUTS)
        bild = an ? EDITOR_BILD_MARKT_AN : unter ? EDITOR_BILD_MARKT_LICHT : EDITOR_BILD_MARKT;
    switch (icon->nummer) {
    case ICON_EDITOR_SORT_NAME: text = T(g.aufsteigend ? 9 : 15); break;
    case ICON_EDITOR_SORT_NATION: text = T(10); break;
    case ICON_EDITOR_MARKT: text = T(TEXT_MARKT); break;
    case ICON_EDITOR_SCOUTS: text = T(TEXT_SCOUT_KNOPF); break;
    case ICON_EDITOR_SPEICHERN: text = T(12); break;
    case ICON_EDITOR_LADEN: text = T(11); break;
    case ICON_EDITOR_ENDE: text = T(17); break;
    default: break;
    }
    Editor_Knopf(bild, Font_Get(FONT_ZEILE), x, y, text);
}

s_icon Flaeche(int32_t nummer, int32_t x, int32_t y, int32_t b, int32_t h, int8_t pri, void (*klick)(s_icon*, int32_t),
               void (*zeichnen)(s_icon*, int32_t, int32_t, int32_t)) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, -1, 0, pri);
    i.br = int16_t(b);
    i.ho = int16_t(h);
    i.Status = ICON_ST_KEY;
    i.Main_P = klick;
    i.zeichnen = zeichnen;
    return i;
}

s_icon* const* Alle() {
    static s_icon* const alle[] = {&g.bild,     &g.team_liste, &g.spieler_liste, &g.team_scroll,
                                   &g.spieler_scroll, &g.sort_name, &g.sort_nation, &g.markt,
                                   &g.scouts,   &g.laden,      &g.speichern,     &g.ende};
    return alle;
}
constexpr int32_t ALLE = 12;

}  // namespace

void Editor_Start() {
    if (g.offen || Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_HINTERGRUND)) return;
    Config_Modify_Init(0, 0);
    Editor_Daten_Oeffnen();
    g.offen = true;
    g.aufsteigend = true;
    g.sortierung = EDITOR_NAME_AUF;
    g.team_versatz = 0;
    g.markiert = -1;
    g.fehler.clear();
    Teams_Fuellen();
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    g.bild = Flaeche(ICON_EDITOR_HINTERGRUND, 0, 0, 800, 600, PRI_HINTERGRUND, nullptr, Hintergrund_Zeichnen);
    g.bild.typ = ICON_TYP_PASSIV;
    g.team_liste = Flaeche(ICON_EDITOR_TEAMS, TEAMS_X, ZEILEN_Y, TEAMS_B, LISTE_H, PRI_LISTE, Teams_Klick, Teams_Zeichnen);
    g.spieler_liste =
        Flaeche(ICON_EDITOR_SPIELER, SPIELER_X, ZEILEN_Y, SPIELER_B, LISTE_H, PRI_LISTE, Spieler_Klick, Spieler_Zeichnen);
    // Both lists take right clicks: the league mark, the type stepping down.
    g.team_liste.typ |= ICON_TYP_RECHTSKLICK;
    g.team_liste.hilfe_proc = Teams_Hilfe;
    g.spieler_liste.typ |= ICON_TYP_RECHTSKLICK;
    g.team_scroll = Flaeche(ICON_EDITOR_TEAM_SCROLL, TEAM_SCROLL_X, ZEILEN_Y, SCROLL_B + 2, LISTE_H, PRI_LISTE,
                            Scroll_Klick, nullptr);
    g.spieler_scroll = Flaeche(ICON_EDITOR_SPIELER_SCROLL, SPIELER_SCROLL_X, ZEILEN_Y, SCROLL_B + 2, LISTE_H, PRI_LISTE,
                               Scroll_Klick, nullptr);
    g.sort_name = Flaeche(ICON_EDITOR_SORT_NAME, 53, 87, 100, 16, PRI_KNOPF, Sortieren_Klick, Knopf_Zeichnen);
    g.sort_nation = Flaeche(ICON_EDITOR_SORT_NATION, 167, 87, 100, 16, PRI_KNOPF, Sortieren_Klick, Knopf_Zeichnen);
    g.markt = Flaeche(ICON_EDITOR_MARKT, TEAMS_X, 460, 170, 18, PRI_KNOPF, Markt_Klick, Knopf_Zeichnen);
    g.scouts = Flaeche(ICON_EDITOR_SCOUTS, TEAMS_X + 185, 460, 170, 18, PRI_KNOPF, Markt_Klick, Knopf_Zeichnen);
    g.laden = Flaeche(ICON_EDITOR_LADEN, 500, KNOPF_Y, KNOPF_B, KNOPF_H, PRI_KNOPF, Knopf_Klick, Knopf_Zeichnen);
    g.speichern = Flaeche(ICON_EDITOR_SPEICHERN, 600, KNOPF_Y, KNOPF_B, KNOPF_H, PRI_KNOPF, Knopf_Klick, Knopf_Zeichnen);
    g.ende = Flaeche(ICON_EDITOR_ENDE, 700, KNOPF_Y, KNOPF_B, KNOPF_H, PRI_KNOPF, Knopf_Klick, Knopf_Zeichnen);
    for (int32_t i = 0; i < ALLE; ++i) Menue_Screen_Icon_Hinzufuegen(Alle()[i]);
    Club_Waehlen(g.teams.empty() ? -1 : g.teams.front());
}

bool Editor_Offen() { return g.offen; }

void Editor_Schliessen() {
    if (!g.offen) return;
    Texteingabe_Free();
    Screen_Talente_2_Schliessen();
    Editor_Wappen_Schliessen();
    Editor_Aussehen_Schliessen();
    Editor_Nation_Schliessen();
    for (int32_t i = ALLE - 1; i >= 0; --i) Menue_Screen_Icon_Loeschen(-1, Alle()[i]);
    Config_Modify_Free();
    Editor_Daten_Schliessen();
    g.offen = false;
}

EditorStand Editor_Stand() {
    EditorStand s;
    s.club = g.club;
    s.markiert = g.markiert;
    s.team_versatz = g.team_versatz;
    s.spieler_versatz = g.spieler_versatz;
    s.teams = int32_t(g.teams.size());
    s.spieler = int32_t(g.spieler.size());
    s.markt_art = g.markt_art;
    s.edit = g.edit;
    s.edit_ziel = g.ziel;
    s.edit_feld = g.edit ? Feld() : -1;
    s.edit_team = g.team_edit;
    s.puffer = g.puffer;
    s.letzter_fehler = g.fehler;
    return s;
}

}  // namespace velmora
