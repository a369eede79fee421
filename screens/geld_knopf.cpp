// screens/geld_knopf.cpp - the labelled buttons of the money screens.
#include "screens/geld_knopf.h"

namespace velmora {

s_icon Geld_Knopf(int32_t nummer, int32_t x, int32_t y, int32_t bild, int32_t bild_gedrueckt, s_icon_text* text,
                  const char* beschriftung, int8_t font, IconMainP klick, const char* hilfe, int8_t pri) {
    *text = s_icon_text{};
    text->font = font;
    text->flags = 0x10 | 0x20;   // centred both ways
    text->farbe_an = 0xFEAC;
    text->farbe_aus = 0xFFFF;
    text->text = beschriftung;
    text->y = -2;
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, ICON_TYP_TEXT, pri);
    i.bild_gedrueckt = bild_gedrueckt;
    i.Status = ICON_ST_DRUCK | ICON_ST_KEY;
    i.Main_P = klick;
    i.daten = text;
    i.hilfe = hilfe;
    return i;
}

}  // namespace velmora
