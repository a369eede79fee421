// gfx/text_markup.cpp
#include "gfx/text_markup.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/debug.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"
#include "gfx/text_pruefung.h"

namespace velmora {
namespace {

// What one "^" code asks for. Verworfen: the code's first `laenge` characters
// are dropped and what follows is text again.
enum class Code {
    Ende, Verworfen, FettAn, FettAus, Farbe, FarbeFest, ZelleAn, ZelleAus, Wappen, BildN, BildU, BildT, BildS,
    Marke, Zeile, P, S, TabA, TabL, TabR, TabZ, FontX, Y, Z
};

struct Markup {
    Code code = Code::Ende;
    int32_t laenge = 1;     // characters consumed, the "^" included
    int32_t wert = 0;       // decimal operand, or the handle
    bool frei = false;      // "^g" forms with "l": free the picture after drawing
};

enum class HandleArt : uint8_t { Leer, Bild, Font };

struct HandleEintrag {
    HandleArt art = HandleArt::Leer;
    uint32_t generation = 0;
    void* objekt = nullptr;
};

constexpr int32_t HANDLE_ANZAHL = 256;

struct MarkupModul {
    HandleEintrag handles[HANDLE_ANZAHL];
    uint32_t naechste_generation = 1;
    TextWappenZeichnen wappen = nullptr;
};
MarkupModul g;

Markup Verwerfen(int32_t n) { return Markup{Code::Verworfen, n, 0, false}; }

// Reads the code at p (p[0] == '^'); never reads past the terminating zero.
Markup Markup_Lesen(const char* p) {
    const char c1 = p[1];
    auto zahl = [&](Code code, int32_t ofs, int32_t stellen, int32_t weg) {
        const int32_t n = Markup_Parse_Number(p + ofs, stellen);
        return n < 0 ? Verwerfen(weg) : Markup{code, ofs + stellen, n, false};
    };
    switch (c1) {
    case '\0': return Markup{Code::Ende, 1, 0, false};
    case 'b':
        if (p[2] == 'b') return Markup{Code::FettAn, 3, 0, false};
        if (p[2] == 'e') return Markup{Code::FettAus, 3, 0, false};
        return Verwerfen(2);
    case 'c': return zahl(Code::Farbe, 2, 5, 2);
    case 'i': return p[2] == 'c' ? zahl(Code::FarbeFest, 3, 5, 3) : Verwerfen(2);
    case 'f':
        if (p[2] == 'b') return zahl(Code::ZelleAn, 3, 4, 3);
        if (p[2] == 'e') return Markup{Code::ZelleAus, 3, 0, false};
        return Verwerfen(2);
    case 'g': {
        const char form = p[2];
        if (form == 'l') return p[3] ? zahl(Code::Wappen, 4, 4, 3) : Verwerfen(3);
        Code code;
        if (form == 'n') code = Code::BildN;
        else if (form == 'u') code = Code::BildU;
        else if (form == 't') code = Code::BildT;
        else if (form == 's') code = Code::BildS;
        else return Verwerfen(2);
        if (!p[3] || !p[4] || !p[5]) return Verwerfen(3);
        const int64_t h = Markup_Parse_Hex(p + 6);
        if (h < 0) return Verwerfen(3);
        return Markup{code, 14, int32_t(uint32_t(h)), p[3] == 'l'};
    }
    case 'h':
    case 'u':
        if (p[2] == 'b' || p[2] == 'e') return Markup{Code::Marke, 3, 0, false};
        // After "^u" an unlisted letter is dropped too.
        return (c1 == 'u' && p[2]) ? Verwerfen(3) : Verwerfen(2);
    case 'l': return Markup{Code::Zeile, 2, 0, false};
    case 'p': return zahl(Code::P, 2, 4, 2);
    case 's': return Markup{Code::S, 2, 0, false};
    case 't': {
        const char art = p[2];
        if (art == 'a') return zahl(Code::TabA, 3, 4, 3);
        if (art == 'l') return zahl(Code::TabL, 3, 4, 3);
        if (art == 'r') return zahl(Code::TabR, 3, 4, 3);
        if (art == 'z') return zahl(Code::TabZ, 3, 4, 3);
        return Verwerfen(2);
    }
    case 'x': {
        if (!p[2] || !p[3]) return Verwerfen(2);
        const int64_t h = Markup_Parse_Hex(p + 4);
        return h < 0 ? Verwerfen(2) : Markup{Code::FontX, 12, int32_t(uint32_t(h)), false};
    }
    case 'y': {
        int32_t n = 2;
        while (n < 6 && p[n]) ++n;
        return Markup{Code::Y, n, 0, false};
    }
    case 'z': return zahl(Code::Z, 2, 4, 2);
    default: return Verwerfen(1);
    }
}

void* Handle_Objekt(uint32_t handle, HandleArt art) {
    const HandleEintrag& e = g.handles[handle & 0xFF];
    if (handle == 0 || e.art != art || e.generation != (handle >> 8)) return nullptr;
    return e.objekt;
}

uint32_t Handle_Neu(void* objekt, HandleArt art) {
    if (!objekt) return 0;
    for (int32_t i = 0; i < HANDLE_ANZAHL; ++i) {
        HandleEintrag& e = g.handles[i];
        if (e.art != HandleArt::Leer) continue;
        e.art = art;
        e.objekt = objekt;
        e.generation = g.naechste_generation;
        g.naechste_generation = g.naechste_generation >= 0xFFFFFF ? 1 : g.naechste_generation + 1;
        return e.generation << 8 | uint32_t(i);
    }
    Debug_Printf("Text_Handle: Tabelle voll\n");
    return 0;
}

int32_t Leer_Breite(const Font* f) { return f->glyph_breite[0]; }

bool Fett_Moeglich(const Font* f) { return !f->jede_tiefe; }

// The width a picture code adds when measured.
int32_t Bild_Mass(Font* f, const Markup& m) {
    if (m.code == Code::Wappen) return Glyph_Ink_Extent(f, 'A', nullptr) + Leer_Breite(f) + 4;
    const Rastport* bild = static_cast<Rastport*>(Handle_Objekt(uint32_t(m.wert), HandleArt::Bild));
    return bild ? int32_t(bild->width) + Leer_Breite(f) + 2 : 0;
}

bool Ist_Bild(Code c) {
    return c == Code::Wappen || c == Code::BildN || c == Code::BildU || c == Code::BildT || c == Code::BildS;
}

// A glyph in a fixed cell stands centred in it.
int32_t Zell_Versatz(const Font* f, uint8_t z) {
    const int32_t i = z - 32;
    const int32_t gw = f->glyph_breite[i];
    if (f->zelle && z != '.' && z != ',' && gw < f->zelle) return f->zelle / 2 - (gw + (f->tabelle ? f->tabelle[i] : 0)) / 2;
    return 0;
}

void Glyphe_Zeichnen(Rastport* ziel, Font* f, uint8_t z, int32_t x, int32_t y) {
    const int32_t i = z - 32;
    const int32_t gw = f->glyph_breite[i];
    const int32_t versatz = Zell_Versatz(f, z);
    if (gw < 1) return;
    BlitMode modus;
    if (f->jede_tiefe) {
        modus = *BlitMode_Plane_Colour;
        modus.colour = f->farbe;
    } else if (f->eigene_farben) {
        modus = *BlitMode_Key;
    } else {
        modus = *BlitMode_Text;
        modus.colour = f->farbe;
        modus.factor = 0;
    }
    const int32_t h = int32_t(f->bogen->height);
    const bool pruefung = Text_Pruefung_An();
    if (pruefung) Text_Pruefung_Glyphen(true);
    Rastport_Blit(f->bogen, f->glyph_x[i], 0, gw, h, ziel, x + versatz, y, &modus);
    if (f->fett && !f->jede_tiefe) Rastport_Blit(f->bogen, f->glyph_x[i], 0, gw, h, ziel, x + versatz + 1, y, &modus);
    if (pruefung) Text_Pruefung_Glyphen(false);
}

bool Text_Pruefen(Rastport* ziel, Font* f, const char* format, const char* name) {
    if (!ziel || !f || !format || !*format) {
        Debug_Printf("%s: Ziel, Font oder Text fehlt\n", name);
        return false;
    }
    if (!f->bogen) {
        Debug_Printf("%s: Font ohne Glyphenbogen\n", name);
        return false;
    }
    if (Rastport_Depth(f->bogen) != Rastport_Depth(ziel) && !f->jede_tiefe) {
        Debug_Printf("%s: Font-Tiefe %u passt nicht zum Ziel (%u)\n", name, Rastport_Depth(f->bogen),
                     Rastport_Depth(ziel));
        return false;
    }
    return true;
}

// Where the text check places runs drawn into a helper picture: the shadowed
// captions are drawn twice off screen and then put onto their target.
struct Umleitung {
    const Rastport* ziel = nullptr;
    int32_t dx = 0, dy = 0;
    bool stumm = false;
};
Umleitung g_umleitung;

// The run of glyphs drawn since the pen last jumped, for the text check.
struct Lauf {
    bool an = false;
    uint32_t text_nr = 0;
    char text[TEXT_PUFFER] = {};
    size_t n = 0;
    int32_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;

