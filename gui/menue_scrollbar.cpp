// gui/menue_scrollbar.cpp - scroll bars: the bar position, the track click,
// the wheel step, the drag of the button, visibility, the caching caller of
// bar procedures, and the scroll screen.
#include "gui/menue_scrollbar.h"

#include <algorithm>

#include "core/debug.h"
#include "gfx/blit.h"
#include "gui/menue.h"

namespace velmora {
namespace {

constexpr int32_t MAX_SCROLLBUTTONS = 199;   // listed per redraw

struct ScrollModul {
    Scrollscreen screen;
    // The one remembered (procedure, value) pair of the caching caller.
    ScrollbarProc letzte_proc = nullptr;
    int32_t letzter_wert = 0;
    bool gemerkt = false;
    // The redraw's list of visible buttons and the mark of the scroll screen.
    s_icon* knoepfe[MAX_SCROLLBUTTONS] = {};
    int32_t anz_knoepfe = 0;
    bool screen_markiert = false;
};
ScrollModul g;

s_scrollbar* Struktur(s_icon* icon) {
    return icon && (icon->typ & ICON_TYP_SCROLLBUTTON) ? static_cast<s_scrollbar*>(icon->daten) : nullptr;
}
bool Senkrecht(const s_scrollbar* sc) { return sc->fest_y == -1; }
int32_t Min(const s_scrollbar* sc) { return Senkrecht(sc) ? sc->y_min : sc->x_min; }
int32_t Max(const s_scrollbar* sc) { return Senkrecht(sc) ? sc->y_max : sc->x_max; }
// A coordinate kept within the range; a range whose max lies below its min is its min.
int32_t Im_Bereich(const s_scrollbar* sc, int32_t k) { return std::max(Min(sc), std::min(k, Max(sc))); }
int32_t Koordinate(const s_icon* button, const s_scrollbar* sc) { return Senkrecht(sc) ? button->y : button->x; }

int32_t Maus(bool y) {
    const MenueHooks& h = Menue_Hooks();
    auto* f = y ? h.maus_y : h.maus_x;
    return f ? f() : 0;
}

// The button at `koord` on its moving axis, stored as the local manager's state.
void Setzen(s_icon* button, const s_scrollbar* sc, int32_t koord) {
    if (auto* f = Menue_Hooks().icon_zustand_setzen) f(button->nummer, koord);
    (Senkrecht(sc) ? button->y : button->x) = int16_t(koord);
}

void Sichtbar_Setzen(s_icon* icon, bool versteckt) {
    if (!icon) return;
    if (versteckt)
        icon->Status |= ICON_ST_VERSTECKT;
    else
        icon->Status &= ~ICON_ST_VERSTECKT;
}
// The button's track or the track's button, only while it is on screen: the
// definition of a number taken off the screen may belong to a screen long gone.
s_icon* Partner(const s_icon* icon) {
    return icon->partner >= 0 && icon->partner < ANZ_SCREEN_ICONS && Menue_Screen_Icon_Ist_Vorhanden(icon->partner)
               ? Menue_Screen_Icon_Aus_Nummer(icon->partner)
               : nullptr;
}

bool Auf_Screen(const s_icon* icon) {
    return icon && Menue_Screen_Icon_Ist_Vorhanden(icon->nummer) && Menue_Screen_Icon_Aus_Nummer(icon->nummer) == icon;
}
int32_t Reihe(const s_icon* i) { return std::clamp<int32_t>(i->Pri, 0, MAX_SCREEN_ICON_PRIORITY); }

bool Rechteck_Trifft(int32_t modus, int32_t x, int32_t y, int32_t br, int32_t ho, int32_t x0, int32_t y0, int32_t x1,
                     int32_t y1) {
    if (modus & 0x2) return x >= x0 && x + br <= x1 && y >= y0 && y + ho <= y1;
    return x + br >= x0 && x <= x1 && y + ho >= y0 && y <= y1;
}

// The structure of the button a click or a wheel step moves, or null, said in the log.
s_scrollbar* Klick_Struktur(s_icon* button) {
    if (!button) {
        Debug_Printf("Menue_Scrollbar_Klick: icon=NULL!\n");
        return nullptr;
    }
    s_scrollbar* sc = Struktur(button);
    if (!sc) Debug_Printf("Menue_Scrollbar_Klick: Kein Scr_Icon!\n");
    return sc;
}

}  // namespace

void Menue_Senkrechter_Balken(s_icon* track, s_icon* knopf, s_scrollbar* sc, int32_t track_nr, int32_t knopf_nr,
                              int32_t x, int32_t y, int32_t hoehe, int32_t knopf_dx, int32_t knopf_h,
                              int32_t track_bild, int32_t knopf_bild, ScrollbarProc proc) {
    *sc = s_scrollbar{};
    sc->proc = proc;
    sc->fest_x = int16_t(x + knopf_dx);
    sc->y_min = int16_t(y);
    sc->y_max = int16_t(y + hoehe - knopf_h);
    *track = Menue_Icon_Neu(track_nr, x, y, track_bild, 0, 3);
    track->Status = ICON_ST_KEY;
    track->Main_P = Menue_Scrollbar_Klick;
    track->partner = int16_t(knopf_nr);
    *knopf = Menue_Icon_Neu(knopf_nr, x + knopf_dx, y, knopf_bild, ICON_TYP_SCROLLBUTTON | ICON_TYP_BEWEGLICH, 4);
    knopf->Status = ICON_ST_KEY;
    knopf->daten = sc;
    knopf->partner = int16_t(track_nr);
}

int32_t Menue_Abs_Balkenpos(s_icon* icon) {
    const s_scrollbar* sc = Struktur(icon);
    if (!sc) {
        Debug_Printf("Menue_Abs_Balkenpos: sc=NULL!\n");
        return -1;
    }
    // An empty range has one place only: position 0 (it divided by zero).
    if (sc->positionen < 2 || Max(sc) <= Min(sc)) return 0;
    // The coordinate is kept within the range, so the position is one of the bar's.
    const int64_t k = Im_Bereich(sc, Koordinate(icon, sc)) - Min(sc);
    return int32_t(int64_t(sc->positionen - 1) * k / (Max(sc) - Min(sc)));
}

void Menue_Scrollbar_Aufrufen(ScrollbarProc proc, s_icon* icon, int32_t wert, int32_t flag) {
    if (!proc) return;
    if (g.gemerkt && g.letzte_proc == proc && g.letzter_wert == wert) return;
    g.gemerkt = true;
    g.letzte_proc = proc;
    g.letzter_wert = wert;
    proc(icon, wert, flag);
}

void Menue_Scrollbar_Klick(s_icon* track, int32_t) {
    s_icon* button = track ? Partner(track) : nullptr;
    s_scrollbar* sc = Klick_Struktur(button);
    if (!sc) return;
    // The button's middle goes to the mouse.
    const int32_t koord = Senkrecht(sc) ? Maus(true) - button->ho / 2 : Maus(false) - button->br / 2;
    Setzen(button, sc, Im_Bereich(sc, koord));
    Menue_Scrollbar_Aufrufen(sc->proc, button, Menue_Abs_Balkenpos(button), SCROLL_GESETZT);
}

void Menue_Scrollbar_Klick_Ausfuehren(s_icon* button, int32_t schritte) {
    s_scrollbar* sc = Klick_Struktur(button);
    if (!sc) return;
    // A bar of fewer than 2 positions is hidden and has no step.
    if (sc->positionen < 2) return;
    const int64_t schritt = (Max(sc) - Min(sc)) / sc->positionen + 2;
    const int64_t ziel = Koordinate(button, sc) + schritt * schritte;
    Setzen(button, sc, Im_Bereich(sc, int32_t(std::clamp<int64_t>(ziel, INT32_MIN, INT32_MAX))));
    Menue_Scrollbar_Aufrufen(sc->proc, button, Menue_Abs_Balkenpos(button), SCROLL_GESETZT);
}

void Menue_Scrollbuttonpos_Zuweisen(s_icon* button) {
    if (!button) {
        Debug_Printf("Menue_Scrollbuttonpos_Zuweisen: icon==NULL!\n");
        return;
    }
    const s_scrollbar* sc = Struktur(button);
    if (!sc) return;
    // A stored coordinate outside the range (another screen's bar under the
    // same number, an older game) would put the button off its track.
    (Senkrecht(sc) ? button->y : button->x) = int16_t(Im_Bereich(sc, Menue_Icon_Zustand(button->nummer)));
}

void Menue_Scrollbar_Sichtbarkeit(s_icon* button) {
    const s_scrollbar* sc = Struktur(button);
    if (!sc) return;
    const bool versteckt = sc->positionen < 2;
    // A button being dragged stays hidden: the moving picture stands for it.
    if (versteckt || Menue_Get_Maus_Ereignis() != button) Sichtbar_Setzen(button, versteckt);
    Sichtbar_Setzen(Partner(button), versteckt);
}

void Menue_Scrollbutton_Greifen(s_icon* button, int32_t* greif_x, int32_t* greif_y) {
    const s_scrollbar* sc = Struktur(button);
    if (!sc || !greif_x || !greif_y) return;
    *(Senkrecht(sc) ? greif_x : greif_y) = 0;
}

void Menue_Scrollbutton_Ziehen(s_icon* button, int32_t x, int32_t y) {
    s_scrollbar* sc = Struktur(button);
    if (!sc) return;
    const bool senkrecht = Senkrecht(sc);
    const int32_t koord = Im_Bereich(sc, senkrecht ? y : x);
    if (koord < Min(sc) || koord > Max(sc)) Debug_Printf("Moven: Scrollbutton-Pos falsch!\n");
    if (senkrecht && sc->fest_x != -1) button->x = sc->fest_x;
    if (!senkrecht && sc->fest_y != -1) button->y = sc->fest_y;
    Setzen(button, sc, koord);
    Menue_Scrollbar_Aufrufen(sc->proc, button, Menue_Abs_Balkenpos(button), SCROLL_ZIEHEN);
}

void Menue_Scrollbutton_Loslassen(s_icon* button) {
    if (!button) return;
    button->Status &= ~ICON_ST_VERSTECKT;
    // Called directly: through the caching caller the end of a drag would be
    // dropped, as its value is the one of the drag's last step.
    if (s_scrollbar* sc = Struktur(button); sc && sc->proc) sc->proc(button, Menue_Abs_Balkenpos(button), SCROLL_GESETZT);
}

void Menue_Scrollbars_Vorbereiten(uint8_t modal) {
    g.anz_knoepfe = 0;
    g.screen_markiert = false;
    for (int32_t p = MAX_SCREEN_ICON_PRIORITY; p >= 0; --p)
        for (int32_t s = Menue_Hoechster_Slot(p); s >= 0; --s) {
            s_icon* i = Menue_Slot(p, s);
            if (i && (!modal || (i->typ & ICON_TYP_MODAL))) Menue_Scrollbar_Sichtbarkeit(i);
        }
}

void Menue_Scrollbars_Merken(s_icon* i, int32_t br, int32_t ho) {
    if (!i || (i->Status & ICON_ST_VERSTECKT)) return;
    bool sichtbar;
    if (i->scrollscreen >= 0) {
        const Scrollscreen& ss = g.screen;
        sichtbar = i->scrollscreen == 0 &&
                   Rechteck_Trifft(0, i->x, i->y, br, ho, ss.fenster_x, ss.fenster_y, ss.fenster_x + ss.fenster_br,
                                   ss.fenster_y + ss.fenster_ho);
        if (sichtbar) g.screen_markiert = true;
    } else {
        sichtbar = i->x >= i->clip_x0 && i->y >= i->clip_y0 && i->x + br <= i->clip_x1 && i->y + ho <= i->clip_y1;
    }
    if (!sichtbar || !(i->typ & ICON_TYP_SCROLLBUTTON)) return;
    if (g.anz_knoepfe >= MAX_SCROLLBUTTONS) {
        Debug_Printf("Menue_Screen_Refresh: anz_scrollbuttons zu klein!\n");
        return;
    }
    g.knoepfe[g.anz_knoepfe++] = i;
}

void Menue_Scrollbars_Aufrufen() {
    if (g.screen_markiert && g.screen.zeichnen) g.screen.zeichnen(0, SCROLL_REFRESH);
    const int32_t anz = g.anz_knoepfe;
    g.anz_knoepfe = 0;
    s_icon* liste[MAX_SCROLLBUTTONS];
    std::copy(g.knoepfe, g.knoepfe + anz, liste);
    for (int32_t p = 0; p < MENUE_PRIORITAETEN; ++p)
        for (int32_t k = 0; k < anz; ++k) {
            s_icon* b = liste[k];
            // A bar procedure may have removed the others.
            if (Reihe(b) != p || !Auf_Screen(b)) continue;
            if (s_scrollbar* sc = Struktur(b)) Menue_Scrollbar_Aufrufen(sc->proc, b, Menue_Abs_Balkenpos(b), SCROLL_REFRESH);
        }
}

Scrollscreen* Menue_Get_Scrollscreen(int32_t nr) {
    if (nr != 0) {
        Debug_Printf("Menue_Get_Scrollscreen: nr falsch!\n");
        return nullptr;
    }
    return &g.screen;
}

void Menue_Scrollscreen_Freigeben() {
    g.screen.bitmap = Rastport_Free(g.screen.bitmap);
    g.screen.vorher = -1;
    g.screen.position = 0;
    // The caching caller's pair belongs to the screen gone: the next screen's
    // bar reports its first position even when procedure and value repeat.
    g.gemerkt = false;
    g.letzte_proc = nullptr;
    g.letzter_wert = 0;
}

void Menue_Kill_Scrollscreen(int32_t nr) {
    if (nr != 0) {
        Debug_Printf("Menue_Kill_Scrollscreen: nr falsch!\n");
        return;
    }
    Menue_Scrollscreen_Freigeben();
    for (int32_t p = 0; p < MENUE_PRIORITAETEN; ++p)
        for (int32_t s = 0; s <= Menue_Hoechster_Slot(p); ++s)
            if (s_icon* i = Menue_Slot(p, s); i && i->scrollscreen == 0) Menue_Screen_Icon_Loeschen(-1, i);
    const int32_t knopf = g.screen.scrollbutton;
    if (s_icon* b = knopf >= 0 && Menue_Screen_Icon_Ist_Vorhanden(knopf) ? Menue_Screen_Icon_Aus_Nummer(knopf) : nullptr) {
        s_icon* track = Partner(b);
        Menue_Screen_Icon_Loeschen(-1, b);
        if (track) Menue_Screen_Icon_Loeschen(-1, track);
    }
}

bool Menue_Scrollscreen_Getroffen(int32_t modus, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const Scrollscreen& ss = g.screen;
    return ss.bitmap && Rechteck_Trifft(modus, ss.fenster_x, ss.fenster_y, ss.fenster_br, ss.fenster_ho, x0, y0, x1, y1);
}

Rastport* Menue_Screen_Icon_Scroll_Bitmap(int32_t nr) {
    Scrollscreen* ss = Menue_Get_Scrollscreen(nr);
    if (!ss) return nullptr;
    if (!ss->bitmap) {
        ss->bitmap = Rastport_Create(ss->inhalt_br, ss->inhalt_ho, Rastport_Screen_Depth(), 0, 0);
        if (!ss->bitmap)
            Debug_Printf("Menue_Screen_Icon_Scroll_Bitmap: Kein Speicher f. Nr. %d (br=%d, ho=%d)\n", nr, ss->inhalt_br,
                         ss->inhalt_ho);
    }
    return ss->bitmap;
}

Rastport* Menue_Blit_Rastport(s_icon* icon, int32_t* x, int32_t* y) {
    if (!icon || !x || !y) {
        Debug_Printf("Menue_Blit_Rastport: x||y||s_icon==NULL!\n");
        return nullptr;
    }
    const Scrollscreen& ss = g.screen;
    if (icon->scrollscreen != 0 || !ss.bitmap) {
        *x = icon->x;
        *y = icon->y;
        return Rastport_Target();
    }
    const bool senkrecht = ss.flags & 0x2;
    *x = icon->x - ss.fenster_x + (senkrecht ? 0 : ss.position);
    *y = icon->y - ss.fenster_y + (senkrecht ? ss.position : 0);
    return ss.bitmap;
}

void Menue_Universale_Scroll_Prozedur(s_icon* button, int32_t, int32_t flag) {
    if (!button) {
        Debug_Printf("Menue_Universale_Scroll_Prozedur: s_icon==NULL!\n");
        return;
    }
    const s_scrollbar* sc = Struktur(button);
    if (!sc) {
        Debug_Printf("Menue_Universale_Scroll_Prozedur: s_icon ohne scrollbar_type!\n");
        return;
    }
    Menue_Universale_Scroll_Blit_Prozedur(sc->scrollscreen, flag);
}

void Menue_Universale_Scroll_Blit_Prozedur(int32_t nr, int32_t) {
    if (nr != 0) {
        Debug_Printf("Menue_Universale_Scroll_Prozedur: pseudonr ungültig!\n");
        return;
    }
    Scrollscreen& ss = g.screen;
    Rastport* inhalt = Menue_Screen_Icon_Scroll_Bitmap(nr);
    Rastport* ziel = Rastport_Target();
    if (inhalt && ziel) {
        if (ss.hg_slave != -1)
            if (Rastport* hg = Menue_Get_Slave_Rastport(ss.hg_slave, nullptr))
                Rastport_Blit(hg, 0, 0, -1, -1, ziel, ss.fenster_x + ss.hg_x, ss.fenster_y + ss.hg_y,
                              (ss.flags & 0x4) ? BlitMode_Key : BlitMode_Default);
        const bool senkrecht = ss.flags & 0x2;
        Rastport_Blit(inhalt, senkrecht ? 0 : ss.position, senkrecht ? ss.position : 0, ss.fenster_br, ss.fenster_ho, ziel,
                      ss.fenster_x, ss.fenster_y, BlitMode_Key);
        if (ss.zeichnen)
            for (int16_t n : ss.overlay) {
                s_icon* i = n >= 0 ? Menue_Screen_Icon_Aus_Nummer(n) : nullptr;
                if (!Auf_Screen(i) || (i->Status & ICON_ST_VERSTECKT)) continue;
                if (i->zeichnen) i->zeichnen(i, i->x, i->y, 0);
                if (Rastport* rp = Menue_Screen_Icon_Rastport(i, nullptr, nullptr))
                    Rastport_Blit(rp, 0, 0, -1, -1, ziel, i->x, i->y, BlitMode_Key);
            }
    }
    const int32_t delta = ss.vorher == -1 ? ss.position : ss.position - ss.vorher;
    ss.vorher = ss.position;
    const bool senkrecht = ss.flags & 0x2;
    for (int32_t p = 0; p <= 25; ++p)
        for (int32_t s = 0; s <= Menue_Hoechster_Slot(p); ++s)
            if (s_icon* i = Menue_Slot(p, s); i && i->scrollscreen == nr) (senkrecht ? i->y : i->x) -= int16_t(delta);
}

void Menue_Scrollscreen_Rasterbreite_Festlegen(int32_t nr) {
    Scrollscreen* ss = Menue_Get_Scrollscreen(nr);
    if (!ss) {
        Debug_Printf("Menue_Scrollscreen_sc->Rasterbreite_Festlegen: ss=NULL\n");
        return;
    }
    s_icon* button = ss->scrollbutton >= 0 ? Menue_Screen_Icon_Aus_Nummer(ss->scrollbutton) : nullptr;
    s_scrollbar* sc = Struktur(button);
    if (!sc) {
        Debug_Printf("Menue_Scrollscreen_Rasterbreite_Festlegen: scrollbutton_icon=NULL\n");
        return;
    }
    const int32_t fenster = (ss->flags & 0x2) ? ss->fenster_ho : ss->fenster_br;
    const bool noetig = fenster < ss->inhalt_ende - ss->inhalt_start;
    Sichtbar_Setzen(button, !noetig);
    Sichtbar_Setzen(Partner(button), !noetig);
    if (noetig && Max(sc) > Min(sc)) {
        sc->faktor = float(ss->inhalt_ende - fenster) * 100.0f / float(Max(sc) - Min(sc));
    } else {
        sc->faktor = 0;
        if (!noetig) ss->position = 0;
    }
}

int32_t Menue_Abs_Balkenpos_Setzen(s_icon* button) {
    s_scrollbar* sc = Struktur(button);
    if (!sc) {
        Debug_Printf("Menue_Abs_Balkenpos: sc=NULL!\n");
        return -1;
    }
    Scrollscreen* ss = Menue_Get_Scrollscreen(sc->scrollscreen);
    if (!ss) return -1;
    Menue_Scrollscreen_Rasterbreite_Festlegen(sc->scrollscreen);
    const int32_t zustand = Menue_Icon_Zustand(button->nummer);
    if (zustand < 0 || zustand > Max(sc)) Debug_Printf("Menue_Abs_Balkenpos: Scrollbutton-Pos falsch!\n");
    ss->position = int32_t(float(zustand - Min(sc)) * sc->faktor / 100.0f);
    return ss->position;
}

void Menue_Dynamischen_Scrollbar_Korrigieren(Scrollscreen* ss) {
    if (!ss) {
        Debug_Printf("Menue_Dynamischen_Scrollbar_Korrigieren: ss==NULL\n");
        return;
    }
    ss->vorher = ss->position;
}

}  // namespace velmora
