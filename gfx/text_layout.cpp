// gfx/text_layout.cpp
#include "gfx/text_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/debug.h"
#include "gfx/text_markup.h"

namespace velmora {
namespace {

// Vowels of the code page (Windows-1252): a hyphen needs one on both sides.
const char VOKALE[] = "AEIOUaeiou\xE4\xF6\xFC\xC4\xD6\xDCy";
// Letter groups a hyphen must not cut, tried in this order.
const char* const CLUSTER[] = {"sch", "ch",  "sp", "bl",  "pl",  "fl",  "gl",  "cl", "kl", "phl", "br", "pr",
                               "dr",  "tr",  "fr", "vr",  "gr",  "cr",  "kr",  "phr", "str", "thr", "th", "gn",
                               "kn",  "chp", "chr", "\xFC\x62", "ver", "st", " !", " ?", " %", "Ver"};

struct TextsatzModul {
    Font* font = nullptr;
    int32_t zeilenhoehe = 0;
    int32_t unten = 0;          // bottom limit, 0 = none
    uint8_t flags = 0;
    int32_t links = 0;          // line left x
    int32_t y = 0;
    int32_t einzug_links = 0, einzug_rechts = 0;
    bool voll = false;          // the box ran out of height: nothing more is drawn
    std::string zeile;
    int32_t woerter = 0;
    int32_t luecken[TEXTSATZ_MAX_ZEILE + 1] = {};
};
TextsatzModul g;

bool Vokal(char c) { return c && std::strchr(VOKALE, c) != nullptr; }

bool Hat_Vokal(const char* s, int32_t n) {
    for (int32_t i = 0; i < n; ++i)
        if (Vokal(s[i])) return true;
    return false;
}

// Whether a cut after p falls inside a markup code of the word.
bool In_Code(const char* wort, int32_t n, int32_t p) {
    for (int32_t i = 0; i < n;) {
        if (wort[i] != '^') {
            ++i;
            continue;
        }
        const int32_t laenge = Markup_Code_Laenge(wort + i);
        if (p >= i && p < i + laenge - 1) return true;
        i += laenge;
    }
    return false;
}

bool Silbe_Erlaubt(const char* wort, int32_t n, int32_t p) {
    if (p > 0 && p + 1 < n && Vokal(wort[p + 1])) return false;
    for (int32_t q = p; q >= 0; --q) {
        if (Vokal(wort[q])) return true;
        for (const char* c : CLUSTER) {
            const int32_t l = int32_t(std::strlen(c));
            if (q + l > p + 1 && q + l <= n && std::memcmp(wort + q, c, size_t(l)) == 0) return false;
        }
    }
    return true;
}

int32_t Breite(const std::string& s) { return Text_Width(g.font, s.c_str()); }

void Zeile_Zeichnen(Rastport* ziel, int32_t a, uint16_t farbe) {
    if (g.flags & TEXTSATZ_ZENTRIERT) Textsatz_Line_Centre(ziel, g.zeile.c_str(), g.links, g.links + a, g.y, farbe);
    else Textsatz_Line_Draw(ziel, g.zeile.c_str(), g.links, g.y, farbe);
}

// Finishes the line: justification, bottom check, drawing, line feed.
void Zeile_Beenden(Rastport* ziel, int32_t a, uint16_t farbe, bool buendig) {
    if (g.voll) {
        g.zeile.clear();
        g.woerter = 0;
        return;
    }
    const int32_t luecken = g.woerter - 1 < 0 ? 0 : g.woerter - 1;
    const bool passt = Breite(g.zeile) <= a + 2;
    if (buendig && (g.flags & TEXTSATZ_BLOCKSATZ) && !(g.flags & TEXTSATZ_ZENTRIERT) && luecken > 0 && passt) {
        // The room left is spread over the gaps in whole pixels (a relative
        // tab after each word), every gap as wide as the others or one pixel
        // wider: blanks put in would widen a gap by a whole blank, with a
        // fixed-cell font a cell, and leave the others as they were.
        const int32_t rest = a - 3 - Breite(g.zeile);
        if (rest > 0) {
            std::string neu;
            size_t von = 0;
            for (int32_t k = 0; k < luecken && k <= TEXTSATZ_MAX_ZEILE; ++k) {
                const size_t pos = size_t(std::clamp(g.luecken[k], 0, int32_t(g.zeile.size())));
                if (pos < von) break;
                char tab[16];
                std::snprintf(tab, sizeof tab, "^ta%04d", std::min(rest / luecken + (k < rest % luecken ? 1 : 0), 9999));
                neu += g.zeile.substr(von, pos - von);
                neu += tab;
                von = pos;
            }
            g.zeile = neu + g.zeile.substr(von);
        }
    }
    if (g.unten != 0 && g.y + int32_t(g.font->bogen->height) > g.unten) {
        g.voll = true;
        g.zeile.clear();
        g.woerter = 0;
        return;
    }
    if (!buendig || passt) Zeile_Zeichnen(ziel, a, farbe);
    g.y += g.zeilenhoehe;
    if ((g.flags & TEXTSATZ_HOCH_94) && g.y >= 94) g.y -= 7;
    g.zeile.clear();
    g.woerter = 0;
}

void Wort_Anhaengen(const std::string& wort) {
    if (!g.zeile.empty()) g.zeile += ' ';
    g.zeile += wort;
    if (g.woerter <= TEXTSATZ_MAX_ZEILE) g.luecken[g.woerter] = int32_t(g.zeile.size());
    ++g.woerter;
}

void Wort_Setzen(Rastport* ziel, const char* text, int32_t breite, uint16_t farbe) {
    if (g.voll) return;   // the box is full: nothing more of it is drawn
    const int32_t a = breite - (g.einzug_links + g.einzug_rechts);
    std::string wort(text, strnlen(text, TEXTSATZ_MAX_WORT));
    for (;;) {
        std::string t = g.zeile;
        if (!t.empty()) t += ' ';
        t += wort;
        if (Breite(t) <= a - 4 && int32_t(t.size()) <= TEXTSATZ_MAX_ZEILE) break;
        int32_t p = -1;
        if (g.flags & TEXTSATZ_TRENNEN) {
            std::string benutzt = g.zeile.empty() ? std::string() : g.zeile + " ";
            p = Textsatz_Trennstelle(g.font, wort.data(), int32_t(wort.size()), a - 8, Breite(benutzt));
        }
        if (p < 0) {
            if (g.woerter > 0 && !g.zeile.empty()) {
                Zeile_Beenden(ziel, a, farbe, true);   // the word begins the next line
                continue;
            }
            // Cut after the middle character, outside any code.
            const int32_t n = int32_t(wort.size());
            p = n / 2 - 1;
            while (p >= 0 && In_Code(wort.c_str(), n, p)) --p;
            if (p < 0 || p >= n - 1) {
                // A word that cannot be cut: its line is too wide and is skipped.
                Wort_Anhaengen(wort);
                Zeile_Beenden(ziel, a, farbe, true);
                return;
            }
        }
        std::string teil = wort.substr(0, size_t(p) + 1);
        if (teil.back() != '-') teil += '-';
        Wort_Anhaengen(teil);
        wort.erase(0, size_t(p) + 1);
        Zeile_Beenden(ziel, a, farbe, true);
    }
    Wort_Anhaengen(wort);
}

}  // namespace

void Textsatz_Font_Setzen(Font* font) { g.font = font; }

int32_t Textsatz_Trennstelle(Font* font, char* wort, int32_t n, int32_t max_breite, int32_t benutzt) {
    if (!font || !wort || n < 4) return -1;
    Font* alt = g.font;
    g.font = font;
    int32_t ende = n - 1, gefunden = -1;
    for (int32_t p = n - 1; p >= 0 && gefunden < 0; --p) {
        const int32_t rest = ende - p;
        if (p + 1 < 2 || rest < 2 || !Hat_Vokal(wort, p + 1) || !Hat_Vokal(wort + p + 1, rest)) continue;
        if (!Silbe_Erlaubt(wort, n, p) || In_Code(wort, n, p)) continue;
        if (benutzt + Breite(std::string(wort, size_t(p) + 1)) < max_breite) gefunden = p;
        else ende = p;
    }
    g.font = alt;
    if (gefunden >= 0 && gefunden + 1 < n && wort[gefunden] == 'c' && wort[gefunden + 1] == 'k') wort[gefunden] = 'k';
    return gefunden;
}

void Textsatz_Line_Draw(Rastport* ziel, const char* text, int32_t x, int32_t y, uint16_t farbe) {
    if (!g.font || !text) return;
    Text_Printf(ziel, g.font, "^c%05d", 0, 0, farbe);
    // The line is text, not a format: a "%" in it is drawn as it stands.
    Text_Printf(ziel, g.font, "%s", x, y, text);
}

void Textsatz_Line_Centre(Rastport* ziel, const char* text, int32_t left, int32_t right, int32_t y, uint16_t farbe) {
    if (!g.font || !text) return;
    const int32_t w = Text_Width(g.font, text);
    Textsatz_Line_Draw(ziel, text, (left + right) / 2 - w / 2, y, farbe);
}

int32_t Textsatz_Absatz(Rastport* ziel, const char* wort, int32_t breite, int32_t x, int32_t y, int32_t modus,
                        uint8_t flags, uint16_t farbe, int32_t zeilenhoehe, int32_t einzug_links,
                        int32_t einzug_rechts) {
    if (!g.font || !g.font->bogen) {
        Debug_Printf("Textsatz_Absatz: kein Font\n");
        return y;
    }
    g.zeilenhoehe = zeilenhoehe == -1 ? int32_t(g.font->bogen->height) - 1 : zeilenhoehe;
    g.einzug_links = einzug_links;
    g.einzug_rechts = einzug_rechts;
    const int32_t a = breite - (einzug_links + einzug_rechts);
    if (modus == TEXTSATZ_START) {
        g.links = x + einzug_links;
        g.y = y;
        g.flags = flags;
        g.zeile.clear();
        g.woerter = 0;
        g.voll = false;
    } else if (modus == TEXTSATZ_WORT) {
        if (wort) Wort_Setzen(ziel, wort, breite, farbe);
    } else if (modus == TEXTSATZ_FLUSH) {
        Zeile_Beenden(ziel, a, farbe, false);
        g.zeile.clear();
        g.woerter = 0;
    }
    return g.y;
}

void Textsatz_Text(Rastport* ziel, const char* text, int32_t breite, uint16_t farbe, int32_t zeilenhoehe) {
    if (!text) return;
    const char* p = text;
    char wort[TEXTSATZ_MAX_WORT + 1];
    while (*p) {
        int32_t n = 0;
        while (*p && n < TEXTSATZ_MAX_WORT) {
            const uint8_t c = uint8_t(*p);
            if ((c == ' ' && p[1] != '!' && p[1] != '?') || c == 160 || c == '\r' || (c == '^' && p[1] == 'l')) break;
            wort[n++] = *p++;
        }
        wort[n] = 0;
        Textsatz_Absatz(ziel, wort, breite, 0, 0, TEXTSATZ_WORT, 0, farbe, zeilenhoehe, g.einzug_links,
                        g.einzug_rechts);
        if ((p[0] == '^' && p[1] == 'l') || p[0] == '\r') {
            // A paragraph break: the next word begins a new line.
            p += p[0] == '\r' ? (p[1] == '\n' ? 2 : 1) : 2;
            Textsatz_Absatz(ziel, nullptr, breite, 0, 0, TEXTSATZ_FLUSH, 0, farbe, zeilenhoehe, 0, 0);
            g.einzug_links = g.einzug_rechts = 0;
        }
        if (*p == ' ' || uint8_t(*p) == 160) ++p;
    }
}

int32_t Textsatz_Box(Rastport* ziel, Font* font, const char* text, int32_t left, int32_t right, int32_t top,
                     int32_t bottom, uint16_t farbe, uint8_t flags, int32_t zeilenhoehe) {
    if (!ziel || !font || !font->bogen || !text) {
        Debug_Printf("Textsatz_Box: Ziel, Font oder Text fehlt\n");
        return top;
    }
    g.font = font;
    const int32_t y = top + font->baseline;
    g.unten = bottom + font->baseline;
    g.einzug_links = g.einzug_rechts = 0;
    if (*text == '#') {
        ++text;
        flags &= uint8_t(~TEXTSATZ_ZENTRIERT);
    }
    const int32_t breite = right - left - 2;
    Textsatz_Absatz(ziel, nullptr, breite, left, y, TEXTSATZ_START, flags, farbe, zeilenhoehe, 0, 0);
    Textsatz_Text(ziel, text, breite, farbe, zeilenhoehe);
    return Textsatz_Absatz(ziel, nullptr, breite, left, y, TEXTSATZ_FLUSH, flags, farbe, zeilenhoehe, 0, 0);
}

}  // namespace velmora
