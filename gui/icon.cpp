// gui/icon.cpp - the icon tables, adding and removing icons, slave pictures.
#include "gui/icon.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/debug.h"
#include "core/res.h"
#include "core/spielstand.h"
#include "core/spielstand_datei.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gui/menue.h"
#include "gui/menue_eingabefeld.h"
#include "gui/menue_lokal.h"
#include "gui/menue_scrollbar.h"
#include "media/sound.h"

namespace velmora {
namespace {

struct SlaveRp {
    int32_t nummer = -1;     // -1: free, or loaded by name
    int32_t wort = 0;
    Rastport* rp = nullptr;
    const char* name = nullptr;
};

struct IconModul {
    bool eingerichtet = false;
    s_icon* definition[ANZ_SCREEN_ICONS] = {};
    uint8_t auf_screen[ANZ_SCREEN_ICONS] = {};
    s_icon* slot[MENUE_PRIORITAETEN][MENUE_SLOTS] = {};
    int32_t hoechster[MENUE_PRIORITAETEN] = {};
    int32_t frei[MENUE_PRIORITAETEN] = {};
    SlaveRp slave[MENUE_SLAVE_SLOTS];
    int32_t hintergrund = MENUE_SLAVE_BASIS;
    uint8_t save_byte = 0;
    int32_t dynamische_nummer = 0;
};
IconModul g;

// The backdrop of a modal requester: this darkening picture over the screen.
constexpr int32_t SLAVE_ABDUNKELN = 8331;
constexpr uint16_t FEHLER_FARBE = 0xC387;

// The base nation is Germany in the original pictures; other nations get the
// neighbouring variants of these three pictures.
constexpr int32_t SLAVE_ERSATZ[3][2] = {{4001, 4002}, {12057, 12058}, {28346, 28347}};

const char* Ersteller(int32_t nummer) {
    if (nummer < 801) return "Ersteller: System\n";
    if (nummer < 1701) return "Ersteller: Ulvo\n";
    if (nummer < 2201) return "Ersteller: Pirak\n";
    return "Ersteller: Zemo\n";
}

Rastport* Slave_Laden(int32_t nummer) {
    auto* f = Menue_Hooks().resourcen_slot;
    if (!f) {
        Debug_Printf("Menue_Get_Slave_Rastport: keine Resourcen-Liste angebunden\n");
        return nullptr;
    }
    const int32_t slot = f(nummer / MENUE_SLAVE_BASIS);
    if (slot < 0) return nullptr;
    return static_cast<Rastport*>(Res_Load_Bild(slot, nummer % MENUE_SLAVE_BASIS, Rastport_Screen_Depth()));
}

bool Ueberlappt(const s_icon* i, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return i->x + i->br >= x0 && i->x <= x1 && i->y + i->ho >= y0 && i->y <= y1;
}
bool Innerhalb(const s_icon* i, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    return i->x >= x0 && i->x + i->br <= x1 && i->y >= y0 && i->y + i->ho <= y1;
}
bool Nummer_Gueltig(int32_t n) { return n >= 0 && n < ANZ_SCREEN_ICONS; }

// The row an icon lives in: its priority, cut to 0..26.
int32_t Reihe(const s_icon* i) { return i->Pri < 0 ? 0 : std::min<int32_t>(i->Pri, MAX_SCREEN_ICON_PRIORITY); }

}  // namespace

s_icon* Menue_Slot(int32_t pri, int32_t slot) {
    if (pri < 0 || pri >= MENUE_PRIORITAETEN || slot < 0 || slot >= MENUE_SLOTS) return nullptr;
    return g.slot[pri][slot];
}
int32_t Menue_Hoechster_Slot(int32_t pri) {
    return pri < 0 || pri >= MENUE_PRIORITAETEN ? 0 : g.hoechster[pri];
}
int32_t Menue_Naechster_Freier_Slot(int32_t pri) {
    return pri < 0 || pri >= MENUE_PRIORITAETEN ? 0 : g.frei[pri];
}

void Menue_Icon_Registrieren(int32_t nummer, s_icon* icon) {
    if (!Nummer_Gueltig(nummer) || !icon) return;
    if (g.auf_screen[nummer] && g.definition[nummer] != icon) {
        Debug_Printf("Icon Nr. %d doppelt definiert!\n", nummer);
        Debug_Printf("%s", Ersteller(nummer));
        Debug_Printf("Hilfet.=%s\n", icon->hilfe ? icon->hilfe : "Kein Hilfetext!");
    }
}

s_icon Menue_Icon_Neu(int32_t nummer, int32_t x, int32_t y, int32_t bild, uint32_t typ, int8_t pri) {
    s_icon i;
    i.nummer = int16_t(nummer);
    i.x = int16_t(x);
    i.y = int16_t(y);
    i.bild = bild;
    i.typ = typ;
    i.Pri = pri;
    return i;
}

s_icon Menue_Faenger_Neu(int32_t nummer, int32_t x, int32_t y, int32_t breite, int32_t hoehe, int8_t pri) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, -1, 0, pri);
    i.br = int16_t(breite);
    i.ho = int16_t(hoehe);
    i.Status = ICON_ST_KEY;
    return i;
}

