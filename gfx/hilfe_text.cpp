// gfx/hilfe_text.cpp - help texts near the mouse pointer.
#include "gfx/hilfe_text.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/debug.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "platform/display.h"

namespace velmora {
namespace {

constexpr int32_t SCHIRM_BREITE = 800, SCHIRM_HOEHE = 600;
constexpr int32_t DECKKRAFT = 85;
// A help text of one line wider than this is broken at its blanks into lines.
constexpr int32_t ZEILE_MAX = 400;
constexpr int32_t RAND = 4;

struct HilfeModul {
    bool gezeigt = false;
    Rastport* bild = nullptr;   // the box prepared by the first call
};
HilfeModul g;

int32_t Tiefe() {
    Rastport* ziel = Rastport_Target();
    const int32_t t = ziel ? int32_t(Rastport_Depth(ziel)) : 0;
    return t ? t : Rastport_Screen_Depth();
}

void Vorbereiten(Font* font, const char* text, int32_t block, int32_t zeilen) {
    g.bild = Rastport_Create(block + 13, zeilen * 10 + 19, Tiefe(), 0, 0);
    if (!g.bild) {
        Debug_Printf("Hilfe_Text_Ausgabe: Kein Speicher!\n");
        return;
    }
    Rastport_Fill(g.bild, 0, 0, -1, -1, 0, nullptr);
    Text_Printf(g.bild, font, "^c%05d%s", 4, 9, HILFE_FARBE_TEXT, text);
    g.gezeigt = true;
}

// A long text without line breaks of its own, broken into lines of at most
// ZEILE_MAX pixels at its blanks (a word longer than that keeps its line).
std::string Umbrechen(Font* font, const char* text) {
    std::string aus = text;
    if (std::strstr(text, "^l") || Text_Width(font, text) <= ZEILE_MAX) return aus;
    size_t anfang = 0, blank = std::string::npos;
    for (size_t i = 0; i <= aus.size(); ++i) {
        if (i < aus.size() && aus[i] != ' ') continue;
        const std::string zeile = aus.substr(anfang, i - anfang);
        if (Text_Width(font, zeile.c_str()) > ZEILE_MAX && blank != std::string::npos && blank > anfang) {
            aus.replace(blank, 1, "^l");
            anfang = blank + 2;
            i = anfang;
            blank = std::string::npos;
            continue;
        }
        blank = i;
    }
    return aus;
}

}  // namespace

int32_t Hilfe_Text_Zeilen(const char* text) {
    int32_t n = 0;
    for (const char* p = text; p && (p = std::strstr(p, "^l")) != nullptr; p += 2) ++n;
    return n;
}

void Hilfe_Text_Ausgabe(const char* text, int32_t x, int32_t y) {
    if (!text) {
        Debug_Printf("Hilfe_Text_Ausgabe: kein Text\n");
        return;
    }
    Font* font = Font_Get(HILFE_FONT);
    if (!font) return;
    const std::string umbrochen = Umbrechen(font, text);
    text = umbrochen.c_str();
    if (x == -1 || y == -1) {
        Plat_Maus(&x, &y);
        x -= 4;
        y += 20;
        if (y > 580) y -= 40;
    }
    const int32_t zeilen = Hilfe_Text_Zeilen(text);
    const int32_t block = Text_Block_Size(font, text);
    if (!g.gezeigt) {
        Vorbereiten(font, text, block, zeilen);
        return;
    }
    Rastport* ziel = Rastport_Target();
    if (!ziel) return;
    const int32_t w = block + 7, h = zeilen * 10 + 13;
    if (w > SCHIRM_BREITE) Debug_Printf("Hilfe_Text: zu lang!!\n");
    // Kept on the screen, 4 pixels clear of its right and bottom edges.
    const int32_t bx = std::max(0, std::min(x, SCHIRM_BREITE - w - RAND));
    const int32_t by = std::max(0, std::min(y + 8, SCHIRM_HOEHE - h - RAND));
    Rastport* box = Rastport_Create(w, h, Tiefe(), 0, 0);
    if (!box) {
        Debug_Printf("Hilfe_Text_Ausgabe: Kein Speicher!\n");
        return;
    }
    Rastport_Fill(box, 0, 0, -1, -1, HILFE_FARBE_BOX, nullptr);
    Blit_Alpha(box, 0, 0, w, h, ziel, bx, by, DECKKRAFT);
    Rastport_Free(box);
    Text_Printf(ziel, font, "^c%05d%s", bx + 5, by + 10, HILFE_FARBE_SCHATTEN, text);
    Text_Printf(ziel, font, "^c%05d%s", bx + 4, by + 9, HILFE_FARBE_TEXT, text);
}

void Hilfe_Text_Free() {
    g.bild = Rastport_Free(g.bild);
    g.gezeigt = false;
}

bool Hilfe_Text_Gezeigt() { return g.gezeigt; }

}  // namespace velmora