    void Glyphe(const Font* f, uint8_t z, int32_t x, int32_t y) {
        if (!an || z == ' ' || z == 160) {
            if (an && n > 0 && n + 1 < sizeof text) text[n++] = char(z);
            return;
        }
        x += Zell_Versatz(f, z);
        const int32_t rechts = x + f->glyph_breite[z - 32] + (f->fett ? 1 : 0);
        if (n == 0) {
            int32_t oben = 0;
            const int32_t h = Glyph_Ink_Extent(f, 'A', &oben);
            x0 = x, y0 = y + oben + 2, y1 = y + oben + h - 4;
        }
        x1 = std::max(n == 0 ? rechts : x1, rechts);
        if (n + 1 < sizeof text) text[n++] = char(z);
    }
    void Ende(const Rastport* ziel) {
        while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == char(160))) --n;
        const Umleitung& u = g_umleitung;
        if (an && n > 0 && !u.stumm) {
            if (u.ziel)
                Text_Pruefung_Lauf(u.ziel, text_nr, std::string_view(text, n), x0 + u.dx, x1 + u.dx, y0 + u.dy, y1 + u.dy);
            else Text_Pruefung_Lauf(ziel, text_nr, std::string_view(text, n), x0, x1, y0, y1);
        }
        n = 0;
    }
};

