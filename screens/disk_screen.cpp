// screens/disk_screen.cpp - the save and load screen.
#include "screens/disk_screen.h"

#include <algorithm>
#include <iterator>
#include <cstring>
#include <string>

#include "bilder/wappen.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gfx/texteingabe.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "screens/menue_optionen.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr uint16_t Farbe(int r, int g, int b) { return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)); }
constexpr uint16_t HELL = 0xFFFF, GOLD = Farbe(232, 196, 96), GRAU = Farbe(150, 166, 180),
                   ROT = Farbe(236, 112, 92), FELD = Farbe(14, 26, 40), FELD_RAND = Farbe(140, 110, 44),
                   SCHIEFER = Farbe(100, 104, 108);   // a locked button's caption

// The pictures: the selection marker, the bar under the pointer, the two windows,
// and the requester's buttons (green for the page's work, slate for back).
constexpr int32_t SLAVE_MARKE = 16074, SLAVE_UNTER_MAUS = 16075, SLAVE_LADEN = 16076, SLAVE_SPEICHERN = 16077;
constexpr int32_t SLAVE_KNOPF = 4017, SLAVE_KNOPF_GEDRUECKT = 4016, SLAVE_ZURUECK = 4019,
                  SLAVE_ZURUECK_GEDRUECKT = 4018;

// The layout: the window, the list's rows 27 pixels apart, the columns of a
// row, the buttons at the right.
constexpr int32_t FENSTER_X = 32, FENSTER_Y = 87;
constexpr int32_t LISTE_X0 = 30, LISTE_X1 = 651, LISTE_Y0 = 181, LISTE_Y1 = 450, ZEILE = 27;
constexpr int32_t MARKE_X = 37, MARKE_Y = 184;
constexpr int32_t TITEL_X = 249, TITEL_Y = 146;
// The load page's line on what a click does: right of the title, above the list.
constexpr int32_t HINWEIS_X = 425, HINWEIS_Y = 170, HINWEIS_BREITE = 225;
// A row: name, crest, manager, city, the saved day, its season, strength.
constexpr int32_t SPALTE_NAME = 55, SPALTE_WAPPEN = 201, SPALTE_MANAGER = 230, SPALTE_STADT = 336,
                  SPALTE_DATUM = 444, SPALTE_SAISON = 542, SPALTE_STAERKE = 600;
constexpr int32_t BREITE_NAME = 140, BREITE_MANAGER = 100, BREITE_STADT = 100, BREITE_DATUM = 88,
                  BREITE_SAISON = 54;
constexpr int32_t WAPPEN_ZEILE = 21, GRUNDLINIE = 17;
// The name entry covers name, crest, manager and city, so a name of 29 of
// the widest characters always fits.
constexpr int32_t EINGABE_X = 51, EINGABE_BREITE = 389, EINGABE_HOEHE = 21;
constexpr int32_t KNOPF_X = 667, KNOPF_1_Y = 366, KNOPF_2_Y = 411;
constexpr int8_t PRI_FAENGER = 14, PRI_FENSTER = 15, PRI_KNOPF = 16;
constexpr int32_t FONT_TITEL = 11, FONT_ZEILE = 7, FONT_KNOPF = 9;
constexpr uint32_t KNOPF_FARBE_AN = 0xFEAC;

// DISK_SCREEN texts: the titles, the buttons' help, the default name, the
// messages, a free and a damaged slot, the buttons' labels, the load page's
// line on what a click does.
constexpr int32_t TEXT_TITEL_LADEN = 3, TEXT_TITEL_SPEICHERN = 4, TEXT_HILFE_LADEN = 5, TEXT_HILFE_ZURUECK = 6,
                  TEXT_HILFE_SPEICHERN = 7, TEXT_HILFE_ABBRECHEN = 8, TEXT_KEINE_AUSWAHL = 10,
                  TEXT_KEIN_PLATZ = 11, TEXT_AUTOSAVE_GESPERRT = 12, TEXT_FREI = 14, TEXT_BESCHAEDIGT = 15,
                  TEXT_KNOPF_LADEN = 16, TEXT_KNOPF_ZURUECK = 17, TEXT_KNOPF_SPEICHERN = 18,
                  TEXT_KNOPF_ABBRECHEN = 19, TEXT_HINWEIS_WAEHLEN = 21, TEXT_HINWEIS_GEWAEHLT = 22;

enum class Slot : uint8_t { FREI, BELEGT, BESCHAEDIGT };
enum Seite : int32_t { KEINE = -1, LADEN = 0, SPEICHERN = 1 };

