// matchview/anzeigetafel.cpp - the score line across the top of a match view.
#include "matchview/anzeigetafel.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "club/team.h"
#include "club/spieler.h"
#include "core/debug.h"
#include "core/res.h"
#include "core/text.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "bilder/wappen.h"

namespace velmora {
namespace {

constexpr int32_t RES_STADION_MENUE = 19;
constexpr int32_t TAFEL_GROSS = 1, TAFEL_KLEIN = 2, ZIFFERN_GROSS = 23, ZIFFERN_KLEIN = 24;
constexpr int32_t TEXT_MINUTE = 165, TEXT_ZUSCHAUER = 166;
constexpr uint16_t WEISS = 65535;

// The plates' measures: crest place and size, the name tabs and font, the
// room of each name (the home name ends before the score's box, the away
// name starts after the minute's "90. Min."), the digit cells and where the
// goals go.
struct Mass {
    int32_t bild, wappen_links, wappen_rechts, wappen, font, name_y, tab_links, tab_rechts;
    int32_t heim_breite, gast_breite;
    int32_t ziffer_w, ziffer_h, ziffer_schritt, heim_x, gast_x, tore_y;
};
constexpr Mass GROSS{TAFEL_GROSS, 15, 753, 28, 11, 20, 60, 734, 241 - 60, 734 - 584, 30, 20, 23, 255, 285, 8};
constexpr Mass KLEIN{TAFEL_KLEIN, 7, 380, 14, 9, 12, 30, 374, 145 - 30, 374 - 268, 22, 16, 17, 154, 176, 2};

Rastport* g_ziffern[2] = {nullptr, nullptr};

const char* Text(int32_t n) {
    const char* t = Text_Tabelle(n);
    return t ? t : "";
}

Rastport* Tafel_Laden(const Mass& m, int32_t heim, int32_t gast, int32_t gezeigt) {
    auto* bild = static_cast<Rastport*>(Res_Load_Bild(Bild_Res_Slot(RES_STADION_MENUE), m.bild, 16));
    if (!bild) {
        Debug_Printf("Anzeigetafel: stadion_menue.res Bild %d fehlt\n", m.bild);
        return nullptr;
    }
    const int32_t y = (int32_t(bild->height) - 2 - m.wappen) / 2;
    Wappen_Zeichnen(heim, bild, m.wappen_links, y, m.wappen, m.wappen, nullptr);
    Wappen_Zeichnen(gast, bild, m.wappen_rechts, y, m.wappen, m.wappen, nullptr);
    if (Font* font = Font_Get(m.font)) {
        char h[128] = "", a[128] = "";
        if (heim >= 0 && heim < Team_Anzahl())
            Str_Auf_Breite(Team_String(TS_NAME_KURZ, heim, 0, OP_LESEN), h, sizeof h, font, m.heim_breite);
        if (gast >= 0 && gast < Team_Anzahl())
            Str_Auf_Breite(Team_String(TS_NAME_KURZ, gast, 0, OP_LESEN), a, sizeof a, font, m.gast_breite);
        const auto farbe = [gezeigt](int32_t team) {
            return unsigned(team >= 0 && team == gezeigt ? TAFEL_NAME_GEZEIGT : WEISS);
        };
        Text_Schatten_Print(bild, font, "#^c%05u^tl%04d%s", 0, m.name_y, farbe(heim), m.tab_links, h);
        Text_Schatten_Print(bild, font, "#^c%05u^tr%04d%s", 0, m.name_y, farbe(gast), m.tab_rechts, a);
    }
    return bild;
}

void Tor_Zeichnen(const Mass& m, int32_t seite, int32_t tore, int32_t x, int32_t y) {
    Rastport* streifen = g_ziffern[&m == &KLEIN ? 1 : 0];
    if (!streifen) return;
    const int32_t g = ((tore % 10) + 10) % 10;
    const int32_t sx = seite * m.ziffer_w;
    const int32_t w = seite == 0 ? m.ziffer_w : int32_t(streifen->width) - sx;
    Rastport_Blit(streifen, sx, g * m.ziffer_schritt + 2, w, m.ziffer_h, Rastport_Screen(),
                  x + (seite == 0 ? m.heim_x : m.gast_x), y + m.tore_y, nullptr);
}

}  // namespace

bool Anzeigetafel_Init() {
    const int32_t slot = Bild_Res_Slot(RES_STADION_MENUE);
    bool ok = true;
    for (int32_t i = 0; i < 2; ++i) {
        if (g_ziffern[i]) continue;
        g_ziffern[i] = static_cast<Rastport*>(Res_Load_Bild(slot, i == 0 ? ZIFFERN_GROSS : ZIFFERN_KLEIN, 16));
        if (!g_ziffern[i]) {
            Debug_Printf("Anzeigetafel_Init: stadion_menue.res Ziffern %d fehlen\n", i == 0 ? ZIFFERN_GROSS : ZIFFERN_KLEIN);
            ok = false;
        }
    }
    return ok;
}

void Anzeigetafel_Exit() {
    for (Rastport*& z : g_ziffern)
        if (z) z = Rastport_Free(z);
}

Anzeigetafeln Anzeigetafeln_Bauen(int32_t heim, int32_t gast, int32_t gezeigt) {
    return {Tafel_Laden(GROSS, heim, gast, gezeigt), Tafel_Laden(KLEIN, heim, gast, gezeigt), gezeigt};
}

void Anzeigetafeln_Freigeben(Anzeigetafeln* t) {
    if (t->gross) t->gross = Rastport_Free(t->gross);
    if (t->klein) t->klein = Rastport_Free(t->klein);
}

void Anzeigetafel_Zahl(char* out, size_t groesse, uint32_t wert) {
    char ziffern[16];
    const int32_t n = std::snprintf(ziffern, sizeof ziffern, "%u", wert);
    std::string s;
    for (int32_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) s += '.';
        s += ziffern[i];
    }
    std::snprintf(out, groesse, "%s", s.c_str());
}

void Anzeigetafel_Zeichnen(const Anzeigetafeln& t, bool klein, int32_t x, int32_t y, int32_t breite,
                           const Spielstand& s) {
    const Mass& m = klein ? KLEIN : GROSS;
    Rastport* tafel = klein ? t.klein : t.gross;
    if (!tafel) return;
    Rastport_Blit(tafel, 0, 0, std::min<int32_t>(int32_t(tafel->width), breite), int32_t(tafel->height),
                  Rastport_Screen(), x, y, nullptr);
    Tor_Zeichnen(m, 0, s.tore[0], x, y);
    Tor_Zeichnen(m, 1, s.tore[1], x, y);
    const int32_t minute = std::max(s.minute, 0) + 1;
    if (!klein) {
        char zahl[32];
        Anzeigetafel_Zahl(zahl, sizeof zahl, s.zuschauer);
        if (Font* f = Font_Get(9))
            Text_Printf(Rastport_Screen(), f, "^c%05u^tz%04d%s %s", x, y + 19, unsigned(WEISS), breite / 2 + 10, zahl,
                        Text(TEXT_ZUSCHAUER));
        if (Font* f = Font_Get(11))
            Text_Printf(Rastport_Screen(), f, "^c%05u^tz%04d%d%s", x, y + 20, unsigned(WEISS), breite / 2 + 143, minute,
                        Text(TEXT_MINUTE));
    } else if (Font* f = Font_Get(9)) {
        Text_Printf(Rastport_Screen(), f, "^c%05u^tl%04d%d%s", x, y + 12, unsigned(WEISS), breite / 2 + 10, minute,
                    Text(TEXT_MINUTE));
    }
}

}  // namespace velmora
