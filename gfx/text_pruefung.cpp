// gfx/text_pruefung.cpp
#include "gfx/text_pruefung.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {
namespace {

struct Lauf {
    const Rastport* ziel = nullptr;
    uint32_t ziel_w = 0, ziel_h = 0;   // a freed target's address may come back as another
    uint32_t text_nr = 0;
    std::string text;
    int32_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};

struct Pruefung {
    bool an = false;
    bool glyphen = false;
    std::string screen;
    uint32_t naechster_text = 0;
    std::vector<Lauf> bild;   // the runs of the running frame
    std::vector<TextBefund> befunde;
};
Pruefung g;

// Two texts on one line read as one when less than a narrow space (3 pixels)
// of ink-free gap parts them; the columns of one text may join ("4" and
// ". Min.") but not cross. Lines whose capitals share at most a pixel row
// are apart.
constexpr int32_t LUECKE_MIN = 3;
bool Ueberlappen(const Lauf& a, const Lauf& b) {
    const int32_t luecke = a.text_nr == b.text_nr ? -1 : LUECKE_MIN;
    return std::min(a.x1, b.x1) - std::max(a.x0, b.x0) > -luecke && std::min(a.y1, b.y1) - std::max(a.y0, b.y0) > 1;
}

bool Schatten(const Lauf& a, const Lauf& b) {
    return a.text == b.text && std::abs(a.x0 - b.x0) <= 2 && std::abs(a.y0 - b.y0) <= 2;
}

void Notieren(const char* art, const std::string& text, const std::string& nachbar) {
    for (const TextBefund& b : g.befunde)
        if (b.screen == g.screen && b.art == art && b.text == text) return;
    g.befunde.push_back({g.screen, art, text, nachbar});
}

}  // namespace

void Text_Pruefung_Starten() {
    g = Pruefung{};
    g.an = true;
}

void Text_Pruefung_Beenden() { g.an = false; }
bool Text_Pruefung_An() { return g.an; }
void Text_Pruefung_Screen(const std::string& name) { g.screen = name; }
void Text_Pruefung_Bild_Ende() { g.bild.clear(); }
const std::vector<TextBefund>& Text_Pruefung_Befunde() { return g.befunde; }

uint32_t Text_Pruefung_Text() { return ++g.naechster_text; }
void Text_Pruefung_Glyphen(bool an) { g.glyphen = an; }

void Text_Pruefung_Flaeche(const Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!g.an || g.glyphen) return;
    std::erase_if(g.bild, [&](const Lauf& l) {
        return l.ziel == ziel && l.x0 >= x && l.x1 <= x + w && l.y0 >= y && l.y1 <= y + h;
    });
}

void Text_Pruefung_Lauf(const Rastport* ziel, uint32_t text_nr, std::string_view text, int32_t x0, int32_t x1,
                        int32_t y0, int32_t y1) {
    if (!g.an || !ziel || x1 <= x0) return;
    Lauf neu{ziel, ziel->width, ziel->height, text_nr, std::string(text), x0, x1, y0, y1};
    if (x0 < 0 || x1 > int32_t(ziel->width)) Notieren("Rand", neu.text, "");
    for (const Lauf& alt : g.bild) {
        if (alt.ziel != ziel || alt.ziel_w != neu.ziel_w || alt.ziel_h != neu.ziel_h) continue;
        if (!Ueberlappen(alt, neu) || Schatten(alt, neu)) continue;
        // The earlier run is the one that ran too far, unless it starts further right.
        const bool alt_links = alt.x0 <= neu.x0;
        const Lauf& zu_lang = alt_links ? alt : neu;
        Notieren(alt.text_nr == text_nr ? "Spalte" : "Nachbar", zu_lang.text, (alt_links ? neu : alt).text);
    }
    g.bild.push_back(std::move(neu));
}

}  // namespace velmora