struct DiskModul {
    SpielstandKopf kopf[SPIELSTAND_SLOTS] = {};
    Slot zustand[SPIELSTAND_SLOTS] = {};
    std::string datum[SPIELSTAND_SLOTS], saison[SPIELSTAND_SLOTS];   // the saved day; empty when unread
    bool gelesen = false;
    int32_t auswahl = -1;                 // kept while the program runs
    char name_vorher[sizeof(SpielstandKopf::name)] = {};   // the selected slot's name before the entry
    Seite seite = KEINE;
    s_icon faenger, fenster, knopf_1, knopf_2;
    s_icon_text text_1, text_2;
};
DiskModul g;

const char* Text(int32_t nummer) {
    return Text_Oder_Leer(DISK_TEXTE, nummer);
}

bool Offen() {
    return Menue_Screen_Icon_Ist_Vorhanden(ICON_DISK_LADEN_FENSTER) ||
           Menue_Screen_Icon_Ist_Vorhanden(ICON_DISK_SPEICHERN_FENSTER);
}

// A text of a file as it is drawn: the markup character stands for itself
// (its spacing form), cut to the column's width.
std::string Zelle(const char* text, int32_t breite, Font* font) {
    std::string s = text ? text : "";
    std::replace(s.begin(), s.end(), '^', '\x88');
    char aus[128];
    return Str_Auf_Breite(s.c_str(), aus, sizeof aus, font, breite);
}

void Zeigen(Rastport* ziel, Font* font, int32_t x, int32_t grundlinie, uint16_t farbe, const std::string& text) {
    Text_Printf(ziel, font, "^c%05d%s", x, grundlinie, int32_t(farbe), text.c_str());
}

// The crest only for a club of the running world: a normal club whose city
// is the one the slot names (another world's team numbers name other clubs).
bool Wappen_Zeigen(const SpielstandKopf& k) {
    if (k.team < 0 || k.team >= Team_Anzahl() || !Team_Ist_Normal(k.team, 0)) return false;
    const char* stadt = Team_String(TS_STADT, k.team, 0, 0);
    return stadt && std::strncmp(stadt, k.stadt, sizeof k.stadt - 1) == 0;
}

// The slot row under the pointer, -1 outside the list. A pointer above the
// first row is outside: (y - 181) / 27 would make it row 0.
int32_t Zeile_Unter(int32_t x, int32_t y) {
    if (x < LISTE_X0 || x > LISTE_X1 || y < LISTE_Y0 || y > LISTE_Y1) return -1;
    const int32_t zeile = (y - LISTE_Y0) / ZEILE;
    return zeile < SPIELSTAND_SLOTS ? zeile : -1;
}

void Auswaehlen(int32_t slot) {
    if (slot == g.auswahl) return;
    // A name typed into a row the manager leaves goes back to the slot's own.
    if (g.seite == SPEICHERN && g.auswahl >= 0) std::memcpy(g.kopf[g.auswahl].name, g.name_vorher, sizeof g.name_vorher);
    Texteingabe_Free();
    g.auswahl = slot;
    if (slot >= 0) std::memcpy(g.name_vorher, g.kopf[slot].name, sizeof g.name_vorher);
}

void Schliessen_Und_Freigeben() {
    Disk_Screen_Schliessen();
    Menue_Optionen_Sperren(0);
}

// Hands the calendar its work on `slot` for the start of the next frame and
// closes the page; without a slot the manager hears text `ohne` and the page stays.
void Auftrag(int32_t ereignis, int32_t slot, int32_t ohne) {
    if (slot < 0) {
        Meldung("%s", Text(ohne));
        Menue_Optionen_Sperren(0);
        return;
    }
    Schliessen_Und_Freigeben();
    K_NEUER_TAG(ereignis, slot);
}

// Saving: into the selected slot, else into the first free one of 0 to 8 (the
// autosave keeps its own; a damaged slot is saved over only when chosen).
void Speichern_Bestaetigen() {
    int32_t slot = g.auswahl;
    for (int32_t s = 0; slot < 0 && s < SPIELSTAND_AUTOSAVE_SLOT; ++s)
        if (g.zustand[s] == Slot::FREI) slot = s;
    Auftrag(K_SPEICHERN, slot, TEXT_KEIN_PLATZ);
}

// Loading: the headers are read again first, so a slot gone since is not loaded.
void Laden_Bestaetigen() {
    Disk_Screen_Koepfe_Lesen();
    Auftrag(K_LADEN, g.auswahl, TEXT_KEINE_AUSWAHL);
}