void Wappen_Ersatz(int32_t, Rastport* ziel, int32_t x, int32_t y, int32_t w, int32_t h, uint16_t farbe) {
    Rastport_Draw_Frame(ziel, x, y, w, h, farbe, 1, nullptr);
    Rastport_Fill(ziel, x + 3, y + 3, w - 6, h - 6, farbe, nullptr);
}

}  // namespace

int32_t Markup_Parse_Number(const char* p, int32_t stellen) {
    if (!p) return -1;
    int32_t n = 0;
    for (int32_t i = 0; i < stellen; ++i) {
        if (p[i] < '0' || p[i] > '9') return -1;
        n = n * 10 + (p[i] - '0');
    }
    return n;
}

int64_t Markup_Parse_Hex(const char* p) {
    if (!p) return -1;
    int64_t n = 0;
    for (int32_t i = 0; i < 8; ++i) {
        const char c = p[i];
        int32_t d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else return -1;
        n = n * 16 + d;
    }
    return n;
}

int32_t Markup_Code_Laenge(const char* p) { return p && *p == '^' ? Markup_Lesen(p).laenge : 0; }

uint32_t Text_Handle_Bild(Rastport* bild) { return Handle_Neu(bild, HandleArt::Bild); }
uint32_t Text_Handle_Font(Font* font) { return Handle_Neu(font, HandleArt::Font); }

