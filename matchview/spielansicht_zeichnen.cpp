// matchview/spielansicht_zeichnen.cpp - a match view's figures drawn: each
// figure's frame chosen by its animation and facing, its colour table, the
// ball's shadow, the linesmen's flags, the tired and booked markers and the
// players' names.
#include "matchview/spielansicht_intern.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "club/spieler.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/text_markup.h"
#include "shell/maus.h"

namespace velmora::spielansicht_intern {
namespace {

// The colour-table slot of a figure, -1 for one not drawn.
int32_t Farb_Slot(const Spielfeld_Satz& s, int32_t i) {
    if (i < SF_SPIELER) return s.spieler[i].nummer >= 0 ? i : -1;
    if (i == FIGUR_SCHIRI) return FARBE_SCHIRI;
    if (i == FIGUR_LINIENRICHTER_1 || i == FIGUR_LINIENRICHTER_2 || i == FIGUR_OFFIZIELLER)
        return i == FIGUR_LINIENRICHTER_2 ? 36 : 35;
    if (i == FIGUR_BALL) return FARBE_BALL;
    if (i >= FIGUR_TRAINER) return FARBE_LINIENRICHTER;
    return FARBE_FAHNE;   // corner flags and goal frames: the palette as painted
}

int32_t Erzwungene_Richtung(int32_t anim, int32_t r) {
    switch (anim) {
    case 90: case 91: case 97: case 101: return 8;
    case 98: case 99: case 100: case 114: case 118: case 119: case 120: case 121: return 10;
    default: return r;
    }
}

int32_t Fahne_Zu(int32_t anim) {
    switch (anim) {
    case 7: return 222;
    case 8: return 223;
    case 126: return 224;
    case 127: return 225;
    case 9: return 226;
    default: return -1;
    }
}

struct Rahmen {
    int32_t x, y, w, h, sx, sy;
    bool halb;
};

bool Anim_Zeichnen(const Ansicht& a, const Rahmen& r, int32_t anim, int32_t richtung, int32_t frame, int32_t slot,
                   AnsichtPunkt p) {
    if (anim < 0 || anim >= ANIM_ZEILEN || !g.da[size_t(anim)] || slot < 0 || slot >= FARBTABELLEN) return false;
    const FigurenAnim& fa = g.anim[size_t(anim)];
    const Anim_Satz* z = Anim_Zeile(anim);
    const int32_t richtungen = z && z->richtungen == 1 ? 1 : FIGUREN_RICHTUNGEN;
    richtung = std::clamp(richtung, 0, richtungen - 1);
    frame = std::clamp(frame, 0, fa.frames - 1);
    return Figuren_Frame_Zeichnen(fa, fa.Frame(richtung, frame), a.farben[size_t(slot)].data(), Rastport_Screen(),
                                  r.x + p.x - r.sx, r.y + p.y - r.sy, r.x, r.y, r.w, r.h, r.halb);
}

// The ball's shadow: the ground darkened in a small ellipse.
void Schatten(const Rahmen& r, AnsichtPunkt p) {
    Rastport* ziel = Rastport_Screen();
    uint16_t* px = Rastport_Pixels16(ziel);
    if (!px) return;
    const int32_t rx = r.halb ? 2 : 4, ry = r.halb ? 1 : 2;
    const int32_t cx = r.x + p.x - r.sx, cy = r.y + p.y - r.sy;
    for (int32_t dy = -ry; dy <= ry; ++dy)
        for (int32_t dx = -rx; dx <= rx; ++dx) {
            if (dx * dx * ry * ry + dy * dy * rx * rx > rx * rx * ry * ry) continue;
            const int32_t x = cx + dx, y = cy + dy;
            if (x < r.x || y < r.y || x >= r.x + r.w || y >= r.y + r.h) continue;
            uint16_t& d = px[size_t(y) * ziel->width + size_t(x)];
            d = uint16_t((d >> 1) & 0x7BEF);
            if (d == 0) d = 1;
        }
}

void Name_Zeichnen(const Ansicht& a, const Rahmen& r, int32_t i, AnsichtPunkt p) {
    const int32_t nummer = a.satz->spieler[i].nummer;
    Font* font = Font_Get(r.halb ? 5 : 16);
    if (!font || nummer < 0) return;
    const char* name = Spieler_String(SPS_NAME, nummer, 0, OP_LESEN);
    if (!name || !*name) return;
    const int32_t bw = Text_Width(font, name);
    const int32_t x = r.x + p.x - r.sx + 5, y = r.y + p.y - r.sy - 30;
    // A name that would leave its view is not cut: it waits until it fits.
    if (x < r.x || x + bw > r.x + r.w || y < r.y || y + 20 > r.y + r.h) return;
    // White with a dark edge below it, readable on chalk and grass alike.
    Text_Render(Rastport_Screen(), font, Colour_Screen_Pixel(10, 20, 12), name, x + 1, y + 1, 0);
    Text_Render(Rastport_Screen(), font, 65535, name, x, y, 0);
}

// A marker over a player's head, `dx` right of the middle, clipped to the view.
void Marke_Zeichnen(const Rahmen& r, Rastport* bild, AnsichtPunkt p, int32_t dx) {
    const int32_t w = int32_t(bild->width), h = int32_t(bild->height);
    int32_t bx = r.x + p.x - r.sx - w / 2 + dx, by = r.y + p.y - r.sy - (r.halb ? 22 : 42) - h;
    int32_t sx = 0, sy = 0, bw = w, bh = h;
    if (bx < r.x) { sx = r.x - bx; bw -= sx; bx = r.x; }
    if (by < r.y) { sy = r.y - by; bh -= sy; by = r.y; }
    bw = std::min(bw, r.x + r.w - bx);
    bh = std::min(bh, r.y + r.h - by);
    if (bw > 0 && bh > 0) Rastport_Blit(bild, sx, sy, bw, bh, Rastport_Screen(), bx, by, BlitMode_Key);
}

// A player low on energy (below a third) shows the tired marker over his
// head, blinking as he runs: shown on every second metre of the pitch's
// length. A player whose status byte (his card state) is set, a booked one,
// shows the status marker beside it.
void Marken_Zeichnen(const Rahmen& r, const Spielfeld_Satz& s, int32_t i, AnsichtPunkt p) {
    if (g.status && s.spieler[i].karte != 0) Marke_Zeichnen(r, g.status, p, r.halb ? 6 : 12);
    if (!g.muede) return;
    const int64_t energie = s.spieler[i].ausdauer;
    const float x = s.figur[i].pos[0];
    if (!std::isfinite(x) || std::fabs(x) > 1e6f || energie * 30 / 10000 >= 10) return;
    if ((int64_t(x / 100.0f) & 1) == 0) return;
    Marke_Zeichnen(r, g.muede, p, 0);
}

}  // namespace

void Figuren_Zeichnen(Ansicht& a, const Spielfeld_Ansicht_Einstellung& anzeige, bool folgen) {
    Spielfeld_Satz& s = *a.satz;
    const bool halb = Halb(a);
    const Rahmen r{a.x, a.y, a.w, a.h, a.kamera.scroll[0], a.kamera.scroll[1], halb};
    const uint32_t uhr = s.spielzeit_ms;
    const bool zeit_halten = anzeige.frame_intervall >= 18;
    std::array<int32_t, SF_FIGUREN> liste{};
    int32_t n = 0;
    for (int32_t i = 0; i < SF_FIGUREN; ++i) {
        const Figur& f = s.figur[i];
        if (!f.gezeichnet) continue;
        FigurZustand& z = a.fig[size_t(i)];
        z.p = Spielansicht_Projektion(f.pos[0], f.pos[1], f.pos[2], halb, false);
        liste[size_t(n++)] = i;
        if (i > FIGUR_LINIENRICHTER_2) continue;
        const Anweisung& an = f.ring[size_t(f.aktuell) & 3];
        const float zx = an.ziel[0], zy = an.ziel[1];
        if (!folgen && std::isfinite(zx) && std::isfinite(zy) &&
            Spielansicht_Abstand(f.pos[0], f.pos[1], zx, zy) >= 10.0f) {
            const AnsichtPunkt q = Spielansicht_Projektion(zx, zy, 0, halb, false);
            const AnsichtPunkt b = Spielansicht_Projektion(f.pos[0], f.pos[1], 0, halb, false);
            z.gewollt = Spielansicht_Richtung16(b.x, b.y, q.x, q.y);
        } else if (z.gewollt < 0) {
            // Standing still from the start: towards the goal the side attacks.
            z.gewollt = (i < SF_SPIELER_SEITE) == (s.tor_x[0] > 5400) ? 6 : 14;
        }
    }
    // By the across-pitch position; a position that is no number sorts as 0.
    std::array<float, SF_FIGUREN> tiefe{};
    for (int32_t i = 0; i < SF_FIGUREN; ++i) tiefe[size_t(i)] = std::isfinite(s.figur[i].pos[1]) ? s.figur[i].pos[1] : 0.0f;
    std::sort(liste.begin(), liste.begin() + n,
              [&tiefe](int32_t x, int32_t y) { return tiefe[size_t(x)] < tiefe[size_t(y)]; });
    const int32_t mx = Maus_X(), my = Maus_Y();
    std::array<int32_t, SF_SPIELER> namen{};
    int32_t anzahl_namen = 0;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t i = liste[size_t(k)];
        const Figur& f = s.figur[i];
        FigurZustand& z = a.fig[size_t(i)];
        const int32_t slot = Farb_Slot(s, i);
        if (slot < 0) continue;
        if (i == FIGUR_BALL) Schatten(r, Spielansicht_Projektion(f.pos[0], f.pos[1], 0, halb, false));
        const Anweisung& an = f.ring[size_t(f.aktuell) & 3];
        const int32_t anim = an.anim;
        bool gezeichnet = false;
        if (zeit_halten && z.halten_bis > uhr && anim == z.wahl_anim && an.frame == z.wahl_frame) {
            gezeichnet = Anim_Zeichnen(a, r, z.anim, Erzwungene_Richtung(z.anim, z.richtung), z.frame, slot, z.p);
        } else if (anim >= 0 && anim < ANIM_ZEILEN) {
            int32_t richtung = z.gewollt < 0 ? 4 : z.gewollt;
            if (!anzeige.pause) richtung = Spielansicht_Drehen(z.richtung, richtung);
            else if (z.richtung != 255) richtung = z.richtung;
            const Anim_Satz* zeile = Anim_Zeile(anim);
            const int32_t letzter = zeile ? zeile->letzter_frame : 0;
            z.anim = anim;
            z.frame = std::clamp(int32_t(an.frame), 0, std::max(letzter, 0));
            z.richtung = richtung;
            z.halten_bis = uhr + HALTEN_MS;
            z.wahl_anim = anim;
            z.wahl_frame = an.frame;
            gezeichnet = Anim_Zeichnen(a, r, anim, Erzwungene_Richtung(anim, richtung), z.frame, slot, z.p);
        }
        if (!gezeichnet) continue;
        const Anim_Satz* zeile = Anim_Zeile(z.anim);
        if (zeile && zeile->link >= 0 && !f.verfehlt)
            Anim_Zeichnen(a, r, zeile->link, Erzwungene_Richtung(z.anim, z.richtung), z.frame,
                          zeile->link_farbe >= 0 ? zeile->link_farbe : slot, z.p);
        if (i == FIGUR_LINIENRICHTER_1 || i == FIGUR_LINIENRICHTER_2)
            Anim_Zeichnen(a, r, Fahne_Zu(z.anim), z.richtung, z.frame, FARBE_FAHNE, z.p);
        if (i >= SF_SPIELER) continue;
        Marken_Zeichnen(r, s, i, z.p);
        // Names: under the mouse (not when it rests on a panel lying over the
        // pitch), on the ball, and a second after the mouse left.
        const int32_t fx = r.x + z.p.x - r.sx, fy = r.y + z.p.y - r.sy;
        if (!g.maus_ueber_icon && mx >= fx - 20 && mx < fx + 15 && my >= fy - 45 && my < fy + 5) {
            z.name_zeit = uhr;
            z.name = true;
        }
        if (s.ballhalter == i || (z.name && uhr - z.name_zeit < NAME_MS)) namen[size_t(anzahl_namen++)] = i;
    }
    // The names over every figure, so no later figure hides one.
    for (int32_t k = 0; k < anzahl_namen; ++k) Name_Zeichnen(a, r, namen[size_t(k)], a.fig[size_t(namen[size_t(k)])].p);
}

}  // namespace velmora::spielansicht_intern