// The buttons; the page's back button also answers a right click anywhere.
void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & (EV_LINKS | EV_RECHTS))) return;
    switch (icon->nummer) {
    case ICON_DISK_LADEN: Laden_Bestaetigen(); break;
    case ICON_DISK_SPEICHERN: Speichern_Bestaetigen(); break;
    // "Abbrechen" never saves, also after a name was typed; the slot keeps its name.
    case ICON_DISK_ABBRECHEN:
        if (g.auswahl >= 0) std::memcpy(g.kopf[g.auswahl].name, g.name_vorher, sizeof g.name_vorher);
        Schliessen_Und_Freigeben();
        break;
    case ICON_DISK_ZURUECK: Schliessen_Und_Freigeben(); break;
    default: break;
    }
}

void Liste_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    int32_t x = 0, y = 0;
    Menue_Maus_Position(&x, &y);
    const int32_t zeile = Zeile_Unter(x, y);
    if (zeile < 0) return;
    if (g.seite == LADEN) {
        // Only used slots can be chosen; the chosen one again deselects it.
        if (zeile == g.auswahl) Auswaehlen(-1);
        else if (g.zustand[zeile] == Slot::BELEGT) Auswaehlen(zeile);
        return;
    }
    if (zeile == SPIELSTAND_AUTOSAVE_SLOT) {
        Meldung("%s", Text(TEXT_AUTOSAVE_GESPERRT));
        return;
    }
    Auswaehlen(zeile);
}

// One row: the slot's name, its club's crest, the manager, the city and the
// strength; a free or damaged slot says so. On the save page the selected row
// is the entry of its name, which Enter saves.
void Zeile_Zeichnen(Rastport* ziel, Font* font, int32_t slot) {
    const SpielstandKopf& k = g.kopf[slot];
    const int32_t oben = MARKE_Y + ZEILE * slot, grundlinie = oben + GRUNDLINIE;
    const bool eingabe = g.seite == SPEICHERN && slot == g.auswahl;
    if (g.zustand[slot] == Slot::BELEGT) {
        if (!eingabe) {
            Zeigen(ziel, font, SPALTE_NAME, grundlinie, HELL, Zelle(k.name, BREITE_NAME, font));
            if (Wappen_Zeigen(k)) Wappen_Zeichnen(k.team, ziel, SPALTE_WAPPEN, oben + 2, WAPPEN_ZEILE, WAPPEN_ZEILE, nullptr);
            Zeigen(ziel, font, SPALTE_MANAGER, grundlinie, HELL, Zelle(k.manager, BREITE_MANAGER, font));
        }
        Zeigen(ziel, font, SPALTE_STADT, grundlinie, HELL, Zelle(k.stadt, BREITE_STADT, font));
        Zeigen(ziel, font, SPALTE_DATUM, grundlinie, GOLD, Zelle(g.datum[slot].c_str(), BREITE_DATUM, font));
        Zeigen(ziel, font, SPALTE_SAISON, grundlinie, GRAU, Zelle(g.saison[slot].c_str(), BREITE_SAISON, font));
        Text_Printf(ziel, font, "^c%05d%2.1f", SPALTE_STAERKE, grundlinie, int32_t(HELL), double(k.staerke) / 2.0);
    } else if (!eingabe) {
        const bool kaputt = g.zustand[slot] == Slot::BESCHAEDIGT;
        Zeigen(ziel, font, SPALTE_NAME, grundlinie, kaputt ? ROT : GRAU,
               Zelle(Text(kaputt ? TEXT_BESCHAEDIGT : TEXT_FREI), BREITE_NAME, font));
    }
    if (!eingabe) return;
    // The entry's field: a dark inset with a gold edge inside the marker.
    Rastport_Fill(ziel, EINGABE_X, oben + 2, EINGABE_BREITE, EINGABE_HOEHE, FELD_RAND, nullptr);
    Rastport_Fill(ziel, EINGABE_X + 1, oben + 3, EINGABE_BREITE - 2, EINGABE_HOEHE - 2, FELD, nullptr);
    const int32_t text_y = grundlinie - font->baseline - (oben + 2) - 1;
    const int32_t ende = Texteingabe_Edit(font, g.kopf[slot].name, int32_t(sizeof k.name), int32_t(sizeof k.name) - 1,
                                          TEXTEINGABE_STANDARD | TEXTEINGABE_MAUS | TEXTEINGABE_ALLES_MARKIERT,
                                          EINGABE_X, oben + 2, EINGABE_BREITE, EINGABE_HOEHE,
                                          SPALTE_NAME - EINGABE_X, text_y, nullptr, 0, 0, nullptr, GOLD);
    if (ende == TEXTEINGABE_ENTER) Speichern_Bestaetigen();
}