void Text_Handle_Loeschen(uint32_t handle) {
    HandleEintrag& e = g.handles[handle & 0xFF];
    if (handle != 0 && e.art != HandleArt::Leer && e.generation == (handle >> 8)) e = HandleEintrag{};
}

Rastport* Text_Handle_Bild_Holen(uint32_t handle) {
    return static_cast<Rastport*>(Handle_Objekt(handle, HandleArt::Bild));
}

void Text_Wappen_Setzen(TextWappenZeichnen zeichnen) { g.wappen = zeichnen; }
TextWappenZeichnen Text_Wappen_Holen() { return g.wappen; }

void Text_Render(Rastport* ziel, Font* font, uint16_t farbe, const char* text, int32_t x, int32_t y, int32_t fest) {
    if (!ziel || !font || !font->bogen || !text) return;
    Font* f = font;
    const int32_t start_x = x;
    int32_t cx = x, cy = y - f->baseline;
    uint16_t ruf_farbe = farbe, vorige = 1;
    bool gesperrt = false;
    Lauf lauf;
    if (Text_Pruefung_An()) {
        lauf.an = true;
        lauf.text_nr = Text_Pruefung_Text();
    }
    const char* p = text;
    while (*p) {
        if (*p != '^') {
            const uint8_t z = uint8_t(*p++);
            if (z < 32) continue;
            lauf.Glyphe(f, z, cx, cy);
            Glyphe_Zeichnen(ziel, f, z, cx, cy);
            cx += Font_Advance(f, z, f->fett && Fett_Moeglich(f));
            continue;
        }
        const Markup m = Markup_Lesen(p);
        p += m.laenge;
        switch (m.code) {
        case Code::Zeile:
        case Code::Z:
        case Code::TabA:
        case Code::TabL:
        case Code::TabR:
        case Code::TabZ:
        case Code::Wappen:
        case Code::BildN:
        case Code::BildU:
        case Code::BildT:
        case Code::BildS: lauf.Ende(ziel); break;
        default: break;
        }
        switch (m.code) {
        case Code::Ende: lauf.Ende(ziel); return;
        case Code::Verworfen:
        case Code::Marke:
        case Code::P:
        case Code::S: break;
        case Code::FettAn: f->fett = Fett_Moeglich(f) ? 1 : 0; break;
        case Code::FettAus: f->fett = 0; break;
        case Code::Farbe:
            if (m.wert == 0) {
                f->farbe = vorige;
                break;
            }
            if (!fest) ruf_farbe = uint16_t(m.wert);
            if (!gesperrt) {
                vorige = f->farbe;
                f->farbe = uint16_t(m.wert);
            }
            break;
        case Code::FarbeFest:
            if (m.wert != 0) {
                ruf_farbe = f->farbe = uint16_t(m.wert);
                gesperrt = true;
            }
            break;
        case Code::ZelleAn: f->zelle = m.wert; break;
        case Code::ZelleAus: f->zelle = 0; break;
        case Code::Wappen: {
            int32_t oben = 0;
            const int32_t h = Glyph_Ink_Extent(f, 'A', &oben);
            if (g.wappen) g.wappen(m.wert, ziel, cx, cy + oben, h, h);
            else Wappen_Ersatz(m.wert, ziel, cx, cy + oben, h, h, f->farbe);
            cx += h + Leer_Breite(f);
            break;
        }
        case Code::BildN:
        case Code::BildU:
        case Code::BildT:
        case Code::BildS: {
            Rastport* bild = Text_Handle_Bild_Holen(uint32_t(m.wert));
            if (!bild) break;
            int32_t oben = 0;
            const int32_t h = Glyph_Ink_Extent(f, 'A', &oben);
            if (m.code == Code::BildN || m.code == Code::BildU) {
                Rastport_Blit(bild, 0, 0, -1, -1, ziel, cx, cy + oben + (m.code == Code::BildU ? 4 : 1), BlitMode_Key);
                cx += int32_t(bild->width) + Leer_Breite(f);
            } else {
                // The picture itself is not drawn: an empty square of the crest's size stands in.
                cx += h + Leer_Breite(f);
                if (Rastport* leer = Rastport_Create(h, h, int32_t(Rastport_Depth(ziel)), 0, 0)) {
                    Rastport_Fill(leer, 0, 0, -1, -1, 0, nullptr);
                    Rastport_Blit(leer, 0, 0, -1, -1, ziel, cx, cy + oben,
                                  m.code == Code::BildT ? BlitMode_Key : BlitMode_Default);
                    Rastport_Free(leer);
                }
                cx += h + Leer_Breite(f);
            }
            if (m.frei) {
                Text_Handle_Loeschen(uint32_t(m.wert));
                Rastport_Free(bild);
            }
            break;
        }
        case Code::Zeile:
            cx = start_x;
            cy += 10;
            break;
        case Code::TabA: cx += m.wert; break;
        case Code::TabL: cx = start_x + m.wert; break;
        case Code::TabR: cx = start_x + m.wert - Text_Width(f, p); break;
        case Code::TabZ: cx = start_x + m.wert - Text_Width(f, p) / 2; break;
        case Code::FontX: {
            Font* neu = static_cast<Font*>(Handle_Objekt(uint32_t(m.wert), HandleArt::Font));
            if (!neu || !neu->bogen) break;
            cy += f->baseline - neu->baseline;
            f = neu;
            f->farbe = ruf_farbe;
            break;
        }
        case Code::Y: f->farbe = ruf_farbe; break;
        case Code::Z:
            cx = start_x;
            cy += m.wert;
            break;
        }
    }
    lauf.Ende(ziel);
}

