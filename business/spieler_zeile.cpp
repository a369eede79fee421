// business/spieler_zeile.cpp - the common part of a squad row.
#include "business/spieler_zeile.h"

#include <algorithm>
#include <unordered_map>

#include "business/sterne.h"
#include "club/spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"

namespace velmora {
namespace {

struct ZeilenModul {
    std::unordered_map<int32_t, int32_t> nummer;   // kept shirt numbers by player
};
ZeilenModul g;

}  // namespace

int32_t Spieler_Zeile_Nummer(int32_t p) {
    if (p < 0 || p >= Spieler_Anzahl()) return 0;
    const auto it = g.nummer.find(p);
    if (it != g.nummer.end()) return it->second;
    const int32_t n = Spieler_Wert(SPW_RUECKENNUMMER, p, 0, OP_LESEN);
    g.nummer.emplace(p, n);
    return n;
}

void Spieler_Zeile_Auffrischen() { g.nummer.clear(); }

void Spieler_Zeile_Bild(int32_t bild, int32_t x, int32_t y, int32_t breite) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(bild, nullptr))
        Rastport_Blit(rp, 0, 0, breite, -1, Rastport_Target(), x, y, BlitMode_Key);
}

void Spieler_Zeile_Hemdnummer(int32_t x, int32_t basis, int32_t mitte, int32_t nummer) {
    Font* f15 = Font_Get(15);
    Rastport* ziel = Rastport_Target();
    if (!f15 || !ziel) return;
    constexpr int32_t SCHATTEN = 0x0862, WEISS = 65535;
    for (auto [d, farbe] : {std::pair{1, SCHATTEN}, std::pair{0, WEISS}})
        Text_Printf(ziel, f15, "^c%05d^fb0006^tz%04d%d^fe", x + d, basis + d, farbe, mitte, nummer);
}

void Spieler_Zeile_Malen(int32_t p, int32_t x, int32_t y, const char* art_kurz, bool gewaehlt) {
    Rastport* ziel = Rastport_Target();
    const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
    if (Rastport* hemd = Menue_Get_Slave_Rastport(SPIELER_ZEILE_HEMD[art], nullptr))
        Rastport_Blit(hemd, 0, 0, -1, -1, ziel, x + 14 - hemd->width / 2, y, BlitMode_Key);
    Spieler_Zeile_Hemdnummer(x, y + 12, 14, Spieler_Zeile_Nummer(p));
    Font* f9 = Font_Get(9);
    if (!f9) return;
    Text_Printf(ziel, f9, "^c%05d^tz0045%s", x, y + 12, SPIELER_ZEILE_ART_FARBE[art], art_kurz);
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f9, 98);
    Text_Printf(ziel, f9, "^c%05d^tl0059%s^tr0280%d", x, y + 12, 65535, name, Spieler_Wert(SPW_WERT55, p, 0, OP_LESEN));
    Liste_Fuellen(p, 0, 170, y + 1, 0, gewaehlt);
}

}  // namespace velmora

namespace velmora {

void Spieler_Zeile_Titel(const char* titel, const char* rechts) {
    // Bold 11 pixels: its capitals stand 6 pixels under the header and 4 over the frames.
    constexpr int32_t BAND_Y = 84, LINKS = 12, RECHTS = 778;
    Font* f = Font_Get(8);
    Rastport* ziel = Rastport_Target();
    if (!f || !ziel) return;
    Text_Printf(ziel, f, "^c%05d%s", LINKS, BAND_Y, int32_t(SPIELER_ZEILE_GOLD), titel ? titel : "");
    if (rechts) Text_Printf(ziel, f, "^tr%04d%s", 0, BAND_Y, RECHTS, rechts);
}

ZeilenKlick Spieler_Zeile_Klick(int32_t ereignis) {
    ZeilenKlick k;
    if (ereignis & EV_RECHTS) {
        k.art = ZeilenKlickArt::RECHTS;
    } else if (ereignis & EV_LINKS) {
        k.art = ZeilenKlickArt::LINKS;
        Menue_Maus_Position(&k.x, &k.y);
    }
    return k;
}

}  // namespace velmora