void Menue_Screen_Icon_Hinzufuegen(s_icon* icon) {
    if (!icon) {
        Debug_Printf("Menue_Screen_Icon_Hinzufuegen: s_icon=NULL!\n");
        return;
    }
    if (icon->nummer < 0 || icon->nummer >= ANZ_SCREEN_ICONS) {
        // A negative number is no icon either: it would index before the tables.
        Debug_Printf("Menue_Screen_Icon_Hinzufuegen: screen_icon_nr>ANZ_SCREEN_ICONS\n");
        return;
    }
    const int32_t nr = icon->nummer;
    Menue_Icon_Registrieren(nr, icon);
    if (g.auf_screen[nr]) return;
    if (icon->Pri > MAX_SCREEN_ICON_PRIORITY) Debug_Printf("Menue_Screen_Icon_Hinzufuegen: pri>MAX_SCREEN_ICON_PRIORITY!\n");
    const int32_t pri = Reihe(icon);
    int32_t s = g.frei[pri];
    if (g.slot[pri][s]) {
        // The row is full: the slot named free is taken. Storing here would
        // drop the icon in it from the table while it stays marked on screen.
        Debug_Printf("Menue_Screen_Icon_Hinzufuegen: Maximum erreicht!\n");
        return;
    }
    g.slot[pri][s] = icon;
    g.definition[nr] = icon;
    g.auf_screen[nr] = 1;
    Menue_Screen_Icon_Rastport(icon, nullptr, nullptr);
    if (icon->typ & ICON_TYP_SCROLLBUTTON) Menue_Scrollbuttonpos_Zuweisen(icon);
    if (icon->typ & ICON_TYP_EINGABE) {
        icon->kontext = Menue_Kontext_Eingabefeld_Menue;
        Menue_Eingabefeld_Vorgaben_Merken(icon);
    }
    if (s > g.hoechster[pri]) g.hoechster[pri] = s;
    const int32_t start = s == MENUE_SLOTS - 1 ? s : s + 1;
    for (int32_t k = 0; k < MENUE_SLOTS; ++k) {
        const int32_t t = (start + k) % MENUE_SLOTS;
        if (!g.slot[pri][t]) {
            g.frei[pri] = t;
            return;
        }
    }
    Debug_Printf("Menue_Screen_Icon_Hinzufuegen: Maximum erreicht!\n");
}