void Text_Zeichen_Zeichnen(Rastport* ziel, Font* font, uint8_t zeichen, int32_t x, int32_t y) {
    if (!ziel || !font || !font->bogen || zeichen < 32) return;
    Glyphe_Zeichnen(ziel, font, zeichen, x, y);
}

int32_t Text_Printf(Rastport* ziel, Font* font, const char* format, int32_t x, int32_t y, ...) {
    if (!Text_Pruefen(ziel, font, format, "Text_Printf")) return 0;
    char puffer[TEXT_PUFFER] = {};
    va_list args;
    va_start(args, y);
    std::vsnprintf(puffer, sizeof puffer, format, args);
    va_end(args);
    Text_Render(ziel, font, font->farbe, puffer, x, y, 0);
    return 1;
}

int32_t Text_Width(Font* font, const char* text) {
    if (!font || !text) return 0;
    Font* f = font;
    const int32_t zelle = f->zelle;
    bool fett = f->fett && Fett_Moeglich(f);
    int32_t w = 0;
    const char* p = text;
    while (*p) {
        if (*p != '^') {
            w += Font_Advance(f, uint8_t(*p++), fett);
            continue;
        }
        const Markup m = Markup_Lesen(p);
        if (m.code == Code::Ende || m.code == Code::TabA || m.code == Code::TabL || m.code == Code::TabR ||
            m.code == Code::TabZ || m.code == Code::Z)
            break;
        p += m.laenge;
        if (m.code == Code::ZelleAn) f->zelle = m.wert;
        else if (m.code == Code::ZelleAus) f->zelle = 0;
        else if (m.code == Code::FettAn) fett = Fett_Moeglich(f);
        else if (m.code == Code::FettAus) fett = false;
        else if (Ist_Bild(m.code)) w += Bild_Mass(f, m);
        else if (m.code == Code::FontX) {
            Font* neu = static_cast<Font*>(Handle_Objekt(uint32_t(m.wert), HandleArt::Font));
            if (neu && neu->bogen) {
                font->zelle = zelle;
                f = neu;
            }
        }
    }
    font->zelle = zelle;
    return w;
}

