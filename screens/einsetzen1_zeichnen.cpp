// screens/einsetzen1_zeichnen.cpp - the line-up list screen's drawing.
#include "screens/einsetzen1_zeichnen.h"

#include <algorithm>
#include <array>

#include "business/spieler_info.h"
#include "business/spieler_zeile.h"
#include "business/spielerliste.h"
#include "business/sterne.h"
#include "club/formation.h"
#include "club/spieler.h"
#include "club/spieler_nummern.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"

namespace velmora {
namespace {

constexpr int32_t WEISS = 65535, GEGNER_FARBE = 65196, NICHT_DA = 64160, NUMMER = 0x18c3;
constexpr int32_t ART_FARBE[4] = {65535, 20051, 52743, 50055};
constexpr int32_t MORAL_FARBE[7] = {62017, 62595, 63334, 46947, 40770, 24384, 8160};
constexpr int32_t BILD_SCHATTEN = 24040, BILD_HELL = 24049;
constexpr int32_t FITNESS_BILD[5] = {24043, 24044, 24045, 24042, 24046};
constexpr int32_t MARKER[4] = {24057, 24055, 24054, 24056};   // goalkeeper, defender, midfielder, forward
constexpr int32_t MARKER_HELL = 24062 - 24054;
constexpr int32_t TEXT_MORAL = 60, TEXT_GESPERRT = 67, TEXT_VERLETZT = 68;   // the text table's morale words

bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }

void Bild(int32_t nummer, int32_t x, int32_t y) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(nummer, nullptr))
        Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Target(), x, y, BlitMode_Key);
}

// Group of a formation row: 0 goal, 1 defence, 2 midfield, 3 attack.
int32_t Klasse(int32_t reihe) { return reihe == 0 ? 0 : reihe <= 3 ? 1 : reihe <= 7 ? 2 : 3; }

// The shirt numbers drawn, read once per filling of the list (on a client
// they are the server's).
SpielerNummern g_nummern;

int32_t Rueckennummer(int32_t spieler) { return Spieler_Nummer(g_nummern, spieler); }

}  // namespace

void E1_Nummern_Vergessen() { Spieler_Nummern_Vergessen(g_nummern); }

int32_t E1_Screen_Positions_Abzug(int32_t spieler, int32_t reihe) {
    if (!Gueltig(spieler) || reihe < 0 || reihe >= FORMATION_REIHEN) return 0;
    const int32_t klasse = Klasse(reihe), art = Spieler_Get_Art(spieler);
    const int32_t staerke = std::max(Spieler_Sterne(spieler), 0);
    const bool da = Spieler_Verfuegbar(spieler);
    if (art == klasse && da) return 0;
    if (!da) return staerke;
    if (art > 0 && klasse > 0) return std::min(2 * std::abs(klasse - art), staerke);
    return staerke * 80 / 100;
}

void E1_Titel_Zeichnen(int32_t club, bool gegner) {
    Font* f = Font_Get(14);
    if (!f || club < 0) return;
    Text_Printf(Rastport_Target(), f, "^c%05d^tz0495%s", 0, 131, gegner ? GEGNER_FARBE : WEISS,
                Team_String(TS_NAME_KURZ, club, 0, 0));
}

void E1_Zeile_Zeichnen(int32_t spieler, int32_t x, int32_t y, int32_t abzug, bool hell) {
    if (!Gueltig(spieler)) return;
    Rastport* ziel = Rastport_Target();
    const bool da = Spieler_Verfuegbar(spieler);
    if (hell) Bild(BILD_HELL, x, y);
    if (!da)
        if (Rastport* s = Menue_Get_Slave_Rastport(BILD_SCHATTEN, nullptr)) Blit_Alpha(s, 0, 0, -1, -1, ziel, x, y, 35);
    const int32_t art = std::clamp(Spieler_Get_Art(spieler), 0, 3);
    Bild(Spielerliste_Positions_Bild(art), x + 1, y);
    const int32_t basis = y + 13;
    // The shirt number on the shirt, the kind between it and the name.
    Spieler_Zeile_Hemdnummer(x, basis - 1, 8, Rueckennummer(spieler));   // on the shirt at x + 1, 14 wide
    Font* f9 = Font_Get(9);
    if (!f9) return;
    Spielerliste_Position_Zeichnen(art, x, basis, ART_FARBE[art]);
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, spieler, 0, 0), name, sizeof name, f9, 122);
    Text_Printf(ziel, f9, "^c%05d^tl0070%s", x, basis, WEISS, name);
    Text_Printf(ziel, f9, "^c%05d^fb0010^tr0330%d^fe", x, basis, WEISS, Spieler_Wert(SPW_WERT55, spieler, 0, OP_LESEN));
    int32_t text = TEXT_MORAL + std::clamp(Spieler_Wert(SPW_MORAL, spieler, 0, OP_LESEN), 0, 6);
    int32_t farbe = MORAL_FARBE[text - TEXT_MORAL];
    if (!da) {
        text = (Spieler_Status(spieler) & SP_STATUS_VERLETZT) ? TEXT_VERLETZT : TEXT_GESPERRT;
        farbe = NICHT_DA;
    }
    Text_Printf(ziel, f9, "^c%05d^tr0575%s", x, basis, farbe, Spieler_Info_Moral(text - TEXT_MORAL));
    Liste_Fuellen(spieler, 0, x + 197, y + 1, std::max(abzug, 0), hell);
    int32_t talente[3] = {-1, -1, -1};
    const int32_t n = Attribute_Get_Attribute(spieler, talente, 3, 0);
    for (int32_t i = 0; i < n; ++i) Bild(TALENT_BILD_ERSTER[hell ? TALENT_22 : TALENT_16] + talente[i], x + 349 + 28 * i, y);
    Bild(FITNESS_BILD[std::clamp(Spieler_Get_Halbe_Wert56(spieler), 0, 4)], x + 469, y + 3);
}

int32_t E1_Marker_Bild(int32_t spieler, bool hell) {
    if (!Gueltig(spieler)) return -1;
    return MARKER[std::clamp(Spieler_Get_Art(spieler), 0, 3)] + (hell ? MARKER_HELL : 0);
}

void E1_Marker_Zeichnen(int32_t spieler, int32_t x, int32_t y, bool hell) {
    const int32_t bild = E1_Marker_Bild(spieler, hell);
    if (bild < 0) return;
    Rastport* ziel = Rastport_Target();
    if (hell) {
        x -= 2;
        y -= 2;
    }
    if (Rastport* rp = Menue_Get_Slave_Rastport(bild, nullptr)) {
        if (Spieler_Verfuegbar(spieler)) Rastport_Blit(rp, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
        else Blit_Alpha(rp, 0, 0, -1, -1, ziel, x, y, 45);
    }
    const int32_t nummer = Rueckennummer(spieler);
    const int32_t rand = hell ? 2 : 0;
    if (Font* f = Font_Get(hell ? 9 : 15))
        Text_Printf(ziel, f, hell ? "^c%05d^fb0008^tz0014%d^fe" : "^c%05d^fb0006^tz0014%d^fe", x + 1 + rand,
                    y + 16 + rand, NUMMER, nummer);
}

}  // namespace velmora
