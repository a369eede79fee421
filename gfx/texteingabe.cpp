// gfx/texteingabe.cpp - the one-line text entry of the whole game.
#include "gfx/texteingabe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/taste.h"
#include "gfx/blit.h"
#include "gfx/text_markup.h"
#include "platform/clock.h"
#include "platform/display.h"

namespace velmora {
namespace {

// The allowed characters (Windows-1252).
const char ZEICHEN_STANDARD[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ "
    "\xFC\xF6\xE4\xDC\xD6\xC4\xDF"
    ".,:;"
    "\xF1\xD1\xC7\xE7"
    "!\xA7%&/(){}[]?!#'+-0123456789<>|@_\"*";
const char ZEICHEN_ZAHL[] = "01234567890,.";
const char ZEICHEN_NAME[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ "
    "\xFC\xF6\xE4\xDC\xD6\xC4\xDF"
    "'-_"
    "\xF1\xD1\xC7\xE7"
    "0123456789";

constexpr uint32_t BLINK_MS = 350;
constexpr int32_t BLINK_AN_MS = 500;

struct TexteingabeModul {
    int32_t zustand = 0;
    int64_t feld = -1;               // x x 1000 + y of the field being edited
    std::string puffer;              // the text being edited
    std::string sicherung;           // the text as it was when the edit began
    int32_t max_laenge = 0;
    const char* zeichensatz = ZEICHEN_STANDARD;
    int32_t cursor = 0;
    int32_t auswahl_start = -1, auswahl_ende = -1;
    int32_t anker = 0;               // where a Shift or mouse selection began
    bool shift_auswahl = false;
    bool ziehen = false;             // a left press that began inside the field
    bool links_vorher = false, rechts_vorher = false;
    bool maus_gesperrt = false;      // the press that was held when the edit began
    uint32_t blink_marke = 0;
    bool cursor_sichtbar = false;
    int32_t letzter_code = 0, letztes_zeichen = 0;
    uint32_t letzte_taste = 0;
    uint32_t* wert = nullptr;        // the number field's value
    uint32_t flags = 0;
    Rastport* arbeit = nullptr;      // the field's work picture
};
TexteingabeModul g;

int32_t Laenge() { return int32_t(g.puffer.size()); }

bool Auswahl() { return g.auswahl_start >= 0 && g.auswahl_ende > g.auswahl_start; }

void Auswahl_Aufheben() { g.auswahl_start = g.auswahl_ende = -1; }

void Auswahl_Bis(int32_t pos) {
    if (pos == g.anker) return Auswahl_Aufheben();
    g.auswahl_start = std::min(g.anker, pos);
    g.auswahl_ende = std::max(g.anker, pos);
}

void Auswahl_Loeschen() {
    g.puffer.erase(size_t(g.auswahl_start), size_t(g.auswahl_ende - g.auswahl_start));
    g.cursor = g.auswahl_start;
    Auswahl_Aufheben();
}

// The number a number field's text stands for: its leading digits, held at
// the largest value the field can take instead of wrapping round.
uint32_t Zahl_Aus_Text(const std::string& text) {
    uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        n = std::min<uint64_t>(n * 10 + uint64_t(c - '0'), UINT32_MAX);
    }
    return uint32_t(n);
}

void Freigeben() {
    g.arbeit = Rastport_Free(g.arbeit);
    g.puffer = std::string();
    g.sicherung = std::string();
    g.wert = nullptr;
    g.zustand = 0;
    g.feld = -1;
}

// The end of the edit: a number field takes its value, memory goes back.
void Beenden() {
    if ((g.flags & TEXTEINGABE_ZAHL) && g.wert) *g.wert = Zahl_Aus_Text(g.puffer);
    Freigeben();
}

void Ausgeben(char* text, int32_t groesse) {
    const size_t n = std::min(g.puffer.size(), size_t(groesse - 1));
    std::memcpy(text, g.puffer.data(), n);
    text[n] = 0;
}

bool Beginnen(char* text, int32_t groesse, int32_t max_laenge, uint32_t flags, int64_t feld,
              int32_t breite, int32_t hoehe, uint32_t* wert) {
    Rastport* ziel = Rastport_Target();
    const int32_t tiefe = ziel ? int32_t(Rastport_Depth(ziel)) : Rastport_Screen_Depth();
    g.arbeit = Rastport_Create(breite, hoehe, tiefe ? tiefe : 16, 0, 0);
    if (!g.arbeit) {
        Freigeben();
        return false;
    }
    g.feld = feld;
    g.flags = flags;
    g.wert = wert;
    if ((flags & TEXTEINGABE_ZAHL) && wert) {
        char zahl[16];
        std::snprintf(zahl, sizeof zahl, "%u", *wert);
        g.puffer = zahl;
    } else {
        g.puffer.assign(text, strnlen(text, size_t(groesse)));
    }
    // The buffer holds groesse - 1 characters and its end; so does the maximum.
    if (Laenge() > groesse - 1) g.puffer.resize(size_t(groesse - 1));
    g.max_laenge = std::min(max_laenge, groesse - 1);
    Ausgeben(text, groesse);
    g.sicherung = g.puffer;
    g.cursor = Laenge();
    Auswahl_Aufheben();
    g.zeichensatz = (flags & TEXTEINGABE_STANDARD) ? ZEICHEN_STANDARD
                    : (flags & TEXTEINGABE_NAME)   ? ZEICHEN_NAME
                    : (flags & TEXTEINGABE_ZAHL)   ? ZEICHEN_ZAHL
                                                   : ZEICHEN_STANDARD;
    if ((flags & TEXTEINGABE_ALLES_MARKIERT) && Laenge() > 0) {
        g.auswahl_start = 0;
        g.auswahl_ende = Laenge();
    }
    g.shift_auswahl = g.ziehen = false;
    // A press still held from the click that opened the field is not a click into it.
    const uint32_t knoepfe = Plat_Maus_Knoepfe();
    g.maus_gesperrt = (knoepfe & 3) != 0;
    g.links_vorher = knoepfe & 1;
    g.rechts_vorher = knoepfe & 2;
    g.letzter_code = g.letztes_zeichen = 0;
    g.blink_marke = Plat_Ms();
    g.cursor_sichtbar = true;
    g.zustand = 1;
    return true;
}

// Step 2: the mouse. Returns 35 when a click ends the edit, else 0.
int32_t Maus(const Font* font, int32_t x, int32_t y, int32_t breite, int32_t hoehe, int32_t text_x) {
    int32_t mx = 0, my = 0;
    Plat_Maus(&mx, &my);
    const uint32_t knoepfe = Plat_Maus_Knoepfe();
    const bool links = knoepfe & 1, rechts = knoepfe & 2;
    const bool neu_links = links && !g.links_vorher, neu_rechts = rechts && !g.rechts_vorher;
    g.links_vorher = links;
    g.rechts_vorher = rechts;
    if (!links) g.ziehen = false;
    if (g.maus_gesperrt) {
        if (!links && !rechts) g.maus_gesperrt = false;
        return 0;
    }
    const bool innen = mx >= x && mx < x + breite && my >= y && my < y + hoehe;
    if ((g.flags & TEXTEINGABE_RECHTS_ENDE) && neu_rechts) return TEXTEINGABE_ENTER;
    if (!(g.flags & TEXTEINGABE_MAUS)) return 0;
    if (links && (innen || g.ziehen)) {
        const int32_t pos = Texteingabe_Position(font, g.puffer.c_str(), x + text_x);
        g.cursor = pos;
        if (neu_links) {
            Auswahl_Aufheben();
            g.anker = pos;
            g.ziehen = true;
            g.shift_auswahl = false;
        } else if (g.ziehen) {
            Auswahl_Bis(pos);
        }
        return 0;
    }
    if ((g.flags & TEXTEINGABE_KLICK_AUSSEN) && neu_links && !innen) return TEXTEINGABE_ENTER;
    return 0;
}

void Bewegen(int32_t ziel, bool shift) {
    ziel = std::clamp(ziel, 0, Laenge());
    if (!shift) {
        Auswahl_Aufheben();
        g.cursor = ziel;
        return;
    }
    if (!g.shift_auswahl) {
        // The selection grows from its far end when the cursor sits on one end of it.
        g.anker = !Auswahl() ? g.cursor : g.cursor == g.auswahl_start ? g.auswahl_ende : g.auswahl_start;
        g.shift_auswahl = true;
    }
    g.cursor = ziel;
    Auswahl_Bis(ziel);
}

void Zeichen_Einfuegen(const Font* font, int32_t zeichen, int32_t platz) {
    if (zeichen <= 0 || zeichen > 255 || !std::strchr(g.zeichensatz, zeichen)) return;   // not in the field's set
    std::string neu = g.puffer;
    int32_t cursor = g.cursor;
    if (Auswahl()) {
        neu.erase(size_t(g.auswahl_start), size_t(g.auswahl_ende - g.auswahl_start));
        cursor = g.auswahl_start;
    }
    if (int32_t(neu.size()) >= g.max_laenge) return;
    neu.insert(size_t(cursor), 1, char(zeichen));
    if (Texteingabe_Breite(font, neu.c_str(), int32_t(neu.size())) >= platz) return;
    g.puffer = neu;
    g.cursor = cursor + 1;
    Auswahl_Aufheben();
}

// Step 3: the frame's key. Returns how it ends the edit, else 0.
int32_t Tasten(const Font* font, int32_t platz, uint32_t jetzt) {
    const int32_t code = Taste_Get_Code(), zeichen = Taste_Get_Zeichen();
    // A key carries Shift as it was when it went down (keys typed fast wait
    // for their frames while Shift changes); a frame without one reads it now.
    const bool shift = code ? Taste_Shift() != 0 : Plat_Taste_Gehalten(VK_SHIFT);
    if (!shift) g.shift_auswahl = false;
    if (!code && !zeichen) return 0;
    // A held key repeats at the system's rate; it types at most once per filter
    // interval. A fresh press always counts, so fast double letters stay.
    if (Taste_Wiederholt() && code == g.letzter_code && zeichen == g.letztes_zeichen &&
        jetzt - g.letzte_taste < TEXTEINGABE_WIEDERHOLUNG_MS)
        return 0;
    g.letzter_code = code;
    g.letztes_zeichen = zeichen;
    g.letzte_taste = jetzt;
    switch (code) {
    case VK_BACK:
        if (Auswahl()) Auswahl_Loeschen();
        else if (g.cursor > 0) g.puffer.erase(size_t(--g.cursor), 1);
        return 0;
    case VK_DELETE:
        if (Auswahl()) Auswahl_Loeschen();
        else if (g.cursor < Laenge()) g.puffer.erase(size_t(g.cursor), 1);
        return 0;
    case VK_LEFT: Bewegen(g.cursor - 1, shift); return 0;
    case VK_RIGHT: Bewegen(g.cursor + 1, shift); return 0;
    case VK_HOME: Bewegen(0, shift); return 0;
    case VK_END: Bewegen(Laenge(), shift); return 0;
    case VK_UP:
    case VK_DOWN: return 0;
    case VK_TAB: return shift ? TEXTEINGABE_SHIFT_TAB : TEXTEINGABE_TAB;
    case VK_RETURN: return TEXTEINGABE_ENTER;
    case VK_ESCAPE:
        g.puffer = g.sicherung;
        g.cursor = Laenge();
        Auswahl_Aufheben();
        return TEXTEINGABE_ESCAPE;
    default: break;
    }
    int32_t z = zeichen;
    if (z >= 'a' && z <= 'z' && shift) z -= 'a' - 'A';
    Zeichen_Einfuegen(font, z, platz);
    return 0;
}

// Step 4: the field's area of the target with the selection, the text and the
// cursor on it, copied back colour-keyed.
void Zeichnen(Font* font, int32_t x, int32_t y, int32_t breite, int32_t hoehe, int32_t text_x, int32_t text_y,
              uint16_t farbe) {
    Rastport* ziel = Rastport_Target();
    if (!ziel || !g.arbeit) return;
    Rastport_Fill(g.arbeit, 0, 0, -1, -1, 0, nullptr);   // parts beyond the target stay transparent
    Rastport_Blit(ziel, x, y, breite, hoehe, g.arbeit, 0, 0, nullptr);
    const int32_t bogen_hoehe = font->bogen ? int32_t(font->bogen->height) : 0;
    const char* t = g.puffer.c_str();
    if (Auswahl()) {
        const int32_t von = Texteingabe_Breite(font, t, g.auswahl_start);
        const int32_t bis = Texteingabe_Breite(font, t, g.auswahl_ende);
        Rastport_Fill(g.arbeit, text_x + von, text_y + 1, bis - von, bogen_hoehe - 2, TEXTEINGABE_FARBE_AUSWAHL,
                      nullptr);
    }
    font->farbe = farbe;
    for (int32_t i = 0; i < Laenge(); ++i)
        Text_Zeichen_Zeichnen(g.arbeit, font, uint8_t(t[i]), text_x + Texteingabe_Breite(font, t, i), text_y + 1);
    if (g.cursor_sichtbar) {
        const int32_t w = Texteingabe_Breite(font, t, g.cursor);
        Rastport_Fill(g.arbeit, w ? text_x + w - 1 : text_x, text_y, 2, bogen_hoehe, TEXTEINGABE_FARBE_CURSOR,
                      nullptr);
    }
    Rastport_Blit(g.arbeit, 0, 0, breite, hoehe, ziel, x, y, BlitMode_Key);
}

}  // namespace

int32_t Texteingabe_Breite(const Font* font, const char* text, int32_t n) {
    if (!font || !text) return 0;
    int32_t w = 0;
    for (int32_t i = 0; i < n && text[i]; ++i) {
        const uint8_t z = uint8_t(text[i]);
        if (z >= 32) w += font->glyph_breite[z - 32] + font->abstand;
    }
    return w;
}

int32_t Texteingabe_Position(const Font* font, const char* text, int32_t feld_x) {
    if (!font || !text) return 0;
    int32_t mx = 0;
    Plat_Maus(&mx, nullptr);
    const int32_t abstand = mx - feld_x;
    const int32_t laenge = int32_t(std::strlen(text));
    for (int32_t n = 0; n <= laenge; ++n)
        if (Texteingabe_Breite(font, text, n) > abstand) return std::max(n - 1, 0);
    return laenge;
}

bool Texteingabe_Blink_An() { return g.zustand == 1 && int32_t(Plat_Ms() - g.blink_marke) <= BLINK_AN_MS; }

void Texteingabe_Free() { Freigeben(); }

TexteingabeStand Texteingabe_Stand() {
    return TexteingabeStand{g.zustand, g.cursor, g.auswahl_start, g.auswahl_ende, g.zustand == 1 && g.cursor_sichtbar};
}

int32_t Texteingabe_Edit(Font* font, char* text, int32_t groesse, int32_t max_laenge, uint32_t flags, int32_t x,
                         int32_t y, int32_t breite, int32_t hoehe, int32_t text_x, int32_t text_y, Rastport*,
                         int32_t, int32_t, uint32_t* wert, uint16_t farbe) {
    if (!font || !text || groesse < 1 || max_laenge < 1 || breite < 1 || hoehe < 1 || x < 0 || y < 0) return 0;
    if (flags & TEXTEINGABE_FEST) {
        text_x = 4;
        text_y = 1;
        hoehe = 14;
    }
    const int64_t feld = int64_t(x) * 1000 + y;
    if (g.zustand == 1 && g.feld != feld) {
        Beenden();
        g.zustand = 2;
        return TEXTEINGABE_ABGELOEST;
    }
    const uint32_t jetzt = Plat_Ms();
    if (g.zustand != 1 && !Beginnen(text, groesse, max_laenge, flags, feld, breite, hoehe, wert))
        return TEXTEINGABE_KEIN_SPEICHER;
    if (int32_t(jetzt - g.blink_marke) > 0) {
        g.blink_marke = jetzt + BLINK_MS;
        g.cursor_sichtbar = !g.cursor_sichtbar;
    }
    int32_t ende = Maus(font, x, y, breite, hoehe, text_x);
    if (ende && (flags & TEXTEINGABE_NUR_TASTEN)) ende = 0;
    if (const int32_t taste = Tasten(font, breite - text_x - 2, jetzt)) ende = taste;
    Zeichnen(font, x, y, breite, hoehe, text_x, text_y, farbe);
    Ausgeben(text, groesse);
    if (ende) Beenden();
    return ende;
}

}  // namespace velmora
