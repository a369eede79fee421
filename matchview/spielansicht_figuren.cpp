// matchview/spielansicht_figuren.cpp - figure palette, type-66 entries,
// colour tables and frame drawing.
#include "matchview/spielansicht_figuren.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/le.h"
#include "core/bytes.h"
#include "gfx/colour.h"
#include "gfx/pixel.h"
#include "gfx/rastport.h"
#include "bilder/trikot.h"

namespace velmora {
namespace {

// The lists as ranges of the palette (entry 0 is transparent, 44 the shadow).
struct Listen {
    std::array<std::array<uint8_t, 64>, 9> e{};
    std::array<FigurenListe, 9> l{};
    std::array<uint8_t, 768> palette{};
    Listen() {
        auto bereich = [this](int32_t n, std::initializer_list<std::pair<int32_t, int32_t>> teile, int32_t referenz) {
            int32_t k = 0;
            for (auto [von, bis] : teile)
                for (int32_t i = von; i <= bis; ++i) e[size_t(n)][size_t(k++)] = uint8_t(i);
            l[size_t(n)] = FigurenListe{e[size_t(n)].data(), referenz, k};
        };
        bereich(1, {{100, 117}}, 10);
        bereich(2, {{118, 135}}, 3);
        bereich(3, {{136, 195}}, 3);
        bereich(4, {{196, 249}}, 8);
        bereich(5, {{1, 16}}, 3);
        bereich(6, {{17, 24}}, 0);
        bereich(7, {{25, 43}, {45, 88}}, 3);
        bereich(8, {{89, 99}, {250, 255}, {25, 29}}, 3);
        // Everything a grey of middle brightness; the lists ramps of grey whose
        // reference entry is the middle, so recolouring keeps the shading.
        for (int32_t i = 0; i < 256; ++i) palette[size_t(3 * i)] = palette[size_t(3 * i + 1)] = palette[size_t(3 * i + 2)] = 40;
        for (int32_t n = 1; n <= 8; ++n) {
            const FigurenListe& x = l[size_t(n)];
            for (int32_t j = 0; j < x.anzahl; ++j) {
                const uint8_t v = uint8_t(std::clamp(36 + (j - x.referenz) * 3, 4, 63));
                const uint8_t k = x.eintraege[j];
                palette[size_t(3 * k)] = palette[size_t(3 * k + 1)] = palette[size_t(3 * k + 2)] = v;
            }
        }
        auto setzen = [this](int32_t i, int32_t r, int32_t g, int32_t b) {
            palette[size_t(3 * i)] = uint8_t(r);
            palette[size_t(3 * i + 1)] = uint8_t(g);
            palette[size_t(3 * i + 2)] = uint8_t(b);
        };
        setzen(0, 0, 0, 0);
        setzen(FIGUREN_SCHATTEN, 10, 15, 10);
        // The linesman's flag is drawn through the palette itself.
        for (int32_t i = 250; i <= 252; ++i) setzen(i, 63 - (252 - i) * 6, 56 - (252 - i) * 6, 4);
        for (int32_t i = 253; i <= 255; ++i) setzen(i, 60 - (255 - i) * 6, 8, 6);
        setzen(FIGUREN_STANGE, 58, 58, 56);
    }
};
const Listen& L() {
    static const Listen l;
    return l;
}

void Rgb(uint32_t c, int32_t* r, int32_t* g, int32_t* b) { Farbe_Zerlegen(c, r, g, b); }

void Umfaerben(uint16_t* t, int32_t liste, uint32_t farbe) {
    int32_t r, g, b;
    Rgb(farbe, &r, &g, &b);
    const FigurenListe& x = Figuren_Liste(liste);
    Colour_Recolour_Palette(r, g, b, Figuren_Palette(), x.eintraege, x.referenz, x.anzahl, t);
}

void Abschliessen(uint16_t* t, bool schatten) {
    if (schatten) t[FIGUREN_SCHATTEN] = Colour_Screen_Pixel(40, 60, 40);
    for (int32_t i = 0; i < 256; ++i)
        if (t[i] == 0) t[i] = 1;
}

void Palette_Fuellen(uint16_t* t) {
    const uint8_t* p = Figuren_Palette();
    for (int32_t i = 0; i < 256; ++i) t[i] = Colour_Screen_Pixel(p[3 * i] * 4, p[3 * i + 1] * 4, p[3 * i + 2] * 4);
}

bool Fehler(std::string* f, const std::string& text) {
    if (f) *f = text;
    return false;
}

}  // namespace

const FigurenListe& Figuren_Liste(int32_t nummer) { return L().l[size_t(std::clamp(nummer, 1, 8))]; }
const uint8_t* Figuren_Palette() { return L().palette.data(); }

uint8_t Figuren_Ton(int32_t nummer, int32_t ton) {
    const FigurenListe& x = Figuren_Liste(nummer);
    return x.eintraege[std::clamp(x.referenz + ton * 2, 0, x.anzahl - 1)];
}

bool Figuren_Eintrag_Lesen(const uint8_t* d, size_t bytes, int32_t frames_erwartet, FigurenAnim* out,
                           std::string* fehler) {
    if (!d || !out || bytes < 12) return Fehler(fehler, "Eintrag kuerzer als sein Kopf");
    const uint32_t s = Bytes_Get32(d), f = Bytes_Get32(d + 4), n = Bytes_Get32(d + 8);
    if (f < 1 || f > 64) return Fehler(fehler, "F " + std::to_string(f) + " ausserhalb 1..64");
    if (frames_erwartet > 0 && f != uint32_t(frames_erwartet))
        return Fehler(fehler, "F " + std::to_string(f) + " statt " + std::to_string(frames_erwartet));
    if (n != FIGUREN_RICHTUNGEN * f) return Fehler(fehler, "N " + std::to_string(n) + " ist nicht 16 F");
    const uint64_t kopf = 12 + 4ull * n;
    if (kopf + s != bytes) return Fehler(fehler, "S " + std::to_string(s) + " passt nicht zur Eintragsgroesse");
    FigurenAnim a;
    a.frames = int32_t(f);
    a.block.assign(d + kopf, d + kopf + s);
    const uint8_t* b = a.block.data();
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t o = Bytes_Get32(d + 12 + 4 * i);
        const std::string wo = "Frame " + std::to_string(i) + ": ";
        if (uint64_t(o) + FIGUREN_FRAME_KOPF > s) return Fehler(fehler, wo + "Kopf ausserhalb des Blocks");
        FigurenFrame fr;
        fr.breite = int16_t(Bytes_Get16(b + o));
        fr.hoehe = int16_t(Bytes_Get16(b + o + 2));
        fr.x_versatz = int16_t(Bytes_Get16(b + o + 4));
        fr.y_versatz = int16_t(Bytes_Get16(b + o + 6));
        if (fr.breite < 1 || fr.breite > FIGUREN_FRAME_MAX || fr.hoehe < 1 || fr.hoehe > FIGUREN_FRAME_MAX)
            return Fehler(fehler, wo + "Groesse ausserhalb 1..256");
        if (std::abs(fr.x_versatz) > 2 * FIGUREN_FRAME_MAX || std::abs(fr.y_versatz) > 2 * FIGUREN_FRAME_MAX)
            return Fehler(fehler, wo + "Versatz zu gross");
        const uint64_t zeilen = uint64_t(o) + FIGUREN_FRAME_KOPF;
        const uint64_t start = zeilen + 4ull * uint64_t(fr.hoehe);
        if (start > s) return Fehler(fehler, wo + "Zeilentabelle ausserhalb des Blocks");
        // Every run must end inside the block and inside its row; the row
        // table must name where each row starts.
        uint64_t pos = start;
        for (int32_t r = 0; r < fr.hoehe; ++r) {
            if (Bytes_Get32(b + zeilen + 4ull * uint64_t(r)) != pos - start) return Fehler(fehler, wo + "Zeilentabelle falsch");
            int32_t x = 0;
            while (x < fr.breite) {
                if (pos >= s) return Fehler(fehler, wo + "Laeufe hinter dem Block");
                const uint8_t c = b[pos++];
                const int32_t k = c & 0x7F;
                if (k == 0 || x + k > fr.breite) return Fehler(fehler, wo + "Lauf ausserhalb der Zeile");
                if (c & 0x80) {
                    if (pos + uint64_t(k) > s) return Fehler(fehler, wo + "Laeufe hinter dem Block");
                    pos += uint64_t(k);
                }
                x += k;
            }
        }
        fr.daten = uint32_t(start);
        fr.bytes = uint32_t(pos - start);
        a.frame.push_back(fr);
    }
    *out = std::move(a);
    return true;
}

