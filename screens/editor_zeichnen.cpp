// screens/editor_zeichnen.cpp - what the team editor's pages draw alike.
#include "screens/editor_zeichnen.h"

#include <algorithm>

#include "gfx/blit.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"

namespace velmora {

void Editor_Maus(int32_t* x, int32_t* y) {
    const MenueHooks& h = Menue_Hooks();
    *x = h.maus_x ? h.maus_x() : -1;
    *y = h.maus_y ? h.maus_y() : -1;
}

void Editor_Schreiben(Font* f, int32_t x, int32_t y, uint16_t farbe, const char* text) {
    if (Rastport* ziel = Rastport_Target(); ziel && f) Text_Printf(ziel, f, "^c%05d%s", x, y, int32_t(farbe), text);
}

void Editor_Rechts(Font* f, int32_t ende, int32_t y, uint16_t farbe, const std::string& text) {
    if (!f) return;
    std::string s = text;
    std::replace(s.begin(), s.end(), '^', '\x88');
    Editor_Schreiben(f, ende - Text_Width(f, s.c_str()), y, farbe, s.c_str());
}

void Editor_Bild(int32_t bild, int32_t x, int32_t y, int32_t breite, int32_t hoehe) {
    Rastport* ziel = Rastport_Target();
    if (Rastport* rp = ziel ? Menue_Get_Slave_Rastport(bild, nullptr) : nullptr)
        Rastport_Blit(rp, 0, 0, breite, hoehe, ziel, x, y, BlitMode_Key);
}

void Editor_Knopf(int32_t bild, Font* f, int32_t x, int32_t y, const char* text) {
    Rastport* rp = Menue_Get_Slave_Rastport(bild, nullptr);
    if (!rp) return;
    Editor_Bild(bild, x, y);
    if (f) Editor_Schreiben(f, x + (rp->width - Text_Width(f, text)) / 2, y + rp->height / 2 + 5, EDITOR_WEISS, text);
}

void Editor_Seite_Anlegen(s_icon& faenger, int32_t faenger_nummer, s_icon& seite, int32_t seite_nummer, int32_t x,
                          int32_t y, int32_t b, int32_t h, void (*klick)(s_icon*, int32_t),
                          void (*zeichnen)(s_icon*, int32_t, int32_t, int32_t)) {
    constexpr int8_t PRI_FAENGER = 20, PRI_SEITE = 21;
    faenger = Menue_Faenger_Neu(faenger_nummer, 0, 0, 800, 600, PRI_FAENGER);
    seite = Menue_Icon_Neu(seite_nummer, x, y, -1, ICON_TYP_RECHTSKLICK, PRI_SEITE);
    seite.br = int16_t(b);
    seite.ho = int16_t(h);
    seite.Status = ICON_ST_KEY;
    seite.Main_P = klick;
    seite.zeichnen = zeichnen;
    Menue_Screen_Icon_Hinzufuegen(&faenger);
    Menue_Screen_Icon_Hinzufuegen(&seite);
}

void Editor_Seite_Entfernen(s_icon& faenger, s_icon& seite) {
    Menue_Screen_Icon_Loeschen(-1, &seite);
    Menue_Screen_Icon_Loeschen(-1, &faenger);
}

}  // namespace velmora