bool Menue_Screen_Icon_Umsetzen(s_icon* icon, int8_t pri) {
    if (!icon || !Nummer_Gueltig(icon->nummer) || !g.auf_screen[icon->nummer]) return false;
    if (Reihe(icon) == std::clamp<int32_t>(pri, 0, MAX_SCREEN_ICON_PRIORITY)) return true;
    for (int32_t p = 0; p < MENUE_PRIORITAETEN; ++p)
        for (int32_t s = 0; s <= g.hoechster[p]; ++s) {
            if (g.slot[p][s] != icon) continue;
            const int8_t alt = icon->Pri;
            icon->Pri = pri;
            const int32_t neu = Reihe(icon);
            const int32_t t = g.frei[neu];
            if (g.slot[neu][t]) {
                icon->Pri = alt;   // the row is full: the icon stays where it is
                Debug_Printf("Menue_Screen_Icon_Umsetzen: Maximum erreicht!\n");
                return false;
            }
            g.slot[p][s] = nullptr;
            g.frei[p] = s;
            g.slot[neu][t] = icon;
            if (t > g.hoechster[neu]) g.hoechster[neu] = t;
            for (int32_t k = 1; k < MENUE_SLOTS; ++k) {
                const int32_t f = (t + k) % MENUE_SLOTS;
                if (!g.slot[neu][f]) {
                    g.frei[neu] = f;
                    break;
                }
            }
            return true;
        }
    return false;
}

void Menue_Screen_Icons_Hinzufuegen(s_icon* liste) {
    if (!liste) return;
    for (s_icon* i = liste; i->nummer != -1; ++i) Menue_Screen_Icon_Hinzufuegen(i);
}

void Menue_Screen_Icon_Loeschen(int32_t nummer, s_icon* icon) {
    if (nummer != -1) {
        if (!Nummer_Gueltig(nummer)) {
            Debug_Printf("Menue_Screen_Icon_Loeschen: Nr= %d\n", nummer);
            return;
        }
        icon = g.definition[nummer];
    }
    if (!icon) {
        Debug_Printf("Menue_Screen_Icon_Loeschen: s_icon=NULL!\n");
        return;
    }
    if (!Nummer_Gueltig(icon->nummer)) return;
    for (int32_t p = 0; p < MENUE_PRIORITAETEN; ++p)
        for (int32_t s = 0; s <= g.hoechster[p]; ++s) {
            if (g.slot[p][s] != icon || !g.auf_screen[icon->nummer]) continue;
            g.auf_screen[icon->nummer] = 0;
            g.slot[p][s] = nullptr;
            g.frei[p] = s;
            if (icon->bild == -1 && !(icon->typ & ICON_TYP_DATEIBILD)) Menue_Einzel_Icon_Speicher_Befreien(icon);
            Menue_Hover_Entfernen(icon);
            if (icon->nummer == Menue_Get_Rechtsklick_Icon()) Menue_Set_Rechtsklick_Icon(-1);
            return;
        }
}

void Menue_Screen_Icons_Loeschen(s_icon* liste) {
    if (!liste) return;
    for (int32_t p = MAX_SCREEN_ICON_PRIORITY; p >= 0; --p)
        for (s_icon* i = liste; i->nummer != -1; ++i)
            if (Reihe(i) == p) Menue_Screen_Icon_Loeschen(-1, i);
}

void Menue_Screen_Bereich_Loeschen(int32_t modus, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t p = MAX_SCREEN_ICON_PRIORITY; p >= 0; --p)
        for (int32_t s = g.hoechster[p]; s >= 0; --s) {
            s_icon* i = g.slot[p][s];
            if (!i) continue;
            if ((i->typ & ICON_TYP_PERMANENT) && !(modus & 0x1)) continue;
            if (!g.auf_screen[i->nummer]) continue;
            const bool weg = (modus & 0x2) ? Innerhalb(i, x0, y0, x1, y1) : Ueberlappt(i, x0, y0, x1, y1);
            if (weg) Menue_Screen_Icon_Loeschen(-1, i);
        }
    if (!(modus & 0x8) && Menue_Scrollscreen_Getroffen(modus, x0, y0, x1, y1)) Menue_Kill_Scrollscreen(0);
}

