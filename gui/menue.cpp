// gui/menue.cpp - the Menue frame: mouse input over the icon tables, clicks,
// auto-repeat, hover, drag and drop with snap rasters, wheel steps and the
// hooked procedures.
#include "gui/menue.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "core/debug.h"
#include "core/stoppuhr.h"
#include "core/taste.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"
#include "gui/menue_eingabefeld.h"
#include "gui/menue_film.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"
#include "gui/menue_scrollbar.h"
#include "media/sound.h"
#include "platform/display.h"

namespace velmora {
namespace {

struct HookSlot {
    MenueHookProc proc = nullptr;
    void* argument = nullptr;
    int32_t intervall = 0;
    uint32_t faellig = 0;
};

constexpr int32_t MAX_TREFFER = 700;
constexpr int32_t SAMPLE_KLICK = 9;
constexpr int32_t SAMPLE_KLICK_EINGABE = 10;
constexpr int32_t STOPPUHR_ZIEHEN = 0;
constexpr int32_t STOPPUHR_HOVER = 2;
constexpr int32_t KEIN_SIEGER = 9999;

struct MenueModul {
    MenueHooks hooks;
    HookSlot hook[MENUE_HOOK_SLOTS];
    s_icon* hover = nullptr;
    s_icon* bewegt = nullptr;          // the icon being moved
    Rastport* bewegt_bild = nullptr;   // its moving picture
    IconZeichnen bewegt_zeichnen = nullptr;
    int32_t greif_x = 0, greif_y = 0;  // grab offset
    int32_t pos_x = 0, pos_y = 0;      // top-left plus grab offset of the last frame
    int32_t maus_pos_x = 0, maus_pos_y = 0;   // top-left of the moving picture
    s_icon* gedrueckt = nullptr;       // drawn pressed
    s_icon* klick_ziel = nullptr;
    int32_t klick_zustand = 0;         // 0 idle, 1 armed, 2 firing
    uint32_t gespeicherter_klick = 0;
    s_icon* wartend = nullptr;         // a movable icon pressed, not yet a click or a drag
    int32_t wartend_x = 0, wartend_y = 0;
    uint32_t wartend_knoepfe = 0;
    int32_t aufloesung = 0;            // 0 open, 1 click, 2 drag
    int32_t intervall = 400;
    uint32_t letzte_wiederholung = 0;
    int32_t over_info = -1;            // the icon number that last received 0x10
    // The icon clicked last: its help, which told what the click would do,
    // stays away until the pointer rests on another icon or on none.
    int32_t hilfe_aus = -1;
    s_icon* treffer[MAX_TREFFER] = {};
    int32_t anz_treffer = 0;
    int32_t rechtsklick = -1;
    int32_t taste_return = -1, taste_escape = -1;   // the buttons Return and Escape fire
    int32_t tasten_vorher[2] = {-1, -1};            // the buttons the keys named at the frame before
    int32_t rad = 0;                   // pending wheel steps
    bool rad_gesperrt = false;         // hits wait while a wheel step is handled
    uint32_t rad_sperre = 0;           // the time of that wheel step
    bool gemeldet_maus = false;
    uint32_t knoepfe_vorher = 0;       // the buttons read at the start of the last check
};
MenueModul g;

int32_t Maus_X_Lesen() { return g.hooks.maus_x ? g.hooks.maus_x() : -1; }
int32_t Maus_Y_Lesen() { return g.hooks.maus_y ? g.hooks.maus_y() : -1; }
uint32_t Knoepfe_Lesen() {
    if (!g.hooks.maus_klick) {
        if (!g.gemeldet_maus) Debug_Printf("Menue_Icons_Check: keine Maus angebunden\n");
        g.gemeldet_maus = true;
        return 0;
    }
    return g.hooks.maus_klick();
}

void Hilfe_Stoppen() {
    if (g.hooks.hilfe_stoppen) g.hooks.hilfe_stoppen();
}
void Wippe_Ende(s_icon* icon) {
    if (icon && g.hooks.wippe_ende) g.hooks.wippe_ende(icon);
}

bool Getroffen(const s_icon* i, int32_t mx, int32_t my) {
    if (mx < i->clip_x0 || mx >= i->clip_x1 || my < i->clip_y0 || my >= i->clip_y1) return false;
    if (i->typ & ICON_TYP_PIXELGENAU) {
        Rastport* rp = Menue_Screen_Icon_Rastport(const_cast<s_icon*>(i), nullptr, nullptr);
        const int32_t px = mx - i->x, py = my - i->y;
        if (!rp || px < 0 || py < 0 || px >= int32_t(rp->width) || py >= int32_t(rp->height)) return false;
        if (rp->mask) return (rp->mask[(py * rp->width + px) / 8] >> ((py * rp->width + px) % 8)) & 1;
        const uint16_t* p = Rastport_Pixels16(rp);
        return p && p[py * rp->width + px] != 0;
    }
    const int32_t extra = (i->typ & ICON_TYP_VORRANG) ? 10 : 0;
    return mx >= i->x && mx < i->x + i->br && my >= i->y && my < i->y + i->ho + extra;
}

void Hooks_Aufrufen(uint32_t jetzt) {
    for (HookSlot& h : g.hook) {
        if (!h.proc) continue;
        if (h.faellig < jetzt) {
            h.faellig = jetzt + uint32_t(h.intervall);
            h.proc(h.argument, EV_HOOK_FAELLIG);
        } else {
            h.proc(h.argument, EV_HOOK_NICHT_FAELLIG);
        }
    }
}

void Hover_Beenden() {
    if (!g.hover) return;
    g.hilfe_aus = -1;
    Hilfe_Stoppen();
    Menue_Mouse_Not_Over_Info(g.hover, g.bewegt, 1, EV_VERLASSEN);
    Wippe_Ende(g.hover);
    g.hover = nullptr;
}

// A click ends the hover without the leaving event, so a button that opened
// a screen is not entered again at once. When the pointer then rests on
// another icon or on none, the icon entered last gets its leaving event, so
// it is entered again when the pointer comes back.
void Over_Info_Beenden(const s_icon* neu) {
    if (g.over_info < 0 || (neu && neu->nummer == g.over_info) || g.bewegt) return;
    s_icon* alt = Menue_Screen_Icon_Ist_Vorhanden(g.over_info) ? Menue_Screen_Icon_Aus_Nummer(g.over_info) : nullptr;
    if (alt) Menue_Mouse_Not_Over_Info(alt, nullptr, 1, EV_VERLASSEN);
    g.over_info = -1;
}

void Bewegung_Beenden() {
    Hilfe_Stoppen();
    g.over_info = -1;
    Wippe_Ende(g.hover);
    g.hover = nullptr;
    g.bewegt = nullptr;
    g.bewegt_bild = nullptr;
    g.bewegt_zeichnen = nullptr;
}

// The drag update of a frame: the new position, confined and snapped, and the
// moving picture drawn at it.
void Ziehen_Aktualisieren(int32_t mx, int32_t my) {
    s_icon* i = g.bewegt;
    Rastport* bild = g.bewegt_bild;
    const int32_t w = bild ? int32_t(bild->width) : i->br, h = bild ? int32_t(bild->height) : i->ho;
    int32_t x = mx - g.greif_x, y = my - g.greif_y;
    if (i->typ & ICON_TYP_SCROLLBUTTON) {
        Menue_Scrollbutton_Ziehen(i, x, y);
        x = i->x;
        y = i->y;
    } else if (s_icon_move* m = i->move) {
        if (m->flags & 0x4 && m->proc) m->proc(i, i, x, y, EV_BEWEGT);
        int32_t x0 = 0, y0 = 0, x1 = 799, y1 = 599;
        if (m->x0 != -1) {
            x0 = m->x0;
            y0 = m->y0;
            x1 = m->x1;
            y1 = m->y1;
        }
        x = std::max(x0, std::min(x, x1 - w));
        y = std::max(y0, std::min(y, y1 - h));
    }
    if (i->raster) {
        int32_t rx = mx, ry = my;
        if (Menue_Check_Icon_Raster(i->raster, &rx, &ry)) {
            x = rx;
            y = ry;
            g.greif_x = 0;
            g.greif_y = 0;
        }
    }
    Rastport* ziel = Rastport_Target();
    if ((i->Status & ICON_ST_AN_UNTER_BEWEGT) && Menue_Icon_Zustand(i->nummer) && i->bild_an != -1)
        if (Rastport* an = Menue_Get_Slave_Rastport(i->bild_an, nullptr))
            Rastport_Blit(an, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
    if (bild) {
        if (i->Status & ICON_ST_HALB)
            Blit_Alpha(bild, 0, 0, -1, -1, ziel, x, y, 50);
        else
            Rastport_Blit(bild, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
    }
    g.maus_pos_x = x;
    g.maus_pos_y = y;
    if (g.bewegt_zeichnen) g.bewegt_zeichnen(i, x, y, 1);
    g.pos_x = x + g.greif_x;
    g.pos_y = y + g.greif_y;
}

// The button of a moved icon was released: the drop.
int32_t Ablegen(int32_t mx, int32_t my) {
    s_icon* i = g.bewegt;
    if (i->typ & ICON_TYP_SCROLLBUTTON) {
        Menue_Scrollbutton_Loslassen(i);
        Bewegung_Beenden();
        return 0;
    }
    s_icon_move* m = i->move;
    if (!m) {
        Debug_Printf("Menue_Icons_Check: Icon %d ohne Move-Struktur!\n", i->nummer);
        i->Status &= ~ICON_ST_VERSTECKT;
        Bewegung_Beenden();
        return 0;
    }
    if (!(m->flags & 0x1)) i->Status &= ~ICON_ST_VERSTECKT;
    s_icon* ziel = g.hover;
    bool angenommen = m->gruppe == 0xFF || !(m->flags & 0x8);
    if (!angenommen && ziel && (ziel != i || (i->Status & ICON_ST_AUF_SICH)) && ziel->gruppe != 0xFF &&
        (ziel->gruppe & m->gruppe)) {
        angenommen = m->x0 == -1 || (mx >= m->x0 && mx <= m->x1 && my >= m->y0 && my <= m->y1);
    }
    const int32_t x = g.pos_x - g.greif_x, y = g.pos_y - g.greif_y;
    Bewegung_Beenden();
    if (angenommen && m->proc) {
        m->proc(i, ziel, x, y, EV_ABGELEGT);
        Schatten_Cache_Leeren();
    }
    return 1;
}

void Bewegung_Starten(s_icon* i, int32_t mx, int32_t my) {
    g.bewegt = i;
    Hilfe_Stoppen();
    s_icon_move* m = i->move;
    Rastport* bild = m ? m->bild : nullptr;
    if (!bild && m && m->slave != -1) bild = Menue_Get_Slave_Rastport(m->slave, nullptr);
    if (!bild) bild = Menue_Screen_Icon_Rastport(i, nullptr, nullptr);
    g.bewegt_bild = bild;
    g.bewegt_zeichnen = m && (m->flags & 0x2) ? i->zeichnen : (m ? m->zeichnen : nullptr);
    if (!(m && (m->flags & 0x1)) || (i->typ & ICON_TYP_SCROLLBUTTON)) i->Status |= ICON_ST_VERSTECKT;
    if (bild && int32_t(bild->width) == i->br && int32_t(bild->height) == i->ho) {
        g.greif_x = mx - i->x;
        g.greif_y = my - i->y;
    } else {
        g.greif_x = bild ? int32_t(bild->width) / 2 : 0;
        g.greif_y = bild ? int32_t(bild->height) / 2 : 0;
    }
    if (i->typ & ICON_TYP_SCROLLBUTTON) Menue_Scrollbutton_Greifen(i, &g.greif_x, &g.greif_y);
    g.pos_x = i->x;
    g.pos_y = i->y;
    Stoppuhr_Start(STOPPUHR_HOVER);
}

int32_t Wertung(const s_icon* i, int32_t mx, int32_t my, bool rad) {
    int32_t w;
    if (!rad) {
        const double dx = i->x + i->br / 2.0 - mx, dy = i->y + i->ho / 2.0 - my;
        w = int32_t(std::sqrt(dx * dx + dy * dy)) - 1000 * i->Pri;
    } else if ((i->typ & ICON_TYP_SCROLLBUTTON) && i->partner >= 0 && Menue_Screen_Icon_Aus_Nummer(i->partner)) {
        const s_icon* p = Menue_Screen_Icon_Aus_Nummer(i->partner);
        const double dx = p->x + p->br / 2.0 - mx, dy = p->y + p->ho / 2.0 - my;
        w = int32_t(std::sqrt(dx * dx + dy * dy));
    } else {
        w = 2000000;
    }
    if (i->typ & ICON_TYP_VORRANG) w -= 2000;
    if (i->Status & ICON_ST_GESPERRT) w += 2;
    return w;
}

// A click on the hovered icon (or the resolved pending one) with `knoepfe`.
// Returns -2 to go on with the pass, else the check's result.
int32_t Klick(s_icon* i, uint32_t knoepfe, uint32_t jetzt) {
    const bool links = knoepfe & 1;
    const bool rechts = !links && (knoepfe & 2);
    const bool wiederholen = i->Status & ICON_ST_WIEDERHOLEN;
    const bool eingabe = i->typ & ICON_TYP_EINGABE;
    int32_t sample = -1;
    if (!(i->typ & ICON_TYP_LEISE)) sample = eingabe ? (rechts ? SAMPLE_KLICK_EINGABE : -1) : SAMPLE_KLICK;
    int32_t ereignis = links ? EV_LINKS : EV_RECHTS;
    if (links && !wiederholen && g.klick_ziel == nullptr) g.klick_ziel = i;
    if (!wiederholen && g.klick_ziel == i && g.gedrueckt == i) {
        Menue_Mouse_Over_Info(i, g.bewegt);
        return -2;
    }
    bool rufen = !wiederholen;
    if (wiederholen && g.letzte_wiederholung + uint32_t(g.intervall) < jetzt && knoepfe) rufen = true;
    // An input field adds the half of its rocker nearest to the click; a field
    // the framework steps itself is stepped when the button goes down.
    if (eingabe && links)
        ereignis |= Menue_Wippe_Klick(i, Maus_X_Lesen(), Maus_Y_Lesen(), wiederholen ? rufen : g.klick_zustand != 2);
    if (links && wiederholen && (i->Status & ICON_ST_DRUCK)) g.gedrueckt = i;
    if (!wiederholen) g.gedrueckt = i;
    if (links && !(i->typ & ICON_TYP_BEWEGLICH) && !wiederholen && g.klick_zustand != 2) {
        g.gespeicherter_klick = knoepfe;
        g.klick_zustand = 1;
        return -1;
    }
    if (rufen) {
        if (g.intervall > 50) g.intervall -= 50;
        if (g.intervall < 350) g.intervall = 50;
        if (sample >= 0) Sample_Spielen_Lautstaerke(sample, false, 100);
        g.hilfe_aus = i->nummer;
        Hilfe_Stoppen();
        if (i->Main_P) i->Main_P(i, ereignis);
        g.letzte_wiederholung = jetzt;
    }
    if (!wiederholen) {
        g.gespeicherter_klick = 0;
        g.gedrueckt = nullptr;
        g.klick_ziel = nullptr;
    }
    if (rechts && g.hooks.rechts_sperre) g.hooks.rechts_sperre();
    Schatten_Cache_Leeren();
    if (!wiederholen) g.hover = nullptr;
    g.klick_zustand = 0;
    Stoppuhr_Start(STOPPUHR_HOVER);
    if (!g.hover) return 2;
    if (eingabe) return 1;
    const bool track = g.hover->Main_P == Menue_Scrollbar_Klick;
    Wippe_Ende(g.hover);
    return track ? 1 : 2;
}

}  // namespace

MenueHooks& Menue_Hooks() { return g.hooks; }

uint32_t Menue_Get_Zeit() { return Zeit_Ms(); }

void Menue_Set_Rechtsklick_Icon(int32_t nummer) { g.rechtsklick = nummer; }

void Menue_Set_Tasten_Icons(int32_t return_icon, int32_t escape_icon) {
    g.taste_return = return_icon;
    g.taste_escape = escape_icon;
}
int32_t Menue_Get_Rechtsklick_Icon() { return g.rechtsklick; }
s_icon* Menue_Get_Maus_Ereignis() { return g.bewegt; }
s_icon* Menue_Get_Aktuelles_Icon() { return g.hover; }
s_icon* Menue_Get_Gedrueckt() { return g.gedrueckt; }

void Menue_Maus_Position(int32_t* x, int32_t* y) {
    if (x) *x = Maus_X_Lesen();
    if (y) *y = Maus_Y_Lesen();
}

s_icon* Menue_Icon_An(int32_t x, int32_t y) {
    const uint8_t modal = Menue_Get_Zustand_Byte();
    s_icon* sieger = nullptr;
    int32_t beste = KEIN_SIEGER;
    for (int32_t p = MAX_SCREEN_ICON_PRIORITY; p >= 0; --p)
        for (int32_t s = Menue_Hoechster_Slot(p); s >= 0; --s) {
            s_icon* i = Menue_Slot(p, s);
            if (!i || (i->Status & ICON_ST_VERSTECKT) || (i->typ & ICON_TYP_PASSIV)) continue;
            if (modal && !(i->typ & ICON_TYP_MODAL)) continue;
            if (!Getroffen(i, x, y)) continue;
            const int32_t w = Wertung(i, x, y, false);
            if (w < beste) {
                beste = w;
                sieger = i;
            }
        }
    return sieger;
}

bool Menue_Maus_Ueber_Icon() { return Menue_Icon_An(Maus_X_Lesen(), Maus_Y_Lesen()) != nullptr; }

void Menue_Get_Mausposition(int32_t* x, int32_t* y) {
    if (!x || !y) {
        Debug_Printf("Menue_Get_Mausposition: Parameter=NULL!\n");
        return;
    }
    *x = g.maus_pos_x;
    *y = g.maus_pos_y;
}

int32_t Menue_Icon_Zustand(int32_t nummer) {
    return g.hooks.icon_zustand ? g.hooks.icon_zustand(nummer) : 0;
}

void Menue_Hook_Procedure(MenueHookProc proc, void* argument, int32_t entfernen, int32_t intervall) {
    if (!proc) {
        Debug_Printf("Menue_Hook_Procedure: Procedure=NULL!\n");
        return;
    }
    if (!entfernen) {
        int32_t benutzt = 0;
        for (const HookSlot& h : g.hook) benutzt += h.proc != nullptr;
        if (benutzt >= MENUE_HOOK_SLOTS) {
            Debug_Printf("Zuviele Hooked-Procedures!\n");
            return;
        }
        for (HookSlot& h : g.hook)
            if (!h.proc) {
                h = HookSlot{proc, argument, intervall, Menue_Get_Zeit() - 1};
                return;
            }
        Debug_Printf("Keine Freie Hook-Procedure!\n");
        return;
    }
    for (HookSlot& h : g.hook)
        if (h.proc == proc && h.argument == argument) {
            h = HookSlot{};
            return;
        }
    Debug_Printf("Hook-Procedure nicht gefunden!\n");
}

bool Menue_Hook_Ist_Aktiv(MenueHookProc proc, void* argument) {
    for (const HookSlot& h : g.hook) {
        if (!h.proc) continue;
        if (!argument ? h.proc == proc : !proc ? h.argument == argument : h.proc == proc && h.argument == argument)
            return true;
    }
    return false;
}

void Menue_Hooks_Leeren() {
    for (HookSlot& h : g.hook) h = HookSlot{};
}

void Menue_Mouse_Over_Info(s_icon* icon, s_icon* bewegt) {
    if (bewegt || !icon || !(icon->typ & ICON_TYP_MAUS_INFO) || !icon->Main_P || (icon->Status & ICON_ST_GESPERRT))
        return;
    if (icon->nummer != g.over_info || (icon->typ & ICON_TYP_HOVER_JEDES_BILD)) {
        g.over_info = icon->nummer;
        icon->Main_P(icon, EV_BETRETEN);
    }
}

void Menue_Mouse_Not_Over_Info(s_icon* icon, s_icon* bewegt, int32_t leise, int32_t ereignis) {
    if (bewegt || !icon || !(icon->typ & ICON_TYP_MAUS_INFO) || !icon->Main_P || (icon->Status & ICON_ST_GESPERRT))
        return;
    if (icon->nummer == g.over_info) {
        g.over_info = -1;
        icon->Main_P(icon, ereignis);
    } else if (!leise) {
        Debug_Printf("Menue_Mouse_Not_Over_Info: 2x aufgerufen!\n");
    }
}

void Menue_Hover_Entfernen(s_icon* icon) {
    if (!icon) return;
    if (g.hover == icon) {
        Menue_Mouse_Not_Over_Info(icon, g.bewegt, 1, EV_VERLASSEN);
        g.hover = nullptr;
    }
    // A removed icon must not be fired, drawn pressed or moved afterwards.
    if (icon->nummer == g.taste_return) g.taste_return = -1;
    if (icon->nummer == g.taste_escape) g.taste_escape = -1;
    if (g.gedrueckt == icon) g.gedrueckt = nullptr;
    if (g.klick_ziel == icon) g.klick_ziel = nullptr;
    if (g.wartend == icon) g.wartend = nullptr;
    if (g.bewegt == icon) {
        icon->Status &= ~ICON_ST_VERSTECKT;
        g.bewegt = nullptr;
        g.bewegt_bild = nullptr;
        g.bewegt_zeichnen = nullptr;
    }
    for (int32_t k = 0; k < g.anz_treffer; ++k)
        if (g.treffer[k] == icon) g.treffer[k] = nullptr;
}

void Menue_Eingabe_Zuruecksetzen() {
    MenueHooks hooks = g.hooks;
    HookSlot hook[MENUE_HOOK_SLOTS];
    for (int32_t k = 0; k < MENUE_HOOK_SLOTS; ++k) hook[k] = g.hook[k];
    g = MenueModul{};
    g.hooks = hooks;
    for (int32_t k = 0; k < MENUE_HOOK_SLOTS; ++k) g.hook[k] = hook[k];
}

bool Menue_Check_Icon_Raster(const s_icon_raster* raster, int32_t* x, int32_t* y) {
    if (!x || !y) return false;
    const int32_t mx = *x, my = *y;
    int32_t gezaehlt = 0;
    double beste = 99999;
    bool gefunden = false;
    for (const s_icon_raster* r = raster; r; r = r->next) {
        if (gezaehlt >= 300) {
            Debug_Printf("Menue_Check_Icon_Raster: MAX-RASTERSIZE erreicht!\n");
            continue;
        }
        for (int32_t c = 0; c < r->spalten; ++c)
            for (int32_t z = 0; z < r->zeilen; ++z) {
                if (gezaehlt >= 300) break;
                ++gezaehlt;
                const int32_t cx = r->x0 + c * (r->breite + r->x_abstand);
                const int32_t cy = r->y0 + z * (r->hoehe + r->y_abstand);
                const double d = std::hypot(std::abs(mx - (cx + r->breite / 2.0)), std::abs(my - (cy + r->hoehe / 2.0)));
                if (d < beste) {
                    beste = d;
                    *x = cx;
                    *y = cy;
                    gefunden = true;
                }
            }
    }
    if (!gefunden) {
        *x = mx;
        *y = my;
        Debug_Printf("Menue_Check_Icon_Raster: Raster-Fehler!\n");
    }
    return gefunden;
}

namespace {

// The drag update, once a frame while anything is shown; a released button
// drops the moved icon (the frame's result then in `ergebnis`).
bool Ziehen_Schritt(int32_t mx, int32_t my, uint8_t modal, uint32_t knoepfe, int32_t* ergebnis) {
    bool sichtbar = false;
    for (int32_t p = 0; p < MENUE_PRIORITAETEN && !sichtbar; ++p)
        for (int32_t s = 0; s <= Menue_Hoechster_Slot(p) && !sichtbar; ++s) {
            const s_icon* i = Menue_Slot(p, s);
            sichtbar = i && !(i->Status & ICON_ST_VERSTECKT) && (!modal || (i->typ & ICON_TYP_MODAL));
        }
    if (sichtbar) Ziehen_Aktualisieren(mx, my);
    if (knoepfe & 3) return false;
    *ergebnis = Ablegen(mx, my);
    return true;
}

// A turned wheel counts every open scroll button as hit; the wheel then
// rests for a while.
void Rad_Treffer_Sammeln(uint32_t jetzt) {
    int32_t neu = 0;
    for (int32_t q = 0; q < MENUE_PRIORITAETEN; ++q)
        for (int32_t s = 0; s <= Menue_Hoechster_Slot(q); ++s) {
            s_icon* i = Menue_Slot(q, s);
            if (!i || !(i->typ & ICON_TYP_SCROLLBUTTON) || (i->Status & (ICON_ST_VERSTECKT | ICON_ST_GESPERRT)))
                continue;
            if (g.anz_treffer < MAX_TREFFER) {
                g.treffer[g.anz_treffer++] = i;
                ++neu;
            }
        }
    g.rad_gesperrt = true;
    g.rad_sperre = jetzt;
    if (!neu) g.rad = 0;
}

// The hovered icon's help, once it rested a second under the pointer: beside
// the pointer, or above an icon low on the screen.
void Hilfe_Pruefen(int32_t mx, int32_t my, uint8_t hilfe, bool* hilfe_gezeigt) {
    if (*hilfe_gezeigt || !g.hover || !hilfe || g.bewegt || g.hover->nummer == g.hilfe_aus ||
        Stoppuhr_Vergangen(STOPPUHR_HOVER) <= 1000 || !g.hooks.hilfe_zeigen)
        return;
    *hilfe_gezeigt = true;
    const char* text = g.hover->hilfe_proc ? g.hover->hilfe_proc(g.hover) : nullptr;
    if (!text && g.hover->hilfe && g.hover->hilfe[0]) text = g.hover->hilfe;
    if (!text) return;
    if (g.hover->y <= 530)
        g.hooks.hilfe_zeigen(text, mx, my);
    else
        g.hooks.hilfe_zeigen(text, g.hover->x, g.hover->y - 40);
}

// Firing the hovered icon (or the one waiting for a drag to be told from a
// click): its context procedure, a drag's wait, a click. Returns the
// frame's result when the frame ends here, nothing when the icons go on.
// A moved icon fires only when its button is released, which the drag
// update handles.
std::optional<int32_t> Feuern(bool treffer, uint32_t knoepfe, int32_t mx, int32_t my, uint32_t jetzt) {
    if (g.bewegt) return std::nullopt;
    s_icon* h = g.wartend && g.aufloesung ? g.wartend : g.hover;
    if (!h) return std::nullopt;
    const bool kontext_proc = h->kontext != nullptr;
    const uint32_t ausloeser = (h->typ & ICON_TYP_RECHTSKLICK) || kontext_proc ? 3u : 1u;
    const bool feuern = (treffer && (knoepfe & ausloeser)) || (g.wartend && g.aufloesung);
    if (!feuern || ((h->Status & ICON_ST_GESPERRT) && !(g.wartend && g.aufloesung))) return std::nullopt;
    if (auto* t = static_cast<s_icon_text*>(h->daten); (h->typ & ICON_TYP_TEXT) && t && (t->flags & 0x1))
        Schatten_Cache_Leeren();
    if ((kontext_proc && (knoepfe & 2) && !(knoepfe & 1)) ||
        ((h->typ & ICON_TYP_KONTEXT_LINKS) && (knoepfe & 1) && h->kontext)) {
        Hilfe_Stoppen();
        Menue_Mouse_Not_Over_Info(h, g.bewegt, 1, EV_VERLASSEN_KONTEXT);
        g.hover = nullptr;
        h->kontext(h);
        if (g.hooks.rechts_sperre && (knoepfe & 2)) g.hooks.rechts_sperre();
        return 2;
    }
    if (!h->Main_P && !(h->typ & ICON_TYP_BEWEGLICH) && !(h->Status & ICON_ST_DRUCK)) return std::nullopt;
    if ((h->typ & ICON_TYP_BEWEGLICH) && !g.wartend) {
        g.wartend = h;
        g.aufloesung = 0;
        g.wartend_x = mx;
        g.wartend_y = my;
        g.wartend_knoepfe = knoepfe;
        Stoppuhr_Start(STOPPUHR_ZIEHEN);
        return std::nullopt;
    }
    if (g.wartend && g.aufloesung) {
        const int32_t a = g.aufloesung;
        const uint32_t k = g.wartend_knoepfe;
        g.wartend = nullptr;
        g.aufloesung = 0;
        if (a == 2) {
            Bewegung_Starten(h, mx, my);
            return 0;
        }
        g.klick_zustand = 2;
        return Klick(h, k, jetzt);
    }
    if (g.wartend) return std::nullopt;
    const int32_t r = Klick(h, knoepfe, jetzt);
    if (r != -2) return r;
    return std::nullopt;
}

// The icons hit this frame choose one: the best by Wertung becomes the
// hovered icon (a turned wheel scrolls it instead); no hit ends the hover.
void Sieger_Waehlen(int32_t mx, int32_t my) {
    if (g.anz_treffer == 0) {
        g.hilfe_aus = -1;
        Hover_Beenden();
        Over_Info_Beenden(nullptr);
        return;
    }
    const bool rad = g.rad != 0;
    s_icon* sieger = nullptr;
    int32_t beste = KEIN_SIEGER;
    for (int32_t k = 0; k < g.anz_treffer; ++k) {
        s_icon* i = g.treffer[k];
        if (!i) continue;
        const int32_t w = Wertung(i, mx, my, rad);
        if (w < beste) {
            beste = w;
            sieger = i;
        }
    }
    if (!sieger) {
        Hover_Beenden();
        Over_Info_Beenden(nullptr);
        return;
    }
    if (sieger != g.hover) Hover_Beenden();
    Over_Info_Beenden(sieger);
    if (sieger == g.hover && !(sieger->typ & ICON_TYP_HOVER_JEDES_BILD) && !rad) return;
    if (sieger != g.hover) Stoppuhr_Start(STOPPUHR_HOVER);
    g.hover = sieger;
    if (!rad) {
        Menue_Mouse_Over_Info(sieger, g.bewegt);
    } else {
        if (sieger->typ & ICON_TYP_SCROLLBUTTON) {
            if (g.hooks.scrollbar_rad)
                g.hooks.scrollbar_rad(sieger, g.rad);
            else
                Debug_Printf("Menue_Icons_Check: keine Scrollbalken angebunden\n");
        }
        g.hover = nullptr;
    }
    g.rad = 0;
}

// A press that went down in this frame (on a busy machine, a page just
// replaced, right after a click) makes the icon under it the hovered one at
// once: the one the pointer's search names, chosen as a hover is.
void Hover_Sofort(int32_t mx, int32_t my) {
    g.anz_treffer = 0;
    if (s_icon* i = Menue_Icon_An(mx, my)) g.treffer[g.anz_treffer++] = i;
    Sieger_Waehlen(mx, my);
}

}  // namespace

// One frame of the icons: the buttons and the wheel are read, a drag moves
// on, then every shown icon from the highest priority down is looked at
// (hit, hover, help, firing), and the icons hit choose the hovered one.
int32_t Menue_Icons_Check() {
    const uint32_t jetzt = Menue_Get_Zeit();
    const uint8_t hilfe = g.hooks.hilfe_option ? g.hooks.hilfe_option() : 1;
    if (g.rad_gesperrt && jetzt - g.rad_sperre > 500) g.rad_gesperrt = false;
    if (g.hooks.rad_holen) g.rad += g.hooks.rad_holen();
    uint32_t knoepfe = Knoepfe_Lesen();
    const bool frisch = (knoepfe & 1) && (g.hooks.maus_neu ? g.hooks.maus_neu() & 1 : !(g.knoepfe_vorher & 1));
    g.knoepfe_vorher = knoepfe;
    if (!knoepfe) {
        g.intervall = 400;
        g.letzte_wiederholung = jetzt - 500;
    }
    if ((knoepfe & 2) && g.rechtsklick != -1) {
        s_icon* r = Menue_Screen_Icon_Aus_Nummer(g.rechtsklick);
        if (r && r->Main_P) r->Main_P(r, EV_RECHTS);
        if (g.hooks.rechts_sperre) g.hooks.rechts_sperre();
        return -1;
    }
    const int32_t mx = Maus_X_Lesen(), my = Maus_Y_Lesen();
    const uint8_t modal = Menue_Get_Zustand_Byte();
    g.anz_treffer = 0;
    if (frisch && !g.bewegt && !g.wartend && g.klick_zustand != 2 && !g.rad && !g.rad_gesperrt) {
        Hover_Sofort(mx, my);
        g.anz_treffer = 0;
    }

    int32_t abgelegt = 0;
    if (g.bewegt && Ziehen_Schritt(mx, my, modal, knoepfe, &abgelegt)) return abgelegt;

    bool rad_gesammelt = false;
    bool hilfe_gezeigt = false;
    for (int32_t p = MAX_SCREEN_ICON_PRIORITY; p >= 0; --p) {
        if (p == 25 && g.rad && !rad_gesammelt) {
            rad_gesammelt = true;
            Rad_Treffer_Sammeln(jetzt);
        }
        for (int32_t s = Menue_Hoechster_Slot(p); s >= 0; --s) {
            s_icon* i = Menue_Slot(p, s);
            if (!i || (modal && !(i->typ & ICON_TYP_MODAL))) continue;
            Menue_Scrollbar_Sichtbarkeit(i);
            if (g.wartend && g.aufloesung == 0) {
                if (mx != g.wartend_x || my != g.wartend_y)
                    g.aufloesung = 2;
                else if (!(knoepfe & g.wartend_knoepfe))
                    g.aufloesung = 1;
            }
            if (!knoepfe) {
                if (g.gedrueckt && !g.wartend && g.klick_zustand == 1) {
                    knoepfe = g.gespeicherter_klick;
                    g.klick_zustand = 2;
                } else {
                    g.klick_zustand = 0;
                }
                g.gedrueckt = nullptr;
                g.klick_ziel = nullptr;
            }
            if (i->Status & ICON_ST_VERSTECKT) continue;
            Hooks_Aufrufen(jetzt);
            if (Menue_Slot(p, s) != i) continue;   // a hooked procedure removed it
            if (i->typ & ICON_TYP_PASSIV) continue;
            bool treffer = Getroffen(i, mx, my);
            if (treffer && (knoepfe & 1) && i != g.hover && !g.bewegt && !g.wartend && g.klick_zustand != 2) {
                treffer = false;
                knoepfe = 0;
            }
            if (!g.bewegt && g.hover && !Getroffen(g.hover, mx, my)) {
                Hover_Beenden();
                return 1;
            }
            if (!g.bewegt && g.hover && (g.hover->typ & ICON_TYP_EINGABE) && knoepfe != 1) Wippe_Ende(g.hover);
            if (treffer && !g.rad_gesperrt) {
                if (g.anz_treffer < MAX_TREFFER)
                    g.treffer[g.anz_treffer++] = i;
                else
                    Debug_Printf("Menue_Icons_Check: neue_gefunden zu klein!\n");
            }
            if (g.klick_zustand != 2) knoepfe = Knoepfe_Lesen();
            Hilfe_Pruefen(mx, my, hilfe, &hilfe_gezeigt);
            if (const std::optional<int32_t> r = Feuern(treffer, knoepfe, mx, my, jetzt)) return *r;
        }
    }

    Sieger_Waehlen(mx, my);
    if (g.hover != g.gedrueckt) g.gedrueckt = nullptr;
    return 0;
}

namespace {

// Return and Escape on the box on top (see Menue_Set_Tasten_Icons).
void Tasten_Pruefen() {
    const int32_t ziel[2] = {g.taste_return, g.taste_escape >= 0 ? g.taste_escape : g.rechtsklick};
    const bool gleich[2] = {ziel[0] == g.tasten_vorher[0], ziel[1] == g.tasten_vorher[1]};
    g.tasten_vorher[0] = ziel[0];
    g.tasten_vorher[1] = ziel[1];
    const int32_t code = Taste_Get_Code();
    const int32_t k = code == VK_RETURN ? 0 : code == VK_ESCAPE ? 1 : -1;
    if (k < 0 || Taste_Wiederholt() || ziel[k] < 0 || !gleich[k] || !Menue_Screen_Icon_Ist_Vorhanden(ziel[k]))
        return;
    s_icon* i = Menue_Screen_Icon_Aus_Nummer(ziel[k]);
    if (!i || !i->Main_P || (i->Status & ICON_ST_GESPERRT)) return;
    // The box the answer opens next waits a frame for its keys.
    g.tasten_vorher[0] = g.tasten_vorher[1] = -1;
    Hilfe_Stoppen();
    if (!(i->typ & ICON_TYP_LEISE)) Sample_Spielen_Lautstaerke(SAMPLE_KLICK, false, 100);
    i->Main_P(i, k == 0 ? EV_LINKS : EV_RECHTS);
    Schatten_Cache_Leeren();
}

}  // namespace

void Menue_Frame() {
    // Messages kept for the local manager while no screen of the menu stood
    // (a page, the match day: a client's lost connection at the server) come
    // on the first screen he sees, not at his next turn a day later.
    const int32_t lokal = Menue_Lokal().team;
    if (lokal >= 0 && !Menue_Requester_Offen() && Menue_Nachrichten_Wartend(lokal) > 0) Menue_Nachrichten_Zeigen(lokal);
    Menue_Videos_Freigeben();
    Menue_Screen_Refresh();
    Tasten_Pruefen();
    Menue_Icons_Check();
}

}  // namespace velmora
