// gfx/text_pruefung.cpp
#include "gfx/text_pruefung.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

namespace velmora {
namespace {

struct Lauf {
    const Rastport* ziel = nullptr;
    uint32_t ziel_w = 0, ziel_h = 0;   // a freed target's address may come back as another
    uint32_t text_nr = 0;
    std::string text;
    int32_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    std::vector<std::pair<int32_t, int32_t>> bedeckt;   // x spans painted over since
    int32_t fehlt = 0;   // a cut text: the width its cut took away

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

// A picture or fill painted in the running frame.
struct Flaeche {
    const Rastport* ziel = nullptr;
    int32_t x = 0, y = 0, w = 0, h = 0;
};

struct Pruefung {
    bool an = false;
    bool glyphen = false;
    std::string screen;
    uint32_t naechster_text = 0;
    std::vector<Lauf> bild;          // the runs of the running frame
    std::vector<Flaeche> flaechen;   // its areas painted, in order
    std::map<std::string, int32_t, std::less<>> gekuerzt;   // cut texts as shown: the width taken away
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

// Whether areas painted in the frame that reach over the rows y0..y1 cover
// the x span [a, b) of the target; an area that holds `grund` whole is what
// that area stands on and counts not.
bool Flaechen_Decken(const Rastport* ziel, const Flaeche& grund, int32_t a, int32_t b, int32_t y0, int32_t y1) {
    for (bool weiter = true; weiter && a < b;) {
        weiter = false;
        for (const Flaeche& f : g.flaechen) {
            const bool haelt = f.x <= grund.x && f.x + f.w >= grund.x + grund.w && f.y <= grund.y &&
                               f.y + f.h >= grund.y + grund.h;
            if (f.ziel == ziel && !haelt && f.y <= y0 && f.y + f.h >= y1 && f.x <= a && f.x + f.w > a) {
                a = f.x + f.w;
                weiter = true;
            }
        }
    }
    return a >= b;
}

// A run stands on the area painted last under its rows that it touches (an
// icon narrower than FLAECHE_MIN beside a text is none); what of it lies
// beside that area must stand on other areas beside it (the pieces of one
// band), not on what that area itself was painted on (the window under a
// plate).
constexpr int32_t FLAECHE_MIN = 24;
bool Von_Der_Flaeche(const Lauf& l) {
    for (size_t i = g.flaechen.size(); i-- > 0;) {
        const Flaeche& f = g.flaechen[i];
        if (f.ziel != l.ziel || f.w < FLAECHE_MIN || f.y > l.y0 || f.y + f.h < l.y1 || f.x >= l.x1 || f.x + f.w <= l.x0)
            continue;
        // A pixel of ink beside the area is the glyph's edge, not the text.
        return !Flaechen_Decken(l.ziel, f, l.x0 + 1, f.x, l.y0, l.y1) ||
               !Flaechen_Decken(l.ziel, f, f.x + f.w, l.x1 - 1, l.y0, l.y1);
    }
    return false;
}

// Whether a cut run had room for its whole text: the width taken away after
// its ink stays within the target, clear of every other run of the frame and
// of every edge of an area painted in the frame over its rows (a plate's end,
// a column's line, the next field).
bool Platz_Gehabt(const Lauf& l) {
    const int32_t a = l.x1, b = l.x1 + l.fehlt + LUECKE_MIN;
    if (b > int32_t(l.ziel_w)) return false;
    for (const Lauf& o : g.bild)
        if (&o != &l && o.ziel == l.ziel && o.x1 > a && o.x0 < b && std::min(o.y1, l.y1) - std::max(o.y0, l.y0) > 1)
            return false;
    for (const Flaeche& f : g.flaechen) {
        const int32_t hoch = std::min(l.y1, f.y + f.h) - std::max(l.y0, f.y);
        if (f.ziel != l.ziel || 2 * hoch < l.y1 - l.y0) continue;
        if ((f.x > a && f.x < b) || (f.x + f.w > a && f.x + f.w < b)) return false;
    }
    return true;
}

void Gekuerzte_Pruefen() {
    for (Lauf& l : g.bild)
        if (l.fehlt > 0) {
            if (Platz_Gehabt(l)) Notieren("Gekuerzt", l.text, "");
            l.fehlt = 0;
        }
}

}  // namespace

void Text_Pruefung_Starten() {
    g = Pruefung{};
    g.an = true;
}

void Text_Pruefung_Beenden() { g.an = false; }
bool Text_Pruefung_An() { return g.an; }
void Text_Pruefung_Screen(const std::string& name) { g.screen = name; }
void Text_Pruefung_Bild_Ende() {
    Gekuerzte_Pruefen();
    g.bild.clear();
    g.flaechen.clear();
}
const std::vector<TextBefund>& Text_Pruefung_Befunde() {
    Gekuerzte_Pruefen();
    return g.befunde;
}

void Text_Pruefung_Gekuerzt(std::string_view sichtbar, int32_t fehlt) {
    if (!g.an || sichtbar.empty() || fehlt <= 0) return;
    // The same text shown cut from several wholes: the least width taken away.
    const auto [it, neu] = g.gekuerzt.emplace(std::string(sichtbar), fehlt);
    if (!neu) it->second = std::min(it->second, fehlt);
}

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
    g.flaechen.push_back({ziel, x, y, w, h});
}

void Text_Pruefung_Lauf(const Rastport* ziel, uint32_t text_nr, std::string_view text, int32_t x0, int32_t x1,
                        int32_t y0, int32_t y1) {
    if (!g.an || !ziel || x1 <= x0) return;
    Lauf neu{ziel, ziel->width, ziel->height, text_nr, std::string(text), x0, x1, y0, y1, {}};
    // Wholly above or below its target it is not seen at all.
    if (y1 <= 0 || y0 >= int32_t(ziel->height)) return;
    if (x0 < 0 || x1 > int32_t(ziel->width) || y0 < 0 || y1 > int32_t(ziel->height)) Notieren("Rand", neu.text, "");
    else if (Von_Der_Flaeche(neu)) Notieren("Flaeche", neu.text, "");
    if (!neu.text.empty() && neu.text.back() == '\x85')
        if (const auto it = g.gekuerzt.find(neu.text); it != g.gekuerzt.end()) neu.fehlt = it->second;
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