uint8_t Menue_Screen_Icon_Ist_Vorhanden(int32_t nummer) {
    if (!Nummer_Gueltig(nummer)) {
        Debug_Printf("Menue_Screen_Icon_Ist_Vorhanden: Nr= %d\n", nummer);
        return 0;
    }
    return g.auf_screen[nummer];
}

s_icon* Menue_Screen_Icon_Aus_Nummer(int32_t nummer) {
    if (!Nummer_Gueltig(nummer)) {
        Debug_Printf("Menue_Screen_Icon_Aus_Nummer: Nr= %d\n", nummer);
        return nullptr;
    }
    return g.definition[nummer];
}

int32_t Menue_Slave_Nummer_Ersetzen(int32_t nummer) {
    auto* f = Menue_Hooks().basis_team_name;
    const char* name = f ? f() : nullptr;
    if (!name || std::strcmp(name, "Deutschland") == 0) return nummer;
    for (const auto& paar : SLAVE_ERSATZ)
        if (paar[0] == nummer) return paar[1];
    return nummer;
}

Rastport* Menue_Get_Slave_Rastport(int32_t nummer, s_icon* icon) {
    const char* name = icon && (icon->typ & ICON_TYP_DATEIBILD) ? icon->datei : nullptr;
    if (nummer < 0 && !name) {
        Debug_Printf("Menue_Get_Slave_Rastport: slave_nr=%d!\n", nummer);
        return nullptr;
    }
    nummer = Menue_Slave_Nummer_Ersetzen(nummer);
    int32_t frei = -1;
    for (int32_t k = 0; k < MENUE_SLAVE_SLOTS; ++k) {
        SlaveRp& s = g.slave[k];
        if (name ? (s.name && std::strcmp(s.name, name) == 0) : (!s.name && s.nummer == nummer)) return s.rp;
        if (frei < 0 && s.nummer == -1 && !s.name) frei = k;
    }
    if ((!name && nummer < MENUE_SLAVE_BASIS) || frei < 0) {
        Debug_Printf("Slave_RP %d: falsche nr/kein freier\n", nummer);
        return nullptr;
    }
    SlaveRp& s = g.slave[frei];
    if (name) {
        auto* f = Menue_Hooks().bild_laden;
        s.nummer = -1;
        s.name = name;
        s.rp = f ? f(name) : nullptr;
    } else {
        s.nummer = nummer;
        s.rp = Slave_Laden(nummer);
    }
    return s.rp;
}

void Menue_Slave_Rastport_Freigeben(int32_t nummer, s_icon* icon) {
    const char* name = icon && (icon->typ & ICON_TYP_DATEIBILD) ? icon->datei : nullptr;
    for (SlaveRp& s : g.slave)
        if (name ? (s.name && std::strcmp(s.name, name) == 0) : (!s.name && s.nummer == nummer && nummer >= 0)) {
            s.rp = Rastport_Free(s.rp);
            s.nummer = -1;
            s.name = nullptr;
            return;
        }
}