std::vector<uint8_t> Figuren_Eintrag_Schreiben(const std::vector<FigurenBild>& bilder, int32_t frames) {
    std::vector<uint8_t> block;
    std::vector<uint32_t> offsets;
    auto le16 = [&block](int32_t v) { Le_Put_U16(block, uint16_t(v)); };
    for (const FigurenBild& bild : bilder) {
        offsets.push_back(uint32_t(block.size()));
        const int32_t w = std::clamp(bild.breite, 1, FIGUREN_FRAME_MAX), h = std::clamp(bild.hoehe, 1, FIGUREN_FRAME_MAX);
        const size_t kopf = block.size();
        le16(w);
        le16(h);
        le16(bild.x_versatz);
        le16(bild.y_versatz);
        block.resize(kopf + FIGUREN_FRAME_KOPF, 0);
        block[kopf + 21] = 8;   // depth
        const size_t tabelle = block.size();
        block.resize(tabelle + 4 * size_t(h), 0);
        const size_t start = block.size();
        for (int32_t r = 0; r < h; ++r) {
            const uint32_t z = uint32_t(block.size() - start);
            std::memcpy(&block[tabelle + 4 * size_t(r)], &z, 4);
            int32_t x = 0;
            while (x < w) {
                auto px = [&](int32_t i) -> uint8_t {
                    const size_t k = size_t(r) * size_t(bild.breite) + size_t(i);
                    return i < bild.breite && r < bild.hoehe && k < bild.pixel.size() ? bild.pixel[k] : 0;
                };
                const bool sichtbar = px(x) != 0;
                int32_t k = 0;
                while (x + k < w && k < 127 && (px(x + k) != 0) == sichtbar) ++k;
                block.push_back(uint8_t(k | (sichtbar ? 0x80 : 0)));
                if (sichtbar)
                    for (int32_t i = 0; i < k; ++i) block.push_back(px(x + i));
                x += k;
            }
        }
    }
    std::vector<uint8_t> e;
    auto le32 = [&e](uint32_t v) { Le_Put_U32(e, v); };
    le32(uint32_t(block.size()));
    le32(uint32_t(frames));
    // One-direction rows: all sixteen directions name the same frames.
    const bool eine = int32_t(offsets.size()) == frames;
    le32(uint32_t(FIGUREN_RICHTUNGEN * frames));
    for (int32_t d = 0; d < FIGUREN_RICHTUNGEN; ++d)
        for (int32_t f = 0; f < frames; ++f) {
            const size_t k = eine ? size_t(f) : size_t(d * frames + f);
            le32(k < offsets.size() ? offsets[k] : 0);
        }
    e.insert(e.end(), block.begin(), block.end());
    return e;
}

