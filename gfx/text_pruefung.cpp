// gfx/text_pruefung.cpp
#include "gfx/text_pruefung.h"

#include <algorithm>
#include <utility>
#include <cstdlib>

namespace velmora {
namespace {

struct Lauf {
    const Rastport* ziel = nullptr;
    uint32_t ziel_w = 0, ziel_h = 0;   // a freed target's address may come back as another
    uint32_t text_nr = 0;
    std::string text;
    int32_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    std::vector<std::pair<int32_t, int32_t>> bedeckt;   // x spans painted over since

    // Whether pictures painted since cover the run's span [a, b).
    bool Bedeckt(int32_t a, int32_t b) const {
        for (bool weiter = true; weiter && a < b;) {
            weiter = false;
            for (const auto& [von, bis] : bedeckt)
                if (von <= a && bis > a) {
                    a = bis;
                    weiter = true;
                }
        }
        return a >= b;
    }
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
    // An area over at least half a run's height covers its part of the run
    // (rows of a list painted over it each cover a part); a run covered
    // whole is gone.
    for (Lauf& l : g.bild) {
        const int32_t hoch = std::min(l.y1, y + h) - std::max(l.y0, y);
        if (l.ziel != ziel || 2 * hoch < l.y1 - l.y0 || x >= l.x1 || x + w <= l.x0) continue;
        l.bedeckt.emplace_back(std::max(x, l.x0), std::min(x + w, l.x1));
    }
    std::erase_if(g.bild, [](const Lauf& l) { return l.Bedeckt(l.x0, l.x1); });
}

void Text_Pruefung_Lauf(const Rastport* ziel, uint32_t text_nr, std::string_view text, int32_t x0, int32_t x1,
                        int32_t y0, int32_t y1) {
    if (!g.an || !ziel || x1 <= x0) return;
    Lauf neu{ziel, ziel->width, ziel->height, text_nr, std::string(text), x0, x1, y0, y1, {}};
    // Wholly above or below its target it is not seen at all.
    if (y1 <= 0 || y0 >= int32_t(ziel->height)) return;
    if (x0 < 0 || x1 > int32_t(ziel->width) || y0 < 0 || y1 > int32_t(ziel->height)) Notieren("Rand", neu.text, "");
    for (const Lauf& alt : g.bild) {
        if (alt.ziel != ziel || alt.ziel_w != neu.ziel_w || alt.ziel_h != neu.ziel_h) continue;
        if (!Ueberlappen(alt, neu) || Schatten(alt, neu)) continue;
        if (alt.Bedeckt(std::max(alt.x0, neu.x0 - LUECKE_MIN), std::min(alt.x1, neu.x1 + LUECKE_MIN))) continue;
        // The earlier run is the one that ran too far, unless it starts further right.
        const bool alt_links = alt.x0 <= neu.x0;
        const Lauf& zu_lang = alt_links ? alt : neu;
        Notieren(alt.text_nr == text_nr ? "Spalte" : "Nachbar", zu_lang.text, (alt_links ? neu : alt).text);
    }
    g.bild.push_back(std::move(neu));
}

}  // namespace velmora