Rastport* Menue_Screen_Icon_Rastport(s_icon* icon, int32_t* breite, int32_t* hoehe) {
    if (!icon) {
        Debug_Printf("Menue_Screen_Icon_Bitmap: s_icon=NULL!\n");
        return nullptr;
    }
    if (icon->typ & ICON_TYP_HINTERGRUND) {
        icon->x = 0;
        icon->y = 0;
        icon->br = 800;
        icon->ho = 600;
        icon->bild = -1;
    }
    Rastport* rp = nullptr;
    if (icon->bild == -1 && !(icon->typ & ICON_TYP_DATEIBILD)) {
        bool fehler = false;
        if (icon->br < 0 || icon->ho < 0 || icon->br > 800 || icon->ho > 600) {
            icon->farbe = FEHLER_FARBE;
            icon->br = 25;
            icon->ho = 25;
            fehler = true;
            Debug_Printf("SCHWERER ICON-INIT-FEHLER!\n");
        }
        if (!icon->rp) {
            icon->rp = Rastport_Create(icon->br, icon->ho, Rastport_Screen_Depth(), 0, 0);
            if (icon->rp && (icon->typ & ICON_TYP_HINTERGRUND)) {
                Rastport* ziel = Rastport_Target();
                if (ziel) Rastport_Blit(ziel, 0, 0, -1, -1, icon->rp, 0, 0, BlitMode_Default);
                Rastport* dunkel = Menue_Get_Slave_Rastport(SLAVE_ABDUNKELN, nullptr);
                if (dunkel) Blit_Alpha(dunkel, 0, 0, -1, -1, icon->rp, 0, 0, 90);
            } else if (icon->rp) {
                uint16_t farbe = uint16_t(icon->farbe);
                if (icon->Status & ICON_ST_KEY) farbe = fehler ? FEHLER_FARBE : 0;
                Rastport_Fill(icon->rp, 0, 0, -1, -1, farbe, nullptr);
            }
        }
        rp = icon->rp;
    } else {
        rp = Menue_Get_Slave_Rastport(icon->bild, icon);
        if (!rp) {
            Debug_Printf("Menue_Screen_Icon_Rastport: rp=NULL!\n");
        } else {
            icon->br = int16_t(rp->width);
            icon->ho = int16_t(rp->height);
        }
    }
    if (breite) *breite = icon->br;
    if (hoehe) *hoehe = icon->ho;
    return rp;
}

void Menue_Init_Text_Icon(s_icon* icon, const s_icon* v, s_icon_text* text, int32_t bild) {
    if (!icon) {
        Debug_Printf("Menue_Init_Text_Icon: s_icon=NULL!\n");
        return;
    }
    if (!v) return;
    Menue_Screen_Icon_Loeschen(-1, icon);
    if (bild != -1) icon->bild = bild;
    icon->typ = v->typ;
    icon->x = v->x;
    icon->y = v->y;
    icon->clip_x0 = v->clip_x0;
    icon->clip_y0 = v->clip_y0;
    icon->clip_x1 = v->clip_x1;
    icon->clip_y1 = v->clip_y1;
    icon->move = v->move;
    icon->gruppe = v->gruppe;
    icon->Status = v->Status;
    icon->hilfe = v->hilfe;
    icon->reserviert1 = v->reserviert1;
    icon->Main_P = v->Main_P;
    icon->zeichnen = v->zeichnen;
    icon->Pri = v->Pri;
    icon->scrollscreen = v->scrollscreen;
    icon->farbe = v->farbe;
    icon->kontext = v->kontext;
    icon->hilfe_proc = v->hilfe_proc;
    icon->reserviert2 = v->reserviert2;
    icon->partner = v->partner;
    icon->daten = text;
    icon->d = -1;
    icon->d2 = -1;
}

void Menue_Init_Icon_Liste(s_icon* liste, const s_icon* vorlage, s_icon_text* texte, int32_t bild) {
    if (!liste) {
        Debug_Printf("Menue_Init_Icon_Liste: Liste-Icon==NULL!\n");
        return;
    }
    int32_t k = 0;
    for (s_icon* i = liste; i->nummer != -1; ++i, ++k)
        Menue_Init_Text_Icon(i, vorlage, texte ? &texte[k] : nullptr, bild);
}

s_icon* Menue_Icon_In_Liste_Suchen(int32_t nummer, s_icon* liste) {
    if (!liste) return nullptr;
    for (s_icon* i = liste; i->nummer != -1; ++i)
        if (i->nummer == nummer) return i;
    return nullptr;
}

void Menue_Icon_Liste_Eintragen(s_icon* liste) {
    if (!liste) return;
    for (s_icon* i = liste; i->nummer != -1; ++i)
        if (Nummer_Gueltig(i->nummer)) g.definition[i->nummer] = i;
}

void Menue_Set_Hintergrund(int32_t slave) { g.hintergrund = slave; }
int32_t Menue_Get_Hintergrund() { return g.hintergrund; }

