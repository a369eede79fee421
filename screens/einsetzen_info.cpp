// screens/einsetzen_info.cpp - the line-up screens' hover texts.
#include "screens/einsetzen_info.h"

#include <algorithm>
#include <string>

#include "business/spieler_info.h"
#include "club/talente.h"
#include "core/text.h"

namespace velmora {
namespace {

constexpr const char* E1 = "EINSETZEN_1_SCREEN";
std::string g_text;

const char* Behalten(std::string s) {
    g_text = std::move(s);
    return g_text.empty() ? nullptr : g_text.c_str();
}

// The name of the player's active talent k, null when he has none there.
const char* Talent(int32_t spieler, int32_t k) {
    int32_t aktiv[3] = {-1, -1, -1};
    const int32_t n = Attribute_Get_Attribute(spieler, aktiv, 3, 0);
    return k >= 0 && k < n ? Spieler_Info_Talent_Name(aktiv[k]) : nullptr;
}

}  // namespace

const char* Einsetzen_Info_Text(int32_t nummer) { return Text_Get(E1, nummer); }

const char* Einsetzen_Info_Fenster(int32_t mx, int32_t my) {
    if (my < 110) {
        struct Spalte {
            int32_t von, bis, text;
        };
        constexpr Spalte SPALTEN[8] = {{205, 230, 16}, {233, 267, 17}, {268, 399, 18}, {400, 495, 19},
                                       {496, 545, 20}, {546, 635, 21}, {654, 699, 22}, {724, 760, 23}};
        for (const Spalte& s : SPALTEN)
            if (mx >= s.von && mx <= s.bis) return Text_Get(E1, s.text);
        return nullptr;
    }
    if (my >= 121 && my <= 135 && mx < 245) return Text_Get(E1, 24);
    if (my >= 328 && my <= 342 && mx < 315) return Text_Get(E1, 25);
    if (my >= 450 && my <= 465 && mx < 265) return Text_Get(E1, 26);
    return Text_Get(E1, 27);
}

const char* Einsetzen_Info_Karte(int32_t spieler, int32_t kx, int32_t ky, int32_t mx, int32_t my, bool eigen) {
    if (my > ky + 16 && mx >= kx + 43) return Talent(spieler, std::min((mx - kx - 43) / 16, 2));
    SpielerInfoArt art;
    art.eigen = eigen;
    art.zustand = true;
    return Behalten(Spieler_Info_Text(spieler, art));
}

const char* Einsetzen_Info_Zeile(int32_t spieler, int32_t mx, bool eigen) {
    if (mx >= 546 && mx <= 635) return Talent(spieler, (mx - 546) / 30);
    SpielerInfoArt art;
    art.eigen = eigen;
    return Behalten(Spieler_Info_Text(spieler, art));
}

const char* Einsetzen_Info_Marker(int32_t spieler, bool eigen) {
    SpielerInfoArt art;
    art.eigen = eigen;
    art.ausfall = false;
    art.quote = false;
    art.talente = true;
    return Behalten(Spieler_Info_Text(spieler, art));
}

}  // namespace velmora