// The window's drawing: the title, the marker of the selected slot, the bar
// under the pointer, the rows.
void Liste_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* font = Font_Get(FONT_ZEILE);
    if (!ziel || !font) return;
    if (Font* titel = Font_Get(FONT_TITEL))
        Text_Printf(ziel, titel, "^c%05d%s", TITEL_X, TITEL_Y, int32_t(GOLD),
                    Text(g.seite == LADEN ? TEXT_TITEL_LADEN : TEXT_TITEL_SPEICHERN));
    // The load page says what a click on the list does: with a slot chosen, a
    // click on its row takes the choice back (it does not load it).
    if (g.seite == LADEN)
        Zeigen(ziel, font, HINWEIS_X, HINWEIS_Y, GRAU,
               Zelle(Text(g.auswahl >= 0 ? TEXT_HINWEIS_GEWAEHLT : TEXT_HINWEIS_WAEHLEN), HINWEIS_BREITE, font));
    // A message answered over the page took the right click with it: back to the page's back button.
    if (Menue_Get_Rechtsklick_Icon() == -1) Menue_Set_Rechtsklick_Icon(g.knopf_2.nummer);
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    const int32_t unter_maus = Zeile_Unter(mx, my);
    if (g.auswahl >= 0)
        if (Rastport* rp = Menue_Get_Slave_Rastport(SLAVE_MARKE, nullptr))
            Rastport_Blit(rp, 0, 0, -1, -1, ziel, MARKE_X, MARKE_Y + ZEILE * g.auswahl, BlitMode_Key);
    if (unter_maus >= 0 && unter_maus != g.auswahl)
        if (Rastport* rp = Menue_Get_Slave_Rastport(SLAVE_UNTER_MAUS, nullptr))
            Rastport_Blit(rp, 0, 0, -1, -1, ziel, MARKE_X, MARKE_Y + ZEILE * unter_maus, BlitMode_Key);
    for (int32_t slot = 0; slot < SPIELSTAND_SLOTS && Offen(); ++slot) Zeile_Zeichnen(ziel, font, slot);
}

s_icon_text Beschriftung(const char* text) {
    s_icon_text t;
    t.font = FONT_KNOPF;
    t.flags = 0x10 | 0x20;
    t.farbe_an = KNOPF_FARBE_AN;
    t.farbe_aus = HELL;
    t.text = text;
    t.y = -2;
    return t;
}

s_icon Knopf(int32_t nummer, int32_t y, int32_t bild, int32_t gedrueckt, s_icon_text* text, int32_t hilfe) {
    s_icon k = Menue_Icon_Neu(nummer, KNOPF_X, y, bild, ICON_TYP_TEXT, PRI_KNOPF);
    k.bild_gedrueckt = gedrueckt;
    k.Status = ICON_ST_DRUCK | ICON_ST_KEY;
    k.Main_P = Knopf_Klick;
    k.daten = text;
    k.hilfe = Text(hilfe);
    return k;
}

// Builds a page: the catcher over the whole screen (nothing under the page
// takes a click), the window with the list, the two buttons.
void Seite_Oeffnen(Seite seite) {
    const bool laden = seite == LADEN;
    Disk_Screen_Schliessen();
    g.seite = seite;
    g.faenger = Menue_Faenger_Neu(laden ? ICON_DISK_FAENGER_LADEN : ICON_DISK_FAENGER_SPEICHERN, 0, 0, 800, 600, PRI_FAENGER);
    g.fenster = Menue_Icon_Neu(laden ? ICON_DISK_LADEN_FENSTER : ICON_DISK_SPEICHERN_FENSTER, FENSTER_X, FENSTER_Y,
                               laden ? SLAVE_LADEN : SLAVE_SPEICHERN, 0, PRI_FENSTER);
    g.fenster.Status = ICON_ST_KEY;
    g.fenster.Main_P = Liste_Klick;
    g.fenster.zeichnen = Liste_Zeichnen;
    g.text_1 = Beschriftung(Text(laden ? TEXT_KNOPF_LADEN : TEXT_KNOPF_SPEICHERN));
    g.text_2 = Beschriftung(Text(laden ? TEXT_KNOPF_ZURUECK : TEXT_KNOPF_ABBRECHEN));
    g.knopf_1 = Knopf(laden ? ICON_DISK_LADEN : ICON_DISK_SPEICHERN, KNOPF_1_Y, SLAVE_KNOPF, SLAVE_KNOPF_GEDRUECKT,
                      &g.text_1, laden ? TEXT_HILFE_LADEN : TEXT_HILFE_SPEICHERN);
    g.knopf_2 = Knopf(laden ? ICON_DISK_ZURUECK : ICON_DISK_ABBRECHEN, KNOPF_2_Y, SLAVE_ZURUECK,
                      SLAVE_ZURUECK_GEDRUECKT, &g.text_2, laden ? TEXT_HILFE_ZURUECK : TEXT_HILFE_ABBRECHEN);
    for (s_icon* i : {&g.faenger, &g.fenster, &g.knopf_1, &g.knopf_2}) Menue_Screen_Icon_Hinzufuegen(i);
    Menue_Set_Rechtsklick_Icon(g.knopf_2.nummer);
    Disk_Screen_Koepfe_Lesen();
    g.name_vorher[0] = 0;
    if (g.auswahl >= 0) std::memcpy(g.name_vorher, g.kopf[g.auswahl].name, sizeof g.name_vorher);
}

}  // namespace

