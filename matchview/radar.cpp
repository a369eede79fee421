// matchview/radar.cpp - the radar of a watched match (see radar.h).
#include "matchview/radar.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "bilder/wappen.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "gfx/alpha.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/schatten.h"
#include "gfx/text_markup.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_satz.h"
#include "shell/maus.h"

namespace velmora {
namespace {

// The panel: the pitch's 10800 x 6806 cm on 755 x 476 pixels from (22, 111).
constexpr int32_t PANEL_X = 22, PANEL_Y = 111, PANEL_W = 755, PANEL_H = 476;
constexpr int32_t KARTE_W = 260, KARTE_H = 140, KARTE_Y = 385;
// The penalty areas' colour, a 5-5-5 pixel (light green),
// laid over the pitch at 40 of 128, the lines within showing through.
constexpr uint16_t STRAFRAUM_555 = 50055;
constexpr int32_t STRAFRAUM_ANTEIL = 40;
constexpr uint16_t WEISS = 65535;

struct RadarModul {
    Rastport* hintergrund = nullptr;
    Rastport* punkt[2] = {nullptr, nullptr};
    Rastport* ball[RADAR_BALL_BILDER] = {};
    Rastport* tor[2] = {nullptr, nullptr};
    bool geladen = false;
    int32_t puls = 30, richtung = 1;
    // What the shadowed names were last drawn for.
    uint32_t spiel = 0xFFFFFFFFu;
    int32_t tore = -1;
    std::vector<uint8_t> ebene;   // a faded dot's plane
    int32_t rueckennummer[SF_SPIELER] = {};
    int32_t rueckennummer_von[SF_SPIELER];   // the player each number was read for
    RadarModul() { std::fill(std::begin(rueckennummer_von), std::end(rueckennummer_von), -2); }
};
RadarModul g;

Font* F(int32_t n) { return Font_Get(n); }

bool Laden() {
    if (g.geladen) return true;
    g.hintergrund = Bild_Res_Laden(RADAR_RES_DATEI, RADAR_HINTERGRUND);
    g.punkt[0] = Bild_Res_Laden(RADAR_RES_DATEI, RADAR_PUNKT_HEIM);
    g.punkt[1] = Bild_Res_Laden(RADAR_RES_DATEI, RADAR_PUNKT_GAST);
    bool ok = g.hintergrund && g.punkt[0] && g.punkt[1];
    for (int32_t i = 0; i < RADAR_BALL_BILDER; ++i) {
        g.ball[i] = Bild_Res_Laden(RADAR_RES_DATEI, RADAR_BALL_ERSTER + i);
        ok = ok && g.ball[i];
    }
    g.tor[0] = Bild_Res_Laden(RADAR_RES_DATEI, RADAR_TOR_LINKS);
    g.tor[1] = Bild_Res_Laden(RADAR_RES_DATEI, RADAR_TOR_RECHTS);
    ok = ok && g.tor[0] && g.tor[1];
    if (!ok) {
        Debug_Printf("Radar: Bilder von menue_res.res fehlen\n");
        Radar_Freigeben();
        return false;
    }
    g.geladen = true;
    return true;
}

// The picture centred on a point.
void Mittig(Rastport* bild, Rastport* ziel, RadarPunkt p, int32_t prozent = 100) {
    const int32_t x = p.x - int32_t(bild->width) / 2, y = p.y - int32_t(bild->height) / 2;
    if (prozent >= 100) {
        Rastport_Blit(bild, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
        return;
    }
    // Blended at `prozent` through the picture's own soft edges: its plane,
    // scaled, stands in for the plane while it is drawn.
    uint8_t* eigene = bild->alpha;
    const size_t n = size_t(bild->width) * bild->height;
    g.ebene.resize(n);
    if (!eigene) {
        Blit_Alpha(bild, 0, 0, -1, -1, ziel, x, y, prozent);
        return;
    }
    for (size_t i = 0; i < n; ++i) g.ebene[i] = uint8_t(eigene[i] * prozent / 100);
    bild->alpha = g.ebene.data();
    Blit_Alpha_Plane565(bild, 0, 0, -1, -1, ziel, x, y);
    bild->alpha = eigene;
}

// A rectangle of pitch coordinates on the panel (ends in any order).
void Bereich(Rastport* ziel, RadarPunkt a, RadarPunkt b, uint16_t farbe) {
    const int32_t x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x), y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    Rastport_Draw_Frame(ziel, x0, y0, x1 - x0 + 1, y1 - y0 + 1, farbe, 1, nullptr);
}

// The shirt number, read once per player in a slot: on a client it is
// server data, a remote call at each read. Without one, the slot's place in the side.
int32_t Rueckennummer(const Spielfeld_Satz& s, int32_t f) {
    const int32_t spieler = s.spieler[f].nummer;
    if (g.rueckennummer_von[f] != spieler) {
        const int32_t n = spieler >= 0 ? Spieler_Wert(SPW_RUECKENNUMMER, spieler, 0, OP_LESEN) : 0;
        g.rueckennummer[f] = n > 0 && n < 100 ? n : f % (SF_SPIELER / 2) + 1;
        g.rueckennummer_von[f] = spieler;
    }
    return g.rueckennummer[f];
}

// Lays a colour over a rectangle at `anteil` of 128, so that the lines below show through.
void Ueberlagern(Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h, uint16_t farbe, int32_t anteil) {
    const int32_t tiefe = int32_t(Rastport_Depth(ziel));
    if ((tiefe != 15 && tiefe != 16) || !Rastport_Lock(ziel)) return;
    uint16_t* px = Rastport_Pixels16(ziel);
    const int32_t bw = int32_t(ziel->width), bh = int32_t(ziel->height);
    int32_t fr, fg, fb;
    Colour_Split(farbe, tiefe, &fr, &fg, &fb);
    for (int32_t j = std::max(y, 0); px && j < std::min(y + h, bh); ++j)
        for (int32_t i = std::max(x, 0); i < std::min(x + w, bw); ++i) {
            uint16_t& p = px[size_t(j) * size_t(bw) + size_t(i)];
            int32_t r, gr, b;
            Colour_Split(p, tiefe, &r, &gr, &b);
            p = Colour_Make16(tiefe, r + (fr - r) * anteil / 128, gr + (fg - gr) * anteil / 128, b + (fb - b) * anteil / 128);
        }
    Rastport_Unlock(ziel);
}

bool Auf_Platz(const Spielfeld_Satz& s, int32_t f) {
    return (s.spieler[f].zustand & SM_AUF_PLATZ) && std::isfinite(s.figur[f].pos[0]) && s.figur[f].pos[1] > 0.0f;
}

// The card of the player under the mouse: his ranges on the pitch and a panel
// with his name, strength and energy.
void Karte(const Spielfeld_Satz& s, Rastport* ziel, int32_t f) {
    const Spieler_Matchsatz& m = s.spieler[f];
    const uint16_t gold = Colour_Screen_Pixel(214, 178, 82), hell = Colour_Screen_Pixel(236, 234, 224);
    Bereich(ziel, Radar_Punkt(s, float(m.bereich[0]), float(m.bereich[2])),
            Radar_Punkt(s, float(m.bereich[1]), float(m.bereich[3])), gold);
    Bereich(ziel, Radar_Punkt(s, float(m.linie[0]), float(m.linie[2])),
            Radar_Punkt(s, float(m.linie[1]), float(m.linie[3])), hell);
    const int32_t kx = f < SF_SPIELER / 2 ? 0 : 800 - KARTE_W;
    Rastport_Fill(ziel, kx, KARTE_Y, KARTE_W, KARTE_H, Colour_Screen_Pixel(12, 22, 34), nullptr);
    Rastport_Draw_Frame(ziel, kx, KARTE_Y, KARTE_W, KARTE_H, gold, 2, nullptr);
    Rastport_Fill(ziel, kx + 2, KARTE_Y + 2, KARTE_W - 4, 26, Colour_Screen_Pixel(30, 56, 82), nullptr);
    const int32_t nummer = m.nummer;
    Text_Printf(ziel, F(8), "^c%05d^tz%04d%s (St\xe4rke:%d)", kx, KARTE_Y + 20, WEISS, KARTE_W / 2,
                Spieler_String(SPS_NAME, nummer, 0, OP_LESEN), Spieler_Staerke(nummer) / 100);
    // Energy as a bar, as the radar's dots show it by their pulse.
    const int32_t energie = std::clamp(m.ausdauer, 0, 10000);
    Text_Printf(ziel, F(9), "^c%05dAusdauer", kx + 14, KARTE_Y + 56, hell);
    Rastport_Fill(ziel, kx + 14, KARTE_Y + 64, KARTE_W - 28, 10, Colour_Screen_Pixel(22, 40, 60), nullptr);
    const uint16_t balken = energie * 10 < 3 * 10000 ? Colour_Screen_Pixel(200, 30, 36) : Colour_Screen_Pixel(46, 128, 70);
    Rastport_Fill(ziel, kx + 14, KARTE_Y + 64, (KARTE_W - 28) * energie / 10000, 10, balken, nullptr);
    Text_Printf(ziel, F(9), "^c%05d^tr%04d%d %%", kx + 14, KARTE_Y + 56, hell, KARTE_W - 28, energie / 100);
    Text_Printf(ziel, F(9), "^c%05dR\xfc" "ckennummer ^c%05d%d", kx + 14, KARTE_Y + 100, hell, WEISS, Rueckennummer(s, f));
    if (m.karte) Rastport_Fill(ziel, kx + KARTE_W - 30, KARTE_Y + 88, 12, 16, Colour_Screen_Pixel(240, 200, 40), nullptr);
}

}  // namespace

RadarPunkt Radar_Punkt(const Spielfeld_Satz& satz, float x, float y) {
    const int32_t ix = std::isfinite(x) ? int32_t(std::clamp(x, -1.0e6f, 1.0e6f)) : 0;
    const int32_t iy = std::isfinite(y) ? int32_t(std::clamp(y, -1.0e6f, 1.0e6f)) : 0;
    int32_t px = ix * PANEL_W / SPIELFELD_LAENGE, py = iy * PANEL_H / SPIELFELD_BREITE;
    if (satz.seiten_gewechselt) {
        px = PANEL_W - px;
        py = PANEL_H - py;
    }
    return {px + PANEL_X, py + PANEL_Y};
}

int32_t Radar_Ball_Bild(float hoehe) {
    if (!std::isfinite(hoehe)) return 0;
    return int32_t(std::clamp(std::floor(hoehe * float(RADAR_BALL_BILDER) / 700.0f), 0.0f, float(RADAR_BALL_BILDER - 1)));
}

int32_t Radar_Figur_Unter(const Spielfeld_Satz& s, int32_t mx, int32_t my) {
    for (int32_t f = 0; f < SF_SPIELER; ++f) {
        if (!Auf_Platz(s, f)) continue;
        const RadarPunkt p = Radar_Punkt(s, s.figur[f].pos[0], s.figur[f].pos[1]);
        if (mx > p.x - 10 && mx < p.x + 9 && my > p.y - 10 && my < p.y + 9) return f;
    }
    return -1;
}

bool Radar_Zeichnen(const Spielfeld_Satz& s, Rastport* ziel, int32_t mx, int32_t my) {
    if (!ziel || !Laden()) return false;
    // 1. Background and crests.
    Rastport_Blit(g.hintergrund, 0, 0, -1, -1, ziel, 0, 0, nullptr);
    const int32_t heim = int32_t(s.team[0]), gast = int32_t(s.team[1]);
    Wappen_Zeichnen(heim, ziel, 17, 14, 66, 66, nullptr);
    Wappen_Zeichnen(gast, ziel, 717, 14, 66, 66, nullptr);
    // 2. Names, shadowed; the shadows' cache is emptied for another game or score.
    const int32_t tore = s.tore[0] + s.tore[1];
    if (s.spiel != g.spiel || tore != g.tore) {
        Schatten_Cache_Leeren();
        g.spiel = s.spiel;
        g.tore = tore;
    }
    Text_Schatten_Print(ziel, F(14), "^c%05d^tz0214%s", 0, 50, WEISS, Team_String(TS_NAME_KURZ, heim, 0, 0));
    Text_Schatten_Print(ziel, F(14), "^c%05d^tz0587%s", 0, 50, WEISS, Team_String(TS_NAME_KURZ, gast, 0, 0));
    // 3. Score and minute.
    const uint16_t gold = Colour_Screen_Pixel(214, 178, 82);
    Text_Printf(ziel, F(4), "^c%05d^tz0370%d", 0, 56, WEISS, int32_t(s.tore[0]));
    Text_Printf(ziel, F(4), "^c%05d^tz0430%d", 0, 56, WEISS, int32_t(s.tore[1]));
    Text_Printf(ziel, F(8), "^c%05d^tz0400%d.Minute", 0, 88, gold, std::max<int32_t>(s.minute, 0));
    // 4. The teams' strength marks.
    int32_t v[2];
    for (int32_t i = 0; i < 2; ++i) v[i] = int32_t(std::min<uint32_t>(s.team_staerke[i], 999)) * 132 / 999;
    Text_Printf(ziel, F(8), "^c%05d^tl0260%d.%d", 0, 88, WEISS, v[0] / 2, (v[0] % 2) * 5);
    Text_Printf(ziel, F(8), "^c%05d^tr0540%d.%d", 0, 88, WEISS, v[1] / 2, (v[1] % 2) * 5);
    // 5. The penalty areas, never mirrored.
    const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
    const uint16_t strafraum = Rastport_Depth(ziel) == 15 ? STRAFRAUM_555 : Colour_555_To_565(STRAFRAUM_555);
    for (int32_t seite = 0; seite < 2; ++seite) {
        const int32_t xa = seite == 0 ? 0 : k.strafraum_x[1], xb = seite == 0 ? k.strafraum_x[0] : k.laenge;
        const int32_t x0 = xa * PANEL_W / SPIELFELD_LAENGE + PANEL_X, x1 = xb * PANEL_W / SPIELFELD_LAENGE + PANEL_X;
        const int32_t y0 = k.strafraum_unten[seite] * PANEL_H / SPIELFELD_BREITE + PANEL_Y;
        const int32_t y1 = k.strafraum_oben[seite] * PANEL_H / SPIELFELD_BREITE + PANEL_Y;
        Ueberlagern(ziel, x0, y0, x1 - x0 + 1, y1 - y0 + 1, strafraum, STRAFRAUM_ANTEIL);
    }
    // 6. The player under the mouse.
    const int32_t unter = Radar_Figur_Unter(s, mx, my);
    if (unter >= 0) Karte(s, ziel, unter);
    // 7. The ball, then the players' dots with their numbers.
    const Figur& ball = s.figur[RADAR_BALL];
    Mittig(g.ball[Radar_Ball_Bild(ball.pos[2])], ziel, Radar_Punkt(s, ball.pos[0], ball.pos[1]));
    for (int32_t f = 0; f < SF_SPIELER; ++f) {
        if (!Auf_Platz(s, f)) continue;
        const RadarPunkt p = Radar_Punkt(s, s.figur[f].pos[0], s.figur[f].pos[1]);
        const bool muede = double(s.spieler[f].ausdauer) / 10000.0 < 0.3;
        Mittig(g.punkt[f < SF_SPIELER / 2 ? 0 : 1], ziel, p, muede ? g.puls : 100);
        Text_Printf(ziel, F(15), "^c%05d^tz0012%d", p.x - 12, p.y + 4, WEISS, Rueckennummer(s, f));
    }
    // 8. The two players of the current duel by name.
    for (int8_t f : s.situation_figur) {
        if (f < 0 || f >= SF_SPIELER || !Auf_Platz(s, f)) continue;
        const RadarPunkt p = Radar_Punkt(s, s.figur[f].pos[0], s.figur[f].pos[1]);
        Text_Schatten_Print(ziel, F(10), "^c%05d%s", p.x + 5, p.y + 10, WEISS,
                            Spieler_String(SPS_NAME_FELD, s.spieler[f].nummer, 0, OP_LESEN));
    }
    // 9. The goals at both ends.
    Rastport_Blit(g.tor[0], 0, 0, -1, -1, ziel, 4, 317, BlitMode_Key);
    Rastport_Blit(g.tor[1], 0, 0, -1, -1, ziel, 777, 317, BlitMode_Key);
    // The tired players' pulse: 30 up to 100 and back, 10 a frame.
    g.puls += 10 * g.richtung;
    if (g.puls >= 100 || g.puls <= 30) {
        g.puls = std::clamp(g.puls, 30, 100);
        g.richtung = -g.richtung;
    }
    return true;
}

void Spieltag_Radar_Anzeigen(const Spielfeld_Satz* satz) {
    if (satz) Radar_Zeichnen(*satz, Rastport_Screen(), Mouse_X(), Mouse_Y());
}

int32_t Radar_Puls() { return g.puls; }
void Radar_Puls_Setzen(int32_t wert, int32_t richtung) {
    g.puls = std::clamp(wert, 30, 100);
    g.richtung = richtung < 0 ? -1 : 1;
}

void Radar_Freigeben() {
    auto frei = [](Rastport*& rp) { rp = rp ? Rastport_Free(rp) : nullptr; };
    frei(g.hintergrund);
    for (Rastport*& rp : g.punkt) frei(rp);
    for (Rastport*& rp : g.ball) frei(rp);
    for (Rastport*& rp : g.tor) frei(rp);
    g.geladen = false;
    g.spiel = 0xFFFFFFFFu;
    g.tore = -1;
    std::fill(std::begin(g.rueckennummer_von), std::end(g.rueckennummer_von), -2);
}

}  // namespace velmora
