// gui/icon.h - screen icons: the icon record and its companions, the icon
// tables (27 priorities of 600 slots, one definition per icon number), the
// shared slave pictures, adding and removing icons, and the save byte.
//
// Every screen is a set of icons. A screen declares its icons as lists of
// s_icon records ended by number -1 and hands whole lists to the framework.
// The framework changes some fields of a record in place (position, size,
// state, own Rastport, user values), so a definition is live data while its
// icon is on screen. Coordinates are pixels of the 800 x 600 screen.
#pragma once
#include <cstdint>

#include "gfx/rastport.h"

namespace velmora {

constexpr int32_t ANZ_SCREEN_ICONS = 4202;          // icon numbers 0..4201
constexpr int32_t MAX_SCREEN_ICON_PRIORITY = 26;    // priorities 0..26
constexpr int32_t MENUE_PRIORITAETEN = MAX_SCREEN_ICON_PRIORITY + 1;
constexpr int32_t MENUE_SLOTS = 600;                // icons per priority
constexpr int32_t MENUE_SLAVE_SLOTS = 2000;         // shared pictures
constexpr int32_t MENUE_SLAVE_BASIS = 4000;         // n >= 4000: entry n % 4000 of resource file n / 4000

// Type bits of an icon.
constexpr uint32_t ICON_TYP_TEXT = 0x2;
constexpr uint32_t ICON_TYP_EINGABE = 0x4;
constexpr uint32_t ICON_TYP_SCROLLBUTTON = 0x8;
constexpr uint32_t ICON_TYP_BEWEGLICH = 0x10;
constexpr uint32_t ICON_TYP_PASSIV = 0x20;
constexpr uint32_t ICON_TYP_PERMANENT = 0x40;
constexpr uint32_t ICON_TYP_MODAL = 0x80;
constexpr uint32_t ICON_TYP_RECHTSKLICK = 0x100;
constexpr uint32_t ICON_TYP_MAUS_INFO = 0x200;
constexpr uint32_t ICON_TYP_WIPPE_SELBST = 0x1000;
constexpr uint32_t ICON_TYP_DATEIBILD = 0x2000;
constexpr uint32_t ICON_TYP_PIXELGENAU = 0x4000;
constexpr uint32_t ICON_TYP_PROZ_VOR_TEXT = 0x8000;
constexpr uint32_t ICON_TYP_LEISE = 0x40000;
constexpr uint32_t ICON_TYP_KONTEXT_LINKS = 0x100000;
constexpr uint32_t ICON_TYP_HOVER_JEDES_BILD = 0x200000;
constexpr uint32_t ICON_TYP_HINTERGRUND = 0x400000;
// Ranked ahead in the hit test: two priority steps over an overlapping icon,
// and hit 10 pixels below its picture too (a panel button raised above the
// bar keeps the strip under it).
constexpr uint32_t ICON_TYP_VORRANG = 0x800000;

// State bits of an icon (Status).
constexpr uint32_t ICON_ST_VERSTECKT = 0x1;
constexpr uint32_t ICON_ST_GESPERRT = 0x2;
constexpr uint32_t ICON_ST_TOGGLE = 0x4;
constexpr uint32_t ICON_ST_WIEDERHOLEN = 0x8;
constexpr uint32_t ICON_ST_SCROLLSCREEN = 0x10;
constexpr uint32_t ICON_ST_KEY = 0x20;
constexpr uint32_t ICON_ST_AUF_SICH = 0x40;
constexpr uint32_t ICON_ST_DRUCK = 0x80;
constexpr uint32_t ICON_ST_AN_UNTER_BEWEGT = 0x100;
constexpr uint32_t ICON_ST_TRANSPARENT = 0x200;
constexpr uint32_t ICON_ST_OHNE_MASKE = 0x400;
constexpr uint32_t ICON_ST_SCHATTEN = 0x800;
constexpr uint32_t ICON_ST_UNGECLIPT = 0x1000;
constexpr uint32_t ICON_ST_HALB = 0x8000;

// Icon events: the second argument of Main_P, hooked and move procedures.
constexpr int32_t EV_LINKS = 0x4;
constexpr int32_t EV_RECHTS = 0x8;
constexpr int32_t EV_BETRETEN = 0x10;
constexpr int32_t EV_VERLASSEN = 0x20;
constexpr int32_t EV_VERLASSEN_KONTEXT = 0x28;
constexpr int32_t EV_BEWEGT = 0x40;
constexpr int32_t EV_ABGELEGT = 0x80;
constexpr int32_t EV_WERT_GESETZT = 0x400;
constexpr int32_t EV_HOOK_NICHT_FAELLIG = 0x800;
constexpr int32_t EV_HOOK_FAELLIG = 0x2000;

struct s_icon;
struct s_kontextmenue;
struct SpielstandDatei;

// One text item of a text icon; items are chained by `next`.
struct s_icon_text {
    int8_t font = 0;
    uint16_t flags = 0;     // 0x1 shadowed, 0x2 bold, 0x4 absolute, 0x10/0x20 centred h/v,
                            // 0x40 left at x, 0x80 right at x, 0x100 outlined, 0x800 outlined when on
    uint32_t farbe_an = 0;  // 16-bit colour while on or pressed
    uint32_t farbe_aus = 0;
    uint32_t reserviert = 0;
    const char* text = nullptr;   // marked-up text, or null to show `zahl`
    int32_t zahl = 0;
    int8_t stellen = 0;           // field width of the number
    int16_t x = 0, y = 0;
    void (*update)(s_icon* icon, s_icon_text* item) = nullptr;
    s_icon_text* next = nullptr;
};

// One block of snap cells, chained.
struct s_icon_raster {
    int16_t spalten = 0, zeilen = 0;
    int16_t x0 = 0, y0 = 0;
    int16_t breite = 0, hoehe = 0;
    int16_t x_abstand = 0, y_abstand = 0;
    s_icon_raster* next = nullptr;
};

// The move structure of a movable icon.
struct s_icon_move {
    uint8_t gruppe = 0xFF;    // drops only onto icons sharing a group bit
    uint8_t flags = 0;        // 0x1 icon stays shown, 0x2 icon's draw procedure, 0x4 0x40 events, 0x8 restricted drop
    void (*proc)(s_icon* bewegt, s_icon* ziel, int32_t x, int32_t y, int32_t ereignis) = nullptr;
    void (*zeichnen)(s_icon* icon, int32_t x, int32_t y, int32_t flag) = nullptr;
    int16_t x0 = -1, y0 = 0, x1 = 0, y1 = 0;   // x0 -1: the whole screen
    Rastport* bild = nullptr;                  // moving picture, or null: `slave`
    int16_t slave = -1;                        // -1: the icon's own picture
};

using IconMainP = void (*)(s_icon* icon, int32_t ereignis);
using IconZeichnen = void (*)(s_icon* icon, int32_t x, int32_t y, int32_t flag);

// One icon definition.
struct s_icon {
    int16_t nummer = -1;
    int32_t bild = -1;            // slave number; -1: the icon's own Rastport
    int32_t bild_an = -1;         // shown while toggled on
    int32_t bild_gedrueckt = -1;  // shown while pressed
    uint32_t typ = 0;
    s_icon_raster* raster = nullptr;
    int16_t x = 0, y = 0;
    int16_t clip_x0 = 0, clip_y0 = 0, clip_x1 = 800, clip_y1 = 600;
    void* daten = nullptr;        // type 0x2: first s_icon_text
    s_icon_move* move = nullptr;
    uint8_t gruppe = 0xFF;
    uint32_t Status = 0;
    const char* hilfe = nullptr;
    uint16_t reserviert1 = 0xFFFF;
    IconMainP Main_P = nullptr;
    IconZeichnen zeichnen = nullptr;
    int8_t Pri = 0;
    Rastport* rp = nullptr;          // own Rastport (picture -1)
    const char* datei = nullptr;     // picture file name (type 0x2000)
    int8_t scrollscreen = -1;
    uint32_t farbe = 0;
    int16_t br = -1, ho = -1;
    s_kontextmenue* (*kontext)(s_icon* icon) = nullptr;
    const char* (*hilfe_proc)(s_icon* icon) = nullptr;
    int32_t reserviert2 = -1;
    int16_t partner = -1;
    int32_t d = 0, d2 = 0;
};

// A new icon record: number, position, picture, type and priority, the rest as default.
s_icon Menue_Icon_Neu(int32_t nummer, int32_t x, int32_t y, int32_t bild, uint32_t typ, int8_t pri);
// A catcher: an icon without a picture that takes the pointer over the
// rectangle, so that no icon of a lower priority beneath it takes a click
// there (a box's area between its buttons, a page's whole screen).
s_icon Menue_Faenger_Neu(int32_t nummer, int32_t x, int32_t y, int32_t breite, int32_t hoehe, int8_t pri);
void Menue_Screen_Icon_Hinzufuegen(s_icon* icon);
// Moves a shown icon to another priority: it stays on screen, hovered and
// pressed as it was, and draws and takes the pointer at its new height.
// False when it is not shown or the new row is full.
bool Menue_Screen_Icon_Umsetzen(s_icon* icon, int8_t pri);
void Menue_Screen_Icons_Hinzufuegen(s_icon* liste);
// Removes one icon, by number, or with number -1 by its definition.
void Menue_Screen_Icon_Loeschen(int32_t nummer, s_icon* icon);
void Menue_Screen_Icons_Loeschen(s_icon* liste);
// Removes the icons touching (mode 0x2: lying inside) the rectangle; mode 0x1
// takes permanent icons too, 0x8 leaves the scroll screen alone.
void Menue_Screen_Bereich_Loeschen(int32_t modus, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
uint8_t Menue_Screen_Icon_Ist_Vorhanden(int32_t nummer);
// The definition last added under the number, also after it was removed.
s_icon* Menue_Screen_Icon_Aus_Nummer(int32_t nummer);
Rastport* Menue_Get_Slave_Rastport(int32_t nummer, s_icon* icon);
void Menue_Slave_Rastport_Freigeben(int32_t nummer, s_icon* icon);
int32_t Menue_Slave_Nummer_Ersetzen(int32_t nummer);
// The icon's picture (slave or own Rastport); fixes br and ho.
Rastport* Menue_Screen_Icon_Rastport(s_icon* icon, int32_t* breite, int32_t* hoehe);
void Menue_Init_Text_Icon(s_icon* icon, const s_icon* vorlage, s_icon_text* text, int32_t bild);
void Menue_Init_Icon_Liste(s_icon* liste, const s_icon* vorlage, s_icon_text* texte, int32_t bild);
s_icon* Menue_Icon_In_Liste_Suchen(int32_t nummer, s_icon* liste);
void Menue_Icon_Liste_Eintragen(s_icon* liste);
void Menue_Set_Hintergrund(int32_t slave);
int32_t Menue_Get_Hintergrund();
void Menue_Init_Tabellen();
void Menue_Alles_Loeschen();
void Menue_Speicher_Befreien(int32_t slaves_behalten);
void Menue_Einzel_Icon_Speicher_Befreien(s_icon* icon);
void Menue_Icon_Registrieren(int32_t nummer, s_icon* icon);
int32_t Menue_Neue_Icon_Nummer();
// The framework's save block: one byte, set when the day's menu phase was left.
bool Menue_Speichern(SpielstandDatei* datei);
bool Menue_Laden(SpielstandDatei* datei);
void Menue_Save_Byte_Setzen(uint8_t wert);
uint8_t Menue_Save_Byte();
// Registers the "Menue" block of the save game (position 50): the save byte.
bool Menue_Spielstand_Anmelden();
void Menue_Screen_Oeffnen(void (*oeffner)());

// The table as the frame walks it: the icon in a slot (or null) and a row's
// highest slot index ever used.
s_icon* Menue_Slot(int32_t pri, int32_t slot);
int32_t Menue_Hoechster_Slot(int32_t pri);
int32_t Menue_Naechster_Freier_Slot(int32_t pri);

}  // namespace velmora