bool Figuren_Frame_Zeichnen(const FigurenAnim& a, const FigurenFrame& f, const uint16_t* tabelle, Rastport* ziel,
                            int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t cw, int32_t ch, bool halb) {
    uint16_t* px = Rastport_Pixels16(ziel);
    if (!px || !tabelle || f.bytes == 0) return false;
    const int32_t stride = int32_t(ziel->width);
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    cw = std::min(cw, int32_t(ziel->width) - cx);
    ch = std::min(ch, int32_t(ziel->height) - cy);
    const int32_t w = halb ? (f.breite + 1) / 2 : f.breite, h = halb ? (f.hoehe + 1) / 2 : f.hoehe;
    const int32_t links = x + (halb ? f.x_versatz / 2 : f.x_versatz), oben = y + (halb ? f.y_versatz / 2 : f.y_versatz);
    const int32_t x0 = std::max(links, cx), y0 = std::max(oben, cy);
    const int32_t x1 = std::min(links + w, cx + cw), y1 = std::min(oben + h, cy + ch);
    if (x0 >= x1 || y0 >= y1) return false;
    const uint8_t* daten = a.block.data() + f.daten;
    if (x0 == links && y0 == oben && x1 == links + w && y1 == oben + h) {
        if (halb) Blit_Shape8_Half(daten, f.bytes, 0, f.breite, f.hoehe, px, links, oben, stride, tabelle);
        else Blit_Shape8(daten, f.bytes, 0, f.breite, f.hoehe, px, links, oben, stride, tabelle);
        return true;
    }
    // Partly visible: drawn into a cleared picture of its own, its visible part keyed.
    thread_local std::vector<uint16_t> tmp;
    tmp.assign(size_t(w) * size_t(h), 0);
    if (halb) Blit_Shape8_Half(daten, f.bytes, 0, f.breite, f.hoehe, tmp.data(), 0, 0, w, tabelle);
    else Blit_Shape8(daten, f.bytes, 0, f.breite, f.hoehe, tmp.data(), 0, 0, w, tabelle);
    for (int32_t yy = y0; yy < y1; ++yy) {
        const uint16_t* s = tmp.data() + size_t(yy - oben) * size_t(w) + size_t(x0 - links);
        uint16_t* d = px + size_t(yy) * size_t(stride) + size_t(x0);
        for (int32_t xx = x0; xx < x1; ++xx, ++s, ++d)
            if (*s) *d = *s;
    }
    return true;
}