void Disk_Screen_Laden_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_DISK_LADEN_FENSTER)) return;
    Seite_Oeffnen(LADEN);
}

void Disk_Screen_Speichern_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_DISK_SPEICHERN_FENSTER)) return;
    if (g.auswahl == SPIELSTAND_AUTOSAVE_SLOT) g.auswahl = -1;
    Seite_Oeffnen(SPEICHERN);
}

void Disk_Screen_Schliessen() {
    Texteingabe_Free();
    for (s_icon* i : {&g.knopf_2, &g.knopf_1, &g.fenster, &g.faenger}) Menue_Screen_Icon_Loeschen(-1, i);
    g.seite = KEINE;
}

void Disk_Screen_Free() {
    Disk_Screen_Schliessen();
    g.auswahl = -1;
    g.gelesen = false;
}

void Disk_Screen_Koepfe_Lesen() {
    for (int32_t s = 0; s < SPIELSTAND_SLOTS; ++s) {
        SpielstandKopf& k = g.kopf[s];
        g.datum[s].clear();
        g.saison[s].clear();
        if (!Spielstand_Kopf_Lesen(s, &k)) {
            g.zustand[s] = Spielstand_Datei_Vorhanden(s) ? Slot::BESCHAEDIGT : Slot::FREI;
            continue;
        }
        g.zustand[s] = k.manager[0] ? Slot::BELEGT : Slot::FREI;
        if (g.zustand[s] == Slot::BELEGT && !k.name[0]) {
            // Slot numbers count from 1, as the save driver names its slots.
            const std::string name = Text_Format(Text(DISK_TEXT_SLOT_NAME), {s + 1});
            std::strncpy(k.name, name.c_str(), sizeof k.name - 1);
        }
        // The day the game was saved on, from its calendar (the header has none).
        TagDatensatz tag;
        int32_t jahr = 0;
        if (g.zustand[s] == Slot::BELEGT && Kalender_Spielstand_Datum(s, &tag, &jahr)) {
            g.datum[s] = tag.text_kurz;
            g.saison[s] = Str_Format("%d/%02d", jahr, (jahr + 1) % 100);
        }
    }
    g.gelesen = true;
    if (g.auswahl >= 0 && g.zustand[g.auswahl] != Slot::BELEGT) g.auswahl = -1;
    // With every slot free there is nothing to load: the load button is shown locked.
    if (g.seite == LADEN) {
        const bool leer = std::none_of(std::begin(g.zustand), std::end(g.zustand), [](Slot z) { return z == Slot::BELEGT; });
        if (leer) g.knopf_1.Status |= ICON_ST_GESPERRT;
        else g.knopf_1.Status &= ~ICON_ST_GESPERRT;
        g.text_1.farbe_aus = leer ? SCHIEFER : HELL;
    }
}

const char* Disk_Screen_Slot_Name(int32_t slot) {
    if (slot < 0 || slot >= SPIELSTAND_SLOTS) return nullptr;
    if (!g.gelesen) Disk_Screen_Koepfe_Lesen();
    return g.kopf[slot].name;
}

const char* Disk_Screen_Text(int32_t nummer) { return Text_Get(DISK_TEXTE, nummer); }

int32_t Disk_Screen_Auswahl() { return g.auswahl; }
int32_t Disk_Screen_Seite() { return Offen() ? int32_t(g.seite) : -1; }

}  // namespace velmora
