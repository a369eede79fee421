// gfx/font.cpp
#include "gfx/font.h"

#include <cstring>
#include <new>
#include <string>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/mem.h"
#include "core/res.h"
#include "gfx/colour.h"

namespace velmora {
namespace {

constexpr const char* BESITZER = "Font";
// Limits of the record's numbers; a record outside them is damaged.
constexpr int32_t MAX_BOGEN_HOEHE = 1024;
constexpr int32_t MAX_ABSTAND = 255;
constexpr int32_t MAX_ZELLE = 1024;
constexpr int32_t MAX_BASELINE = 4096;

struct FontModul {
    bool geladen = false;
    int32_t anzahl = 0;
    Font* satz[FONT_MAX_SET] = {};
};
FontModul g;

int32_t Wort(const uint8_t* r, uint32_t ofs) { return int32_t(Bytes_Get32(r + ofs)); }

bool Bogen_Tiefe_Gueltig(uint32_t d) { return d == 8 || d == 15 || d == 16; }

bool Record_Pruefen(const Font* f) {
    const int64_t bw = f->bogen->width;
    for (int32_t i = 0; i < 256; ++i) {
        if (f->glyph_x[i] < 0 || f->glyph_breite[i] < 0 || int64_t(f->glyph_x[i]) + f->glyph_breite[i] > bw) {
            Debug_Printf("Font_Read: Glyphe %d (x=%d, Breite=%d) ausserhalb des Bogens (%lld)\n", i, f->glyph_x[i],
                         f->glyph_breite[i], static_cast<long long>(bw));
            return false;
        }
    }
    if (f->abstand < -MAX_ABSTAND || f->abstand > MAX_ABSTAND || f->zelle < 0 || f->zelle > MAX_ZELLE ||
        f->baseline < -MAX_BASELINE || f->baseline > MAX_BASELINE) {
        Debug_Printf("Font_Read: Werte ungueltig (Abstand=%d, Zelle=%d, Baseline=%d)\n", f->abstand, f->zelle,
                     f->baseline);
        return false;
    }
    return true;
}

// A grey ramp: the 8-bit sheet of a font that may not draw on other depths
// holds ink levels, 0 transparent.
void Grau_Palette(uint8_t* palette) {
    for (int32_t i = 0; i < 256; ++i) palette[i * 3] = palette[i * 3 + 1] = palette[i * 3 + 2] = uint8_t(i / 4);
}

}  // namespace

Font* Font_Read(const uint8_t* daten, size_t laenge, size_t* gelesen) {
    if (gelesen) *gelesen = 0;
    if (!daten || laenge < 4 || std::memcmp(daten, "FONT", 4) != 0) {
        Debug_Printf("Font_Read: kein FONT-Eintrag\n");
        return nullptr;
    }
    if (laenge < 4 + FONT_RECORD_BYTES) {
        Debug_Printf("Font_Read: Eintrag zu kurz (%zu Bytes)\n", laenge);
        return nullptr;
    }
    void* block = Mem_Alloc_Fill(sizeof(Font), BESITZER, 0);
    if (!block) return nullptr;
    Font* f = new (block) Font();
    const uint8_t* r = daten + 4;
    for (uint32_t i = 0; i < 256; ++i) {
        f->glyph_x[i] = Wort(r, FONT_OFS_GLYPH_X + 4 * i);
        f->glyph_breite[i] = Wort(r, FONT_OFS_GLYPH_BREITE + 4 * i);
    }
    const bool mit_tabelle = Wort(r, FONT_OFS_TABELLE) != 0;
    f->baseline = Wort(r, FONT_OFS_BASELINE);
    f->farbe = uint16_t(Bytes_Get32(r + FONT_OFS_FARBE));
    f->abstand = Wort(r, FONT_OFS_ABSTAND);
    f->zelle = Wort(r, FONT_OFS_ZELLE);
    f->eigene_farben = Wort(r, FONT_OFS_EIGENE_FARBEN);
    f->fett = Wort(r, FONT_OFS_FETT);
    f->jede_tiefe = Wort(r, FONT_OFS_JEDE_TIEFE);
    size_t pos = 4 + FONT_RECORD_BYTES;
    if (mit_tabelle) {
        if (laenge - pos < FONT_TABLE_BYTES) {
            Debug_Printf("Font_Read: Tabelle abgeschnitten\n");
            return Font_Free(f);
        }
        // A failed allocation leaves the font without table; the bytes are skipped.
        f->tabelle = static_cast<uint8_t*>(Mem_Alloc(FONT_TABLE_BYTES, BESITZER));
        if (f->tabelle) std::memcpy(f->tabelle, daten + pos, FONT_TABLE_BYTES);
        pos += FONT_TABLE_BYTES;
    }
    size_t bogen_bytes = 0;
    f->bogen = Rastport_Read(daten + pos, laenge - pos, &bogen_bytes);
    if (!f->bogen) {
        Debug_Printf("Font_Read: Glyphenbogen fehlt oder ist beschaedigt\n");
        return Font_Free(f);
    }
    if (!f->bogen->pixels || !Bogen_Tiefe_Gueltig(f->bogen->pixels->depth) || f->bogen->height < 1 ||
        f->bogen->height > uint32_t(MAX_BOGEN_HOEHE)) {
        Debug_Printf("Font_Read: Glyphenbogen ungueltig\n");
        return Font_Free(f);
    }
    if (!Record_Pruefen(f)) return Font_Free(f);
    if (gelesen) *gelesen = pos + bogen_bytes;
    return f;
}

std::vector<uint8_t> Font_Write_Mem(const Font* f) {
    if (!f || !f->bogen) return {};
    const uint32_t bogen = Rastport_File_Size(f->bogen);
    std::vector<uint8_t> out(4 + FONT_RECORD_BYTES + (f->tabelle ? FONT_TABLE_BYTES : 0) + bogen, 0);
    std::memcpy(out.data(), "FONT", 4);
    uint8_t* r = out.data() + 4;
    for (uint32_t i = 0; i < 256; ++i) {
        Bytes_Put32(r + FONT_OFS_GLYPH_X + 4 * i, uint32_t(f->glyph_x[i]));
        Bytes_Put32(r + FONT_OFS_GLYPH_BREITE + 4 * i, uint32_t(f->glyph_breite[i]));
    }
    Bytes_Put32(r + FONT_OFS_TABELLE, f->tabelle ? 1 : 0);
    Bytes_Put32(r + FONT_OFS_BASELINE, uint32_t(f->baseline));
    Bytes_Put32(r + FONT_OFS_FARBE, f->farbe);
    Bytes_Put32(r + FONT_OFS_ABSTAND, uint32_t(f->abstand));
    Bytes_Put32(r + FONT_OFS_ZELLE, uint32_t(f->zelle));
    Bytes_Put32(r + FONT_OFS_EIGENE_FARBEN, uint32_t(f->eigene_farben));
    Bytes_Put32(r + FONT_OFS_FETT, uint32_t(f->fett));
    Bytes_Put32(r + FONT_OFS_JEDE_TIEFE, uint32_t(f->jede_tiefe));
    size_t pos = 4 + FONT_RECORD_BYTES;
    if (f->tabelle) {
        std::memcpy(out.data() + pos, f->tabelle, FONT_TABLE_BYTES);
        pos += FONT_TABLE_BYTES;
    }
    if (Rastport_Write_Mem(f->bogen, out.data() + pos, out.size() - pos) != bogen) return {};
    return out;
}

Font* Font_Free(Font* f) {
    if (!f) return nullptr;
    f->bogen = Rastport_Free(f->bogen);
    if (f->tabelle) f->tabelle = static_cast<uint8_t*>(Mem_Free(f->tabelle));
    f->~Font();
    Mem_Free(f);
    return nullptr;
}

int32_t Font_Char_Width(const Font* f, uint8_t z) {
    if (!f || z < 32) return 0;
    const int32_t i = z - 32;
    return f->glyph_breite[i] + (f->tabelle ? f->tabelle[i] : 0) + f->abstand;
}

int32_t Font_Advance(const Font* f, uint8_t z, bool fett) {
    if (!f || z < 32) return 0;
    const int32_t basis = (f->zelle && z != '.' && z != ',') ? f->zelle : Font_Char_Width(f, z);
    return basis + (fett ? 1 : 0);
}

int32_t Glyph_Ink_Extent(const Font* f, uint8_t z, int32_t* oben) {
    if (!f || !f->bogen) {
        if (oben) *oben = -2;
        return 0;
    }
    int32_t erste = -1, letzte = -1;
    if (z >= 32 && Rastport_Lock(f->bogen)) {
        const int32_t i = z - 32, x0 = f->glyph_x[i], w = f->glyph_breite[i];
        const int32_t bw = int32_t(f->bogen->width), bh = int32_t(f->bogen->height);
        const bool acht = Rastport_Depth(f->bogen) == 8;
        const void* px = f->bogen->pixels ? f->bogen->pixels->pixels : nullptr;
        for (int32_t y = 0; px && y < bh; ++y) {
            bool tinte = false;
            for (int32_t x = x0; x < x0 + w && x < bw && !tinte; ++x) {
                const size_t k = size_t(y) * bw + x;
                tinte = acht ? static_cast<const uint8_t*>(px)[k] != 0 : static_cast<const uint16_t*>(px)[k] != 0;
            }
            if (tinte) {
                if (erste < 0) erste = y;
                letzte = y;
            }
        }
        Rastport_Unlock(f->bogen);
    }
    if (erste < 0) {
        if (oben) *oben = -2;
        return 6;
    }
    if (oben) *oben = erste - 2;
    return letzte - erste + 6;
}

Font* Font_Res_Laden(const uint8_t* daten, size_t laenge, int32_t tiefe) {
    Font* f = Font_Read(daten, laenge);
    if (!f) return nullptr;
    const uint32_t d = Rastport_Depth(f->bogen);
    if (!f->jede_tiefe && (tiefe == 15 || tiefe == 16) && d != uint32_t(tiefe)) {
        uint8_t palette[768];
        Grau_Palette(palette);
        PixelBuffer* neu = PixelBuffer_Convert(f->bogen->pixels, tiefe, palette);
        if (!neu) {
            Debug_Printf("Font_Res_Laden: Bogen nicht auf Tiefe %d zu bringen\n", tiefe);
            return Font_Free(f);
        }
        PixelBuffer_Free(f->bogen->pixels);
        f->bogen->pixels = neu;
    }
    return f;
}

int32_t Font_Load_Set(int32_t res_slot, int32_t first, int32_t count) {
    if (g.geladen || count == 0) return g.geladen ? 1 : 0;
    if (count < 0 || count > FONT_MAX_SET || first < 0) {
        Debug_Printf("Font_Load_Set: Anzahl %d oder erster Eintrag %d ungueltig\n", count, first);
        return 0;
    }
    g.geladen = true;
    g.anzahl = count;
    const int32_t tiefe = Rastport_Screen_Depth();
    for (int32_t i = 0; i < count; ++i) {
        g.satz[i] = static_cast<Font*>(Res_Load(res_slot, first + i, tiefe, nullptr));
        if (!g.satz[i]) {
            Debug_Printf("Font_Load_Set: Font %d nicht zu laden\n", first + i);
            Font_Free_Set();
            return 0;
        }
    }
    return 1;
}

void Font_Free_Set() {
    if (g.geladen)
        for (Font*& f : g.satz) f = Font_Free(f);
    g.geladen = false;
    g.anzahl = 0;
}

Font* Font_Get(int32_t n) {
    if (!g.geladen || n < 0 || n >= g.anzahl) {
        Debug_Printf("Font_Get: Font %d nicht geladen\n", n);
        return nullptr;
    }
    return g.satz[n];
}

int32_t Font_Set_Anzahl() { return g.geladen ? g.anzahl : 0; }

int32_t Font_Set_Installation_Laden() {
    const std::string pfad = std::string(Dirs_Get(DIR_RESFILE)) + "\\" + FONT_RES_DATEI;
    int32_t slot = Res_Open(pfad.c_str(), 0);
    if (slot < 0) {
        Debug_Printf("Font_Set_Installation_Laden: %s nicht zu oeffnen\n", pfad.c_str());
        return 0;
    }
    const int32_t ok = Font_Load_Set(slot, 0, FONT_SET_ANZAHL);
    Res_Close(slot);
    return ok;
}

}  // namespace velmora
