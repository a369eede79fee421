// gui/icon_blit.cpp - drawing: the full redraw of a frame, one icon with its
// text items and draw procedure, and an icon's picture in its state.
#include <algorithm>
#include <cstdio>

#include "core/debug.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/schatten.h"
#include "gfx/text_markup.h"
#include "gui/menue.h"
#include "gui/menue_film.h"
#include "gui/menue_scrollbar.h"

namespace velmora {
namespace {

struct BlitModul {
    uint8_t modal = 0;   // set by each redraw while a modal icon is on screen
};
BlitModul g;

constexpr uint16_t Rgb565(int32_t r, int32_t gr, int32_t b) { return uint16_t((r >> 3) << 11 | (gr >> 2) << 5 | (b >> 3)); }
constexpr uint16_t FARBE_UMRISS = Rgb565(185, 185, 60);
constexpr uint16_t FARBE_UMRISS_GESPERRT = Rgb565(150, 150, 150);

bool Im_Clip(const s_icon* i, int32_t w, int32_t h) {
    return i->x >= i->clip_x0 && i->y >= i->clip_y0 && i->x + w <= i->clip_x1 && i->y + h <= i->clip_y1;
}

// Draws the picture plain or colour-keyed.
void Kopie(Rastport* rp, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* ziel, int32_t x, int32_t y,
           bool key) {
    Rastport_Blit(rp, sx, sy, w, h, ziel, x, y, key ? BlitMode_Key : BlitMode_Default);
}

// The picture of an icon that is not disabled: pulsing transparency, half
// transparent or a copy, each plain or colour-keyed.
void Bild_Zeichnen(Rastport* rp, uint32_t status, int32_t sx, int32_t sy, int32_t w, int32_t h, Rastport* ziel,
                   int32_t x, int32_t y, bool key) {
    if (status & ICON_ST_TRANSPARENT)
        key ? Blit_Transparent(rp, sx, sy, w, h, ziel, x, y) : Blit_Transparent_2(rp, sx, sy, w, h, ziel, x, y);
    else if (status & ICON_ST_HALB)
        key ? Blit_Alpha(rp, sx, sy, w, h, ziel, x, y, 50) : Blit_Alpha_2(rp, sx, sy, w, h, ziel, x, y, 50);
    else
        Kopie(rp, sx, sy, w, h, ziel, x, y, key);
}

void Texte_Zeichnen(s_icon* icon) {
    const bool gedrueckt = Menue_Get_Gedrueckt() == icon;
    const bool an = Menue_Icon_Zustand(icon->nummer) != 0;
    Rastport* ziel = Rastport_Target();
    for (auto* t = static_cast<s_icon_text*>(icon->daten); t; t = t->next) {
        if (t->update) t->update(icon, t);
        uint16_t flags = t->flags;
        uint16_t farbe = uint16_t(t->farbe_aus);
        if (an || gedrueckt) {
            farbe = uint16_t(t->farbe_an);
            if (flags & 0x800) flags |= 0x100;
        }
        Font* font = Font_Get(t->font);
        if (!font) continue;
        char zahl_format[32];
        std::snprintf(zahl_format, sizeof zahl_format, "%%%dd", int32_t(t->stellen));
        char zahl_text[32];
        std::snprintf(zahl_text, sizeof zahl_text, zahl_format, t->zahl);
        const char* inhalt = t->text ? t->text : zahl_text;
        const bool absolut = flags & 0x4;
        const int32_t hoehe = font->bogen ? int32_t(font->bogen->height) : 0;
        int32_t x, y;
        if (flags & 0x10) {
            const int32_t breite = Text_Block_Size(font, inhalt);
            x = absolut ? t->x - breite / 2 : icon->x + icon->br / 2 - breite / 2 + t->x;
        } else if (flags & 0x80) {
            const int32_t breite = Text_Block_Size(font, inhalt);
            x = absolut ? t->x - breite : t->x - breite + icon->x + icon->br;
        } else {
            x = absolut ? t->x : t->x + icon->x;
        }
        if (flags & 0x20)
            y = absolut ? t->y - hoehe / 2 : icon->y + icon->ho / 2 - 1 + hoehe / 2 + t->y;
        else
            y = absolut ? t->y : t->y + icon->y;
        if ((gedrueckt && (icon->Status & ICON_ST_DRUCK)) ||
            ((icon->Status & ICON_ST_TOGGLE) && (icon->Status & ICON_ST_DRUCK) && an)) {
            ++x;
            ++y;
        }
        if (t->text) {
            if (flags & 0x100) {
                const uint16_t umriss = (icon->Status & ICON_ST_GESPERRT) ? FARBE_UMRISS_GESPERRT : FARBE_UMRISS;
                for (int32_t dx : {-1, 1})
                    for (int32_t dy : {-1, 1}) Text_Printf(ziel, font, "^c%05d%s", x + dx, y + dy, umriss, t->text);
            } else {
                if (flags & 0x1) {
                    Text_Schatten_Print(ziel, font, "^c%05d%s", x, y - 1, farbe, t->text);
                    ++x;
                }
                if (flags & 0x2) {
                    Text_Printf(ziel, font, "^c%05d%s", x, y, farbe, t->text);
                    ++x;
                }
            }
            if (!(flags & 0x1)) Text_Printf(ziel, font, "^c%05d%s", x, y, farbe, t->text);
        } else {
            char format[48];
            std::snprintf(format, sizeof format, "^c%%05d%%%dd", int32_t(t->stellen));
            if (flags & 0x1) {
                Text_Printf(ziel, font, format, x, y, 1, t->zahl);
                ++x;
            }
            if (flags & 0x2) {
                Text_Printf(ziel, font, format, x, y, farbe, t->zahl);
                ++x;
            }
            Text_Printf(ziel, font, format, x, y, farbe, t->zahl);
        }
    }
}

}  // namespace

uint8_t Menue_Get_Zustand_Byte() { return g.modal; }

void Menue_Icon_Blit_Zustand(s_icon* icon, uint32_t status, int32_t sx, int32_t sy, int32_t w, int32_t h,
                             Rastport* ziel, int32_t x, int32_t y) {
    if (!icon || !ziel) return;
    Rastport* rp = Menue_Screen_Icon_Rastport(icon, nullptr, nullptr);
    if (!rp) return;
    const bool key = status & ICON_ST_KEY;
    const bool gesperrt = status & ICON_ST_GESPERRT;
    if (Menue_Get_Gedrueckt() == icon && (status & ICON_ST_DRUCK) && !gesperrt) {
        if (icon->bild_gedrueckt == -1) return;
        Kopie(rp, sx, sy, w, h, ziel, x, y, key);
        if (Rastport* p = Menue_Get_Slave_Rastport(icon->bild_gedrueckt, nullptr))
            Kopie(p, 0, 0, -1, -1, ziel, x, y, key);
        return;
    }
    if ((status & ICON_ST_TOGGLE) && Menue_Icon_Zustand(icon->nummer) && icon->bild_an != -1) {
        Rastport* an = Menue_Get_Slave_Rastport(icon->bild_an, nullptr);
        if (an)
            rp = an;
        else
            Debug_Printf("Menue_Icon_Blit: AN-RP==NULL!\n");
    }
    if (gesperrt) {
        if (key)
            Blit_Alpha(rp, sx, sy, w, h, ziel, x, y, 50);
        else
            Blit_Alpha_2(rp, sx, sy, w, h, ziel, x, y, 50);
        return;
    }
    if (!key) {
        Bild_Zeichnen(rp, status, sx, sy, w, h, ziel, x, y, false);
        return;
    }
    if (status & ICON_ST_SCHATTEN) Schatten_Zeichnen(rp, sx, sy, w, h, ziel, x, y, 0);
    uint8_t* maske = rp->mask;
    if (status & ICON_ST_OHNE_MASKE) rp->mask = nullptr;
    Bild_Zeichnen(rp, status, sx, sy, w, h, ziel, x, y, true);
    rp->mask = maske;
}

void Menue_Icon_Blit(s_icon* icon) {
    if (!icon) {
        Debug_Printf("Menue_Icon_Blit: icon=NULL!\n");
        return;
    }
    if (!Menue_Screen_Icon_Ist_Vorhanden(icon->nummer)) return;
    int32_t w = 0, h = 0;
    Rastport* rp = Menue_Screen_Icon_Rastport(icon, &w, &h);
    const bool versteckt = icon->Status & ICON_ST_VERSTECKT;
    // Icons of scroll screens are drawn by the scroll screen into its content.
    const bool im_scrollscreen = icon->scrollscreen >= 0;
    bool sichtbar = true;
    if (!im_scrollscreen && !(icon->Status & ICON_ST_UNGECLIPT)) sichtbar = Im_Clip(icon, w, h) && !versteckt;
    if (!versteckt && !im_scrollscreen && sichtbar && rp)
        Menue_Icon_Blit_Zustand(icon, icon->Status, 0, 0, w, h, Rastport_Target(), icon->x, icon->y);
    int32_t sx = 0, sy = 0;
    if (!versteckt && im_scrollscreen && (icon->Status & ICON_ST_SCROLLSCREEN) && rp)
        if (Rastport* inhalt = Menue_Blit_Rastport(icon, &sx, &sy))
            Menue_Icon_Blit_Zustand(icon, icon->Status, 0, 0, w, h, inhalt, sx, sy);
    const bool proc = icon->zeichnen && (sichtbar || im_scrollscreen);
    if ((icon->typ & ICON_TYP_PROZ_VOR_TEXT) && proc) icon->zeichnen(icon, icon->x, icon->y, 0);
    if ((icon->typ & ICON_TYP_TEXT) && !versteckt) Texte_Zeichnen(icon);
    if (!(icon->typ & ICON_TYP_PROZ_VOR_TEXT) && proc) icon->zeichnen(icon, icon->x, icon->y, 0);
}

void Menue_Screen_Refresh() {
    Rastport* ziel = Rastport_Target();
    const int32_t hg = Menue_Get_Hintergrund();
    if (hg != -1 && ziel)
        if (Rastport* rp = Menue_Get_Slave_Rastport(hg, nullptr)) Rastport_Blit(rp, 0, 0, -1, -1, ziel, 0, 0, BlitMode_Default);
    g.modal = 0;
    for (int32_t p = MAX_SCREEN_ICON_PRIORITY; p >= 0 && !g.modal; --p)
        for (int32_t s = Menue_Hoechster_Slot(p); s >= 0; --s) {
            const s_icon* i = Menue_Slot(p, s);
            if (i && (i->typ & ICON_TYP_MODAL)) {
                g.modal = 1;
                break;
            }
        }
    Menue_Filme_Modal(g.modal != 0);
    Menue_Scrollbars_Vorbereiten(g.modal);
    bool verdeckt = false;
    // Procedures may add or remove icons, so each slot is read afresh.
    for (int32_t p = 0; p < MENUE_PRIORITAETEN; ++p)
        for (int32_t s = Menue_Hoechster_Slot(p); s >= 0; --s) {
            s_icon* i = Menue_Slot(p, s);
            if (!i || (g.modal && !(i->typ & ICON_TYP_MODAL))) continue;
            int32_t w = 0, h = 0;
            if (!Menue_Screen_Icon_Rastport(i, &w, &h)) {
                Debug_Printf("Menue_Screen_Refresh: Kein Base-Icon fuer Screen-Icon Nr. %d !\n", i->nummer);
                continue;
            }
            Menue_Scrollbars_Merken(i, w, h);
            Menue_Icon_Blit(i);
            // A window over the header's film would be covered by it.
            if (p > MENUE_FILM_PRI && !(i->Status & ICON_ST_VERSTECKT) && i->x < MENUE_FILM_X + MENUE_FILM_GROESSE &&
                i->x + w > MENUE_FILM_X && i->y < MENUE_FILM_Y + MENUE_FILM_GROESSE && i->y + h > MENUE_FILM_Y)
                verdeckt = true;
        }
    Menue_Wettbewerb_Film_Verdeckt(verdeckt);
    Menue_Scrollbars_Aufrufen();
}

void Menue_Icon_Passgroesse_Ermitteln(s_icon* icon, int32_t* x0, int32_t* x1, int32_t* y0, int32_t* y1) {
    if (!icon || !x0 || !x1 || !y0 || !y1) {
        Debug_Printf("Menue_Icon_Passgroesse_Ermitteln: Parameter=NULL!\n");
        return;
    }
    int32_t a = icon->x, b = icon->x + icon->br, c = icon->y, d = icon->y + icon->ho;
    const bool ausserhalb = b < icon->clip_x0 || a > icon->clip_x1 || d < icon->clip_y0 || c > icon->clip_y1;
    if (!ausserhalb) {
        a = std::max<int32_t>(a, icon->clip_x0);
        b = std::min<int32_t>(b, icon->clip_x1);
        c = std::max<int32_t>(c, icon->clip_y0);
        d = std::min<int32_t>(d, icon->clip_y1);
    }
    *x0 = a;
    *x1 = b;
    *y0 = c;
    *y1 = d;
}

}  // namespace velmora