void Menue_Init_Tabellen() {
    if (g.eingerichtet) Menue_Alles_Loeschen();
    for (int32_t p = 0; p < MENUE_PRIORITAETEN; ++p) {
        g.frei[p] = 0;
        g.hoechster[p] = 0;
        for (auto& s : g.slot[p]) s = nullptr;
    }
    // The name goes with the slot as well: a picture loaded by name before the
    // reset is loaded again, not found with a Rastport that no longer exists.
    for (SlaveRp& s : g.slave) s = SlaveRp{};
    std::memset(g.auf_screen, 0, sizeof g.auf_screen);
    Menue_Scrollscreen_Freigeben();
    Menue_Eingabe_Zuruecksetzen();
    g.eingerichtet = true;
}

void Menue_Alles_Loeschen() {
    Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
    Menue_Speicher_Befreien(0);
}

void Menue_Speicher_Befreien(int32_t slaves_behalten) {
    Menue_Scrollscreen_Freigeben();
    // Only definitions on screen are touched: a removed icon gave its own
    // Rastport back when it went, and its record may be gone since.
    for (int32_t n = 0; n < ANZ_SCREEN_ICONS; ++n) {
        s_icon* i = g.definition[n];
        if (i && g.auf_screen[n] && !(i->typ & ICON_TYP_DATEIBILD)) i->rp = Rastport_Free(i->rp);
    }
    if (!slaves_behalten)
        for (SlaveRp& s : g.slave) s.rp = Rastport_Free(s.rp);
}

void Menue_Einzel_Icon_Speicher_Befreien(s_icon* icon) {
    if (!icon) {
        Debug_Printf("Menue_Einzel_Icon_Speicher_Befreien: s_icon=NULL!\n");
        return;
    }
    s_icon* d = Nummer_Gueltig(icon->nummer) && g.definition[icon->nummer] ? g.definition[icon->nummer] : icon;
    d->rp = Rastport_Free(d->rp);
}

int32_t Menue_Neue_Icon_Nummer() { return ++g.dynamische_nummer; }

void Menue_Save_Byte_Setzen(uint8_t wert) { g.save_byte = wert; }
uint8_t Menue_Save_Byte() { return g.save_byte; }

bool Menue_Speichern(SpielstandDatei* datei) { return Spielstand_Schreiben(datei, &g.save_byte, 1); }

bool Menue_Laden(SpielstandDatei* datei) {
    // The icons that take priority (a panel's raised menus) start lowered:
    // their states are cleared with the screen.
    std::vector<int32_t> vorrang;
    for (int32_t n = 0; n < ANZ_SCREEN_ICONS; ++n)
        if (g.auf_screen[n] && g.definition[n] && (g.definition[n]->typ & ICON_TYP_VORRANG)) vorrang.push_back(n);
    Menue_Alles_Loeschen();
    uint8_t b = 0;
    const bool ok = Spielstand_Lesen(datei, &b, 1);
    if (ok) g.save_byte = b;
    if (auto* f = Menue_Hooks().icon_zustand_setzen)
        for (int32_t n : vorrang) f(n, 0);
    Menue_Init_Tabellen();
    return ok;
}

bool Menue_Spielstand_Anmelden() {
    SpielstandBlock b;
    b.name = "Menue";
    b.position = 50;
    b.save = [](std::vector<uint8_t>& out) { out.push_back(g.save_byte); };
    b.load = [](const uint8_t* in, size_t bytes) {
        if (bytes != 1 || in[0] > 1) return false;
        g.save_byte = in[0];
        return true;
    };
    b.neu = [] { g.save_byte = 0; };
    return Spielstand_Block_Anmelden(b);
}

void Menue_Screen_Oeffnen(void (*oeffner)()) {
    Menue_Spiel_Hooks().screen_wechsel.Aufrufen();
    Samples_Stop();
    g.save_byte = 0;
    if (oeffner) oeffner();
}

}  // namespace velmora
