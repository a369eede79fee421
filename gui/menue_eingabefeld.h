// gui/menue_eingabefeld.h - input fields of the Menue framework: the rocker
// that steps a number, and the context menu that resets or sets it.
//
// A numeric setting (a price, an amount, a percentage) is an icon of type 0x4
// whose value lives in the screen's own variable, shown with a rocker of six
// buttons below it: three lower and three raise the value by 100, 10 or 1
// steps. A click near a button changes the value within its bounds.
#pragma once
#include <cstdint>

#include "gui/icon.h"

namespace velmora {

constexpr int32_t WIPPE_KNOEPFE = 6;
constexpr int32_t WIPPE_SENKEN = 0x1;    // event half of buttons 0 to 2
constexpr int32_t WIPPE_HEBEN = 0x2;     // event half of buttons 3 to 5
constexpr int32_t WIPPE_HERVORGEHOBEN = 0x1010;   // d2 of a field while a button is shown highlighted
constexpr int32_t KONTEXT_EINTRAEGE = 35;

// The data of an input field. The value is the integer when its pointer is
// set, else the word, else the float.
struct s_icon_wippe {
    int16_t knopf_x[WIPPE_KNOEPFE] = {-1, -1, -1, -1, -1, -1};   // offsets from the icon; -1 the standard
    int16_t knopf_y[WIPPE_KNOEPFE] = {-1, -1, -1, -1, -1, -1};
    int16_t knopf_bild[WIPPE_KNOEPFE] = {-1, -1, -1, -1, -1, -1};   // slave numbers; -1 no picture
    float* wert_f = nullptr;
    int32_t* wert_i = nullptr;
    uint16_t* wert_w = nullptr;
    int32_t minimum = 0, maximum = 0, schritt = 1;
    // The value when the icon was added.
    float vorgabe_f = 0;
    int32_t vorgabe_i = 0;
    uint16_t vorgabe_w = 0;
};

// A context menu: a title and up to 35 items with their values and procedure.
struct s_kontextmenue {
    uint8_t aktiv = 0;
    uint16_t wort[KONTEXT_EINTRAEGE] = {};
    uint8_t titel_an = 0;
    const char* titel = nullptr;
    const char* text[KONTEXT_EINTRAEGE] = {};
    uint16_t status[KONTEXT_EINTRAEGE] = {};   // 0x2: a separator after the item
    int32_t wert[KONTEXT_EINTRAEGE] = {};       // -1 none
    int32_t wert2[KONTEXT_EINTRAEGE] = {};
    int32_t icon[KONTEXT_EINTRAEGE] = {};
    int32_t (*proc[KONTEXT_EINTRAEGE])(int32_t item, int32_t icon_nr, int32_t wert) = {};
    uint16_t wort2[KONTEXT_EINTRAEGE] = {};
    int32_t gewaehlt = 0;
};

// The framework's part of a left click on an input field: chooses the rocker
// button nearest to the mouse, shows it highlighted and gives the event half
// (0x1 lower, 0x2 raise). With `anwenden` a field of type 0x1000 is stepped at
// once.
int32_t Menue_Wippe_Klick(s_icon* icon, int32_t mx, int32_t my, bool anwenden);
// Applies a rocker click (event with 0x1 or 0x2) to the field's value.
void Menue_Universaler_Wippe_Weiterschalter(s_icon* icon, int32_t ereignis);
void Menue_Rocker_Highlight_Beenden(s_icon* icon);
// Copies the field's current value into its defaults (when the icon is added).
void Menue_Eingabefeld_Vorgaben_Merken(s_icon* icon);

void Menue_Init_Kontextmenue(s_kontextmenue* menue, const char* titel, int32_t icon_nr, int32_t status,
                             int32_t (*proc)(int32_t item, int32_t icon_nr, int32_t wert));
// The one input-field menu: reset to default, minimum or maximum, and up to
// five rounded values between. It is built but not shown.
s_kontextmenue* Menue_Kontext_Eingabefeld_Menue(s_icon* icon);
// Item procedure of that menu: 1 done, 0 for an unknown item or icon.
int32_t Menue_Kontext_Eingabefeld_Jump_Call(int32_t item, int32_t icon_nr, int32_t wert);
void Menue_Kontextmenue_Set_Wert(s_kontextmenue* menue, int32_t wert);
int32_t Menue_Null();

}  // namespace velmora
