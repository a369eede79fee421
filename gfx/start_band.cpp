// gfx/start_band.cpp - the lines of the wizard's title band.
#include "gfx/start_band.h"

#include "gfx/bild_leinwand.h"
#include "gfx/text_markup.h"

namespace velmora {

void Start_Band_Titel(Rastport* ziel, Font* titel, Font* name) {
    using namespace palette;
    auto zeile = [ziel](Font* f, const char* text, int32_t y, Rgb farbe) {
        if (!f || !ziel) return;
        const int32_t x = 400 - Text_Width(f, text) / 2;
        const uint16_t alt = f->farbe;
        f->farbe = Leinwand_Pixel(NACHT);
        Text_Render(ziel, f, f->farbe, text, x + 2, y + 2 + f->baseline, 0);
        f->farbe = Leinwand_Pixel(farbe);
        Text_Render(ziel, f, f->farbe, text, x, y + f->baseline, 0);
        f->farbe = alt;
    };
    zeile(titel, "VELMORA", 8, GOLD);
    zeile(name, "Neues Spiel", 46, HELL);
}

}  // namespace velmora