void Figuren_Tabelle_Figur(uint16_t t[256], const uint32_t farben[6]) {
    Palette_Fuellen(t);
    Umfaerben(t, 1, farben[0]);
    Umfaerben(t, 2, farben[4]);
    Umfaerben(t, 3, farben[2]);
    Umfaerben(t, 4, farben[3]);
    Umfaerben(t, 5, farben[1]);
    Umfaerben(t, 6, 0);
    Umfaerben(t, 7, farben[5]);
    Umfaerben(t, 8, farben[5]);
    Abschliessen(t, true);
}

void Figuren_Tabelle_Einfarbig(uint16_t t[256], uint32_t farbe) {
    std::fill(t, t + 256, uint16_t(0));
    Umfaerben(t, 2, farbe);
    Umfaerben(t, 3, farbe);
    Abschliessen(t, true);
}

void Figuren_Tabelle_Palette(uint16_t t[256]) {
    Palette_Fuellen(t);
    Abschliessen(t, false);
}

void Figuren_Trikot_Aufhellen(uint8_t kit[36]) {
    int32_t faktor = 180;
    for (int32_t i = 0; i < 36; ++i)
        if (kit[i] * 180 / 100 > 255 && kit[i] < 240) faktor -= 5;
    faktor = std::max(faktor, 130);
    for (int32_t i = 0; i < 36; ++i) kit[i] = uint8_t(std::min(255, kit[i] * faktor / 100));
}

uint32_t Figuren_Schiri_Farbe(uint32_t heim, uint32_t gast) {
    const uint32_t farben[3] = {Farbe_RGB(0, 192, 192), Farbe_RGB(155, 67, 67), Farbe_RGB(238, 220, 161)};
    uint32_t wahl = farben[0];
    int32_t beste = 0;
    for (uint32_t c : farben)
        for (int32_t t = 200; t >= beste; --t)
            if (!Trikot_Farbe_Gleich(c, heim, t) && !Trikot_Farbe_Gleich(c, gast, t)) {
                wahl = c;
                beste = t;
                break;
            }
    return wahl;
}

}  // namespace velmora