int32_t Text_Block_Size(Font* f, const char* text) {
    if (!f || !text) return 0;
    const int32_t zelle = f->zelle;
    bool fett = f->fett && Fett_Moeglich(f);
    int32_t w = 0, breiteste = 0;
    const char* p = text;
    while (*p) {
        if (*p != '^') {
            w += Font_Advance(f, uint8_t(*p++), fett);
            continue;
        }
        const Markup m = Markup_Lesen(p);
        p += m.laenge;
        switch (m.code) {
        case Code::Ende: break;
        case Code::FettAn: fett = Fett_Moeglich(f); break;
        case Code::FettAus: fett = false; break;
        case Code::ZelleAn: f->zelle = m.wert; break;
        case Code::ZelleAus: f->zelle = 0; break;
        case Code::Zeile:
            breiteste = std::max(breiteste, w);
            w = 0;
            break;
        case Code::P: w -= m.wert; break;
        case Code::TabA:
        case Code::TabL: w = m.wert; break;
        case Code::TabR: w = m.wert - Text_Width(f, p); break;
        case Code::TabZ: w = m.wert - Text_Width(f, p) / 2; break;
        case Code::Z: f->zelle = zelle; return w;
        default:
            if (Ist_Bild(m.code)) w += Bild_Mass(f, m);
            break;
        }
    }
    f->zelle = zelle;
    return std::max(breiteste, w);
}

namespace {

// The font of the set one size smaller in the same face and drawing kind, -1 for none.
Font* Kleinere_Schrift(const Font* font) {
    static constexpr int8_t KLEINER[FONT_SET_ANZAHL] = {-1, 7, 14, 6, -1, -1, 8, 9, 10, 0, 15, -1, -1, -1, 3, -1, -1};
    for (int32_t i = 0; i < FONT_SET_ANZAHL && i < Font_Set_Anzahl(); ++i)
        if (Font_Get(i) == font) return KLEINER[i] >= 0 ? Font_Get(KLEINER[i]) : nullptr;
    return nullptr;
}

// Copies characters and whole codes of `text` after out[n] while the width with
// `font` plus `rest` stays within `breite`; returns the new length of `out`.
size_t Anfuegen_Bis(const char* text, char* out, size_t groesse, size_t n, Font* font, int32_t breite, int32_t rest) {
    const char* p = text;
    while (*p) {
        const size_t stueck = *p == '^' ? size_t(Markup_Lesen(p).laenge) : 1;
        const size_t laenge = strnlen(p, stueck);
        if (n + laenge >= groesse) break;
        std::memcpy(out + n, p, laenge);
        out[n + laenge] = 0;
        if (Text_Width(font, out) + rest > breite) {
            out[n] = 0;
            break;
        }
        n += laenge;
        p += laenge;
    }
    return n;
}

// The handle of a font of the set, kept while the set stays loaded; 0 for a
// font outside the set.
uint32_t Set_Handle(Font* font) {
    static uint32_t handles[FONT_SET_ANZAHL] = {};
    for (int32_t i = 0; i < FONT_SET_ANZAHL && i < Font_Set_Anzahl(); ++i)
        if (Font_Get(i) == font) {
            // A reloaded set has new fonts: the handle of the old one goes.
            if (Handle_Objekt(handles[i], HandleArt::Font) != font) {
                Text_Handle_Loeschen(handles[i]);
                handles[i] = Text_Handle_Font(font);
            }
            return handles[i];
        }
    return 0;
}

}  // namespace

char* Str_Auf_Breite(const char* text, char* out, size_t groesse, Font* font, int32_t breite) {
    if (!out || groesse == 0) return out;
    out[0] = 0;
    if (!text || !font) return out;
    const size_t laenge = std::strlen(text);
    if (Text_Width(font, text) <= breite && laenge < groesse) {
        std::memcpy(out, text, laenge + 1);
        return out;
    }
    // Too wide: the next smaller font of the set when the whole text fits in
    // it; the text's own font comes back after it, so what follows in the
    // same line keeps its size.
    if (Font* klein = Kleinere_Schrift(font); klein && Text_Width(klein, text) <= breite) {
        const uint32_t hin = Set_Handle(klein), zurueck = Set_Handle(font);
        if (hin && zurueck &&
            std::snprintf(out, groesse, "^x00%08x%s^x00%08x", hin, text, zurueck) < int32_t(groesse))
            return out;
        out[0] = 0;
    }
    // Else as much as fits before a visible mark, the ellipsis.
    constexpr char MARKE[] = "\x85";
    const size_t n = Anfuegen_Bis(text, out, groesse - 1, 0, font, breite, Text_Width(font, MARKE));
    if (n + 1 < groesse) std::memcpy(out + n, MARKE, 2);
    // The text check judges at the text's place whether the cut was needed.
    if (Text_Pruefung_An()) {
        std::string sichtbar;
        for (const char* p = out; *p;)
            if (*p == '^') p += std::max(1, Markup_Code_Laenge(p));
            else if (uint8_t(*p) < 32) ++p;
            else sichtbar += *p++;
        Text_Pruefung_Gekuerzt(sichtbar, Text_Width(font, text) - Text_Width(font, out));
    }
    return out;
}

int32_t Text_Schatten_Print(Rastport* ziel, Font* font, const char* format, int32_t x, int32_t y, ...) {
    if (!Text_Pruefen(ziel, font, format, "Text_Schatten_Print")) return 0;
    char puffer[TEXT_PUFFER] = {};
    va_list args;
    va_start(args, y);
    std::vsnprintf(puffer, sizeof puffer, format, args);
    va_end(args);
    const char* text = puffer;
    const int32_t bx = x, by = y - font->baseline;
    bool suchen = true;
    if (*text == '#') {
        ++text;
        Schatten_Cache_Entfernen(bx, by);
        suchen = false;
    }
    const int32_t sheet_h = int32_t(font->bogen->height);
    const int32_t w = Text_Block_Size(font, text) + 10, h = sheet_h + 5;
    if (suchen) {
        if (Rastport* treffer = Schatten_Cache_Suchen(0, 0, w, h, bx, by)) {
            Rastport_Blit(treffer, 0, 0, -1, -1, ziel, bx, by, BlitMode_Default);
            return 1;
        }
    }
    const int32_t tiefe = int32_t(Rastport_Depth(ziel));
    Rastport* a = Rastport_Create(w, h, tiefe, 0, 0);
    if (!a) {
        Text_Render(ziel, font, font->farbe, text, x, y, 0);
        return 1;
    }
    Rastport_Fill(a, 0, 0, -1, -1, 0, nullptr);
    Rastport* b = Rastport_Create(w, h, tiefe, 0, 0);
    if (b) {
        Rastport_Fill(b, 0, 0, -1, -1, 0, nullptr);
        Rastport_Blit(ziel, bx, by, w, h, b, 0, 0, BlitMode_Default);
        // Both renders start from the same font state, so codes that the text
        // leaves in the font (colour, bold, cell) act alike on both.
        const uint16_t farbe = font->farbe;
        const int32_t fett = font->fett, zelle = font->zelle;
        g_umleitung = Umleitung{nullptr, 0, 0, true};
        Text_Render(b, font, farbe, text, 0, font->baseline, 0);
        font->farbe = farbe, font->fett = fett, font->zelle = zelle;
        g_umleitung = Umleitung{ziel, bx, by, false};
        Text_Render(a, font, farbe, text, 0, font->baseline, 0);
        g_umleitung = Umleitung{};
        const int32_t kind = font->baseline >= 23 ? 2 : (font->baseline >= 17 ? 1 : 0);
        Schatten_Text_Zeichnen(kind == 1 ? a : b, 0, 0, w, sheet_h, ziel, bx, by, kind, a);
        Rastport_Free(b);
    }
    Rastport_Free(a);
    Schatten_Cache_Speichern(ziel, 0, 0, w, h, bx, by);
    return 1;
}

}  // namespace velmora
